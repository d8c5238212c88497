// Buildings that paint over a street on paper: the map is drawn twice by the
// renderer, once with its streets alone and once with its buildings alone,
// and every pixel a building darkens where a street's white body lies is put
// down to the nearest building. Measured on one A4 sheet (as the PDF lays it
// out) or on a picture at the same scale.
#pragma once

#include <vector>

#include "core/stadtmodell.h"
#include "render/renderzustand.h"

namespace tarvello {

struct Druckbildbefund {
    int gebaeude = 0;      // buildings on the map
    int ueber_strasse = 0; // buildings with at least `pixel_min` pixels on a street's white body
    long pixel = 0;        // such pixels, all buildings together
    std::vector<int> beispiele; // building numbers (model indices), up to five
};

// `art` drucker: one A4 landscape sheet at `dpi`; bild: a picture of the whole
// map whose side is `bildseite` pixels, or without it the sheet's map square
// at `dpi`. A pixel lies on a street's white body when the body covers at
// least half of it (thin streets are smoothed, not whole pixels); a building
// counts when at least `pixel_min` of its pixels lie on one.
Druckbildbefund haeuser_ueber_strassen(const Stadtmodell& m, Zielart art, int dpi = 300,
                                       int pixel_min = 2, int bildseite = 0);

} // namespace tarvello
