// The river system: grown as a tree from the mouth on the map edge upstream,
// forking into narrower rivers; ways 1..n_fluesse of the model.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// First stage of every attempt. Sets m.n_fluesse; returns early when the run
// is aborted.
void fluesse_erzeugen(Lauf& l);

} // namespace tarvello
