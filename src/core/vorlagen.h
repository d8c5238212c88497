// The fourteen built-in town types of the preset list: their names in both
// languages and the control states each of them sets.
#pragma once

#include <string>
#include <vector>

#include "core/steuerwerte.h"

namespace tarvello {

constexpr int n_vorlagen = 14;

// German or English entry of the preset list; index outside 0..13 gives "".
std::string vorlage_name(int index, Sprache sprache);

// Text the preset list shows after a settings file was loaded.
inline constexpr const char* vorlage_benutzerdefiniert = "(beutzerdefiniert)"; // sic

// Applies preset column `index` to the controls in the table's row order; a
// dot leaves a control unchanged; index outside 0..13 changes nothing and
// returns false.
bool vorlage_anwenden(Steuerwerte& s, int index);

// Program start state: initial controls with preset 8 applied.
Steuerwerte start_steuerwerte();

// Every cell of the preset table that cannot be applied (unknown control, list
// text that is no item of the list, slider value out of range, check box value
// other than on/off), one description per cell. Empty when the table is sound.
std::vector<std::string> vorlagen_unpassende_zellen();

} // namespace tarvello
