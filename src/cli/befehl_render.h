// The command "tarvello render MAP.qls": draws a saved city map as PNG, BMP
// or SVG pictures with the image options of generate, in the stored colours
// or those of a palette file (--palette), or saves it again in the current
// version (--output). A map that cannot be read ends
// with exit code 1 and one line naming the file and the line.
#pragma once

#include <QStringList>

namespace tarvello {

int befehl_render(const QStringList& argumente);

} // namespace tarvello
