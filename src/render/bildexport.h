// Image export: the map section drawn into one picture or a matrix of N x N
// pictures, saved as PNG, BMP (24 bits per pixel) or SVG.
#pragma once

#include <QString>
#include <vector>

#include "files/georeferenz.h"
#include "files/textdatei.h"
#include "render/stadtplan.h"

namespace tarvello {

enum class Bildformat { png, bmp, svg };

// ".png", ".bmp" or ".svg".
QString bildformat_endung(Bildformat f);

// File name of the picture in column `spalte`, row `zeile` of a matrix:
// the suffix is taken off the chosen name when it matches exactly (case
// included), a matrix appends "_column_row", then the suffix follows. A
// standard stream, device or pipe (direktes_ziel) is the name itself.
QString export_dateiname(const QString& datei, Bildformat f, int matrix, int spalte, int zeile);

// Megabytes the N x N pictures take at three bytes per pixel.
double export_speicherbedarf(int pixel, int matrix);

// The pixel grid of the picture in row `zeile`, column `spalte` (from 1)
// of an N x N export of the section, as the pictures are drawn.
Pixelraster bildraster(float stadt_abmessung, const Bildausschnitt& a, int matrix, int pixel,
                       int zeile, int spalte);

struct Exportdatei {
    Bildformat format = Bildformat::png;
    QString datei;
};

// Draws the section once per matrix cell and saves it in every format asked
// for, each file through a Dateiausgabe: written under a temporary name with
// every byte checked, renamed when complete. Success when every picture was
// written; otherwise stadtplan_zeichnen's fault for the first format that
// failed, later formats not being drawn. An abort while a sheet's pictures
// are being encoded keeps none of them (Fehlerart::abbruch).
Ergebnis bilder_exportieren(const Zeichenauftrag& auftrag, const std::vector<Exportdatei>& dateien,
                            Dateisystem& dateisystem = echtes_dateisystem());

} // namespace tarvello
