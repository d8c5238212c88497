// The city wall: a ring along the town outline with gaps, gates where streets
// cross it, and towers.
#pragma once

#include <cstdint>
#include <vector>

#include "core/lauf.h"
#include "geometry/punktraster.h"
#include "wall/tuerme.h"

namespace tarvello {

// Outline points whose centre angle is remembered for the gate mirror.
inline constexpr int punkt_winkel_max = 10000;

// A gate: the opening between its two gate towers.
struct Tor {
    float x = 0, y = 0;       // centre between the towers
    float winkel = 0;         // direction from the first gate tower to the second
    float breite = 0;         // distance between the gate towers
    int turm1 = 0, turm2 = 0; // tower numbers
    int punkt = 0;            // outline index of the crossing
    int weg = 0;              // the street through the gate
};

// Working state of one wall stage, handed back so a caller can inspect it.
struct Mauerbau {
    int punkt_nr = 0;                     // outline point being written
    std::vector<float> punkt_winkel;      // centre angle per outline point, 0 = unknown
    std::vector<std::int32_t> punkt_turm; // tower standing at each outline point, 0 = none
    std::vector<Tor> tore;                // every gate cut, in ring order
    float schritt = 1.0f;                 // wall point spacing
    Turmbau tuerme;
};

// Every way point in one grid (rivers too, for the start angle's nearest
// way), and the longest street segment, which bounds how far from a wall
// segment the points of a street segment crossing it can lie. The streets
// stand still while the ring is laid out.
struct Wegfeld {
    Punktfeld punkte;
    float h_max = 0;       // largest half width of a way
    float strecke_max = 0; // longest street segment
};
Wegfeld wegfeld_bilden(const Lauf& l);

// Where the wall segment a-b crosses a street: the first street segment it
// crosses, in the order of the streets and their points, among the streets
// whose box (enlarged by s) holds b. weg is 0 when it crosses none.
struct Mauerkreuzung {
    int weg = 0;
    float x = 0, y = 0;
};
Mauerkreuzung strasse_kreuzen(const Lauf& l, const Wegfeld& f, float ax, float ay, float bx,
                              float by, float s);

// Called once during the street loop. Builds the wall outline and towers,
// sets m.mauer_vorhanden. Returns the gates cut.
int mauer_bauen(Lauf& l);
// The same, keeping the stage's working state in `b`.
void mauer_bauen(Lauf& l, Mauerbau& b);

// Pulls the points of the street through each gate near the gate into it,
// so that the street passes straight through the opening, each point
// towards the side of the wall it lies on. Other streets stay
// where they are, except for a point linked to a moved one at the same place
// (a junction), which moves with it.
void tore_begradigen(Lauf& l, const std::vector<Tor>& tore);

// Removes, as if eroded, every standing tower whose body reaches onto the
// body of a way (a street or river, half its width to either side of its
// line): a tower left in a gap, or one the wall set down on a river. Called
// when the wall is built and again when all streets stand. Returns how many
// towers went.
int tuerme_auf_wegen_entfernen(Lauf& l);

// Towers standing in the model, for the run's statistics.
int mauer_tuerme_stehend(const Stadtmodell& m);

// A gate as the map shows it: a street passing the ring line through an
// opening, a stretch where the wall is not drawn between two drawn ones.
// The model keeps no gates (the stage's list above is not part of a map
// file), so they are found again in what it keeps; a gap that a street runs
// through counts as well, as the map does not tell the two apart.
struct Durchgang {
    float x = 0, y = 0; // where the street crosses the ring line
    int weg = 0;        // the street
    float oeffnung = 0; // distance between the wall ends either side
};
// The gates of a drawn wall (mauer_parameter 1), in ring order; one per
// street and opening. A segment is drawn when both its points' flags are 1.
std::vector<Durchgang> mauer_durchgaenge(const Stadtmodell& m);

} // namespace tarvello
