// The --geojson option of the commands that make or load a map (generate,
// render): the map as a GeoJSON file for GIS and vector tools.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <optional>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/kartendatei.h"

namespace tarvello {

void geojson_option_hinzufuegen(QCommandLineParser& parser);

// The file name into `datei` (unset when none is asked for), checked before
// any work: Fehlerart::bedienung when it is missing or given twice. Notes on
// stderr the picture options that do not apply to the GeoJSON (--matrix,
// --zoom, --view).
Ergebnis geojson_option_lesen(const QCommandLineParser& parser, std::optional<QString>& datei);

// Writes the GeoJSON when asked for; success when it is not.
Ergebnis geojson_schreiben(const std::optional<QString>& datei, const Stadtmodell& modell,
                           const Kartenkopf& kopf);

} // namespace tarvello
