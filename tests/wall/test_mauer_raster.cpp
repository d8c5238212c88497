// The wall stage's grid-backed searches against plain scans over every way
// and point, on random hand-built models: the same crossing and the same
// nearest way.
#include <gtest/gtest.h>

#include <cmath>

#include "core/funktionen.h"
#include "geometry/eingrenzen.h"
#include "geometry/geometrie.h"
#include "geometry/wegsuche.h"
#include "laufhilfe.h"
#include "wall/mauer.h"

using namespace tarvello;

namespace {

struct Netz : Laufaufbau {
    explicit Netz(std::uint64_t seed) : Laufaufbau(seed) {
        p = parameter_umrechnen(start_steuerwerte());
        m.dimensionieren(40, p.weg_punkte_max, 10, 0, 0);
        m.stadt_abmessung = p.stadt_abmessung;
        const float a = p.stadt_abmessung;
        const int n = 3 + static_cast<int>(z.rnd() * 25.0f);
        for (int w = 1; w <= n; ++w) {
            Weg& weg = m.wege[static_cast<std::size_t>(w)];
            weg.ist_fluss = w <= 2 ? 1 : 0;
            weg.breite = w <= 2 ? 2.0f + z.rnd() * 30.0f : 0.5f + z.rnd() * 6.0f;
            float x = z.rnd() * a, y = z.rnd() * a, r = z.rnd() * 6.3f;
            const int punkte = 2 + static_cast<int>(z.rnd() * 200.0f);
            for (int k = 1; k <= punkte; ++k) {
                weg.punkt_setzen(k, x, y);
                r += (z.rnd() - 0.5f) * 0.8f;
                // Bridges and gates make long segments now and then.
                const float schritt =
                    z.rnd() < 0.03f ? 30.0f + z.rnd() * 60.0f : 1.0f + z.rnd() * 4.0f;
                x += schritt * std::cos(r);
                y += schritt * std::sin(r);
            }
            weg.n_punkte = static_cast<std::int16_t>(punkte);
        }
        m.n_wege = static_cast<std::int16_t>(n);
        m.n_fluesse = 2;
        for (int w = 1; w <= n; ++w)
            weg_rahmen(m, weg_rand(p), w);
    }
};

// Every street segment of every street whose box (enlarged by s) holds b.
Mauerkreuzung kreuzen_alle(const Lauf& l, float ax, float ay, float bx, float by, float s) {
    const Stadtmodell& m = l.m;
    for (int w = l.m.erster_strassenweg(); w <= m.n_wege; ++w) {
        const Weg& weg = m.wege[static_cast<std::size_t>(w)];
        if (!(weg.x_min - s < bx && weg.y_min - s < by && weg.x_max + s > bx && weg.y_max + s > by))
            continue;
        for (int j = 1; j <= weg.n_punkte - 1; ++j) {
            const Schnitt sn = strecken_schnitt(ax, ay, bx, by, weg.px(j), weg.py(j), weg.px(j + 1),
                                                weg.py(j + 1));
            if (sn.gefunden) return {w, sn.x, sn.y};
        }
    }
    return {};
}

} // namespace

TEST(MauerRaster, KreuzungUndNaechsterWegWieDerVolleDurchlauf) {
    int kreuzungen = 0, faelle = 0;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Netz n(seed);
        Lauf l = n.lauf();
        const Wegfeld f = wegfeld_bilden(l);
        const float a = n.p.stadt_abmessung;
        for (int q = 0; q < 300; ++q) {
            // Wall segments of ring-like lengths, and now and then a long one.
            const float ax = n.z.rnd() * a, ay = n.z.rnd() * a;
            const float lang = q % 25 == 0 ? 200.0f : 1.0f + n.z.rnd() * 15.0f;
            const float wi = n.z.rnd() * 6.283f;
            const float bx = ax + lang * std::cos(wi), by = ay + lang * std::sin(wi);
            const float s = n.z.rnd() * 10.0f;
            const Mauerkreuzung g = strasse_kreuzen(l, f, ax, ay, bx, by, s);
            const Mauerkreuzung v = kreuzen_alle(l, ax, ay, bx, by, s);
            ASSERT_EQ(g.weg, v.weg) << "seed " << seed << " case " << q;
            ASSERT_EQ(g.x, v.x) << "seed " << seed << " case " << q;
            ASSERT_EQ(g.y, v.y) << "seed " << seed << " case " << q;
            kreuzungen += g.weg != 0;
            ++faelle;

            // The nearest way from the same grid, also far off the map.
            const float x = q % 7 == 0 ? ax * 4 - 3 * a : ax, y = q % 7 == 0 ? -ay : ay;
            const NaechsterWeg alle = naechster_weg(n.m, x, y);
            const NaechsterWeg raster = naechster_weg_gerastert(
                n.m, f.h_max, x, y, [&] { return naechster_weg(n.m, x, y); }, f.punkte);
            ASSERT_EQ(raster.weg, alle.weg) << seed << " " << q;
            ASSERT_EQ(raster.punkt, alle.punkt) << seed << " " << q;
            ASSERT_EQ(raster.abstand, alle.abstand) << seed << " " << q;
        }
    }
    EXPECT_GT(kreuzungen, faelle / 20);
    EXPECT_LT(kreuzungen, faelle * 9 / 10);
}
