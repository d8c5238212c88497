// The image options of the commands that draw a map (generate, render):
// which files to write (PNG, BMP, SVG), their size and matrix, the map
// section, building outlines and number labels.
//
//   --png FILE --bmp FILE --svg FILE   files to write (a matrix appends _column_row)
//   --pixels N        width and height of each picture, 100..10000 (1200)
//   --matrix N        N x N pictures, 1..5 (1)
//   --zoom Z          the section a preview at zoom Z shows, 1..10; centred
//   --view X,Y        ... or starting at map point (X, Y) (needs --zoom)
//   --outline-only    buildings as outlines
//   --labels LIST     streets,buildings,squares,parks, all or none (all)
//   --label-size N    label size in points; 0 = from the picture size (0)
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"

namespace tarvello {

class Wirt;
struct Druckfarben;
struct Druckoptionen;

void bild_optionen_hinzufuegen(QCommandLineParser& parser);

// True when any picture is asked for.
bool bild_optionen_gesetzt(const QCommandLineParser& parser);

// The value of --labels (streets,buildings,squares,parks, all or none) into
// the four numbering options; Fehlerart::bedienung on an unknown part.
Ergebnis beschriftung_lesen(const QString& text, Druckoptionen& o);

// Checks every image option's value without drawing anything; a bad value,
// or pictures too large for the memory (or BMP files for the target drive),
// give a Fehlerart::bedienung with a one-line message.
Ergebnis bild_optionen_pruefen(const QCommandLineParser& parser);

// Draws and writes the pictures asked for. Success when all were written
// (also when none is asked for). Otherwise: bedienung on a bad option value
// (nothing is drawn), datei when a file cannot be written (the words name
// it), abbruch when the host aborts, kein_plan when there is no map.
// wirt hears status and progress and may abort; farben, when given, replaces
// the default colour table.
Ergebnis bild_optionen_ausfuehren(const QCommandLineParser& parser, const Stadtmodell& modell,
                                  Wirt* wirt = nullptr, const Druckfarben* farben = nullptr);

} // namespace tarvello
