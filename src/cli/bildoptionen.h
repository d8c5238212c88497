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
//   --label-size N    label size in points; 0 = map size / 36 (0)
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "core/stadtmodell.h"

namespace tarvello {

class Wirt;
class Zufall;
struct Druckfarben;
struct Druckoptionen;

void bild_optionen_hinzufuegen(QCommandLineParser& parser);

// True when any picture is asked for.
bool bild_optionen_gesetzt(const QCommandLineParser& parser);

// The value of --labels (streets,buildings,squares,parks, all or none) into
// the four numbering options; false with a message on an unknown part.
bool beschriftung_lesen(const QString& text, Druckoptionen& o, QString& fehler);

// Checks every image option's value without drawing anything; on a bad
// value, or pictures too large for the memory (or BMP files for the target
// drive), returns false with a one-line message.
bool bild_optionen_pruefen(const QCommandLineParser& parser, QString& fehler);

// Draws and writes the pictures asked for. Returns 0 on success (also when
// none is asked for), 2 on a bad option value (nothing is drawn), 1 when a
// file cannot be written (the message names it), 3 when the host aborts.
// wirt hears status and progress and may abort; zufall, when given, places
// the labels of squares and parks (a seeded one makes them repeatable);
// farben, when given, replaces the default colour table.
int bild_optionen_ausfuehren(const QCommandLineParser& parser, const Stadtmodell& modell,
                             QString& fehler, Wirt* wirt = nullptr, Zufall* zufall = nullptr,
                             const Druckfarben* farben = nullptr);

} // namespace tarvello
