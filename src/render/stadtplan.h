// The map renderer: draws a finished city model with a colour table and the
// print or export options onto a sequence of sheets (printer pages, pictures,
// SVG documents), in a fixed order: background, park and square fillings,
// ways, buildings, wall and towers, number labels.
#pragma once

#include <QString>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/druckfarben.h"
#include "render/druckoptionen.h"
#include "render/renderzustand.h"

namespace tarvello {

class Wirt;
class Zeichenflaeche;

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
