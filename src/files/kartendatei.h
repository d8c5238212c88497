// The city map file (.qls): the whole city model as text, with the town name,
// the north direction and the numbering counts, in the record order of
// version 5.00; older versions 1 to 4 are read too.
#pragma once

#include <QString>
#include <string_view>

#include "core/stadtmodell.h"
#include "files/textdatei.h"

namespace tarvello {

class Wirt;

inline constexpr const char* kartendatei_version = "5.00";
inline constexpr const char* kartendatei_filter = "Stadtplan-Dateien (*.qls)";

// What the file carries besides the model: the town name field and the
// selected north button (0..11; -1 when no button is selected).
// The longest town name a map carries: the reader refuses a longer one and
// the writer never writes it, so every saved map loads again.
inline constexpr qsizetype stadtname_max = 400;

struct Kartenkopf {
    QString stadtname;
    int nord = 0;
    bool operator==(const Kartenkopf&) const = default;
};

// Writes the model. A town name cannot span lines: line breaks in it are
// written as spaces. The name is written in Windows-1252 when every character
// has a byte there, else in UTF-8; the reader takes valid UTF-8 as UTF-8 and
// anything else as Windows-1252, so a map loaded and saved keeps its bytes.
// On success the file holds the map. A value that is not a finite number
// refuses the save; on any failure (Fehlerart::datei, naming the file) the
// old file is left as it was. wirt (optional) hears status and progress; its
// abort request stops the save and keeps the old file.
Ergebnis stadtplan_speichern(const QString& datei, const Stadtmodell& modell,
                             const Kartenkopf& kopf, Wirt* wirt = nullptr,
                             Dateisystem& dateisystem = echtes_dateisystem());

// Reads a map into a fresh model and rebuilds the boxes of ways, buildings,
// squares and parks. On success `modell` and `kopf` are replaced
// (plan_vorhanden is then true). A missing, truncated or malformed file
// leaves both untouched and gives a Fehlerart::datei naming the file and the
// line; wirt's abort request likewise, as Fehlerart::abbruch.
// After a load the window ticks Check_Mauer when modell.mauer_parameter is 1.
Ergebnis stadtplan_laden(const QString& datei, Stadtmodell& modell, Kartenkopf& kopf,
                         Wirt* wirt = nullptr);
// The same from the bytes of a map file already in memory; datei only names
// them in messages.
Ergebnis stadtplan_lesen(const QString& datei, std::string_view inhalt, Stadtmodell& modell,
                         Kartenkopf& kopf, Wirt* wirt = nullptr);

// Margin of the way, square and park boxes of a loaded map: the largest
// extent of any of its buildings plus the largest street half-width. The
// run's building parameters are not in the file, so the map's own buildings
// stand in for them, and a map gives the same boxes whatever the controls
// show when it is loaded.
float geladener_rand(const Stadtmodell& modell);

} // namespace tarvello
