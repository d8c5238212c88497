#include "cli/befehl_render.h"

#include <cstdio>
#include <unistd.h>

#include "cli/ausgabeziel.h"
#include "cli/befehl_palette.h"
#include "cli/befehlszeile.h"
#include "cli/bildoptionen.h"
#include "cli/druckoptionen_cli.h"
#include "cli/geojsonoption.h"
#include "cli/konsolenwirt.h"
#include "core/zufall.h"
#include "files/kartendatei.h"

namespace tarvello {

namespace {

void optionen(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        sprachtext("Zeichnet einen gespeicherten Stadtplan (.qls) als Grafiken, druckt ihn in ein "
                   "PDF oder speichert ihn neu.",
                   "Draws a saved city map (.qls) as pictures or prints it into a PDF, or saves it "
                   "again."));
    hilfe_option_hinzufuegen(parser);
    sprach_option_hinzufuegen(parser);
    parser.addPositionalArgument(
        sprachtext("KARTE", "MAP"),
        sprachtext("Die Stadtplandatei, die gezeichnet wird.", "The city map file to draw."));
    bild_optionen_hinzufuegen(parser);
    druck_optionen_hinzufuegen(parser);
    palette_option_hinzufuegen(parser);
    geojson_option_hinzufuegen(parser);
    geo_optionen_hinzufuegen(parser);
    // Labels of squares and parks once took their places from a seed; they
    // now sit at fixed points, and old scripts that pass one still run.
    parser.addOption({"seed",
                      sprachtext("Für ältere Skripte angenommen; die Beschriftung hängt nicht mehr "
                                 "davon ab.",
                                 "Accepted for older scripts; labels no longer depend on it."),
                      "N"});
    parser.addOption({"quiet", sprachtext("Keine Fortschrittsanzeige.", "No progress display.")});
    zeitlimit_option_hinzufuegen(
        parser, sprachtext("Nach so vielen Sekunden abbrechen, ohne eine Datei zu schreiben.",
                           "Abort after this many seconds, writing no file."));
    parser.addOption({{"o", "output"},
                      sprachtext("Den Stadtplan erneut als Stadtplandatei DATEI (.qls) speichern, "
                                 "in der aktuellen Version.",
                                 "Save the map again as city map FILE (.qls), in the current "
                                 "version."),
                      sprachtext("DATEI", "FILE")});
}

bool zeichnet(const QCommandLineParser&) {
    return true;
}

// What the options ask of a drawing, read before the map is loaded.
struct Auftrag {
    QString quelle; // the map to draw
    std::optional<QString> karte, geojson;
    Bildwunsch bilder;
    Georeferenz geo;
    Druckwunsch druck;
    double zeitlimit = 0; // seconds; 0: none
    bool still = false;
    Druckfarben farben;
};

// Reads every option and checks every file name before the map is loaded.
Ergebnis auftrag_lesen(const QCommandLineParser& parser, Auftrag& a) {
    const QStringList dateien = parser.positionalArguments();
    if (dateien.size() != 1)
        return bedienungsfehler(
            dateien.isEmpty()
                ? Worte{QStringLiteral("render: welcher Stadtplan? (render KARTE.qls --png DATEI)"),
                        QStringLiteral("render: which map? (render MAP.qls --png FILE)")}
                : Worte{QStringLiteral("render: unerwartetes Argument '%1'"),
                        QStringLiteral("render: unexpected argument '%1'")}
                      .arg(dateien[1]));
    a.quelle = dateien.first();
    if (Ergebnis e = bild_optionen_lesen(parser, a.bilder); !e.gut()) return e;
    if (Ergebnis e = druck_optionen_lesen(parser, a.druck); !e.gut()) return e;
    if (Ergebnis e = geojson_option_lesen(parser, a.geojson); !e.gut()) return e;
    if (Ergebnis e = geo_optionen_lesen(parser, a.bilder, a.geo); !e.gut()) return e;
    if (parser.values("output").size() > 1) return bedienungsfehler(mehrfach("output"));
    a.karte = wert_von(parser, "output");
    if (a.bilder.dateien.empty() && a.druck.datei.isEmpty() && !a.karte && !a.geojson)
        return bedienungsfehler(
            {QStringLiteral("render: nichts zu tun: geben Sie --png, --bmp, --svg, --pdf, "
                            "--geojson oder --output an"),
             QStringLiteral("render: nothing to do: give --png, --bmp, --svg, --pdf, --geojson or "
                            "--output")});
    // Checked for older scripts, and not used.
    std::uint64_t startwert = 1;
    if (parser.isSet("seed"))
        if (Ergebnis e = startwert_lesen(parser, startwert); !e.gut()) return e;
    if (Ergebnis e = zeitlimit_lesen(parser, a.zeitlimit); !e.gut()) return e;
    a.still = parser.isSet("quiet");
    if (Ergebnis e = ausgaben_pruefen({a.karte, a.geojson}); !e.gut()) return e;
    std::vector<QString> eingaben{a.quelle}, ausgaben = bilddateien(a.bilder);
    if (const std::optional<QString> d = wert_von(parser, "palette")) eingaben.push_back(*d);
    for (const auto& d : {a.karte, a.geojson})
        if (d) ausgaben.push_back(*d);
    if (!a.druck.datei.isEmpty()) ausgaben.push_back(a.druck.datei);
    if (Ergebnis e = ziele_pruefen(eingaben, ausgaben); !e.gut()) return e;
    return farben_lesen(wert_von(parser, "palette"), a.farben);
}

int ausfuehren(const Befehlsaufruf& aufruf) {
    if (const auto ende = vorab_erledigt(aufruf, false)) return *ende;
    Auftrag a;
    if (Ergebnis e = auftrag_lesen(*aufruf.parser, a); !e.gut()) return melden(e);
    // The time limit counts from here, the loading included.
    Konsolenwirt wirt(!a.still && isatty(STDERR_FILENO) != 0, a.zeitlimit, befehlssprache());
    Stadtmodell modell;
    Kartenkopf kopf;
    // "-" is standard input; the time limit and Ctrl-C reach into the load.
    if (Ergebnis e = stadtplan_laden(a.quelle, modell, kopf, &wirt); !e.gut()) return melden(e);

    // The drawings first: they take long and may be aborted, and then no
    // file is written at all. Every file replaces its target at the end,
    // together with the others.
    Sammeluebernahme sammlung;
    Ergebnis e = bilder_zeichnen(a.bilder, modell, &wirt, &a.farben);
    if (e.gut()) e = weltdateien_schreiben(a.geo, a.bilder, modell);
    if (e.gut()) e = pdf_schreiben(a.druck, modell, kartenkopf(a.druck, kopf), &wirt, &a.farben);
    wirt.zeile_beenden();
    if (!e.gut()) return melden(e);
    // The map as loaded, not with --title or --north, which only print.
    if (a.karte)
        if (e = stadtplan_speichern(*a.karte, modell, kopf); !e.gut()) return melden(e);
    if (e = geojson_schreiben(a.geojson, modell, kopf, a.geo); !e.gut()) return melden(e);
    if (wirt.nachgeben())
        return melden(zeichnung_bewerten(Ergebnis::fehler(Fehlerart::abbruch, "", "")));
    return melden(sammlung.uebernehmen());
}

} // namespace

const Befehl render_befehl{"render", optionen, ausfuehren, zeichnet};

} // namespace tarvello
