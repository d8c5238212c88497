#include "cli/befehl_generate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <unistd.h>

#include "cli/ausgabeziel.h"
#include "cli/befehl_palette.h"
#include "cli/befehlszeile.h"
#include "cli/bildoptionen.h"
#include "cli/druckoptionen_cli.h"
#include "cli/geojsonoption.h"
#include "cli/konsolenwirt.h"
#include "cli/nummeroptionen.h"
#include "core/status.h"
#include "files/einstellungsdatei.h"
#include "files/kartendatei.h"
#include "generator/statistik.h"
#include "generator/treiber.h"
#include "wall/mauer.h"

namespace tarvello {

namespace {

void optionen(QCommandLineParser& parser) {
    parser.setApplicationDescription(sprachtext("Erstellt einen Stadtplan ohne Fenster.",
                                                "Generates a town map without a window."));
    hilfe_option_hinzufuegen(parser);
    steuer_optionen_hinzufuegen(parser);
    parser.addOption({"seed",
                      sprachtext("Startwert des Zufalls; gleicher Startwert und gleiche "
                                 "Einstellungen ergeben denselben Stadtplan.",
                                 "Random seed; the same seed and controls give the same map."),
                      "N"});
    parser.addOption({"lang",
                      sprachtext("Sprache der Meldungen und Statustexte: de oder en (ohne die "
                                 "Option die des Gebietsschemas: LANGUAGE, LC_ALL, LC_MESSAGES, "
                                 "LANG).",
                                 "Language of the messages and status texts: de or en (without "
                                 "the option the locale's: LANGUAGE, LC_ALL, LC_MESSAGES, LANG)."),
                      "LANG"});
    zeitlimit_option_hinzufuegen(
        parser, sprachtext("Den Lauf nach so vielen Sekunden abbrechen (nicht die Dateien "
                           "seines Stadtplans).",
                           "Abort the generation run after this many seconds (not the files "
                           "made of its map)."));
    parser.addOption({"stats", sprachtext("Ein JSON-Objekt mit Anzahlen und Stufenzeiten auf "
                                          "stdout ausgeben.",
                                          "Print one JSON object with counts and stage times on "
                                          "stdout.")});
    parser.addOption({"quiet", sprachtext("Keine Fortschrittsanzeige und keine Meldung des "
                                          "Startwerts.",
                                          "No progress display and no seed report.")});
    // Files: the map, the control states, and pictures of the map.
    const QString datei = sprachtext("DATEI", "FILE");
    parser.addOption({{"o", "output"},
                      sprachtext("Den fertigen Stadtplan als Stadtplandatei DATEI (.qls) "
                                 "speichern.",
                                 "Save the finished map as city map FILE (.qls)."),
                      datei});
    parser.addOption({"save-settings",
                      sprachtext("Die Reglerstellungen des Laufs in die Stadteinstellungsdatei "
                                 "DATEI (.qle) schreiben.",
                                 "Write the control states of the run to settings FILE (.qle)."),
                      datei});
    bild_optionen_hinzufuegen(parser);
    druck_optionen_hinzufuegen(parser);
    palette_option_hinzufuegen(parser);
    nummer_optionen_hinzufuegen(parser);
    geojson_option_hinzufuegen(parser);
    geo_optionen_hinzufuegen(parser);
}

// What the options ask of a run, read once before it.
struct Auftrag {
    Steuerwerte steuerwerte;
    Sprache sprache = befehlssprache();
    double zeitlimit = 0; // seconds; 0: none
    std::uint64_t startwert = 0;
    bool startwert_gezogen = false; // not given: drawn and reported
    bool still = false, statistik = false;
    std::optional<QString> karte, einstellungen, geojson;
    Bildwunsch bilder;
    Georeferenz geo;
    Druckwunsch druck;
    Stadtmodell modell; // holds the label counts before the run
    Kartenkopf kopf;
    Druckfarben farben;
};

// Reads every option and checks every file name before the run, so a bad
// value does not cost a run. On failure nothing was written.
Ergebnis auftrag_lesen(const QCommandLineParser& parser, Auftrag& a) {
    if (Ergebnis e = steuerwerte_aus_optionen(parser, a.steuerwerte); !e.gut()) return e;
    if (Ergebnis e = zeitlimit_lesen(parser, a.zeitlimit); !e.gut()) return e;
    if (parser.isSet("seed")) {
        if (Ergebnis e = startwert_lesen(parser, a.startwert); !e.gut()) return e;
    } else {
        // Draw a seed and report it, so any map can be made again.
        a.startwert = startwert_ziehen();
        a.startwert_gezogen = true;
    }
    a.still = parser.isSet("quiet");
    a.statistik = parser.isSet("stats");

    for (const char* name : {"output", "save-settings", "palette"})
        if (parser.values(name).size() > 1) return bedienungsfehler(mehrfach(name));
    a.karte = wert_von(parser, "output");
    a.einstellungen = wert_von(parser, "save-settings");
    if (Ergebnis e = bild_optionen_lesen(parser, a.bilder); !e.gut()) return e;
    if (Ergebnis e = druck_optionen_lesen(parser, a.druck); !e.gut()) return e;
    if (Ergebnis e = geojson_option_lesen(parser, a.geojson); !e.gut()) return e;
    if (Ergebnis e = geo_optionen_lesen(parser, a.bilder, a.geo); !e.gut()) return e;
    if (Ergebnis e = ausgaben_pruefen({a.karte, a.einstellungen, a.geojson}); !e.gut()) return e;
    {
        std::vector<QString> eingaben, ausgaben = bilddateien(a.bilder);
        for (const char* name : {"settings", "palette"})
            if (const std::optional<QString> d = wert_von(parser, name)) eingaben.push_back(*d);
        for (const auto& d : {a.karte, a.einstellungen, a.geojson})
            if (d) ausgaben.push_back(*d);
        if (!a.druck.datei.isEmpty()) ausgaben.push_back(a.druck.datei);
        if (Ergebnis e = ziele_pruefen(eingaben, ausgaben, a.statistik); !e.gut()) return e;
    }
    // How many streets, buildings, squares and parks get a label number.
    if (Ergebnis e = nummer_optionen_lesen(parser, a.modell); !e.gut()) return e;
    a.kopf = kartenkopf(a.druck);
    const std::optional<QString> palette = wert_von(parser, "palette");
    if (!a.bilder.dateien.empty() || !a.druck.datei.isEmpty() || palette)
        if (Ergebnis e = farben_lesen(palette, a.farben); !e.gut()) return e;
    return {};
}

// One JSON object with the counts and stage times of the run on stdout.
void statistik_ausgeben(const Stadtmodell& m, const Laufbericht& bericht, std::uint64_t startwert) {
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

// The files of a finished map: the control states, the map file, the GeoJSON, the
// pictures, the PDF; stops at the first that fails. The control states wait for the run
// too, so that an aborted or failed run leaves nothing behind, and all of them replace
// their targets together at the end, or none does.
Ergebnis ausgaben_schreiben(const Auftrag& a, Wirt& wirt) {
    Sammeluebernahme sammlung;
    if (a.einstellungen)
        if (Ergebnis e = einstellungen_speichern(*a.einstellungen, a.steuerwerte); !e.gut())
            return e;
    if (a.karte)
        if (Ergebnis e = stadtplan_speichern(*a.karte, a.modell, a.kopf); !e.gut()) return e;
    if (Ergebnis e = geojson_schreiben(a.geojson, a.modell, a.kopf, a.geo); !e.gut()) return e;
    if (Ergebnis e = bilder_zeichnen(a.bilder, a.modell, &wirt, &a.farben); !e.gut()) return e;
    if (Ergebnis e = weltdateien_schreiben(a.geo, a.bilder, a.modell); !e.gut()) return e;
    if (Ergebnis e = pdf_schreiben(a.druck, a.modell, a.kopf, &wirt, &a.farben); !e.gut()) return e;
    // The last look at the abort button before the files change.
    if (wirt.nachgeben()) return zeichnung_bewerten(Ergebnis::fehler(Fehlerart::abbruch, "", ""));
    return sammlung.uebernehmen();
}

bool zeichnet(const QCommandLineParser& parser) {
    for (const char* name : {"png", "bmp", "svg", "pdf"})
        if (parser.isSet(name)) return true;
    return false;
}

int ausfuehren(const Befehlsaufruf& aufruf) {
    if (const auto ende = vorab_erledigt(aufruf, true)) return *ende;
    const QCommandLineParser& parser = *aufruf.parser;
    Auftrag a;
    if (Ergebnis e = auftrag_lesen(parser, a); !e.gut()) return melden(e);

    if (!a.still && a.startwert_gezogen)
        std::fprintf(stderr, "%s %llu\n", qPrintable(sprachtext("Startwert:", "Seed:")),
                     static_cast<unsigned long long>(a.startwert));

    Konsolenwirt wirt(!a.still && isatty(STDERR_FILENO) != 0, a.zeitlimit, a.sprache);
    const Laufbericht bericht = stadtplan_erstellen(
        {a.steuerwerte, a.startwert, nummernzahlen(a.modell)}, a.modell, system_uhr(), wirt);
    wirt.zeile_beenden();
    // A refused parameter set ran nothing: there is nothing to count.
    if (bericht.ende == Laufende::abgelehnt) return melden(bericht.ergebnis());
    if (a.statistik) statistik_ausgeben(a.modell, bericht, a.startwert);

    if (bericht.ende != Laufende::fertig) {
        if (bericht.ende != Laufende::abgebrochen) return melden(bericht.ergebnis());
        // The run's own status line, in the run's language.
        std::fprintf(stderr, "%s\n", status_text(bericht.status, a.sprache).c_str());
        return exitcode(bericht.ergebnis());
    }
    wirt.zeitlimit_aufheben();
    const Ergebnis ausgaben = ausgaben_schreiben(a, wirt);
    wirt.zeile_beenden();
    if (!ausgaben.gut()) return melden(ausgaben);
    if (!a.still) std::fprintf(stderr, "%s\n", status_text(bericht.status, a.sprache).c_str());
    return ok;
}

} // namespace

const Befehl generate_befehl{"generate", optionen, ausfuehren, zeichnet};

} // namespace tarvello
