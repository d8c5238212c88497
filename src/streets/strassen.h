// Street growth: where a street starts (the first from the rim of the town,
// every later one branching off an existing street) and the three tests the
// walk makes after every step: junction, wall and river.
#pragma once

#include "core/lauf.h"

namespace tarvello {

// The first street: a start on the circle round the centre, inside the town.
void erste_strasse_starten(Lauf& l, int w);

// A later street branching off a point of an existing street. Sets
// versuch_gescheitert and abbruch when no branch point is found in time.
void abzweigung_starten(Lauf& l, int w);

// The three tests after a step of street w, in this order.
void kreuzung_pruefen(Lauf& l, int w);
void mauer_pruefen(Lauf& l);
void fluss_pruefen(Lauf& l, int w);

// Probability of a bridge at a later river approach.
float brueckenwahrscheinlichkeit(const Parameter& p);

} // namespace tarvello
