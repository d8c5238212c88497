// The city settings file (.qle): the state of every parameter control (list
// positions, slider values, the wall check box), one per line after the
// version, 67 lines in version 5.00. Files of versions 1 to 4.3 are read with
// the defaults of the controls they lack.
//
// After a successful load the window shows vorlage_benutzerdefiniert
// (core/vorlagen.h) as the text of its preset list and applies no preset.
#pragma once

#include <QString>
#include <string_view>
#include <vector>

#include "core/steuerwerte.h"
#include "files/textdatei.h"

namespace tarvello {

inline constexpr const char* einstellungsdatei_version = "5.00";
inline constexpr const char* einstellungsdatei_filter = "Stadtplan-Einstellungen (*.qle)";

// One line of the file after the version: the control and the first file
// version (in hundredths, 410 = "4.1") that holds it.
struct Einstellungszeile {
    const char* steuerung;
    int ab_version;
};

// Lines 2..67 in file order.
const std::vector<Einstellungszeile>& einstellungszeilen();

// Writes the control states; on failure (Fehlerart::datei, naming the file)
// the old file is left as it was.
Ergebnis einstellungen_speichern(const QString& datei, const Steuerwerte& s,
                                 Dateisystem& dateisystem = echtes_dateisystem());

// Reads the control states into `s`. Controls an older file lacks keep their
// state or take the defaults of that version; the version is compared as the
// number it reads as ("4.099" is older than "4.1"). Only the lines of that
// version are read: the last may lack its line end, and anything after it is
// not looked at. A missing, truncated or
// malformed file, and a list position or slider value outside its control's
// range, leave `s` untouched and give a Fehlerart::datei naming the file and
// the line.
Ergebnis einstellungen_laden(const QString& datei, Steuerwerte& s);
// The same from the bytes of a settings file already in memory; datei only
// names them in messages.
Ergebnis einstellungen_lesen(const QString& datei, std::string_view inhalt, Steuerwerte& s);

} // namespace tarvello
