// The check of a file a command is to write, made before the run, so that a
// target that cannot be written costs no run: its folder exists and may be
// written to, the name names a file and not a folder.
#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <vector>

#include "core/ergebnis.h"

namespace tarvello {

// Success when `datei` can be written as far as can be told without writing
// it. Otherwise a Fehlerart::datei whose words name the file and say why:
// an empty name, a name ending in a slash, an existing folder, a folder that
// does not exist or is not a folder, a folder that may not be written to.
// A device or pipe passes; writing decides about those.
Ergebnis ausgabe_pruefen(const QString& datei);

// The files of one command taken together, before the run: no output names
// an input or another output (the same file under any name), and at most one
// output goes to standard output ("-", /dev/stdout), `stdout_belegt` when the
// command prints there itself. Otherwise a Fehlerart::bedienung naming the
// file.
Ergebnis ziele_pruefen(const std::vector<QString>& eingaben, const std::vector<QString>& ausgaben,
                       bool stdout_belegt = false);

// ausgabe_pruefen for each file that is asked for, in order.
Ergebnis ausgaben_pruefen(std::initializer_list<std::optional<QString>> dateien);

} // namespace tarvello
