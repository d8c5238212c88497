#include "geometry/eingrenzen.h"

namespace tarvello {

float weg_rand(const Parameter& p) {
    return p.haus_seitenverhaeltnis_max * p.haus_gxy_max + p.weg_halbbreite_max;
}

void weg_rahmen(Stadtmodell& m, float rand, int w) {
    Weg& weg = m.weg(w);
    float x_lo = 1000000000.0f, y_lo = 1000000000.0f;
    float x_hi = -1000000000.0f, y_hi = -1000000000.0f;
    for (int k = 1; k <= weg.n_punkte; ++k) {
        const float x = weg.px(k), y = weg.py(k);
        if (x > x_hi) x_hi = x;
        if (y > y_hi) y_hi = y;
        if (x < x_lo) x_lo = x;
        if (y < y_lo) y_lo = y;
    }
    weg.x_min = x_lo - rand;
    weg.y_min = y_lo - rand;
    weg.x_max = x_hi + rand;
    weg.y_max = y_hi + rand;
}

void strassen_eingrenzen(Lauf& l, int n) {
    l.status({Statusart::strassen_eingrenzen});
    const float rand = weg_rand(l.p);
    for (int w = 1; w <= n; ++w) {
        weg_rahmen(l.m, rand, w);
        l.fortschritt(static_cast<float>(w) / static_cast<float>(n) * 100.0f);
        if ((w & 63) == 0) l.nachgeben();
    }
}

} // namespace tarvello
