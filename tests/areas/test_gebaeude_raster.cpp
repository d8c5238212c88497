// The grid-backed building tests against plain scans over every point and
// every earlier building, on random hand-built models: the same answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "areas/gebaeude.h"
#include "core/funktionen.h"
#include "core/vorlagen.h"
#include "geometry/eingrenzen.h"
#include "laufhilfe.h"

using namespace tarvello;

namespace {

struct Feld : Laufaufbau<> {
    explicit Feld(std::uint64_t seed) : Laufaufbau(seed) {
        p = parameter_umrechnen(start_steuerwerte());
        p.haus_gxy_max = 6 + z.rnd() * 30;
        m.dimensionieren(40, p.weg_punkte_max, 400, 0, 0);
        m.stadt_abmessung = p.stadt_abmessung;
        const float a = p.stadt_abmessung;
        const int n = 3 + static_cast<int>(z.rnd() * 20.0f);
        for (int w = 1; w <= n; ++w) {
            Weg& weg = m.wege[static_cast<std::size_t>(w)];
            weg.ist_fluss = w <= 2 ? 1 : 0;
            // Rivers may be far wider than the box margin is made for.
            weg.breite = w <= 2 ? 1.0f + z.rnd() * 60.0f : 0.5f + z.rnd() * 4.0f;
            float x = z.rnd() * a, y = z.rnd() * a, r = z.rnd() * 6.3f;
            const int punkte = 10 + static_cast<int>(z.rnd() * 150.0f);
            for (int k = 1; k <= punkte; ++k) {
                weg.punkt_setzen(k, x, y);
                r += (z.rnd() - 0.5f) * 0.6f;
                // Now and then a long jump, as at bridges and gates.
                const float schritt = z.rnd() < 0.02f ? 40.0f : 0.6f * weg.breite + 0.3f;
                x += schritt * std::cos(r);
                y += schritt * std::sin(r);
            }
            weg.n_punkte = static_cast<std::int16_t>(punkte);
        }
        m.n_wege = static_cast<std::int16_t>(n);
        for (int w = 1; w <= n; ++w)
            weg_rahmen(m, p, w);
        for (int q = 1; q <= 300; ++q) {
            const float t = static_cast<float>(q) / 300.0f * 6.283f;
            m.mauer_x.push_back(a / 2 + a / 3 * std::cos(t));
            m.mauer_y.push_back(a / 2 + a / 3 * std::sin(t));
            m.mauer_flag.push_back(z.rnd() < 0.7f ? 1 : 0);
        }
        m.mauer_n_punkte = 300;
        m.mauer_vorhanden = true;
    }

    Kandidat kandidat() {
        Kandidat k;
        const float a = p.stadt_abmessung;
        // Near a random way point or the wall, sometimes anywhere.
        const Weg& w = m.wege[static_cast<std::size_t>(
            1 + static_cast<int>(z.rnd() * static_cast<float>(m.n_wege)))];
        const int j = 1 + static_cast<int>(z.rnd() * static_cast<float>(w.n_punkte - 1));
        const float u = z.rnd();
        k.x = u < 0.6f ? w.px(j) + (z.rnd() - 0.5f) * 40 : (u < 0.8f ? a / 2 + a / 3 : z.rnd() * a);
        k.y = u < 0.6f ? w.py(j) + (z.rnd() - 0.5f) * 40
                       : (u < 0.8f ? a / 2 + (z.rnd() - 0.5f) * 60 : z.rnd() * a);
        k.rund = z.rnd() < 0.2f ? 1 : 0;
        k.a = 2 + z.rnd() * 30;
        k.b = k.rund ? k.a : 2 + z.rnd() * 30;
        const float wi = z.rnd() * 6.28f, d = winkel_aus(k.a, k.b), r = k.a / 2;
        const float ws[5] = {0, wi + d, wi + 3.1415925f - d, wi + d + 3.1415925f, wi - d};
        for (int c = 1; c <= 4; ++c) {
            k.ex[static_cast<std::size_t>(c)] = k.x + r * std::cos(ws[c]);
            k.ey[static_cast<std::size_t>(c)] = k.y + r * std::sin(ws[c]);
        }
        return k;
    }
};

// Every point of every way whose box holds the centre (the box widened for
// rivers wider than its margin), every edge point of the candidate.
bool weg_alle(const Feld& f, const Kandidat& k) {
    float reich = k.rund == 1 ? k.a / 2 : 0.0f;
    for (int c = 1; c <= 4 && k.rund == 0; ++c)
        reich = std::max(reich, abstand(k.x, k.y, k.ex[static_cast<std::size_t>(c)],
                                        k.ey[static_cast<std::size_t>(c)]));
    for (int w = 1; w <= f.m.n_wege; ++w) {
        const Weg& weg = f.m.wege[static_cast<std::size_t>(w)];
        const float h = weg.breite / 2;
        const float mehr = std::max(0.0f, reich + h - weg_rand(f.p));
        if (!(weg.x_min - mehr < k.x && k.x < weg.x_max + mehr && weg.y_min - mehr < k.y &&
              k.y < weg.y_max + mehr))
            continue;
        for (int j = 1; j <= weg.n_punkte; ++j) {
            if (k.rund == 1) {
                if (k.a / 2 + h > abstand(k.x, k.y, weg.px(j), weg.py(j))) return true;
                continue;
            }
            const int n = std::min(20, static_cast<int>(std::floor((k.a / 2) / h)) + 1);
            const auto& ex = k.ex;
            const auto& ey = k.ey;
            for (int t = 0; t <= n; ++t) {
                const float ft = static_cast<float>(t), fr = static_cast<float>(n - t),
                            fn = static_cast<float>(n);
                const float px[4] = {(fr * ex[2] + ft * ex[1]) / fn, (fr * ex[3] + ft * ex[2]) / fn,
                                     (ft * ex[3] + fr * ex[4]) / fn,
                                     (ft * ex[1] + fr * ex[4]) / fn};
                const float py[4] = {(fr * ey[2] + ft * ey[1]) / fn, (fr * ey[3] + ft * ey[2]) / fn,
                                     (ft * ey[3] + fr * ey[4]) / fn,
                                     (ft * ey[1] + fr * ey[4]) / fn};
                for (int e = 0; e < 4; ++e)
                    if (abstand(px[e], py[e], weg.px(j), weg.py(j)) < h) return true;
            }
        }
    }
    return false;
}

bool mauer_alle(const Feld& f, const Kandidat& k) {
    const float grenze = f.p.haus_gxy_max + f.p.Mauer_Dicke;
    for (int i = 1; i <= f.m.mauer_n_punkte; ++i) {
        const auto q = static_cast<std::size_t>(i);
        if (f.m.mauer_flag[q] == 0) continue;
        if (k.rund == 1) {
            if (abstand(k.x, k.y, f.m.mauer_x[q], f.m.mauer_y[q]) < grenze) return true;
        } else {
            for (int c = 1; c <= 4; ++c)
                if (abstand(k.ex[static_cast<std::size_t>(c)], k.ey[static_cast<std::size_t>(c)],
                            f.m.mauer_x[q], f.m.mauer_y[q]) < grenze)
                    return true;
        }
    }
    return false;
}

} // namespace

TEST(GebaeudeRaster, WegUndMauerWieDerVolleDurchlauf) {
    int wege = 0, mauern = 0, faelle = 0;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Feld f(seed);
        Lauf l = f.lauf();
        const Stufendaten d = stufendaten_bilden(f.m);
        for (int n = 0; n < 300; ++n) {
            const Kandidat k = f.kandidat();
            const bool w = weg_kollision(l, k, d);
            ASSERT_EQ(w, weg_alle(f, k)) << "seed " << seed << " case " << n;
            const bool mk = mauer_kollision(l, k, d);
            ASSERT_EQ(mk, mauer_alle(f, k)) << "seed " << seed << " case " << n;
            wege += w;
            mauern += mk;
            ++faelle;
        }
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(wege, faelle / 10);
    EXPECT_LT(wege, faelle * 9 / 10);
    EXPECT_GT(mauern, faelle / 20);
}

TEST(GebaeudeRaster, NaechsterWegWieDerVolleDurchlauf) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Feld f(seed);
        const Stufendaten d = stufendaten_bilden(f.m);
        for (int n = 0; n < 300; ++n) {
            const Kandidat k = f.kandidat();
            // Sometimes far off the map, where only the widening search finds a way.
            const float x = n % 10 == 0 ? k.x * 3 - 2000 : k.x, y = n % 10 == 0 ? -k.y : k.y;
            const NaechsterWeg alle = naechster_weg(f.m, x, y);
            const NaechsterWeg raster = naechster_weg_raster(f.m, d, x, y);
            ASSERT_EQ(raster.weg, alle.weg) << seed << " " << n;
            ASSERT_EQ(raster.punkt, alle.punkt) << seed << " " << n;
            ASSERT_EQ(raster.abstand, alle.abstand) << seed << " " << n;
        }
    }
}

TEST(GebaeudeRaster, UeberlappungWieDerVolleDurchlauf) {
    int treffer = 0, faelle = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Feld f(seed);
        Stufendaten d = stufendaten_bilden(f.m);
        // Kept buildings packed into one corner of the map, then candidates among them.
        int gesetzt = 0;
        for (int n = 0; n < 400 && gesetzt < 399; ++n) {
            Kandidat k = f.kandidat();
            k.x = 100 + f.z.rnd() * 200;
            k.y = 100 + f.z.rnd() * 200;
            const float wi = f.z.rnd() * 6.28f, dw = winkel_aus(k.a, k.b), r = k.a / 2;
            const float ws[5] = {0, wi + dw, wi + 3.1415925f - dw, wi + dw + 3.1415925f, wi - dw};
            for (int c = 1; c <= 4; ++c) {
                k.ex[static_cast<std::size_t>(c)] = k.x + r * std::cos(ws[c]);
                k.ey[static_cast<std::size_t>(c)] = k.y + r * std::sin(ws[c]);
            }
            const int b = gesetzt + 1;
            Haus& h = f.m.haeuser[static_cast<std::size_t>(b)];
            h.rund = k.rund;
            h.x = k.x;
            h.y = k.y;
            h.breite = k.a;
            h.laenge = k.b;
            haus_rahmen_setzen(h, k.ex, k.ey, k.x, k.y, k.a);
            const int letzter = b - 1 - (f.z.rnd() < 0.3f ? 1 : 0);
            bool alle = false;
            for (int j = 1; j <= letzter && !alle; ++j)
                alle = haeuser_ueberlappen(h, k.ex, k.ey, f.m.haeuser[static_cast<std::size_t>(j)]);
            ASSERT_EQ(haeuser_kollision(f.m, d, b, k.ex, k.ey, letzter), alle) << seed << " " << n;
            ++faelle;
            treffer += alle;
            if (!alle) {
                for (int c = 1; c <= 4; ++c) {
                    h.ecke_x[static_cast<std::size_t>(c)] = k.ex[static_cast<std::size_t>(c)];
                    h.ecke_y[static_cast<std::size_t>(c)] = k.ey[static_cast<std::size_t>(c)];
                }
                haus_eintragen(d, f.m, b);
                ++gesetzt;
            }
        }
    }
    EXPECT_GT(treffer, faelle / 5);
    EXPECT_LT(treffer, faelle);
}

// Way points placed right at the limit of a sampled outline point, a hair
// inside or outside: the quick edge bound must never hide a hit, and the
// sampled points must be the ones the plain scan tests.
TEST(GebaeudeRaster, WegpunkteAmRandDerProbenWieDerVolleDurchlauf) {
    int treffer = 0, faelle = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Feld f(seed);
        for (int n = 0; n < 60; ++n) {
            Kandidat k = f.kandidat();
            k.rund = 0;
            // A short way of one point near a sampled point of edge 2-1.
            Weg& weg = f.m.wege[3];
            const float h = weg.breite / 2;
            const int proben = std::min(20, static_cast<int>(std::floor((k.a / 2) / h)) + 1);
            const int t = static_cast<int>(f.z.rnd() * static_cast<float>(proben + 1));
            const float ft = static_cast<float>(t), fr = static_cast<float>(proben - t),
                        fn = static_cast<float>(proben);
            const float px = (fr * k.ex[2] + ft * k.ex[1]) / fn;
            const float py = (fr * k.ey[2] + ft * k.ey[1]) / fn;
            const float wi = f.z.rnd() * 6.283f;
            const float faktor[4] = {0.999999f, 1.0f, 1.000001f, 1.00001f};
            const float r = h * faktor[n % 4];
            weg.punkt_setzen(1, px + r * std::cos(wi), py + r * std::sin(wi));
            weg.n_punkte = 1;
            weg_rahmen(f.m, f.p, 3);
            Lauf l = f.lauf();
            const Stufendaten d = stufendaten_bilden(f.m);
            const bool w = weg_kollision(l, k, d);
            ASSERT_EQ(w, weg_alle(f, k)) << "seed " << seed << " case " << n;
            treffer += w;
            ++faelle;
        }
    }
    EXPECT_GT(treffer, faelle / 4);
    EXPECT_LT(treffer, faelle);
}
