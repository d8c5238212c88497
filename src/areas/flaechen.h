// Squares and parks: the stages that place them as closed loops found in the
// way network, and their enlarged boxes.
#pragma once

#include "areas/umrisssuche.h"
#include "core/lauf.h"

namespace tarvello {

// Places the parks (during the street loop): a park takes a loop only when
// the search found one, otherwise it keeps what it had.
void parks_setzen(Lauf& l);
// Places the squares (after the street loop): every square takes what the
// search left, found or not.
void plaetze_setzen(Lauf& l);

// The same with the caller's work tables, so their state can be inspected.
void parks_setzen(Lauf& l, Umrisssuche& u);
void plaetze_setzen(Lauf& l, Umrisssuche& u);

// Margin by which an area's box exceeds its outline: room for the largest
// building plus half the widest street.
float flaechen_rand(const Parameter& p);

// Enlarged bounding boxes of every square / park. An area without points gets
// an empty (inverted) box that no point lies in.
void plaetze_eingrenzen(Stadtmodell& m, float rand);
void parks_eingrenzen(Stadtmodell& m, float rand);

// The same inside a run: status text, progress per area and a yield.
void plaetze_eingrenzen(Lauf& l);
void parks_eingrenzen(Lauf& l);

} // namespace tarvello
