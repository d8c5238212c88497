// Links between way points: where a street starts on, ends on or crosses
// another way, the two points are linked on both sides. The area finder
// walks the network along these links.
#pragma once

#include "core/stadtmodell.h"

namespace tarvello {

// Adds the link (w1, p1) <-> (w2, p2) at both ends, or not at all when
// either end refuses: an end refuses when its last entry already names the
// other way, or when it holds ten links already.
void verbindung_hinzufuegen(Stadtmodell& m, int w1, int p1, int w2, int p2);

// Removes every link of way w from both sides (the other points keep the
// order of their remaining links) and empties the way.
void weg_zuruecksetzen(Stadtmodell& m, int w);

} // namespace tarvello
