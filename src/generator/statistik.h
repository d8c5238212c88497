// Counts of a finished (or partial) model, for `generate --stats`, the
// benchmark and tests.
#pragma once

#include "core/stadtmodell.h"

namespace tarvello {

struct Zaehlung {
    int fluesse = 0, strassen = 0, strassen_punkte = 0, fluss_punkte = 0;
    int verbindungen = 0; // link entries at both ends, halved
    int gebaeude = 0, rundbauten = 0, plaetze = 0, parks = 0;
    int mauer_punkte = 0, tuerme = 0;
};

Zaehlung zaehlen(const Stadtmodell& m);

} // namespace tarvello
