// Printing the map: on a printer, every sheet is a print job of its own (the
// pieces come out one by one and an abort keeps what is done); into a PDF
// file, the sheets become the landscape pages of one document.
#pragma once

#include <QPageSize>
#include <QString>
#include <optional>

#include "files/textdatei.h"
#include "render/stadtplan.h"

class QPrinter;

namespace tarvello {

// Resolution of PDF pages. Line widths are printer pixels, so this decides
// how fine the thinnest lines are; 600 dpi is what common printers print.
inline constexpr int pdf_aufloesung = 600;
// PDF pages are written on a grid this many times finer, in whole numbers
// (see Zeichenflaeche): 1/4800 inch, about 5 micrometres.
inline constexpr int pdf_feinteilung = 8;
// Margin of PDF pages: most printers cannot print closer to the edge, and the
// page should print as it is, without being shrunk to fit.
inline constexpr double pdf_rand_mm = 5.0;

// Paper size by name, as Qt names its sizes ("A4", "a3", "Letter",
// "Legal", "Tabloid", "B5", ...); nothing for an unknown name.
std::optional<QPageSize> papier_aus_name(const QString& name);

// Writes the sheets into one PDF file with a landscape page per sheet. The
// file is written through a Dateiausgabe (under a temporary name, every byte
// checked) and replaces `datei` only when complete: a run that failed, was
// aborted (also while the document was being ended) or had no sheet leaves
// whatever was there before. The result is stadtplan_zeichnen's; a file
// fault's words name the file.
Ergebnis pdf_drucken(const Zeichenauftrag& auftrag, const QString& datei,
                     const QPageSize& papier = QPageSize(QPageSize::A4),
                     Dateisystem& dateisystem = echtes_dateisystem());

// Prints on the printer set up by the print dialog, landscape, one job per
// sheet. A printer set to print into a PDF file writes one file with a page
// per sheet instead (pdf_drucken with the printer's paper size). The result
// is stadtplan_zeichnen's; an abort keeps the sheets already printed.
Ergebnis stadtplan_drucken(const Zeichenauftrag& auftrag, QPrinter& drucker);

} // namespace tarvello
