// Hand-built models for the tests of every suite: ways, buildings and area
// outlines set straight into the model's tables.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/stadtmodell.h"

namespace tarvello {

using Punktliste = std::vector<std::pair<float, float>>;

// Way nr through the given points, with points every `schritt` along the
// lines between them (0: the points as given); n_wege grows to nr.
inline void weg_setzen(Stadtmodell& m, int nr, float breite, bool fluss, const Punktliste& punkte,
                       float schritt = 0) {
    Weg& w = m.wege[static_cast<std::size_t>(nr)];
    w.breite = breite;
    w.ist_fluss = fluss ? 1 : 0;
    int n = 0;
    for (std::size_t i = 0; i < punkte.size(); ++i) {
        const auto [ax, ay] = punkte[i];
        if (i + 1 == punkte.size()) {
            w.punkt_setzen(++n, ax, ay);
            break;
        }
        const auto [bx, by] = punkte[i + 1];
        const int teile =
            schritt > 0 ? std::max(1, static_cast<int>(std::hypot(bx - ax, by - ay) / schritt)) : 1;
        for (int k = 0; k < teile; ++k) {
            const float t = static_cast<float>(k) / static_cast<float>(teile);
            w.punkt_setzen(++n, ax + (bx - ax) * t, ay + (by - ay) * t);
        }
    }
    w.n_punkte = static_cast<std::int16_t>(n);
    if (nr > m.n_wege) m.n_wege = static_cast<std::int16_t>(nr);
}

// The next building: a rectangle (x1, y1)..(x2, y2), or round.
inline void rechteck_haus(Stadtmodell& m, float x1, float y1, float x2, float y2) {
    Haus& h = m.haeuser[static_cast<std::size_t>(m.haus_naechster++)];
    h.rund = 0;
    h.ecke_x = {0, x1, x2, x2, x1, x1};
    h.ecke_y = {0, y1, y1, y2, y2, y1};
    h.x = (x1 + x2) / 2;
    h.y = (y1 + y2) / 2;
}
inline void rundes_haus(Stadtmodell& m, float x, float y, float breite) {
    Haus& h = m.haeuser[static_cast<std::size_t>(m.haus_naechster++)];
    h.rund = 1;
    h.x = x;
    h.y = y;
    h.breite = breite;
}

// A closed outline through the given corners, with points every `schritt`
// (0: the corners only), and its box widened by `rand`.
inline void flaeche_setzen(Flaeche& f, const Punktliste& ecken, float schritt, float wert,
                           float rand) {
    f.x.assign(1, 0.0f);
    f.y.assign(1, 0.0f);
    for (std::size_t i = 0; i < ecken.size(); ++i) {
        const auto [ax, ay] = ecken[i];
        const auto [bx, by] = ecken[(i + 1) % ecken.size()];
        const float l = std::hypot(bx - ax, by - ay);
        const int n = schritt > 0 ? std::max(1, static_cast<int>(l / schritt)) : 1;
        for (int k = 0; k < n; ++k) {
            f.x.push_back(ax + (bx - ax) * static_cast<float>(k) / static_cast<float>(n));
            f.y.push_back(ay + (by - ay) * static_cast<float>(k) / static_cast<float>(n));
        }
    }
    f.x.push_back(f.x[1]);
    f.y.push_back(f.y[1]);
    f.n_punkte = static_cast<std::int16_t>(f.x.size() - 1);
    f.wert = wert;
    f.x_min = f.y_min = 1e9f;
    f.x_max = f.y_max = -1e9f;
    for (int i = 1; i <= f.n_punkte; ++i) {
        f.x_min = std::min(f.x_min, f.x[static_cast<std::size_t>(i)] - rand);
        f.x_max = std::max(f.x_max, f.x[static_cast<std::size_t>(i)] + rand);
        f.y_min = std::min(f.y_min, f.y[static_cast<std::size_t>(i)] - rand);
        f.y_max = std::max(f.y_max, f.y[static_cast<std::size_t>(i)] + rand);
    }
}

} // namespace tarvello
