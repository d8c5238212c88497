// The generation driver: the attempt loop that turns a parameter set into a
// finished city map. Rivers, then the streets walked point by point (with the
// wall and the parks triggered on the way), squares, boxes, buildings,
// fitting and numbering.
#pragma once

#include <string>

#include "core/ergebnis.h"
#include "core/lauf.h"

namespace tarvello {

enum class Laufende {
    fertig,      // the map is complete
    abgebrochen, // the host asked to stop
    fehler       // an arithmetic fault ended the run, or the controls let it make
                 // no town; the message says what
};

// Attempts of the town after which a run gives up (normal towns need a few).
inline constexpr int stadt_versuche_max = 200;

// One whole run on an already read parameter set.
Laufende stadt_generieren(Lauf& l);

// Everything the Start button does: re-seed, read the control states into the
// parameter set and size the model, reset the preview, re-seed, generate.
struct Laufbericht {
    Laufende ende = Laufende::fehler;
    // Success when the map is complete. Otherwise why not:
    // Fehlerart::bedienung when the parameter set was refused (nothing ran,
    // versuche is 0 and the model is untouched), abbruch when the host
    // stopped the run, kein_plan when a fault ended it or no town could be
    // made (the words say which).
    Ergebnis ergebnis;
    Status status; // the run's last status (finished, aborted, the fault), for the front to word
    int versuche = 0;
    int bruecken = 0;
    int tore = 0;                  // gates of the wall
    long long haus_kandidaten = 0; // building candidates tested
    Stufenzeiten zeiten;
};
Laufbericht stadtplan_erstellen(const Steuerwerte& s, Parameter& p, Stadtmodell& m, Zufall& z,
                                Uhr& uhr, Wirt& wirt);

// Steering of a street head while no street has reached the core: towards
// the town centre, the harder the further away the head is.
void zur_mitte_lenken(Lauf& l);

// Width-weighted mean of all street points (streets of more than two points);
// keeps the centre when there is no such street.
void stadtmitte_berechnen(Stadtmodell& m);

// Scales the map about its centre when buildings or wall reach beyond 0.95 of
// the half side; sets m.karten_faktor.
void karte_einpassen(Lauf& l);

// Whether every coordinate of the model is a finite number.
bool modell_endlich(const Stadtmodell& m);

} // namespace tarvello
