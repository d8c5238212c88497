// `tarvello generate`: one whole generation run without a window.
#pragma once

#include "cli/befehlszeile.h"

namespace tarvello {

// Draws when a picture or a PDF is asked for.
extern const Befehl generate_befehl;

} // namespace tarvello
