// Number conventions of the generator: the program's own single-precision pi,
// rounding halves to even, Int as floor, and int counts as table indices.
#pragma once

#include <cmath>
#include <cstddef>

namespace tarvello {

inline constexpr float pi = 3.1415925f;
inline constexpr float zwei_pi = 6.283185f;

// "Rounded": nearest integer, halves to even (the default FP rounding mode).
inline double runden(double x) {
    return std::nearbyint(x);
}
// "Int": rounds down, towards minus infinity.
inline double ganz(double x) {
    return std::floor(x);
}

} // namespace tarvello

namespace tarvello {

// Int of a count computed in floating point, clamped so that a far-away or
// broken value can never overflow the integer (NaN gives 0).
inline int ganz_begrenzt(double x) {
    if (!(x == x)) return 0;
    if (x > 1e9) return 1000000000;
    if (x < -1e9) return -1000000000;
    return static_cast<int>(std::floor(x));
}

// The generator counts with int; tables are indexed with std::size_t.
inline std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace tarvello
