// Label numbers for a chosen count of streets, buildings, squares and parks,
// picked at random with a preference for wide streets and large buildings.
#pragma once

#include "core/lauf.h"

namespace tarvello {

void elemente_nummerieren(Lauf& l);

} // namespace tarvello
