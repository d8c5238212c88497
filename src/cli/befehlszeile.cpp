#include "cli/befehlszeile.h"

#include <QCoreApplication>

#include <cstdio>

#include "core/vorlagen.h"
#include "core/zufall.h"
#include "files/einstellungsdatei.h"

namespace tarvello {

void steuer_optionen_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"preset", "Start from preset N (0..13; default 8).", "N"});
    parser.addOption({"settings", "Start from the control states of a settings file.", "FILE"});
    parser.addOption({"set", "Set one control: Combo_x=INDEX, Slider_x=VALUE or Check_Mauer=0|1.",
                      "NAME=VALUE"});
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
    if (!e.gut()) fehler_melden(qtext(e));
    return exitcode(e);
}

Ergebnis bedienungsfehler(const QString& text) {
    return Ergebnis::fehler(Fehlerart::bedienung, text.toStdString());
}

Ergebnis zeichnung_bewerten(const Ergebnis& zeichnung, const QString& pdf) {
    const auto worte = [&](const QString& text) {
        return Ergebnis::fehler(zeichnung.art(), text.toStdString());
    };
    switch (zeichnung.art()) {
    case Fehlerart::abbruch:
        return worte(pdf.isEmpty()
                         ? QStringLiteral("image export aborted")
                         : QStringLiteral("printing aborted; %1 was not written").arg(pdf));
    case Fehlerart::kein_plan:
        return worte(pdf.isEmpty() ? QStringLiteral("there is no map to draw")
                                   : QStringLiteral("there is no map to print"));
    default:
        return zeichnung;
    }
}

Ergebnis ganzzahl_lesen(const QString& text, const QString& option, long long min, long long max,
                        long long& wert) {
    bool gut = false;
    const long long v = text.trimmed().toLongLong(&gut);
    if (!gut)
        return bedienungsfehler(QStringLiteral("%1: '%2' is not a whole number").arg(option, text));
    if (v < min || v > max)
        return bedienungsfehler(
            QStringLiteral("%1: %2 is outside %3..%4").arg(option).arg(v).arg(min).arg(max));
    wert = v;
    return {};
}

Ergebnis startwert_lesen(const QCommandLineParser& parser, std::uint64_t& startwert) {
    const auto wert = tarvello::startwert_lesen(parser.value("seed").trimmed().toStdString());
    if (!wert)
        return bedienungsfehler("--seed: '" + parser.value("seed") +
                                "' is not a whole number >= 0");
    startwert = *wert;
    return {};
}

Ergebnis steuerwerte_aus_optionen(const QCommandLineParser& parser, Steuerwerte& s) {
    if (parser.isSet("preset") && parser.isSet("settings"))
        return bedienungsfehler(QStringLiteral("--preset and --settings cannot be used together"));
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
            return bedienungsfehler(QStringLiteral("--set: '%1' is not NAME=VALUE").arg(zuweisung));
        const std::string name = zuweisung.left(gleich).trimmed().toStdString();
        const std::string wert = zuweisung.mid(gleich + 1).trimmed().toStdString();
        if (Ergebnis e = s.setzen(name, wert); !e.gut()) return e.mit_vorsatz("--set: ");
    }
    return {};
}

std::optional<int> befehl_parsen(QCommandLineParser& parser, const QStringList& argumente,
                                 bool ohne_argumente) {
    if (!parser.parse(argumente)) {
        fehler_melden(parser.errorText());
        return bedienfehler;
    }
    if (parser.isSet("help")) {
        // Qt names the executable's path; the usage line names the command.
        QString hilfe = parser.helpText();
        const QString pfad = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
        if (!argumente.isEmpty() && hilfe.startsWith(pfad))
            hilfe.replace(0, pfad.size(), QStringLiteral("Usage: ") + argumente.first());
        std::fputs(qPrintable(hilfe), stdout);
        return ok;
    }
    if (ohne_argumente && !parser.positionalArguments().isEmpty()) {
        const QString befehl = argumente.isEmpty() ? QString() : argumente.first().section(' ', -1);
        fehler_melden(befehl + ": unexpected argument '" + parser.positionalArguments().first() +
                      "'");
        return bedienfehler;
    }
    return std::nullopt;
}

void fehler_melden(const QString& text) {
    std::fprintf(stderr, "tarvello: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace tarvello
