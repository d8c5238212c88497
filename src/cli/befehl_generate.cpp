#include "cli/befehl_generate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <unistd.h>

#include "cli/befehl_palette.h"
#include "cli/befehlszeile.h"
#include "cli/bildoptionen.h"
#include "cli/druckoptionen_cli.h"
#include "cli/konsolenwirt.h"
#include "cli/nummeroptionen.h"
#include "core/status.h"
#include "files/einstellungsdatei.h"
#include "files/kartendatei.h"
#include "generator/statistik.h"
#include "generator/treiber.h"
#include "wall/mauer.h"

namespace tarvello {

int befehl_generate(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Generates a town map without a window.");
    parser.addHelpOption();
    steuer_optionen_hinzufuegen(parser);
    parser.addOption({"seed", "Random seed; the same seed and controls give the same map.", "N"});
    parser.addOption({"lang", "Language of the status texts: de or en (default en).", "LANG"});
    parser.addOption({"timeout", "Abort the run after this many seconds.", "SECONDS"});
    parser.addOption({"stats", "Print one JSON object with counts and stage times on stdout."});
    parser.addOption({"quiet", "No progress display and no seed report."});
    // Files: the map, the control states, and pictures of the map.
    parser.addOption({{"o", "output"}, "Save the finished map as city map FILE (.qls).", "FILE"});
    parser.addOption(
        {"save-settings", "Write the control states of the run to settings FILE (.qle).", "FILE"});
    bild_optionen_hinzufuegen(parser);
    druck_optionen_hinzufuegen(parser);
    palette_option_hinzufuegen(parser);
    nummer_optionen_hinzufuegen(parser);
    if (const auto ende = befehl_parsen(parser, argumente, true)) return *ende;
    Steuerwerte s;
    QString fehler;
    Exitcode code = bedienfehler;
    if (!steuerwerte_aus_optionen(parser, s, fehler, &code)) {
        fehler_melden(fehler);
        return code;
    }
    Sprache sprache = Sprache::englisch;
    if (parser.isSet("lang")) {
        const QString l = parser.value("lang");
        if (l == "de")
            sprache = Sprache::deutsch;
        else if (l != "en") {
            fehler_melden("--lang: '" + l + "' is neither de nor en");
            return bedienfehler;
        }
    }
    double zeitlimit = 0;
    if (parser.isSet("timeout")) {
        bool gut = false;
        zeitlimit = parser.value("timeout").toDouble(&gut);
        if (!gut || !(zeitlimit > 0) || zeitlimit > 1e7) {
            fehler_melden("--timeout: '" + parser.value("timeout") +
                          "' is not a number of seconds greater than 0");
            return bedienfehler;
        }
    }
    std::uint64_t startwert = 0;
    if (parser.isSet("seed")) {
        bool gut = false;
        startwert = parser.value("seed").trimmed().toULongLong(&gut);
        if (!gut) {
            fehler_melden("--seed: '" + parser.value("seed") + "' is not a whole number >= 0");
            return bedienfehler;
        }
    } else {
        // Draw a seed and report it, so any map can be made again.
        Zufall uhrzufall;
        startwert = uhrzufall.roh64() >> 16;
    }

    // Files are checked before the run, so a bad name does not cost a run.
    for (const char* name : {"output", "save-settings", "palette"})
        if (parser.values(name).size() > 1) {
            fehler_melden(QStringLiteral("--%1 is given more than once").arg(name));
            return bedienfehler;
        }
    if (!bild_optionen_pruefen(parser, fehler) || !druck_optionen_pruefen(parser, fehler)) {
        fehler_melden(fehler);
        return bedienfehler;
    }
    // How many streets, buildings, squares and parks get a label number.
    Stadtmodell m;
    if (!nummer_optionen_lesen(parser, m, fehler)) {
        fehler_melden(fehler);
        return bedienfehler;
    }
    const Kartenkopf kopf = kartenkopf_aus_optionen(parser);
    Druckfarben farben;
    if ((bild_optionen_gesetzt(parser) || druck_optionen_gesetzt(parser) ||
         parser.isSet("palette")) &&
        !farben_aus_optionen(parser, farben, fehler)) {
        fehler_melden(fehler);
        return dateifehler;
    }
    if (parser.isSet("save-settings")) {
        if (const Dateiergebnis e = einstellungen_speichern(parser.value("save-settings"), s)) {
            fehler_melden(e->meldung());
            return dateifehler;
        }
    }

    const bool still = parser.isSet("quiet");
    if (!still && !parser.isSet("seed"))
        std::fprintf(stderr, "Seed: %llu\n", static_cast<unsigned long long>(startwert));

    Zufall z(startwert);
    Parameter p;
    Konsolenwirt wirt(!still && isatty(STDERR_FILENO) != 0, zeitlimit, sprache);
    const Laufbericht bericht = stadtplan_erstellen(s, p, m, z, system_uhr(), wirt);

    if (bericht.ende == Laufende::fehler && bericht.versuche == 0) {
        fehler_melden(QString::fromStdString(bericht.meldung));
        return bedienfehler;
    }

    if (parser.isSet("stats")) {
        const Zaehlung c = zaehlen(m);
        QJsonObject sek;
        const Stufenzeiten& t = bericht.zeiten;
        sek["total"] = t.gesamt;
        sek["rivers"] = t.fluesse;
        sek["streets"] = t.strassen;
        sek["wall"] = t.mauer;
        sek["parks"] = t.parks;
        sek["squares"] = t.plaetze;
        sek["bounding"] = t.eingrenzen;
        sek["buildings"] = t.gebaeude;
        sek["fitting"] = t.einpassen;
        sek["numbering"] = t.nummerierung;
        QJsonObject o;
        o["seed"] = QString::number(startwert);
        o["attempts"] = bericht.versuche;
        o["finished"] = m.plan_vorhanden;
        o["seconds"] = sek;
        o["rivers"] = c.fluesse;
        o["streets"] = c.strassen;
        o["street_points"] = c.strassen_punkte;
        o["river_points"] = c.fluss_punkte;
        o["links"] = c.verbindungen;
        o["bridges"] = bericht.bruecken;
        o["buildings"] = c.gebaeude;
        o["round_buildings"] = c.rundbauten;
        o["squares"] = c.plaetze;
        o["parks"] = c.parks;
        o["wall_points"] = c.mauer_punkte;
        o["towers"] = mauer_tuerme_stehend(m);
        o["gates"] = bericht.tore;
        o["karten_faktor"] = static_cast<double>(m.karten_faktor);
        std::fputs(QJsonDocument(o).toJson(QJsonDocument::Compact).constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }

    if (bericht.ende == Laufende::fertig) {
        if (parser.isSet("output")) {
            if (const Dateiergebnis e = stadtplan_speichern(parser.value("output"), m, kopf)) {
                fehler_melden(e->meldung());
                return dateifehler;
            }
        }
        if (bild_optionen_gesetzt(parser)) {
            const int bildcode = bild_optionen_ausfuehren(parser, m, fehler, &wirt, &z, &farben);
            if (bildcode != ok) {
                fehler_melden(fehler);
                return bildcode;
            }
        }
        if (druck_optionen_gesetzt(parser)) {
            const int druckcode =
                druck_optionen_ausfuehren(parser, m, kopf, fehler, &wirt, &z, &farben);
            if (druckcode != ok) {
                fehler_melden(fehler);
                return druckcode;
            }
        }
    }

    switch (bericht.ende) {
    case Laufende::fertig:
        if (!still) std::fprintf(stderr, "%s\n", status_text(bericht.status, sprache).c_str());
        return ok;
    case Laufende::abgebrochen:
        std::fprintf(stderr, "%s\n", status_text({Statusart::abgebrochen}, sprache).c_str());
        return abgebrochen;
    case Laufende::fehler:
        fehler_melden(QString::fromStdString(bericht.meldung));
        return dateifehler;
    }
    return ok;
}

} // namespace tarvello
