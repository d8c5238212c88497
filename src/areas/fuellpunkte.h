// Fill points of a square or park: rows of points parallel to the outline,
// stepping inwards, that the renderer joins into strokes to fill the area.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvello {

class Wirt;

inline constexpr int fuellpunkte_max = 30000;

// The point pool: points 1..n-1 are stored (n is one past the last one).
// art 1 marks a point that continues the stroke of the point before it.
struct Fuellpunkte {
    std::vector<float> x, y;
    std::vector<std::uint8_t> art;
    int n = 0;
    // Largest spacing of neighbouring outline points: strokes break where two
    // fill points lie more than twice this far apart.
    float fuell_abstand = 0;
};

// Outline xs/ys with points 1..n (the last point repeats the first).
// abstand is the row spacing, ausdehnung_x/y the extent of the area's box,
// x_min..y_max the box itself; rand widens the box to the window in which
// points are kept. wirt, when given, hears the progress per row and may stop
// it (the pool is then empty). kantentests, when given, is a budget of edge
// tests shared by all areas of a drawing: it is spent, and once it is gone
// no more points are made.
void flaeche_fuellpunkte(const float* xs, const float* ys, int n, float abstand, float ausdehnung_x,
                         float ausdehnung_y, float x_min, float y_min, float x_max, float y_max,
                         float rand, Fuellpunkte& pool, Wirt* wirt = nullptr,
                         double* kantentests = nullptr);

} // namespace tarvello
