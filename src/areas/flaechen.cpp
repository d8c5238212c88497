#include "areas/flaechen.h"

namespace tarvello {

// Not built yet: no square or park is placed.
void parks_setzen(Lauf&) {}
void plaetze_setzen(Lauf&) {}
void plaetze_eingrenzen(Stadtmodell&, const Parameter&) {}
void parks_eingrenzen(Stadtmodell&, const Parameter&) {}

} // namespace tarvello
