// The --geojson option of the commands that make or load a map (generate,
// render): the map as a GeoJSON file for GIS and vector tools; with it
// --geo-origin, where the map lies on the globe, and --world-file, which
// places the PNG and BMP pictures there too.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <optional>

#include "cli/bildoptionen.h"
#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/georeferenz.h"
#include "files/kartendatei.h"

namespace tarvello {

void geojson_option_hinzufuegen(QCommandLineParser& parser);

// The file name into `datei` (unset when none is asked for), checked before
// any work: Fehlerart::bedienung when it is missing or given twice. Notes on
// stderr the picture options that do not apply to the GeoJSON (--matrix,
// --zoom, --view).
Ergebnis geojson_option_lesen(const QCommandLineParser& parser, std::optional<QString>& datei);

// Where the map lies, and whether the pictures get world files.
struct Georeferenz {
    Geoursprung ursprung = geoursprung_standard;
    bool weltdatei = false;
};

// Adds --geo-origin LAT,LON and --world-file.
void geo_optionen_hinzufuegen(QCommandLineParser& parser);

// Reads them, checked before any work: Fehlerart::bedienung for an origin
// that is not two numbers in range, or a world file without a PNG or BMP
// picture file to go with it.
Ergebnis geo_optionen_lesen(const QCommandLineParser& parser, const Bildwunsch& bilder,
                            Georeferenz& geo);

// Writes the GeoJSON when asked for; success when it is not.
Ergebnis geojson_schreiben(const std::optional<QString>& datei, const Stadtmodell& modell,
                           const Kartenkopf& kopf, const Georeferenz& geo = {});

// Writes a world file beside every PNG and BMP picture written (one per
// picture of a matrix) when asked for; success when not.
Ergebnis weltdateien_schreiben(const Georeferenz& geo, const Bildwunsch& bilder,
                               const Stadtmodell& modell);

} // namespace tarvello
