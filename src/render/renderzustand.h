// Where the map lies on a sheet: the square the map is drawn in, the tiling
// of N x N sheets, the scale from map units to device units, and the test
// whether something drawn can reach into the square.
#pragma once

#include <QPointF>

#include "render/druckoptionen.h"

namespace tarvello {

enum class Zielart {
    bild,   // a raster picture: pixels, scan-line fills
    vektor, // an SVG picture: pixels as units, filled shapes
    drucker // printer pages: centimetres, hatched fills, side panel
};

// Placement of the map on the sheets. Device units are pixels on pictures.
struct Renderzustand {
    Zielart art = Zielart::bild;
    float kartenseite = 0; // H: side of the square drawing area
    float rand_links = 0, rand_oben = 0;
    float karte_rechts = 0, karte_unten = 0;
    int blaetter_je_seite = 1; // N
    float blatt_zoom = 1;      // Z
    float blatt_ueberlappung = 0;
    float karten_ausdehnung = 0; // E: map units all sheets cover together
    float ursprung_x = 0, ursprung_y = 0;
    float massstab = 0;         // s: device units per map unit
    float linienfaktor = 0;     // lw: map widths to line widths in pixels
    float pixel_je_einheit = 1; // device pixels per device unit (line widths are in pixels)
    float seitenbreite = 0;     // printer: width of the page's printable area
    // Map point at the sheet's top-left. It is kept, and device points are
    // computed, in double precision: a tile's device points then differ from
    // those of one large picture by whole pixels exactly, so tiles put side
    // by side give the same pixels.
    double ausschnitt_x = 0, ausschnitt_y = 0;

    int blatt_zeile = 0, blatt_spalte = 0, blatt_nummer = 0, blatt_zaehler = 0;

    // Picture target: the section of the map, N x N pictures of height hoehe.
    void bild_vorbereiten(float stadt_abmessung, const Bildausschnitt& a, int matrix, float hoehe);
    // Printer target: the landscape page in centimetres with the map square
    // of side H at its left, N x N sheets enlarged 0.8 x N times with a tenth
    // of overlap; line widths in printer pixels (pixel_je_cm), as wide
    // relative to the map as on a picture of the same scale.
    void drucker_vorbereiten(float stadt_abmessung, int n, float seitenhoehe, float seitenbreite,
                             float pixel_je_cm);
    // Places sheet (zeile, spalte) of the tiling on the map.
    void blatt_setzen(int zeile, int spalte);

    // Map point to device point (double precision, see above). What is drawn
    // is judged by its box against the square below; the clip cuts the rest.
    QPointF karte_nach_geraet(float x, float y) const;
    // True when the map box overlaps the drawing square (edges included).
    bool rechteck_sichtbar(float x1, float y1, float x2, float y2) const;
    // True when the device segment, drawn with a line `breite` pixels wide,
    // may reach into the drawing square: its box widened by half the width
    // overlaps the square. The target's clip cuts what lies beyond.
    bool strecke_sichtbar(QPointF a, QPointF b, double breite) const;
    // True when the device box overlaps the drawing square (edges included).
    bool box_sichtbar(double x1, double y1, double x2, double y2) const;
};

} // namespace tarvello
