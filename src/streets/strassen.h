// Street growth: where a street starts (the first from the rim of the town,
// every later one branching off an existing street) and the three tests the
// walk makes after every step: junction, wall and river.
#pragma once

#include <vector>

#include "core/lauf.h"
#include "geometry/gang.h"
#include "geometry/punktraster.h"
#include "streets/naehe.h"
#include "streets/strassenpunkte.h"

namespace tarvello {

// The street stage's state of one attempt: the walk of the street being
// grown, what the street starts read, and proximity grids of the streets of
// this attempt (the one being walked included), the rivers and the standing
// wall points.
struct Strassenbau {
    Gang gang;
    bool kern_erreicht = false; // a street has reached the town core
    int n_bruecken = 0;         // bridges of the kept streets of the attempt
    int startversuche = 0;      // of the first street

    Strassenpunkte strassen;
    Punktraster fluss;
    // The river points once more, packed, and where they are near: the
    // nearest-river search of every step mostly has nothing to find.
    Punktfeld fluss_feld;
    Naehe fluss_naehe;
    Punktraster mauer;
    float fluss_grenze_max = 0;  // largest river test distance
    float mauer_strecke_max = 0; // longest drawn wall segment
    int gespeichert = 0;         // points of the current street in the grid
    bool mauer_aktuell = false;
};

// The first street: a start on the circle round the centre, inside the town
// and clear of the rivers. Fails the attempt (Halt::versuch_gescheitert) when the
// rivers leave no such start.
void erste_strasse_starten(Lauf& l, Strassenbau& bau, int w);

// A later street branching off a point of an existing street clear of the
// rivers. Fails the attempt (Halt::versuch_gescheitert) when no branch point is found
// in time.
void abzweigung_starten(Lauf& l, Strassenbau& bau, int w);

// The three tests after a step of street w, in this order.
void kreuzung_pruefen(Lauf& l, Strassenbau& bau, int w);
// The wall test also keeps the street (the last way, the one being walked)
// from crossing the drawn wall outside a gate: it ends just short of it.
void mauer_pruefen(Lauf& l, Strassenbau& bau);
void fluss_pruefen(Lauf& l, Strassenbau& bau, int w);

// The angle between two lines of headings a and b, in [0, pi/2]: a street
// meeting another at less than the smallest fork angle is thrown away.
float kreuzungswinkel(float a, float b);

// The searches behind the three tests, answered from the run's grids.
struct Treffer {
    int weg = 0, punkt = 0; // 0: nothing met
};
// The first street point (in way order, then point order) within reach of
// the head, never one of the current street's own points within
// eigene_nachbarn indices of the head.
Treffer kreuzung_suchen(const Lauf& l, const Strassenbau& bau, int w);
// Standing wall points within reach of the head, in wall order.
std::vector<int> mauerpunkte_nahe(const Lauf& l, const Strassenbau& bau);
struct Flusstreffer {
    int fluss = 0, punkt = 0;
    float abstand = 0, q = 0;
};
// The nearest river point within reach (the first of equally near ones).
Flusstreffer fluss_suchen(const Lauf& l, const Strassenbau& bau);

// The closest a street's centre line may come to a river's, per unit of the
// two half-widths: the river test's reach at its smallest setting, which
// keeps the drawn bodies of street and river apart at any scale.
inline constexpr float ufer_faktor = 0.8f;

// Where a street point of half-width `halbbreite` at (x, y) lies nearer to a
// river's centre line than faktor x (river width + halbbreite): the river it
// is deepest in (0: clear of all), the foot point on that river's centre
// line, the distance from it and the limit.
struct Uferlage {
    int fluss = 0;
    float fuss_x = 0, fuss_y = 0;
    float abstand = 0, grenze = 0;
};
Uferlage ufer_suchen(const Lauf& l, const Strassenbau& bau, float x, float y, float halbbreite,
                     float faktor = ufer_faktor);

// Moves (x, y) straight away from the rivers until it is clear of all of them
// (`weg` is the heading to move along where the point lies on a centre line);
// returns whether it is clear after a few moves.
bool ufer_freihalten(const Lauf& l, const Strassenbau& bau, float& x, float& y, float halbbreite,
                     float weg);

// Grid upkeep: streets of the attempt, rivers, wall.
void strassen_raster_aufbauen(Lauf& l, Strassenbau& bau);
void fluss_raster_aufbauen(Lauf& l, Strassenbau& bau);
void mauer_raster_aufbauen(Lauf& l, Strassenbau& bau);
// A street goes on at least this far beyond a bridge's far bank point.
inline constexpr float bruecke_rest_min = 15.0f;

// Street w, just finished, whose last bridge leads to less than
// bruecke_rest_min of street that ends in open land (no link, not at the
// map edge) ends at the bridge's near bank instead.
void bruecke_ins_nichts_zuruecknehmen(Lauf& l, Strassenbau& bau, int w);

// The first street of an attempt starts where it likes: one whose first
// bridge comes within bruecke_rest_min of its start (and has no links yet)
// starts beyond that bridge instead.
void bruecke_am_anfang_zuruecknehmen(Lauf& l, Strassenbau& bau, int w);

// Stores point k of street w in the model and in the street grid.
void strassenpunkt_setzen(Lauf& l, Strassenbau& bau, int w, int k, float x, float y);
// Takes the points of the street being walked out of the grid (before a retry).
void strasse_aus_raster_nehmen(Lauf& l, Strassenbau& bau, int w);

// Probability of a bridge at a later river approach.
float brueckenwahrscheinlichkeit(const Parameter& p);

} // namespace tarvello
