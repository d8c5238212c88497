// The map as open data for GIS and vector tools: a GeoJSON FeatureCollection
// of what the map shows (streets, rivers, the drawn wall, towers, gates,
// buildings, squares and parks) in WGS 84 longitude and latitude around a
// chosen origin, written as safely as every other file.
#pragma once

#include <QString>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/georeferenz.h"
#include "files/kartendatei.h"
#include "files/textdatei.h"

namespace tarvello {

inline constexpr const char* geojson_filter = "GeoJSON (*.geojson)";

// Writes the model as one FeatureCollection, one feature per line. The map's
// centre lies at `ursprung`; points are its plane (map x, size - map y) in
// metres taken to degrees by Geoabbildung. "tarvello" on the collection
// holds the rule back to map metres, the map square in degrees, the size,
// the town and the compass rose's north. The collection's "name" is the
// town's, else "tarvello". Every feature has a "kind": street and river
// (LineString; width: the full width of the way, half of it to either side
// of the line; number when numbered; river true or false), wall (one
// MultiLineString of the drawn stretches; gaps and gates left out), tower
// (round: Point with radius; square: Polygon), gate (Point where a street
// passes an opening of the wall: street number when numbered, opening
// width), building (Polygon; a round one as a 16-gon with round and radius),
// square and park (Polygon; number when numbered). Elements the map does not
// draw are left out the same way; polygons are closed and run
// anticlockwise. A value that is not a finite number refuses the file; on
// any failure (Fehlerart::datei naming the file, kein_plan without a map)
// the old file stays as it was.
Ergebnis geojson_speichern(const QString& datei, const Stadtmodell& modell, const Kartenkopf& kopf,
                           const Geoursprung& ursprung = geoursprung_standard,
                           Dateisystem& dateisystem = echtes_dateisystem());

} // namespace tarvello
