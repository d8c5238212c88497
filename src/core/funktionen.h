// Small numeric helpers shared by every stage: angles, distances, clamps, the
// town outline radius and the building-size weight.
#pragma once

#include <string>

#include "core/parameter.h"
#include "core/stadtmodell.h"

namespace tarvello {

// Angle of (dx, dy) in [0, 2 pi); the tiny term keeps a vertical vector from
// dividing by zero. The zero vector gives 0.
float richtungswinkel(float dx, float dy);

// Heading at the middle of three points: the plain mean of the two segment
// angles, without wrap-around handling (350 deg and 10 deg average to 180 deg).
float mittlere_richtung(float x1, float y1, float x2, float y2, float x3, float y3);

inline float minimum(float a, float b) {
    return b >= a ? a : b;
}
inline float maximum(float a, float b) {
    return b > a ? b : a;
}
float abstand(float x1, float y1, float x2, float y2);
inline float untergrenze_06(float x) {
    return x < 0.6f ? 0.6f : x;
}
inline float begrenzen_01(float x) {
    return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
}
// Position 1..4 of the smallest value; the earliest wins ties.
int index_des_minimums(float a, float b, float c, float d);

// Distance of the town outline from the centre in direction `winkel`;
// glaettung 1 gives the plain circle, 0 the full turbulence.
float umriss_radius(const Parameter& p, const Stadtmodell& m, float winkel, float glaettung);

float gauss_dichte(float x, float mu, float sigma);
// Bell weight in (0, 1] of a building size between min and max.
float groessen_gewicht(float x, float min, float max, float zentrum, float breite);

// Every "," replaced by "." so numbers read back with a decimal point.
std::string komma_zu_punkt(std::string text);

} // namespace tarvello
