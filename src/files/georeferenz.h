// Where a map lies on the globe, for GIS tools: the map's centre sits at a
// chosen point (latitude, longitude in WGS 84 degrees), and map metres become
// degrees by a local equirectangular step about that point, with the
// ellipsoid's radii of curvature there. Within a town's few kilometres
// distances stay true to well under a metre.
#pragma once

#include <QString>

#include "core/ergebnis.h"
#include "files/textdatei.h"

namespace tarvello {

struct Geoursprung {
    double breite = 0; // latitude, -85..85
    double laenge = 0; // longitude, -180..180
};

// The origin when none is chosen: 0, 0 (the equator at the prime meridian,
// in the sea, where no real town lies).
inline constexpr Geoursprung geoursprung_standard{};

struct Geolage {
    double laenge = 0, breite = 0; // degrees
};

class Geoabbildung {
  public:
    // A map of side `groesse` metres whose centre lies at `ursprung`.
    Geoabbildung(Geoursprung ursprung, double groesse);

    // A map point (x right, y down the map, metres) in degrees.
    Geolage grad(double x, double y) const;
    // A plane point (metres east and north of the map's centre) in degrees.
    Geolage grad_eben(double ost, double nord) const;

    double meter_je_grad_laenge() const { return m_laenge_; }
    double meter_je_grad_breite() const { return m_breite_; }
    const Geoursprung& ursprung() const { return ursprung_; }
    double groesse() const { return groesse_; }

  private:
    Geoursprung ursprung_;
    double groesse_;
    double m_laenge_, m_breite_;
};

// Reads "LAT,LON" (degrees, a dot for the decimals); false when it is not
// two numbers with |LAT| <= 85 and |LON| <= 180.
bool geoursprung_lesen(const QString& text, Geoursprung& ursprung);

// A picture's pixel grid on the map: the map point at the top-left corner
// of its top-left pixel and the map metres one pixel spans.
struct Pixelraster {
    double links = 0, oben = 0; // map x, map y (down)
    double pixel = 1;           // map metres per pixel
};

// The world file of a picture (ESRI's six lines: degrees per pixel in x,
// two zero rotations, minus degrees per pixel in y, then the centre of the
// top-left pixel), written safely; Fehlerart::datei naming the file when it
// cannot be written. Degrees per pixel are taken at the map's centre.
Ergebnis weltdatei_speichern(const QString& datei, const Geoabbildung& abbildung,
                             const Pixelraster& raster,
                             Dateisystem& dateisystem = echtes_dateisystem());

// "name.pgw" for "name.png", "name.bmpw" for "name.bmp", else "name.wld".
QString weltdatei_name(const QString& bilddatei);

} // namespace tarvello
