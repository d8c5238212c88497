// The command "tarvello render MAP.qls": draws a saved city map as PNG, BMP
// or SVG pictures with the image options of generate, in the stored colours
// or those of a palette file (--palette), or saves it again in the current
// version (--output). A map that cannot be read ends
// with exit code 1 and one line naming the file and the line.
#pragma once

#include "cli/befehlszeile.h"

namespace tarvello {

// Always draws.
extern const Befehl render_befehl;

} // namespace tarvello
