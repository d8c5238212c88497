// Command-line options for the labelling counts: how many streets,
// buildings, squares and parks get a number at the end of a run.
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"

namespace tarvello {

// Adds --number-streets, --number-buildings, --number-squares and
// --number-parks to a parser.
void nummer_optionen_hinzufuegen(QCommandLineParser& parser);

// Sets the four counts on the model (0 for an option not given). A value
// that is not a whole number or lies outside 0..limit (10000 for streets and
// buildings, 100 for squares and parks) gives a Fehlerart::bedienung with a
// one-line message and leaves the model unchanged.
Ergebnis nummer_optionen_lesen(const QCommandLineParser& parser, Stadtmodell& m);

} // namespace tarvello
