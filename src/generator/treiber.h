// The generation driver: the attempt loop that turns a parameter set into a
// finished city map. Rivers, then the streets walked point by point (with the
// wall and the parks triggered on the way), squares, boxes, buildings,
// fitting and numbering.
#pragma once

#include <string>

#include "core/lauf.h"

namespace tarvello {

enum class Laufende {
    fertig,      // the map is complete
    abgebrochen, // the host asked to stop
    fehler       // an arithmetic fault ended the run; the message says what
};

// One whole run on an already read parameter set.
Laufende stadt_generieren(Lauf& l);

// Everything the Start button does: re-seed, read the control states into the
// parameter set and size the model, reset the preview, re-seed, generate.
// A refused parameter set ends with Laufende::fehler and the message in
// `meldung`; the model is then untouched. `status` is the run's last status
// (finished, aborted, the fault), for the front to word.
struct Laufbericht {
    Laufende ende = Laufende::fehler;
    std::string meldung; // what went wrong, with Laufende::fehler
    Status status;
    int versuche = 0;
    int bruecken = 0;
    int tore = 0;                  // gates of the wall
    long long haus_kandidaten = 0; // building candidates tested
    Stufenzeiten zeiten;
};
Laufbericht stadtplan_erstellen(const Steuerwerte& s, Parameter& p, Stadtmodell& m, Zufall& z,
                                Uhr& uhr, Wirt& wirt);

// Width-weighted mean of all street points (streets of more than two points);
// keeps the centre when there is no such street.
void stadtmitte_berechnen(Stadtmodell& m);

// Scales the map about its centre when buildings or wall reach beyond 0.95 of
// the half side; sets m.karten_faktor.
void karte_einpassen(Lauf& l);

// Whether every coordinate of the model is a finite number.
bool modell_endlich(const Stadtmodell& m);

} // namespace tarvello
