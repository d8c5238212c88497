#include "cli/befehl_params.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/befehlszeile.h"
#include "core/parameter.h"

namespace tarvello {

namespace {

void optionen(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        sprachtext("Zeigt die Reglerstellungen und den Parametersatz eines Laufs.",
                   "Shows the control states and the parameter set of a run."));
    hilfe_option_hinzufuegen(parser);
    sprach_option_hinzufuegen(parser);
    steuer_optionen_hinzufuegen(parser);
    parser.addOption({"json", sprachtext("Ein JSON-Objekt ausgeben.", "Print one JSON object.")});
}

int ausfuehren(const Befehlsaufruf& aufruf) {
    if (const auto ende = vorab_erledigt(aufruf, true)) return *ende;
    const QCommandLineParser& parser = *aufruf.parser;
    Steuerwerte s;
    if (Ergebnis e = steuerwerte_aus_optionen(parser, s); !e.gut()) return melden(e);
    const Parameter p = parameter_umrechnen(s);
    const Ergebnis pruefung = parameter_pruefen(p);

    if (parser.isSet("json")) {
        QJsonObject steuer;
        for (const auto& l : s.listen) {
            QJsonObject o;
            o["index"] = l.index;
            o["text"] = QString::fromStdString(
                            l.eintraege(befehlssprache())[static_cast<std::size_t>(l.index)])
                            .trimmed();
            steuer[QString::fromStdString(l.name)] = o;
        }
        for (const auto& r : s.schieber)
            steuer[QString::fromStdString(r.name)] = r.wert;
        steuer["Check_Mauer"] = s.check_mauer;
        QJsonObject werte;
        for (const auto& [name, wert] : parameter_werte(p))
            werte[name] = wert;
        QJsonObject alles;
        alles["controls"] = steuer;
        alles["parameters"] = werte;
        alles["valid"] = pruefung.gut();
        if (!pruefung.gut()) alles["error"] = QString::fromStdString(pruefung.englisch());
        std::fputs(QJsonDocument(alles).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        std::printf("%s\n", qPrintable(sprachtext("Steuerelemente:", "Controls:")));
        for (const auto& l : s.listen)
            std::printf("  %-42s %3d  %s\n", l.name.c_str(), l.index,
                        l.eintraege(befehlssprache())[static_cast<std::size_t>(l.index)].c_str());
        for (const auto& r : s.schieber)
            std::printf("  %-42s %3d  (%d..%d)\n", r.name.c_str(), r.wert, r.min, r.max);
        std::printf("  %-42s %3d\n", "Check_Mauer", s.check_mauer);
        std::printf("%s\n", qPrintable(sprachtext("Parameter:", "Parameters:")));
        for (const auto& [name, wert] : parameter_werte(p))
            std::printf("  %-42s %.9g\n", name, wert);
        if (!pruefung.gut())
            std::printf("%s %s\n", qPrintable(sprachtext("Abgelehnt:", "Refused:")),
                        pruefung.text(befehlssprache()).c_str());
    }
    return ok;
}

} // namespace

const Befehl params_befehl{"params", optionen, ausfuehren, nullptr};

} // namespace tarvello
