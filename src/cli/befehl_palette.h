// The command "tarvello palette": shows, saves and loads the sixteen drawing
// colours of the per-user store, and the --palette option of the commands
// that draw a map.
//
//   tarvello palette                         lists the stored colours
//   tarvello palette --save FILE.qlf         writes them as a palette file
//   tarvello palette --load FILE.qlf         checks a palette and lists it
//   tarvello palette --load FILE.qlf --store makes it the stored default
#pragma once

#include <QCommandLineParser>

#include "cli/befehlszeile.h"
#include <QString>
#include <QStringList>
#include <optional>

#include "core/ergebnis.h"
#include "files/druckfarben.h"

namespace tarvello {

extern const Befehl palette_befehl;

// Adds --palette FILE to a drawing command.
void palette_option_hinzufuegen(QCommandLineParser& parser);

// The colours a drawing command uses: those of the palette file given with
// --palette, else the stored colours. When the palette cannot be read,
// a Fehlerart::datei naming the file, and `farben` is unchanged.
Ergebnis farben_lesen(const std::optional<QString>& palette, Druckfarben& farben);

} // namespace tarvello
