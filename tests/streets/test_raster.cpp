// The grid-backed searches of the street walk against plain scans over every
// point: the same junction, the same nearest river point, the same wall
// points. The design's skip-ahead scans may step over a point within reach;
// the grid finds it, so they may only answer later (or not at all).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "laufhilfe.h"
#include "streets/naehe.h"
#include "streets/strassen.h"
#include "streets/strassenpunkte.h"

using namespace tarvello;

namespace {

struct Feld : Laufaufbau {
    Lauf l = lauf();
    Strassenbau bau;

    explicit Feld(std::uint64_t seed) : Laufaufbau(seed) {
        p = parameter_umrechnen(start_steuerwerte());
        m.dimensionieren(40, p.weg_punkte_max, 1, 0, 0);
        m.stadt_abmessung = p.stadt_abmessung;
        const float a = p.stadt_abmessung;
        // Rivers 1..3 and streets 4..n: random walks with the generator's step.
        m.n_fluesse = 3;
        const int n = 4 + static_cast<int>(z.rnd() * 25.0f);
        for (int w = 1; w <= n; ++w) {
            Weg& weg = m.wege[static_cast<std::size_t>(w)];
            weg.ist_fluss = w <= 3 ? 1 : 0;
            weg.breite = w <= 3 ? 1.0f + z.rnd() * 5.0f
                                : p.weg_halbbreite_min +
                                      z.rnd() * (p.weg_halbbreite_max - p.weg_halbbreite_min);
            float x = z.rnd() * a, y = z.rnd() * a, r = z.rnd() * 6.3f;
            const int punkte = 20 + static_cast<int>(z.rnd() * 200.0f);
            for (int k = 1; k <= punkte; ++k) {
                weg.punkt_setzen(k, x, y);
                r += (z.rnd() - 0.5f) * 0.6f;
                x += p.weg_schritt_faktor * weg.breite * std::cos(r);
                y += p.weg_schritt_faktor * weg.breite * std::sin(r);
            }
            weg.n_punkte = static_cast<std::int16_t>(punkte);
        }
        m.n_wege = static_cast<std::int16_t>(n);
        // A wall ring with gaps.
        for (int q = 1; q <= 400; ++q) {
            const float t = static_cast<float>(q) / 400.0f * 6.283f;
            m.mauer_x.push_back(a / 2 + a / 3 * std::cos(t));
            m.mauer_y.push_back(a / 2 + a / 3 * std::sin(t));
            m.mauer_flag.push_back(z.rnd() < 0.8f ? 1 : 0);
        }
        m.mauer_n_punkte = 400;
        m.mauer_vorhanden = true;
        strassen_raster_aufbauen(l, bau);
        fluss_raster_aufbauen(l, bau);
        mauer_raster_aufbauen(l, bau);
    }

    // Puts the head near a random way point of way w (or anywhere).
    void kopf_setzen(int w) {
        const Weg& weg = m.wege[static_cast<std::size_t>(w)];
        const int k = 1 + static_cast<int>(z.rnd() * static_cast<float>(weg.n_punkte - 1));
        bau.gang.pos_x = weg.px(k) + (z.rnd() - 0.5f) * 8.0f;
        bau.gang.pos_y = weg.py(k) + (z.rnd() - 0.5f) * 8.0f;
        bau.gang.halbbreite = p.weg_halbbreite_min + z.rnd() * p.weg_halbbreite_max;
        bau.gang.i = 1 + static_cast<int>(z.rnd() * 300.0f);
    }
};

// Junction: the first qualifying point over all points, and the design's scan.
Treffer kreuzung_alle(const Lauf& l, const Gang& g, int w) {
    for (int v = l.m.erster_strassenweg(); v <= l.m.n_wege; ++v) {
        const Weg& o = l.m.wege[static_cast<std::size_t>(v)];
        for (int k = 1; k <= o.n_punkte; ++k) {
            const float d = abstand(g.pos_x, g.pos_y, o.px(k), o.py(k));
            if (d < (o.breite + g.halbbreite) / 2 && (v != w || std::abs(k - g.i) > 20))
                return {v, k};
        }
    }
    return {};
}
Treffer kreuzung_entwurf(const Lauf& l, const Gang& g, int w) {
    for (int v = l.m.erster_strassenweg(); v <= l.m.n_wege; ++v) {
        const Weg& o = l.m.wege[static_cast<std::size_t>(v)];
        for (int k = 1; k <= o.n_punkte;) {
            const float d = abstand(g.pos_x, g.pos_y, o.px(k), o.py(k));
            if (d < (o.breite + g.halbbreite) / 2 && (v != w || std::abs(k - g.i) > 20))
                return {v, k};
            const int n = static_cast<int>(std::floor(d / o.breite / l.p.weg_schritt_faktor));
            if (k + n > 30000) break;
            k = k + n + 1;
        }
    }
    return {};
}
bool frueher(Treffer a, Treffer b) {
    return a.weg < b.weg || (a.weg == b.weg && a.punkt < b.punkt);
}

Flusstreffer fluss_alle(const Lauf& l, const Gang& g) {
    Flusstreffer t;
    float beste = 1000000.0f;
    for (int r = 1; r <= l.m.n_fluesse; ++r) {
        const Weg& f = l.m.wege[static_cast<std::size_t>(r)];
        const float grenze = (l.p.abstand_weg_fluss * 2.5f + 0.8f) * (f.breite + g.halbbreite);
        for (int k = 1; k <= f.n_punkte; ++k) {
            const float d = abstand(g.pos_x, g.pos_y, f.px(k), f.py(k));
            if (d < beste && d < grenze) {
                beste = d;
                t = {r, k, d, d / grenze};
            }
        }
    }
    return t;
}

std::vector<int> mauer_alle(const Lauf& l, const Gang& g) {
    std::vector<int> v;
    const float grenze = 4.0f * (l.p.mauer_dicke + g.halbbreite);
    for (int q = 1; q <= l.m.mauer_n_punkte; ++q) {
        const auto i = static_cast<std::size_t>(q);
        if (l.m.mauer_flag[i] != 0 &&
            abstand(g.pos_x, g.pos_y, l.m.mauer_x[i], l.m.mauer_y[i]) < grenze)
            v.push_back(q);
    }
    return v;
}

} // namespace

TEST(Raster, KreuzungWieDerVolleDurchlauf) {
    int getroffen = 0, entwurf_spaeter = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        Feld f(seed);
        for (int n = 0; n < 200; ++n) {
            const int w = f.l.m.erster_strassenweg() +
                          static_cast<int>(f.z.rnd() * static_cast<float>(f.m.n_wege - 3));
            f.kopf_setzen(w);
            const Treffer raster = kreuzung_suchen(f.l, f.bau, w);
            const Treffer alle = kreuzung_alle(f.l, f.bau.gang, w);
            ASSERT_EQ(raster.weg, alle.weg) << seed;
            ASSERT_EQ(raster.punkt, alle.punkt) << seed;
            getroffen += raster.weg != 0;
            const Treffer entwurf = kreuzung_entwurf(f.l, f.bau.gang, w);
            if (entwurf.weg != raster.weg || entwurf.punkt != raster.punkt) {
                // The design's scan skipped the point the grid found.
                ASSERT_NE(raster.weg, 0);
                EXPECT_TRUE(entwurf.weg == 0 || frueher(raster, entwurf));
                ++entwurf_spaeter;
            }
        }
    }
    EXPECT_GT(getroffen, 1000); // the cases are not all empty
    RecordProperty("design_scan_later", entwurf_spaeter);
}

TEST(Raster, FlussUndMauerWieDerVolleDurchlauf) {
    int fluesse = 0, mauern = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        Feld f(seed);
        for (int n = 0; n < 200; ++n) {
            f.kopf_setzen(1 + static_cast<int>(f.z.rnd() * static_cast<float>(f.m.n_wege)));
            const Flusstreffer raster = fluss_suchen(f.l, f.bau);
            const Flusstreffer alle = fluss_alle(f.l, f.bau.gang);
            ASSERT_EQ(raster.fluss, alle.fluss);
            ASSERT_EQ(raster.punkt, alle.punkt);
            ASSERT_EQ(raster.abstand, alle.abstand);
            fluesse += raster.fluss != 0;
            // Wall: heads near the ring.
            const float t = f.z.rnd() * 6.283f, a = f.p.stadt_abmessung;
            f.bau.gang.pos_x = a / 2 + (a / 3 + (f.z.rnd() - 0.5f) * 30.0f) * std::cos(t);
            f.bau.gang.pos_y = a / 2 + (a / 3 + (f.z.rnd() - 0.5f) * 30.0f) * std::sin(t);
            const std::vector<int> nahe = mauerpunkte_nahe(f.l, f.bau);
            ASSERT_EQ(nahe, mauer_alle(f.l, f.bau.gang));
            mauern += !nahe.empty();
        }
    }
    EXPECT_GT(fluesse, 500);
    EXPECT_GT(mauern, 1000);
}

TEST(Raster, EntfernenUndPunkteAusserhalbDerKarte) {
    Punktraster r;
    r.neu(0, 100, 1);
    r.einfuegen(1, 1, 50, 50);
    r.einfuegen(1, 2, -500, 50); // off the covered square: border cell
    r.einfuegen(2, 1, 50.5f, 50);
    int n = 0;
    r.umkreis(-499, 50, 2, [&](const Rasterpunkt& p) { n += p.weg == 1 && p.punkt == 2; });
    EXPECT_EQ(n, 1);
    r.entfernen(1, 1, 50, 50);
    n = 0;
    r.umkreis(50, 50, 1, [&](const Rasterpunkt&) { ++n; });
    EXPECT_EQ(n, 1);
    EXPECT_EQ(r.anzahl(), 2u);
}

// The street points against a plain list, through what the street stage
// does to them: streets walked point by point, their last points taken back,
// whole streets taken out, rebuilds, points off the map. Every point within
// reach comes up, with its way's width, except the searching street's own
// neighbours, and nothing taken out does.
TEST(Raster, StrassenpunkteWieEineListe) {
    TestUhr uhr;
    Zufall z(5, uhr);
    const auto zahl = [&](int n) { return static_cast<int>(z.rnd() * static_cast<float>(n)); };
    for (int fall = 0; fall < 30; ++fall) {
        Strassenpunkte sp;
        std::vector<Rasterpunkt> alle;
        std::vector<float> breiten(13);
        const float zelle = 2.0f + z.rnd() * 10.0f;
        sp.neu(0.0f, 400.0f, zelle);
        int abfragen_mit_nachbarn = 0;
        for (int w = 1; w <= 12; ++w) {
            float x = z.rnd() * 400.0f, y = z.rnd() * 400.0f, a = z.rnd() * 6.3f;
            breiten[w] = 0.5f + z.rnd() * 4.0f;
            const int n = 5 + zahl(120);
            for (int k = 1; k <= n; ++k) {
                a += (z.rnd() - 0.5f) * 1.5f;
                x += 1.5f * std::cos(a);
                y += 1.5f * std::sin(a);
                const float px = k % 37 == 0 ? x - 900.0f : x; // off the covered square
                sp.einfuegen(w, k, px, y, breiten[w]);
                alle.push_back({px, y, w, k});
                if (z.rnd() < 0.05f && k > 4) {
                    // The last points taken back, then the walk goes on.
                    const int bis = k - 1 - zahl(3);
                    for (int j = bis + 1; j <= k; ++j) {
                        const auto it = std::find_if(alle.begin(), alle.end(), [&](const auto& p) {
                            return p.weg == w && p.punkt == j;
                        });
                        sp.entfernen(w, j, it->x, it->y);
                        alle.erase(it);
                    }
                    k = bis;
                }
                // A search from near the head, or anywhere for another way.
                const bool eigene = z.rnd() < 0.7f;
                const float qx = eigene ? x + (z.rnd() - 0.5f) * 10.0f : z.rnd() * 400.0f;
                const float qy = eigene ? y + (z.rnd() - 0.5f) * 10.0f : z.rnd() * 400.0f;
                const float r = z.rnd() * 12.0f;
                const int qw = eigene ? w : 1 + zahl(w);
                const int qk = eigene ? k + 10 - zahl(40) : zahl(n);
                std::vector<std::pair<int, int>> erwartet, gefunden;
                for (const Rasterpunkt& p : alle) {
                    if (std::fabs(p.x - qx) > r || std::fabs(p.y - qy) > r) continue;
                    if (p.weg == qw && std::abs(p.punkt - qk) <= eigene_nachbarn) {
                        ++abfragen_mit_nachbarn;
                        continue;
                    }
                    erwartet.emplace_back(p.weg, p.punkt);
                }
                sp.umkreis(qx, qy, r, qw, qk, [&](const Strassenpunkt& p) {
                    ASSERT_EQ(sp.breite(p.weg), breiten[p.weg]);
                    const bool da = std::any_of(alle.begin(), alle.end(), [&](const auto& e) {
                        return e.weg == p.weg && e.punkt == p.punkt && e.x == p.x && e.y == p.y;
                    });
                    ASSERT_TRUE(da) << "case " << fall << ": a point taken out comes up";
                    if (std::fabs(p.x - qx) <= r && std::fabs(p.y - qy) <= r &&
                        !(p.weg == qw && std::abs(p.punkt - qk) <= eigene_nachbarn))
                        gefunden.emplace_back(p.weg, p.punkt);
                });
                std::sort(erwartet.begin(), erwartet.end());
                std::sort(gefunden.begin(), gefunden.end());
                ASSERT_EQ(gefunden, erwartet) << "case " << fall << " way " << w << " point " << k;
            }
            ASSERT_EQ(sp.anzahl(), alle.size());
            if (z.rnd() < 0.3f) {
                // A street given up: taken out newest point first, or (as a
                // crossing of the wall cuts off its end) oldest first; it is
                // walked again, of another width.
                const bool neueste_zuerst = z.rnd() < 0.5f;
                for (int j = 1; j <= n; ++j) {
                    const int k = neueste_zuerst ? n + 1 - j : j;
                    const auto it = std::find_if(alle.begin(), alle.end(), [&](const auto& p) {
                        return p.weg == w && p.punkt == k;
                    });
                    if (it == alle.end()) continue;
                    sp.entfernen(w, k, it->x, it->y);
                    alle.erase(it);
                }
                ASSERT_EQ(sp.anzahl(), alle.size());
                --w;
                continue;
            }
            if (z.rnd() < 0.1f) {
                // Rebuilt from the list, as after the wall.
                sp.neu(0.0f, 400.0f, zelle);
                for (const Rasterpunkt& p : alle)
                    sp.einfuegen(p.weg, p.punkt, p.x, p.y, breiten[p.weg]);
                ASSERT_EQ(sp.anzahl(), alle.size());
            }
        }
        EXPECT_GT(abfragen_mit_nachbarn, 0);
    }
}

// The marks of nearness never deny a point within reach, also off the
// covered square, and do deny for most heads far from every point.
TEST(Raster, NaeheUebersiehtKeinenPunkt) {
    TestUhr uhr;
    Zufall z(9, uhr);
    for (int fall = 0; fall < 20; ++fall) {
        Naehe naehe;
        const float zelle = 5.0f + z.rnd() * 40.0f;
        naehe.neu(0.0f, 1000.0f, zelle);
        std::vector<std::pair<float, float>> punkte;
        for (int i = 0; i < 30; ++i) {
            const float x = (z.rnd() * 1.4f - 0.2f) * 1000.0f,
                        y = (z.rnd() * 1.4f - 0.2f) * 1000.0f;
            naehe.markieren(x, y);
            punkte.emplace_back(x, y);
        }
        int verneint = 0;
        for (int q = 0; q < 2000; ++q) {
            const float x = (z.rnd() * 1.6f - 0.3f) * 1000.0f,
                        y = (z.rnd() * 1.6f - 0.3f) * 1000.0f;
            const float r = z.rnd() * 2.5f * zelle;
            bool nah = false;
            for (const auto& [px, py] : punkte)
                nah = nah || abstand(x, y, px, py) <= r;
            const bool vielleicht = naehe.vielleicht(x, y, r);
            ASSERT_TRUE(!nah || vielleicht) << "case " << fall << " query " << q;
            verneint += !vielleicht;
        }
        EXPECT_GT(verneint, 100) << "case " << fall;
    }
}

// The static grid sizes itself to its points: queries anywhere, points far
// off or not finite, and a spread too wide for small cells all give what a
// plain walk over the points gives.
TEST(Raster, FeldFindetWasDerVolleDurchlaufFindet) {
    TestUhr uhr;
    Zufall z(7, uhr);
    for (int fall = 0; fall < 40; ++fall) {
        Punktfeld feld;
        std::vector<Rasterpunkt> alle;
        const float spanne = fall % 4 == 3 ? 1e7f : 50.0f + z.rnd() * 3000.0f;
        const int n = 1 + static_cast<int>(z.rnd() * 400.0f);
        for (int i = 1; i <= n; ++i) {
            float x = (z.rnd() - 0.3f) * spanne, y = (z.rnd() - 0.3f) * spanne;
            if (i % 97 == 0) x = std::numeric_limits<float>::quiet_NaN();
            if (i % 101 == 0) y = std::numeric_limits<float>::infinity();
            feld.sammeln(1, i, x, y);
            alle.push_back({x, y, 1, i});
        }
        feld.bauen(fall % 2 == 0 ? 0.0f : 4.0f, 4096);
        ASSERT_EQ(feld.anzahl(), alle.size());
        for (int q = 0; q < 200; ++q) {
            // Inside the points' box and well beyond it.
            const float x = (z.rnd() - 0.5f) * spanne * 2.0f, y = (z.rnd() - 0.5f) * spanne * 2.0f;
            const float r = z.rnd() * spanne * (q % 3 == 0 ? 1.0f : 0.05f);
            std::vector<int> erwartet, gefunden;
            for (const Rasterpunkt& p : alle)
                if (std::fabs(p.x - x) <= r && std::fabs(p.y - y) <= r) erwartet.push_back(p.punkt);
            feld.umkreis(x, y, r, [&](const Rasterpunkt& p) {
                if (std::fabs(p.x - x) <= r && std::fabs(p.y - y) <= r) gefunden.push_back(p.punkt);
            });
            std::sort(erwartet.begin(), erwartet.end());
            std::sort(gefunden.begin(), gefunden.end());
            ASSERT_EQ(gefunden, erwartet) << "case " << fall << " query " << q;
            const bool ein = feld.suchen(x, y, r, [&](const Rasterpunkt& p) {
                return std::fabs(p.x - x) <= r && std::fabs(p.y - y) <= r;
            });
            ASSERT_EQ(ein, !erwartet.empty()) << "case " << fall << " query " << q;
        }
    }
}

// The box grid reports every box that meets the query box (some may come up
// twice), also for boxes reaching beyond the covered square and in cells
// holding many boxes; filtered, it reports exactly those.
TEST(Raster, RahmenFindetJedenRahmenDerTrifft) {
    TestUhr uhr;
    Zufall z(11, uhr);
    for (int fall = 0; fall < 30; ++fall) {
        Rahmenraster raster;
        raster.neu(-100.0f, 1200.0f, 4.0f + z.rnd() * 40.0f);
        struct Rahmen {
            float x_lo, y_lo, x_hi, y_hi;
        };
        std::vector<Rahmen> alle;
        for (int i = 0; i < 300; ++i) {
            // Every seventh box in one crowded spot, so that cells hold many.
            const float streu = i % 7 == 0 ? 0.01f : 1.6f, rand = i % 7 == 0 ? -0.5f : 0.3f;
            const float x = (z.rnd() * streu - rand) * 1000.0f,
                        y = (z.rnd() * streu - rand) * 1000.0f;
            const float w = z.rnd() * (i % 17 == 0 ? 400.0f : 30.0f), h = z.rnd() * 30.0f;
            alle.push_back({x, y, x + w, y + h});
            raster.einfuegen(i, x, y, x + w, y + h);
        }
        for (int q = 0; q < 200; ++q) {
            const float x = (z.rnd() * 1.6f - 0.3f) * 1000.0f,
                        y = (z.rnd() * 1.6f - 0.3f) * 1000.0f;
            const Rahmen r{x, y, x + z.rnd() * 50.0f, y + z.rnd() * 50.0f};
            std::vector<int> erwartet, gefunden;
            for (int i = 0; i < static_cast<int>(alle.size()); ++i) {
                const Rahmen& a = alle[static_cast<std::size_t>(i)];
                if (!(a.x_lo > r.x_hi || r.x_lo > a.x_hi || a.y_lo > r.y_hi || r.y_lo > a.y_hi))
                    erwartet.push_back(i);
            }
            raster.suchen(r.x_lo, r.y_lo, r.x_hi, r.y_hi, [&](int i) {
                gefunden.push_back(i);
                return false;
            });
            std::sort(gefunden.begin(), gefunden.end());
            gefunden.erase(std::unique(gefunden.begin(), gefunden.end()), gefunden.end());
            for (const int i : erwartet)
                ASSERT_TRUE(std::binary_search(gefunden.begin(), gefunden.end(), i))
                    << "case " << fall << " query " << q << " box " << i;
            // Filtered by the kept boxes: exactly the meeting ones.
            std::vector<int> treffend;
            raster.suchen_treffend(r.x_lo, r.y_lo, r.x_hi, r.y_hi, [&](int i) {
                treffend.push_back(i);
                return false;
            });
            std::sort(treffend.begin(), treffend.end());
            treffend.erase(std::unique(treffend.begin(), treffend.end()), treffend.end());
            ASSERT_EQ(treffend, erwartet) << "case " << fall << " query " << q;
            // Early end: a query that stops at the first meeting box says so.
            const bool ein = raster.suchen(r.x_lo, r.y_lo, r.x_hi, r.y_hi, [&](int i) {
                const Rahmen& a = alle[static_cast<std::size_t>(i)];
                return !(a.x_lo > r.x_hi || r.x_lo > a.x_hi || a.y_lo > r.y_hi || r.y_lo > a.y_hi);
            });
            ASSERT_EQ(ein, !erwartet.empty());
        }
    }
}
