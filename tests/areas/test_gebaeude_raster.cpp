// The grid-backed building tests against plain scans over every point and
// every earlier building, on random hand-built models: the same answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "areas/gebaeude.h"
#include "core/funktionen.h"
#include "core/vorlagen.h"
#include "geometry/eingrenzen.h"
#include "laufhilfe.h"

using namespace tarvello;

namespace {

struct Feld : Laufaufbau {
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
            weg_rahmen(m, weg_rand(p), w);
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

// Squared distance of point p to segment a-b, in double.
double strecke2(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / l2, 0.0, 1.0) : 0.0;
    const double ex = ax + t * dx - px, ey = ay + t * dy - py;
    return ex * ex + ey * ey;
}

// Distance of segment a-b to the candidate's outline (a round building: to
// its centre), 0 when it crosses or lies inside the outline.
double umriss_abstand(const Kandidat& k, double ax, double ay, double bx, double by) {
    if (k.rund == 1) return std::sqrt(strecke2(k.x, k.y, ax, ay, bx, by));
    auto e = [&](int c) {
        return std::pair<double, double>(k.ex[static_cast<std::size_t>(c)],
                                         k.ey[static_cast<std::size_t>(c)]);
    };
    auto innen = [&](double px, double py) {
        int links = 0, rechts = 0;
        for (int c = 1; c <= 4; ++c) {
            const auto [x1, y1] = e(c);
            const auto [x2, y2] = e(c % 4 + 1);
            const double kreuz = (x2 - x1) * (py - y1) - (y2 - y1) * (px - x1);
            links += kreuz > 0;
            rechts += kreuz < 0;
        }
        return links == 0 || rechts == 0;
    };
    if (innen(ax, ay) || innen(bx, by)) return 0;
    double d2 = 1e300;
    for (int c = 1; c <= 4; ++c) {
        const auto [x1, y1] = e(c);
        const auto [x2, y2] = e(c % 4 + 1);
        // Crossing edges.
        const double o1 = (x2 - x1) * (ay - y1) - (y2 - y1) * (ax - x1);
        const double o2 = (x2 - x1) * (by - y1) - (y2 - y1) * (bx - x1);
        const double o3 = (bx - ax) * (y1 - ay) - (by - ay) * (x1 - ax);
        const double o4 = (bx - ax) * (y2 - ay) - (by - ay) * (x2 - ax);
        if ((o1 < 0) != (o2 < 0) && (o3 < 0) != (o4 < 0)) return 0;
        d2 = std::min({d2, strecke2(ax, ay, x1, y1, x2, y2), strecke2(bx, by, x1, y1, x2, y2),
                       strecke2(x1, y1, ax, ay, bx, by)});
    }
    return std::sqrt(d2);
}

// Every segment of every way (a way of one point: the point), measured
// against the outline: how far the nearest stays outside its limit (half
// the way's width, plus the radius of a round building); negative on a hit.
double weg_alle(const Feld& f, const Kandidat& k) {
    double reserve = 1e300;
    for (int w = 1; w <= f.m.n_wege; ++w) {
        const Weg& weg = f.m.wege[static_cast<std::size_t>(w)];
        const double grenze = weg.breite / 2.0 + (k.rund == 1 ? k.a / 2.0 : 0.0);
        for (int j = 1; j <= std::max(1, weg.n_punkte - 1); ++j) {
            const int j2 = std::min<int>(j + 1, weg.n_punkte);
            reserve = std::min(
                reserve, umriss_abstand(k, weg.px(j), weg.py(j), weg.px(j2), weg.py(j2)) - grenze);
        }
    }
    return reserve;
}

bool mauer_alle(const Feld& f, const Kandidat& k) {
    const float grenze = f.p.haus_gxy_max + f.p.mauer_dicke;
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
            const double reserve = weg_alle(f, k);
            // A hair from the limit either answer is right.
            if (std::fabs(reserve) > 1e-3) {
                ASSERT_EQ(w, reserve < 0) << seed << " " << n;
            }
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

// Ways passing a hair inside or outside the limit of a random point of the
// outline: a single point, a long segment whose ends are both far away (the
// points alone would miss it), a segment along the edge. Only what lies
// within the limit is caught.
TEST(GebaeudeRaster, WegeAmRandDesUmrissesWieDerVolleDurchlauf) {
    int treffer = 0, faelle = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Feld f(seed);
        for (int n = 0; n < 60; ++n) {
            Kandidat k = f.kandidat();
            k.rund = n % 5 == 0 ? 1 : 0;
            Weg& weg = f.m.wege[3];
            const float h = weg.breite / 2;
            // A point on the outline and the outward direction there.
            float px = 0, py = 0, nx = 0, ny = 0;
            const float t = f.z.rnd();
            if (k.rund == 1) {
                const float wi = t * 6.283f;
                nx = std::cos(wi);
                ny = std::sin(wi);
                px = k.x + k.a / 2 * nx;
                py = k.y + k.a / 2 * ny;
            } else {
                const int c = 1 + n % 4, c2 = c % 4 + 1;
                const auto i = static_cast<std::size_t>(c), i2 = static_cast<std::size_t>(c2);
                px = k.ex[i] + t * (k.ex[i2] - k.ex[i]);
                py = k.ey[i] + t * (k.ey[i2] - k.ey[i]);
                const float lx = k.ex[i2] - k.ex[i], ly = k.ey[i2] - k.ey[i];
                const float l = std::sqrt(lx * lx + ly * ly);
                // Outward: away from the centre.
                nx = ly / l;
                ny = -lx / l;
                if ((px - k.x) * nx + (py - k.y) * ny < 0) nx = -nx, ny = -ny;
            }
            const float faktor = (n / 5) % 2 == 0 ? 0.99f : 1.01f;
            const float qx = px + faktor * h * nx, qy = py + faktor * h * ny;
            const int art = n % 3;
            if (art == 0) {
                weg.punkt_setzen(1, qx, qy);
                weg.n_punkte = 1;
            } else {
                // Across the outward direction: from far off to far off.
                const float lang = art == 1 ? 200.0f : 0.3f;
                weg.punkt_setzen(1, qx - lang * ny, qy + lang * nx);
                weg.punkt_setzen(2, qx + lang * ny, qy - lang * nx);
                weg.n_punkte = 2;
            }
            weg_rahmen(f.m, weg_rand(f.p), 3);
            Lauf l = f.lauf();
            const Stufendaten d = stufendaten_bilden(f.m);
            const double reserve = weg_alle(f, k);
            if (std::fabs(reserve) < 1e-3) continue; // another way decides it
            const bool w = weg_kollision(l, k, d);
            ASSERT_EQ(w, reserve < 0) << "seed " << seed << " case " << n;
            treffer += w;
            ++faelle;
        }
    }
    EXPECT_GT(treffer, faelle / 4);
    EXPECT_LT(treffer, faelle);
}
