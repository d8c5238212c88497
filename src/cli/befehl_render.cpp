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

int befehl_render(const QStringList& argumente) {
    QCommandLineParser parser;
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
    if (const auto ende = befehl_parsen(parser, argumente, false)) return *ende;
    const QStringList dateien = parser.positionalArguments();
    if (dateien.size() != 1)
        return melden(bedienungsfehler(
            dateien.isEmpty()
                ? Worte{QStringLiteral("render: welcher Stadtplan? (render KARTE.qls --png DATEI)"),
                        QStringLiteral("render: which map? (render MAP.qls --png FILE)")}
                : Worte{QStringLiteral("render: unerwartetes Argument '%1'"),
                        QStringLiteral("render: unexpected argument '%1'")}
                      .arg(dateien[1])));
    Bildwunsch bilder;
    Druckwunsch druck;
    std::optional<QString> geojson;
    if (Ergebnis e = bild_optionen_lesen(parser, bilder); !e.gut()) return melden(e);
    if (Ergebnis e = druck_optionen_lesen(parser, druck); !e.gut()) return melden(e);
    if (Ergebnis e = geojson_option_lesen(parser, geojson); !e.gut()) return melden(e);
    if (parser.values("output").size() > 1) return melden(bedienungsfehler(mehrfach("output")));
    const std::optional<QString> karte = wert_von(parser, "output");
    if (bilder.dateien.empty() && druck.datei.isEmpty() && !karte && !geojson)
        return melden(bedienungsfehler(
            {QStringLiteral("render: nichts zu tun: geben Sie --png, --bmp, --svg, --pdf, "
                            "--geojson oder --output an"),
             QStringLiteral("render: nothing to do: give --png, --bmp, --svg, --pdf, --geojson or "
                            "--output")}));
    std::uint64_t startwert = 1;
    if (parser.isSet("seed"))
        if (Ergebnis e = startwert_lesen(parser, startwert); !e.gut()) return melden(e);
    double zeitlimit = 0;
    if (Ergebnis e = zeitlimit_lesen(parser, zeitlimit); !e.gut()) return melden(e);
    if (Ergebnis e = ausgaben_pruefen({karte, geojson}); !e.gut()) return melden(e);

    Druckfarben farben;
    if (Ergebnis e = farben_lesen(wert_von(parser, "palette"), farben); !e.gut()) return melden(e);
    // The time limit counts from here, the loading included.
    Konsolenwirt wirt(!parser.isSet("quiet") && isatty(STDERR_FILENO) != 0, zeitlimit,
                      befehlssprache());
    Stadtmodell modell;
    Kartenkopf kopf;
    if (Ergebnis e = stadtplan_laden(dateien.first(), modell, kopf); !e.gut()) return melden(e);

    // The drawings first: they take long and may be aborted, and then no
    // file is written at all.
    Ergebnis e = bilder_zeichnen(bilder, modell, &wirt, &farben);
    if (e.gut()) e = pdf_schreiben(druck, modell, kartenkopf(druck, kopf), &wirt, &farben);
    if (!e.gut()) return melden(e);
    // The map as loaded, not with --title or --north, which only print.
    if (karte)
        if (e = stadtplan_speichern(*karte, modell, kopf); !e.gut()) return melden(e);
    return melden(geojson_schreiben(geojson, modell, kopf));
}

} // namespace tarvello
