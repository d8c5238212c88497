// Plane geometry shared by the generator stages and the renderer: way
// directions, position of a point against the town outline, polygon and
// quadrilateral tests, segment crossing, building overlap and boxes, octants,
// the nearest way and rotations. Results come back as small structs.
#pragma once

#include <array>
#include <vector>

#include "core/parameter.h"
#include "core/stadtmodell.h"

namespace tarvello {

// The direction angle of a vector in [0, 2 pi).
float winkel_aus(float dx, float dy);

struct Richtung {
    float vor = 0, zurueck = 0, mittel = 0;
};
// Direction of way w at node k. At the last node (or beyond) the way's last
// segment gives the forward direction, so no point after the end is read.
Richtung punkt_richtung(const Weg& w, int k);

struct Lage {
    bool in_stadt = false, in_bebauung = false, im_kern = false, ausserhalb_karte = false;
};
Lage lage_pruefen(const Parameter& p, const Stadtmodell& m, float x, float y);

// Crossing parity over the edges 1..n-1 (the polygon repeats its first vertex
// as vertex n); y1 <= y < y2 is half-open. xs and ys are indexed from 1.
bool punkt_in_polygon(float x, float y, const float* xs, const float* ys, int n);

// A point well inside the polygon (xs, ys indexed from 1, vertex n repeating
// vertex 1): of a grid over its box, refined twice around the best, the
// inside point farthest from every edge. It depends on the outline alone, so
// every drawing of the same area finds the same point. False when no grid
// point lies inside (an outline that encloses nothing).
bool polygon_innenpunkt(const float* xs, const float* ys, int n, float& x, float& y);

// Whether some edge of the quadrilateral crosses the horizontal through the
// point to its right (true inside a convex quadrilateral).
bool punkt_vor_viereck(float px, float py, float x1, float y1, float x2, float y2, float x3,
                       float y3, float x4, float y4);

struct Schnitt {
    bool gefunden = false;
    float x = 0, y = 0;
};
// Distance of point p from segment a-b; (fx, fy) receives the nearest point
// of the segment. A segment of length zero is its point a.
float strecke_abstand(float px, float py, float ax, float ay, float bx, float by, float& fx,
                      float& fy);
inline float strecke_abstand(float px, float py, float ax, float ay, float bx, float by) {
    float fx = 0, fy = 0;
    return strecke_abstand(px, py, ax, ay, bx, by, fx, fy);
}

// Crossing of segment A with segment B; end points count, parallel segments
// with touching boxes report A's start point, zero-length segments never cross.
Schnitt strecken_schnitt(float ax1, float ay1, float ax2, float ay2, float bx1, float by1,
                         float bx2, float by2);

using Ecken = std::array<float, 5>; // corners 1..4

// Overlap of building i (whose corners are ex, ey) with building j.
bool haeuser_ueberlappen(const Haus& i, const Ecken& ex, const Ecken& ey, const Haus& j);

// The part of that test for two rectangles whose boxes meet: a corner of
// either before the other. j's corners 1..4 are jx[0..3], jy[0..3].
bool ecken_ueberlappen(const Ecken& ex, const Ecken& ey, const float* jx, const float* jy);

// Sets the bounding box of building h from its corners or from centre and radius.
void haus_rahmen_setzen(Haus& h, const Ecken& ex, const Ecken& ey, float cx, float cy, float r);

// Octant 1..8 of an angle in [0, 2 pi], boundaries belonging to the lower one;
// 0 outside.
int oktant(float a);

struct NaechsterWeg {
    float abstand = 10000.0f; // 10000 when nothing is nearer; weg/punkt are then 0
    int weg = 0;
    int punkt = 0;
};
NaechsterWeg naechster_weg(const Stadtmodell& m, float x, float y);

// Corner box of the points of one way, for pruning the nearest-way search.
struct Punktrahmen {
    float x_lo = 0, x_hi = 0, y_lo = 0, y_hi = 0;
    bool leer = true;
};
// The boxes of ways 1..n_wege (index 0 unused).
std::vector<Punktrahmen> punktrahmen_bilden(const Stadtmodell& m);
// The nearest way as naechster_weg finds it, skipping ways whose point box is
// already farther than the best distance so far.
NaechsterWeg naechster_weg_gestutzt(const Stadtmodell& m, const std::vector<Punktrahmen>& rahmen,
                                    float x, float y);

struct Gedreht {
    float x = 0, y = 0, winkel = 0;
};
Gedreht punkt_drehen(float px, float py, float cx, float cy, float a);
// Rotates corners 1..4 in place by a about (cx, cy).
void ecken_drehen(Ecken& ex, Ecken& ey, float cx, float cy, float a);

} // namespace tarvello
