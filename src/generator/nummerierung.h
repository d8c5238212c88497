// Label numbers for a chosen count of streets, buildings, squares and parks,
// picked at random with a preference for wide streets and large buildings.
// The counts live on the model (n_nummer_wege ...) and are lowered to what
// exists.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// Upper limits of the four counts as the labelling dialog allows them.
inline constexpr int nummer_wege_max = 10000;
inline constexpr int nummer_haeuser_max = 10000;
inline constexpr int nummer_plaetze_max = 100;
inline constexpr int nummer_parks_max = 100;

void elemente_nummerieren(Lauf& l);

} // namespace tarvello
