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
    std::vector<float> groesse; // 1..n
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

// Spacing check over towers 1..m.n_tuerme in number order: of two standing
// towers closer than 1.2 times their summed reach, the later visited goes.
void turmabstand_pruefen(Stadtmodell& m, const Turmbau& tb);

} // namespace tarvello
