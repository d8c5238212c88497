// The program's identity on the desktop: the id its menu entry, metadata and
// file types share, and its icon for the window and the task bar.
#pragma once

#include <QIcon>

namespace tarvello {

// The desktop id (the menu entry is ID.desktop); on X11 it is also the
// window class that docks match to the entry's StartupWMClass.
inline constexpr const char* programm_id = "io.github.tarvello.Tarvello";

// The icon as installed in the theme, else the copy built into the program.
QIcon programmsymbol();

} // namespace tarvello
