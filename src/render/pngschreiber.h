// A PNG writer for the exported map pictures: opaque RGB, rows unfiltered and
// lightly deflated. Maps are large areas of few colours, which deflate finds
// as long repeats without any row filter; choosing filters per row, as a
// general encoder does, costs more time than the drawing saves.
#pragma once

#include <QIODevice>
#include <QImage>

namespace tarvello {

// Writes `bild` as an 8-bit RGB PNG (alpha dropped), with its resolution when
// it has one. False when the picture is empty, memory is short or a write
// fails; what was written so far stays.
bool png_schreiben(QIODevice& ziel, const QImage& bild);

} // namespace tarvello
