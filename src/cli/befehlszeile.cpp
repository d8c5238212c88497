#include "cli/befehlszeile.h"

#include <cstdio>

#include "core/vorlagen.h"
#include "files/einstellungsdatei.h"

namespace tarvello {

void steuer_optionen_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"preset", "Start from preset N (0..13; default 8).", "N"});
    parser.addOption({"settings", "Start from the control states of a settings file.", "FILE"});
    parser.addOption({"set", "Set one control: Combo_x=INDEX, Slider_x=VALUE or Check_Mauer=0|1.",
                      "NAME=VALUE"});
}

bool ganzzahl_lesen(const QString& text, const QString& option, long long min, long long max,
                    long long& wert, QString& fehler) {
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    if (!ok) {
        fehler = QStringLiteral("%1: '%2' is not a whole number").arg(option, text);
        return false;
    }
    if (v < min || v > max) {
        fehler = QStringLiteral("%1: %2 is outside %3..%4").arg(option).arg(v).arg(min).arg(max);
        return false;
    }
    wert = v;
    return true;
}

bool steuerwerte_aus_optionen(const QCommandLineParser& parser, Steuerwerte& s, QString& fehler,
                              Exitcode* code) {
    if (code) *code = bedienfehler;
    if (parser.isSet("preset") && parser.isSet("settings")) {
        fehler = QStringLiteral("--preset and --settings cannot be used together");
        return false;
    }
    s = start_steuerwerte();
    if (parser.isSet("settings")) {
        if (const Dateiergebnis e = einstellungen_laden(parser.value("settings"), s)) {
            fehler = e->meldung();
            if (code) *code = dateifehler;
            return false;
        }
    }
    if (parser.isSet("preset")) {
        long long n = 0;
        if (!ganzzahl_lesen(parser.value("preset"), "--preset", 0, n_vorlagen - 1, n, fehler))
            return false;
        vorlage_anwenden(s, static_cast<int>(n));
    }
    for (const QString& zuweisung : parser.values("set")) {
        const qsizetype gleich = zuweisung.indexOf('=');
        if (gleich <= 0) {
            fehler = QStringLiteral("--set: '%1' is not NAME=VALUE").arg(zuweisung);
            return false;
        }
        const std::string name = zuweisung.left(gleich).trimmed().toStdString();
        const std::string wert = zuweisung.mid(gleich + 1).trimmed().toStdString();
        if (auto f = s.setzen(name, wert)) {
            fehler = QStringLiteral("--set: ") + QString::fromStdString(*f);
            return false;
        }
    }
    return true;
}

std::optional<int> befehl_parsen(QCommandLineParser& parser, const QStringList& argumente,
                                 bool ohne_argumente) {
    if (!parser.parse(argumente)) {
        fehler_melden(parser.errorText());
        return bedienfehler;
    }
    if (parser.isSet("help")) {
        std::fputs(qPrintable(parser.helpText()), stdout);
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
