// The --geojson option of the commands that make or load a map (generate,
// render): the map as a GeoJSON file for GIS and vector tools.
#pragma once

#include <QCommandLineParser>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/kartendatei.h"

namespace tarvello {

void geojson_option_hinzufuegen(QCommandLineParser& parser);

// Checks the file name before any work (Fehlerart::bedienung when it is
// missing or given twice) and notes on stderr the picture options that do
// not apply to the GeoJSON (--matrix, --zoom, --view).
Ergebnis geojson_option_pruefen(const QCommandLineParser& parser);

// Writes the GeoJSON when asked for; success when it is not.
Ergebnis geojson_option_ausfuehren(const QCommandLineParser& parser, const Stadtmodell& modell,
                                   const Kartenkopf& kopf);

} // namespace tarvello
