// The map renderer: draws a finished city model with a colour table and the
// print or export options onto a sequence of sheets (printer pages, pictures,
// SVG documents), in a fixed order: background, park and square fillings,
// ways, buildings, wall and towers, number labels.
#pragma once

#include <QPointF>
#include <QString>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/druckfarben.h"
#include "render/druckoptionen.h"

namespace tarvello {

class Wirt;
class Zeichenflaeche;

enum class Zielart {
    bild,   // a raster picture: pixels, scan-line fills
    vektor, // an SVG picture: pixels as units, filled shapes
    drucker // printer pages: centimetres, hatched fills, side panel
};

// The sheets a run draws on, one after the other.
class Blattziel {
  public:
    virtual ~Blattziel() = default;
    virtual Zielart art() const = 0;
    // Height of a sheet's drawing area in device units (a picture's height).
    virtual float seitenhoehe() const = 0;
    // Printer pages: width of the printable area in device units, and device
    // pixels per unit (line widths are given in device pixels).
    virtual float seitenbreite() const { return seitenhoehe(); }
    virtual float pixel_je_einheit() const { return 1.0f; }
    // On success `flaeche` is a cleared surface for sheet (zeile, spalte),
    // valid until the sheet is ended or aborted; on failure (Fehlerart::datei,
    // saying what could not be written) nothing of the sheet is kept.
    virtual Ergebnis blatt_beginnen(int zeile, int spalte, Zeichenflaeche*& flaeche) = 0;
    // Completes the sheet: saves the picture, ends the page. On failure
    // (Fehlerart::datei, or abbruch when the host stopped it meanwhile) the
    // sheet's file is not written.
    virtual Ergebnis blatt_beenden(int zeile, int spalte) = 0;
    // The run stopped inside the sheet; what was drawn is not kept.
    virtual void blatt_abbrechen() {}
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
    // of overlap; line widths in printer pixels (pixel_je_cm).
    void drucker_vorbereiten(float stadt_abmessung, float karten_faktor, int n, float seitenhoehe,
                             float seitenbreite, float pixel_je_cm);
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

// Width class of a street between the narrowest and widest half-width of
// the map: r in [0, 1], drawing pass 1..6 and colour index 0..2.
struct Wegklasse {
    float r = 0;
    int klasse = 1;
    int farbe = farbe_kleine_strassen;
};
Wegklasse wegklasse(float breite, float breite_min, float breite_max);

struct Zeichenauftrag {
    const Stadtmodell& modell;
    const Druckfarben& farben;
    const Druckoptionen& optionen;
    Bildausschnitt ausschnitt;
    Wirt* wirt = nullptr; // hears status, progress, yields
    // Printed sheets: the town name above the side panel and the north
    // button (0..11) the compass rose points to.
    QString stadtname{};
    int nord = 0;
};

// Asks the host whether to stop; false without a host. Targets ask it while
// they finish a sheet or a document, which may take long.
bool abbruch_gewuenscht(Wirt* wirt);

// Draws the map on every sheet of the target's tiling. Success when every
// sheet was completed. Otherwise: Fehlerart::kein_plan (no words) when the
// model holds no map, abbruch (no words) when the host stopped the drawing,
// datei with the target's words when a sheet could not be begun or ended.
// Each front end words the first two in its own terms.
Ergebnis stadtplan_zeichnen(const Zeichenauftrag& auftrag, Blattziel& ziel);

} // namespace tarvello
