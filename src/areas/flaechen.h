// Squares and parks: closed outlines found in the street network, their
// enlarged boxes, and the fill points the renderer strokes them with.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// Places the parks (during the street loop) and the squares (after it).
void parks_setzen(Lauf& l);
void plaetze_setzen(Lauf& l);

// Enlarged bounding boxes of every placed square / park.
void plaetze_eingrenzen(Stadtmodell& m, const Parameter& p);
void parks_eingrenzen(Stadtmodell& m, const Parameter& p);

} // namespace tarvello
