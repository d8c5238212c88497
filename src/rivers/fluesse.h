// The river system: grown as a tree from the mouth on the map edge upstream,
// forking into narrower rivers; ways 1..n_fluesse of the model.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/lauf.h"
#include "geometry/punktraster.h"

namespace tarvello {

// The most rivers one stage grows, whatever the parameters ask for.
inline constexpr int fluesse_max = 1000;
// A river index thrown away this often in a row ends the river system of
// the attempt with the rivers it has (no place is left for another one).
inline constexpr int fluss_verwerfen_max = 500;
// River systems that miss the central zone this often end the run: the
// rivers asked for cannot reach the town centre.
inline constexpr int fluss_versuche_max = 1000;
// Narrower rivers are widened to this width.
inline constexpr float fluss_breite_min = 0.3f;
// Rivers narrower than this never fork.
inline constexpr float fluss_gabel_breite_min = 0.4f;
// A branch that ends in open land is kept only when it is at least this
// long (and a twentieth of the map side on larger maps): it then reads as a
// brook; a shorter one is dropped.
inline constexpr float bach_laenge_min = 60.0f;
// Walks tried to lead the main course off the map where it ends inside.
inline constexpr int hauptlauf_versuche_max = 50;

// How the walk of an accepted river ended.
enum class FlussEnde : std::uint8_t {
    gabel,    // ended inside the map to fork
    muendet,  // flowed into another river; its last point lies on that river
    draussen, // left the map
    laenge    // reached the point limit
};

// What one call of the stage did. The per-river tables (index 0 unused)
// describe the rivers of the last attempt; they stay empty when the run was
// aborted in the middle of a river.
struct FlussBericht {
    int versuche = 0;                 // attempts, as counted in the status text
    long verworfen = 0;               // river walks thrown away, over all attempts
    bool zentrum_erreicht = false;    // the last attempt reached the central zone
    int verworfen_in_folge_max = 0;   // most walks of one river index thrown away in a row
    bool aufgegeben = false;          // no attempt reached the central zone: the run ends
    std::vector<int> eltern;          // parent river, 0 for the first one
    std::vector<std::uint8_t> zweige; // rivers started at the end (2 = end closed)
    std::vector<FlussEnde> ende;
    int bachlos = 0;                    // short branches ending in open land, dropped
    bool hauptlauf_verlaengert = false; // the main course was led on off the map
    int hauptlauf_ende = 0;             // the river the main course ends with
};

// The points of the rivers laid so far and of the river being walked, so
// that the contact tests look only near the head. Points go in as the walk
// stores them and come out when a river is thrown away.
class Flussraster {
  public:
    void neu(const Parameter& p);
    // Point k of river r was stored at (x, y).
    void eintragen(int r, int k, float x, float y);
    // River r, being walked, is thrown away (its points in w as stored).
    void verwerfen(const Weg& w, int r);
    // River r is kept.
    void behalten(const Weg& w);

    // Whether (x, y) lies nearer than 2 * halbbreite to a point 1..bis of
    // river r.
    bool selbst_beruehrt(int r, int bis, float x, float y, float halbbreite) const;
    // The first point (in the order of the rivers and their points) of the
    // rivers 1..r-1 that lies nearer than (its river's width + halbbreite) / 2
    // to (x, y); {0, 0} when none does.
    std::pair<int, int> erster_kontakt(const Stadtmodell& m, int r, float x, float y,
                                       float halbbreite) const {
        return kontakt(m, r, r - 1, x, y, halbbreite);
    }
    // The same among every river other than r (for a river walked on after
    // the later ones were laid).
    std::pair<int, int> anderer_kontakt(const Stadtmodell& m, int r, float x, float y,
                                        float halbbreite) const {
        return kontakt(m, r, m.n_fluesse, x, y, halbbreite);
    }
    // Points von.. of river r, stored since the last behalten, come out.
    void verwerfen_ab(const Weg& w, int r, int von);
    // Whether (x, y) lies nearer than faktor * (width + halbbreite) to a
    // point of one of the rivers 1..r-1.
    bool zu_nah(const Stadtmodell& m, int r, float x, float y, float halbbreite,
                float faktor) const;

  private:
    // The first point of the rivers 1..bis other than ausser in that order.
    std::pair<int, int> kontakt(const Stadtmodell& m, int ausser, int bis, float x, float y,
                                float halbbreite) const;

    Punktraster punkte_;
    int eingetragen_ = 0;     // points of the river being walked in the grid
    float breite_max_ = 0.0f; // widest river kept so far
};

// The length from which a branch ending in open land reads as a brook.
float bach_laenge(const Parameter& p);

// First stage of every attempt. Sets m.n_fluesse; returns early when the run
// is aborted. When fluss_versuche_max attempts all miss the central zone it
// stops the run (Halt::unmoeglich): the controls let it make no town.
void fluesse_erzeugen(Lauf& l);

// The same stage, handing back its counters.
FlussBericht fluesse_wachsen(Lauf& l);

// Width of the first branch at the end of a river of width `eltern`, before
// widening: between 0.707 and 0.957 of the parent, the closer to 0.707 the
// more symmetric the forks. `rnd` is a uniform number in [0, 1).
float erste_zweigbreite(float eltern, float symetrie, float rnd);

// Width of the second branch, before widening: the rest of the parent's
// cross-section, so that the two branches' squares add up to the parent's.
float zweite_zweigbreite(float eltern, float erste);

// Whether a river of half-width `breite` that touches one of `andere` is
// similar enough in width to flow into it (more alike the more symmetric the
// forks are set to be); otherwise the touch throws it away.
bool muenden_erlaubt(float breite, float andere, float symetrie);

// A river is never narrower than fluss_breite_min.
inline float flussbreite_begrenzen(float breite) {
    return breite < fluss_breite_min ? fluss_breite_min : breite;
}

// Whether a river of this (widened) width may fork at its end.
inline bool kann_gabeln(float breite) {
    return !(breite < fluss_gabel_breite_min);
}

} // namespace tarvello
