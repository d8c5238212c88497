#include "wall/mauer.h"

namespace tarvello {

void mauer_bauen(Lauf& l) {
    // The wall stage is not built yet: no wall.
    l.m.mauer_vorhanden = false;
    l.m.mauer_n_punkte = 0;
}

} // namespace tarvello
