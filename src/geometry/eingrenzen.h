// Bounding boxes of ways, widened so that a building outside a box cannot
// touch the way: later stages skip far ways with one comparison.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// Margin: the largest extent of a building plus the largest street half-width.
float weg_rand(const Parameter& p);

// The box of way w, widened by rand (weg_rand of the run).
void weg_rahmen(Stadtmodell& m, float rand, int w);

// Boxes of ways 1..n with status text and progress.
void strassen_eingrenzen(Lauf& l, int n);

} // namespace tarvello
