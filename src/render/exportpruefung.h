// Checks before a picture export, shared by the export dialog and the
// command line: whether the pictures fit into memory and onto the drive.
#pragma once

#include <QString>
#include <QtGlobal>

#include "core/ergebnis.h"
#include "core/meldung.h"
#include "core/steuerwerte.h"
#include "render/bildexport.h"
#include "render/druckoptionen.h"

namespace tarvello {

// Megabytes as the export shows them: up to two decimals, no trailing zeros,
// the decimal separator of the language ("27", "4.32", "4,32").
QString megabyte_text(double mb, Sprache s);

// Why pictures of this size cannot be made, or an empty text. One raster
// picture at a time must fit into the available memory, and a bitmap export
// (the N x N files at three bytes per pixel) into the free space of the
// target drive. A value of -1 means unknown and is not checked.
QString export_hindernis(int pixel, int matrix, Bildformat f, qint64 freier_platz,
                         qint64 freier_speicher, Sprache s);

// "cannot write FILE: grund" (Fehlerart::datei), in both languages.
Ergebnis export_schreibfehler(const QString& datei, const Meldung& grund);

// A picture or PDF target that exists as a folder is refused. A device, a
// pipe or a standard stream is written in place, never replaced by a file
// (for root even /dev/null itself). Success otherwise.
Ergebnis export_ziel_pruefen(const QString& datei);

// Memory the system can still give, in bytes; -1 when unknown.
qint64 verfuegbarer_speicher();

// export_hindernis for pictures of the options' size and matrix written as
// `datei`: against the free space of its drive and the memory available now.
QString export_hindernis_fuer(const QString& datei, const Druckoptionen& o, Bildformat f,
                              Sprache s);

} // namespace tarvello
