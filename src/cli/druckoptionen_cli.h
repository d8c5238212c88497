// The print options of the commands that draw a map (generate, render): the
// sheets are written into one PDF file of landscape pages.
//
//   --pdf FILE              the PDF to write, one page per sheet
//   --sheets N              N x N sheets, 1..20 (1)
//   --section R,C;R,C...    print only these sheets of the N x N (needs --sheets)
//   --paper NAME            A4, A3, Letter, ... (A4)
//   --title TEXT            the town name above the side panel
//   --north K               north button 0..11 the compass rose points to (0: up)
//   --no-crop-marks, --title-on-first-only, --scale-on-first-only,
//   --compass-on-first-only, --grid-on-first-only
//   --high-resolution       finer hatching of buildings
//
// --outline-only, --labels and --label-size are shared with the image
// options (bild_optionen_hinzufuegen adds them); on a PDF the label size is
// one of the print sizes 3, 4, 5, 6, 8, 10, 12 (6).
#pragma once

#include <QCommandLineParser>
#include <QPageSize>
#include <QString>
#include <optional>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "files/kartendatei.h"
#include "render/druckoptionen.h"

namespace tarvello {

class Wirt;
struct Druckfarben;

// The print asked for, as read from the options.
struct Druckwunsch {
    QString datei; // the PDF; empty: none
    QPageSize papier{QPageSize::A4};
    Druckoptionen optionen;
    // Town name and north button; they also go into a saved map.
    std::optional<QString> titel;
    std::optional<int> nord;
};

void druck_optionen_hinzufuegen(QCommandLineParser& parser);

// Reads and checks every print option's value without drawing: a bad value
// gives a Fehlerart::bedienung with a one-line message, a PDF that cannot be
// written a Fehlerart::datei naming it. `w` is then unusable.
Ergebnis druck_optionen_lesen(const QCommandLineParser& parser, Druckwunsch& w);

// Town name and north button: those of the wish where given, else those of
// `vorgabe` (the map file's).
Kartenkopf kartenkopf(const Druckwunsch& w, Kartenkopf vorgabe = {});

// Writes the PDF of a checked wish. Success when it was written (also when
// none is asked for). Otherwise: datei when the file cannot be written (the
// words name it), abbruch when the host aborts (the file is then not
// written), kein_plan when there is no map.
Ergebnis pdf_schreiben(const Druckwunsch& w, const Stadtmodell& modell, const Kartenkopf& kopf,
                       Wirt* wirt = nullptr, const Druckfarben* farben = nullptr);

} // namespace tarvello
