// The generation driver: the attempt loop that turns a parameter set into a
// finished city map. Rivers, then the streets walked point by point (with the
// wall and the parks triggered on the way), squares, boxes, buildings,
// fitting and numbering.
#pragma once

#include <cstdint>
#include <optional>

#include "core/ergebnis.h"
#include "core/lauf.h"
#include "core/steuerwerte.h"
#include "geometry/gang.h"

namespace tarvello {

// How a run ended.
enum class Laufende {
    fertig,      // the map is complete
    abgelehnt,   // the control states were refused: nothing ran, the model is untouched
    abgebrochen, // the host asked to stop
    fehler       // no town: an arithmetic fault ended the run, or the controls let it
                 // make none; the status says which
};

// Attempts of the town after which a run gives up (normal towns need a few).
inline constexpr int stadt_versuche_max = 200;

// How many streets, buildings, squares and parks get a label number.
struct Nummernzahlen {
    int wege = 0, haeuser = 0, plaetze = 0, parks = 0;
    bool operator==(const Nummernzahlen&) const = default;
};
// The counts a model holds (from the labelling dialog, an option or its file).
Nummernzahlen nummernzahlen(const Stadtmodell& m);

// What a run is asked to make.
struct Laufauftrag {
    Steuerwerte steuerwerte;
    // The seed; without one the generator is seeded from the clock.
    std::optional<std::uint64_t> startwert;
    Nummernzahlen nummern;
};

// Seconds spent in each stage of the last attempt (summed over attempts for
// the rivers and streets, as those are repeated).
struct Stufenzeiten {
    double fluesse = 0, strassen = 0, mauer = 0, parks = 0, plaetze = 0, eingrenzen = 0,
           gebaeude = 0, einpassen = 0, nummerierung = 0, gesamt = 0;
};

// What a run made.
struct Laufbericht {
    Laufende ende = Laufende::abgelehnt;
    // The run's last status (finished, aborted, the fault, why no town); for
    // a refused order the refusal as a message.
    Status status;
    int versuche = 0;
    int bruecken = 0;
    int tore = 0;                  // gates of the wall
    long long haus_kandidaten = 0; // building candidates tested
    Nummernzahlen nummern;         // label numbers given out
    Stufenzeiten zeiten;

    // The end as a result for a front's message and exit code: success when
    // the map is complete; otherwise Fehlerart::bedienung for a refused
    // order, abbruch when the host stopped the run, kein_plan for no town.
    Ergebnis ergebnis() const;
};

// One run: reads the control states into a parameter set (sizing the model),
// resets the preview and generates the town into m. The clock times the
// attempts and, without a seed, seeds the generator; the host hears the
// status, progress and finished elements and may stop the run. A refused
// order leaves m untouched.
Laufbericht stadtplan_erstellen(const Laufauftrag& auftrag, Stadtmodell& m, Uhr& uhr, Wirt& wirt);

// The generation on an already read parameter set (l.p, the model sized).
Laufbericht stadt_generieren(Lauf& l);

// Steering of a street head while no street has reached the core: towards
// the town centre, the harder the further away the head is.
void zur_mitte_lenken(Lauf& l, Gang& g);

// Width-weighted mean of all street points (streets of more than two points);
// keeps the centre when there is no such street.
void stadtmitte_berechnen(Stadtmodell& m);

// Moves the extent of the buildings, the wall and the squares into the middle
// of the map square and shrinks it to 0.9 of the half side when it reaches
// beyond 0.95 (never enlarging); sets m.karten_faktor (the factor, or the
// extent's share of the half side when unscaled). Way ends that reached the
// map edge are brought back onto it: cut there, or extended along their last
// direction unless that would cross another way.
void karte_einpassen(Lauf& l);

// Whether every coordinate of the model is a finite number.
bool modell_endlich(const Stadtmodell& m);

} // namespace tarvello
