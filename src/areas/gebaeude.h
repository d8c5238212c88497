// Building placement: one building at a time along the streets.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// Places building m.haus_naechster (does not advance haus_naechster).
// Returns false when no further building can be placed; the building loop
// then ends with the buildings placed so far.
bool haus_platzieren(Lauf& l);

} // namespace tarvello
