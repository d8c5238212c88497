// The city wall: a ring along the town outline with gaps, gates where streets
// cross it, and towers.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// Called once during the street loop. Builds the wall outline and towers,
// sets m.mauer_vorhanden and l.mauer_schritt.
void mauer_bauen(Lauf& l);

} // namespace tarvello
