#include "generator/rahmen.h"

#include <algorithm>

#include "areas/flaechen.h"
#include "core/funktionen.h"
#include "geometry/eingrenzen.h"
#include "geometry/geometrie.h"

namespace tarvello {

void rahmen_bauen(Stadtmodell& m, float rand) {
    for (int w : m.wege_nummern())
        weg_rahmen(m, rand, w);
    for (int b : m.haus_nummern()) {
        Haus& h = m.haus(b);
        Ecken ex{}, ey{};
        for (int c = 1; c <= 4; ++c) {
            ex[ix(c)] = h.ecke_x[c];
            ey[ix(c)] = h.ecke_y[c];
        }
        haus_rahmen_setzen(h, ex, ey, h.x, h.y, h.breite);
    }
    plaetze_eingrenzen(m, rand);
    parks_eingrenzen(m, rand);
}

float gemessener_rand(const Stadtmodell& m) {
    float groesste = 0.0f;
    for (int b : m.haus_nummern()) {
        const Haus& h = m.haus(b);
        if (h.rund == 1) {
            groesste = std::max(groesste, 2.0f * h.breite);
        } else if (h.rund == 0) {
            for (int c = 1; c <= 4; ++c) {
                const int d = c % 4 + 1;
                groesste =
                    std::max(groesste, abstand(h.ecke_x[c], h.ecke_y[c], h.ecke_x[d], h.ecke_y[d]));
            }
        }
    }
    return groesste + m.weg_halbbreite_max;
}

} // namespace tarvello
