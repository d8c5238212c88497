#include "core/nummerierung.h"

namespace tarvello {

// Not built yet: nothing is numbered.
void elemente_nummerieren(Lauf&) {}

} // namespace tarvello
