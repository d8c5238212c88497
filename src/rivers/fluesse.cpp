#include "rivers/fluesse.h"

namespace tarvello {

void fluesse_erzeugen(Lauf& l) {
    // Rivers are not grown yet: the map has none.
    l.m.n_fluesse = 0;
}

} // namespace tarvello
