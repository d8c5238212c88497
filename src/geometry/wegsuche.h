// The nearest way from point grids instead of a walk over every point.
#pragma once

#include <cmath>
#include <utility>

#include "core/stadtmodell.h"
#include "geometry/geometrie.h"

namespace tarvello {

// The order of the grid searches, which meet points in no particular order:
// the nearer point wins; of equally near ones the first in way order, then in
// point order, as in a plain scan.
inline bool naeher_als(float e, int weg, int punkt, float beste, int beste_weg, int beste_punkt) {
    return e < beste ||
           (e == beste && (weg < beste_weg || (weg == beste_weg && punkt < beste_punkt)));
}

// A grid searched for the nearest way, with the largest half width among
// the ways whose points it holds.
template <class Feld> struct Feldbreite {
    const Feld& feld;
    float h;
};

// The nearest way as naechster_weg finds it, from grids (Punktfeld or
// Punktraster) that together hold every point of every way, each with the
// largest half width of its own ways. The search widens until nothing
// outside it can come nearer; ties go to the first way and point, as in the
// plain scan. Far beyond the map it hands over to `ganz`, the plain search.
template <class Ganz, class... Felder>
NaechsterWeg naechster_weg_je_feld(const Stadtmodell& m, float x, float y, Ganz&& ganz,
                                   const Feldbreite<Felder>&... felder) {
    NaechsterWeg n;
    auto pruefen = [&](const auto& q) {
        if (q.weg < 1 || q.weg > m.n_wege) return false;
        const Weg& weg = m.weg(q.weg);
        if (q.punkt > weg.n_punkte) return false;
        const float dx = q.x - x, dy = q.y - y;
        const float e = std::sqrt(dx * dx + dy * dy) - weg.breite / 2.0f;
        if (naeher_als(e, q.weg, q.punkt, n.abstand, n.weg, n.punkt)) {
            n.abstand = e;
            n.weg = q.weg;
            n.punkt = q.punkt;
        }
        return false;
    };
    float h_max = 0.0f;
    ((h_max = std::fmax(h_max, felder.h)), ...);
    // A point of a grid beyond r is at least r - (its half width) away. The
    // search settles on a way no further than r - 2 h_max - 0.01; a grid
    // holding only narrower ways can then stop short of r by twice the
    // difference, and still sees every point that could come nearer.
    const float a = m.stadt_abmessung > 0.0f ? m.stadt_abmessung : 1000.0f;
    // The first ring is wide enough to settle a way close by.
    for (float r = 2.0f * h_max + 12.0f;; r *= 2.0f) {
        n = NaechsterWeg{};
        (felder.feld.suchen(x, y, felder.h == h_max ? r : r - 2.0f * (h_max - felder.h), pruefen),
         ...);
        if (n.abstand <= r - 2.0f * h_max - 0.01f) return n;
        if (r > 8.0f * a + 2.0f * std::fabs(x) + 2.0f * std::fabs(y)) break;
    }
    return ganz();
}

// The same with h_max, the largest half width among all ways, for every grid.
template <class Ganz, class... Felder>
NaechsterWeg naechster_weg_gerastert(const Stadtmodell& m, float h_max, float x, float y,
                                     Ganz&& ganz, const Felder&... felder) {
    return naechster_weg_je_feld(m, x, y, std::forward<Ganz>(ganz),
                                 Feldbreite<Felder>{felder, h_max}...);
}

} // namespace tarvello
