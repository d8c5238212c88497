// The boxes of a finished map's ways, buildings, squares and parks, rebuilt
// from its coordinates: after the run fitted the map, and after a map was
// loaded (map files do not hold them). Both rebuild them the same way; only
// the margin's source differs.
#pragma once

#include "core/stadtmodell.h"

namespace tarvello {

// Every box, widened by `rand` (weg_rand of the run's parameter set).
void rahmen_bauen(Stadtmodell& m, float rand);

// The margin of a map without its parameter set: the largest extent of any
// of its buildings plus the largest street half-width. A map file does not
// hold the building parameters, so its own buildings stand in for them, and
// a map gives the same boxes whatever the controls show when it is loaded.
float gemessener_rand(const Stadtmodell& m);

} // namespace tarvello
