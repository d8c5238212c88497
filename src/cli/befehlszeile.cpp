#include "cli/befehlszeile.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

#include "cli/sprachwahl.h"
#include "core/vorlagen.h"
#include "core/zufall.h"
#include "files/einstellungsdatei.h"

namespace tarvello {

namespace {

Sprache sprache_ = Sprache::englisch;

// The help of Qt's parser with German headings; the column layout stays as
// Qt made it.
QString hilfe_eindeutschen(QString hilfe) {
    const qsizetype zeilenende = hilfe.indexOf('\n');
    QString erste = hilfe.left(zeilenende);
    if (erste.startsWith(QLatin1String("Usage: "))) erste.replace(0, 7, QStringLiteral("Aufruf: "));
    erste.replace(QLatin1String(" [options]"), QLatin1String(" [Optionen]"));
    hilfe.replace(0, zeilenende, erste);
    hilfe.replace(QLatin1String("\nOptions:\n"), QLatin1String("\nOptionen:\n"));
    hilfe.replace(QLatin1String("\nArguments:\n"), QLatin1String("\nArgumente:\n"));
    return hilfe;
}

} // namespace

Sprache befehlssprache() {
    return sprache_;
}

void befehlssprache_setzen(Sprache s) {
    sprache_ = s;
}

QString sprachtext(const char* deutsch, const char* englisch) {
    return QString::fromUtf8(sprache_ == Sprache::deutsch ? deutsch : englisch);
}

Befehlsaufruf befehl_lesen(const Befehl& befehl, const QStringList& argumente) {
    Befehlsaufruf a;
    a.befehl = &befehl;
    a.argumente = argumente;
    a.parser = std::make_unique<QCommandLineParser>();
    befehl.optionen(*a.parser);
    a.gelesen = a.parser->parse(argumente);
    return a;
}

std::optional<Sprache> sprache_aus_optionen(const QCommandLineParser& parser) {
    if (!parser.isSet("lang")) return std::nullopt;
    return sprache_aus_kuerzel(parser.value("lang").toStdString());
}

void hilfe_option_hinzufuegen(QCommandLineParser& parser) {
    // Qt's own help option would also offer --help-all, which only process()
    // answers; the commands read with parse(), so they offer -h and --help.
    parser.addOption(
        {{"h", "help"}, sprachtext("Zeigt diese Hilfe.", "Displays help on commandline options.")});
}

void sprach_option_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"lang",
                      sprachtext("Sprache der Meldungen: de oder en (ohne die Option die des "
                                 "Gebietsschemas: LANGUAGE, LC_ALL, LC_MESSAGES, LANG).",
                                 "Language of the messages: de or en (without the option the "
                                 "locale's: LANGUAGE, LC_ALL, LC_MESSAGES, LANG)."),
                      "LANG"});
}

void steuer_optionen_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"preset",
                      sprachtext("Mit Vorlage N beginnen (0..13; sonst 8).",
                                 "Start from preset N (0..13; default 8)."),
                      "N"});
    parser.addOption({"settings",
                      sprachtext("Mit den Reglerstellungen einer Stadteinstellungsdatei beginnen.",
                                 "Start from the control states of a settings file."),
                      sprachtext("DATEI", "FILE")});
    parser.addOption({"set",
                      sprachtext("Ein Steuerelement setzen: Combo_x=INDEX, Slider_x=WERT oder "
                                 "Check_Mauer=0|1.",
                                 "Set one control: Combo_x=INDEX, Slider_x=VALUE or "
                                 "Check_Mauer=0|1."),
                      sprachtext("NAME=WERT", "NAME=VALUE")});
}

int exitcode(const Ergebnis& e) {
    switch (e.art()) {
    case Fehlerart::keiner:
        return ok;
    case Fehlerart::datei:
        return dateifehler;
    case Fehlerart::bedienung:
        return bedienfehler;
    case Fehlerart::abbruch:
        return abgebrochen;
    case Fehlerart::kein_plan:
        return kein_stadtplan;
    }
    return dateifehler;
}

int melden(const Ergebnis& e) {
    if (!e.gut()) fehler_melden(qtext(e, sprache_));
    return exitcode(e);
}

Ergebnis bedienungsfehler(const Worte& text) {
    return text.ergebnis(Fehlerart::bedienung);
}

Worte mehrfach(const char* name) {
    return Worte{QStringLiteral("--%1 ist mehrfach angegeben"),
                 QStringLiteral("--%1 is given more than once")}
        .arg(QString::fromLatin1(name));
}

Ergebnis zeichnung_bewerten(const Ergebnis& zeichnung, const QString& pdf) {
    switch (zeichnung.art()) {
    case Fehlerart::abbruch:
        return (pdf.isEmpty()
                    ? Worte{QStringLiteral("Grafikexport abgebrochen"),
                            QStringLiteral("image export aborted")}
                    : Worte{QStringLiteral("Druck abgebrochen; %1 wurde nicht geschrieben"),
                            QStringLiteral("printing aborted; %1 was not written")}
                          .arg(pdf))
            .ergebnis(zeichnung.art());
    case Fehlerart::kein_plan:
        return (pdf.isEmpty() ? Worte{QStringLiteral("es gibt keinen Stadtplan zum Zeichnen"),
                                      QStringLiteral("there is no map to draw")}
                              : Worte{QStringLiteral("es gibt keinen Stadtplan zum Drucken"),
                                      QStringLiteral("there is no map to print")})
            .ergebnis(zeichnung.art());
    default:
        return zeichnung;
    }
}

Ergebnis ganzzahl_lesen(const QString& text, const Worte& option, long long min, long long max,
                        long long& wert) {
    bool gut = false;
    const long long v = text.trimmed().toLongLong(&gut);
    if (!gut)
        return bedienungsfehler(Worte{QStringLiteral("%1: '%2' ist keine ganze Zahl"),
                                      QStringLiteral("%1: '%2' is not a whole number")}
                                    .arg(option)
                                    .arg(text));
    if (v < min || v > max)
        return bedienungsfehler(Worte{QStringLiteral("%1: %2 liegt außerhalb von %3..%4"),
                                      QStringLiteral("%1: %2 is outside %3..%4")}
                                    .arg(option)
                                    .arg(v)
                                    .arg(min)
                                    .arg(max));
    wert = v;
    return {};
}

Ergebnis startwert_lesen(const QCommandLineParser& parser, std::uint64_t& startwert) {
    const auto wert = tarvello::startwert_lesen(parser.value("seed").trimmed().toStdString());
    if (!wert)
        return bedienungsfehler(Worte{QStringLiteral("--seed: '%1' ist keine ganze Zahl >= 0"),
                                      QStringLiteral("--seed: '%1' is not a whole number >= 0")}
                                    .arg(parser.value("seed")));
    startwert = *wert;
    return {};
}

void zeitlimit_option_hinzufuegen(QCommandLineParser& parser, const QString& beschreibung) {
    parser.addOption({"timeout", beschreibung, sprachtext("SEKUNDEN", "SECONDS")});
}

Ergebnis zeitlimit_lesen(const QCommandLineParser& parser, double& sekunden) {
    if (!parser.isSet("timeout")) return {};
    if (parser.values("timeout").size() > 1) return bedienungsfehler(mehrfach("timeout"));
    // Ten million seconds (four months) is as good as none; a larger limit
    // would only overflow the clock's arithmetic.
    constexpr double hoechstens = 1e7;
    bool gut = false;
    const double wert = parser.value("timeout").toDouble(&gut);
    if (!gut || !(wert > 0) || wert > hoechstens)
        return bedienungsfehler(
            Worte{QStringLiteral("--timeout: '%1' ist keine Sekundenzahl mit 0 < SEKUNDEN <= "
                                 "10000000"),
                  QStringLiteral("--timeout: '%1' is not a number of seconds with 0 < SECONDS "
                                 "<= 10000000")}
                .arg(parser.value("timeout")));
    sekunden = wert;
    return {};
}

Ergebnis steuerwerte_aus_optionen(const QCommandLineParser& parser, Steuerwerte& s) {
    if (parser.isSet("preset") && parser.isSet("settings"))
        return bedienungsfehler(
            {QStringLiteral("--preset und --settings können nicht zusammen verwendet werden"),
             QStringLiteral("--preset and --settings cannot be used together")});
    s = start_steuerwerte();
    if (parser.isSet("settings"))
        if (Ergebnis e = einstellungen_laden(parser.value("settings"), s); !e.gut()) return e;
    if (parser.isSet("preset")) {
        long long n = 0;
        if (Ergebnis e = ganzzahl_lesen(parser.value("preset"), "--preset", 0, n_vorlagen - 1, n);
            !e.gut())
            return e;
        vorlage_anwenden(s, static_cast<int>(n));
    }
    for (const QString& zuweisung : parser.values("set")) {
        const qsizetype gleich = zuweisung.indexOf('=');
        if (gleich <= 0)
            return bedienungsfehler(Worte{QStringLiteral("--set: '%1' ist nicht NAME=WERT"),
                                          QStringLiteral("--set: '%1' is not NAME=VALUE")}
                                        .arg(zuweisung));
        const std::string name = zuweisung.left(gleich).trimmed().toStdString();
        const std::string wert = zuweisung.mid(gleich + 1).trimmed().toStdString();
        if (Ergebnis e = s.setzen(name, wert); !e.gut()) return e.mit_vorsatz("--set: ");
    }
    return {};
}

std::optional<int> vorab_erledigt(const Befehlsaufruf& aufruf, bool ohne_argumente) {
    const QCommandLineParser& parser = *aufruf.parser;
    const QStringList& argumente = aufruf.argumente;
    if (!aufruf.gelesen) {
        fehler_melden(parsefehler_text(parser.errorText(), sprache_));
        return bedienfehler;
    }
    if (parser.isSet("help")) {
        // The options were read before their language was known: the help
        // is described by a fresh table in it.
        QCommandLineParser beschreibung;
        aufruf.befehl->optionen(beschreibung);
        // Qt names the executable's path; the usage line names the command.
        QString hilfe = beschreibung.helpText();
        const QString pfad = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
        if (!argumente.isEmpty() && hilfe.startsWith(pfad))
            hilfe.replace(0, pfad.size(), QStringLiteral("Usage: ") + argumente.first());
        if (sprache_ == Sprache::deutsch) hilfe = hilfe_eindeutschen(hilfe);
        std::fputs(qPrintable(hilfe), stdout);
        return ok;
    }
    if (parser.optionNames().contains(QStringLiteral("lang")) && parser.isSet("lang") &&
        !sprache_aus_kuerzel(parser.value("lang").toStdString()))
        return melden(bedienungsfehler(Worte{QStringLiteral("--lang: '%1' ist weder de noch en"),
                                             QStringLiteral("--lang: '%1' is neither de nor en")}
                                           .arg(parser.value("lang"))));
    if (ohne_argumente && !parser.positionalArguments().isEmpty()) {
        const QString befehl = argumente.isEmpty() ? QString() : argumente.first().section(' ', -1);
        return melden(bedienungsfehler(Worte{QStringLiteral("%1: unerwartetes Argument '%2'"),
                                             QStringLiteral("%1: unexpected argument '%2'")}
                                           .arg(befehl)
                                           .arg(parser.positionalArguments().first())));
    }
    return std::nullopt;
}

std::optional<QString> wert_von(const QCommandLineParser& parser, const QString& name) {
    if (!parser.isSet(name)) return std::nullopt;
    return parser.value(name);
}

void fehler_melden(const QString& text) {
    std::fprintf(stderr, "tarvello: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

QString parsefehler_text(const QString& qt_text, Sprache s) {
    if (s != Sprache::deutsch) return qt_text;
    static const struct {
        QRegularExpression englisch;
        const char* deutsch;
    } muster[] = {
        {QRegularExpression(QStringLiteral("^Unknown option '(.*)'\\.$")),
         "Unbekannte Option '%1'."},
        {QRegularExpression(QStringLiteral("^Unknown options: (.*)\\.$")),
         "Unbekannte Optionen: %1."},
        {QRegularExpression(QStringLiteral("^Missing value after '(.*)'\\.$")),
         "Fehlender Wert nach '%1'."},
        {QRegularExpression(QStringLiteral("^Unexpected value after '(.*)'\\.$")),
         "Unerwarteter Wert nach '%1'."},
    };
    for (const auto& m : muster)
        if (const QRegularExpressionMatch treffer = m.englisch.match(qt_text); treffer.hasMatch())
            return QString::fromUtf8(m.deutsch).arg(treffer.captured(1));
    return qt_text;
}

} // namespace tarvello
