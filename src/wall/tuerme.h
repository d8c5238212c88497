// Towers of the city wall: making one tower, drawing the spacing to the next,
// and removing towers that stand too close to an earlier one.
#pragma once

#include <cstdint>
#include <vector>

#include "core/lauf.h"
#include "core/stadtmodell.h"

namespace tarvello {

// The towers one wall stage has made so far (numbers 1..n of the model's
// tower table) and the size each was made with; the model keeps a radius for
// round towers only, the spacing check needs the size of every shape.
struct Turmbau {
    int n = 0;
    std::vector<float> groesse;    // 1..n
    std::vector<std::uint8_t> tor; // 1..n: flanks a gate (grown when marked)

    void als_tor(int t) {
        if (t < 1) return;
        if (tor.size() <= static_cast<std::size_t>(t))
            tor.resize(static_cast<std::size_t>(t) + 1, 0);
        tor[static_cast<std::size_t>(t)] = 1;
    }
    bool ist_tor(int t) const {
        return t >= 1 && static_cast<std::size_t>(t) < tor.size() &&
               tor[static_cast<std::size_t>(t)];
    }
};

// Makes tower n + 1 at (x, y): shape 1 round with radius `groesse`, shape 2 a
// square turned by `winkel` whose corners lie `groesse` from the centre, any
// other shape only its centre. The tower table grows as needed. Returns the
// tower's number (0 only beyond tuerme_max, which a wall cannot reach).
int turm_setzen(Stadtmodell& m, Turmbau& tb, float x, float y, float groesse, std::uint8_t form,
                float winkel);

// Path length along the wall to the next tower.
float turmabstand_wuerfeln(Lauf& l);

// How far tower t reaches from its centre in the spacing check: the radius of
// a round tower, the size a square one was made with, 0 for a tower without
// a body.
float turm_ausdehnung(const Turm& turm, float groesse);

// Spacing check over towers 1..m.n_tuerme, the gate towers first, then the
// others in number order: of two standing towers closer than 1.2 times their
// summed reach, the later visited goes, so a gate keeps its flanks.
void turmabstand_pruefen(Stadtmodell& m, const Turmbau& tb);

} // namespace tarvello
