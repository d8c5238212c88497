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
#include <optional>
#include <vector>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "render/bildexport.h"
#include "render/druckoptionen.h"

namespace tarvello {

class Wirt;
struct Druckfarben;

// The pictures asked for, as read from the options.
struct Bildwunsch {
    std::vector<Exportdatei> dateien; // empty: no pictures
    Druckoptionen optionen;           // size, matrix, outlines, labels
    std::optional<float> zoom;        // the section a preview at this zoom shows
    std::optional<float> view_x, view_y;
};

void bild_optionen_hinzufuegen(QCommandLineParser& parser);

// The value of --labels (streets,buildings,squares,parks, all or none) into
// the four numbering options; Fehlerart::bedienung on an unknown part.
Ergebnis beschriftung_lesen(const QString& text, Druckoptionen& o);

// Reads and checks every image option without drawing anything: a bad
// value, or pictures too large for the memory (or BMP files for the target
// drive), give a Fehlerart::bedienung with a one-line message; a file that
// cannot be written gives Fehlerart::datei naming it. `w` is then unusable.
Ergebnis bild_optionen_lesen(const QCommandLineParser& parser, Bildwunsch& w);

// Every file the pictures of a checked wish are written to.
std::vector<QString> bilddateien(const Bildwunsch& w);

// The map section a checked wish draws.
Bildausschnitt bildausschnitt(const Bildwunsch& w, float stadt_abmessung);

// Draws and writes the pictures of a checked wish. Success when all were
// written (also when none is asked for). Otherwise: datei when a file cannot
// be written (the words name it), abbruch when the host aborts, kein_plan
// when there is no map. wirt hears status and progress and may abort;
// farben, when given, replaces the default colour table.
Ergebnis bilder_zeichnen(const Bildwunsch& w, const Stadtmodell& modell, Wirt* wirt = nullptr,
                         const Druckfarben* farben = nullptr);

} // namespace tarvello
