#include <gtest/gtest.h>

#include <limits>

#include "areas/fuellpunkte.h"
#include "core/stadtmodell.h"
#include "geometry/geometrie.h"
#include "render_hilfe.h"

using namespace tarvello;

namespace {

Flaeche quadrat(float seite, float schritt) {
    Flaeche f;
    testhilfe::flaeche_setzen(f,
                              {{10.0f, 10.0f},
                               {10.0f + seite, 10.0f},
                               {10.0f + seite, 10.0f + seite},
                               {10.0f, 10.0f + seite}},
                              schritt, 2.0f, 5.0f);
    return f;
}

void fuellen(const Flaeche& f, float abstand, float rand, Fuellpunkte& pool) {
    flaeche_fuellpunkte(f.x.data(), f.y.data(), f.n_punkte, abstand, f.x_max - f.x_min,
                        f.y_max - f.y_min, f.x_min, f.y_min, f.x_max, f.y_max, rand, pool);
}

} // namespace

TEST(Fuellpunkte, ReihenInnerhalbDesUmrisses) {
    const Flaeche f = quadrat(60.0f, 3.0f);
    Fuellpunkte pool;
    fuellen(f, 2.0f, 0.0f, pool);
    ASSERT_GT(pool.n, 100);
    // Box 70 wide, rows 2 apart: round(70 / 2 / 3) = 12 rows, the innermost
    // 24 from the outline; at the corners a row cuts across diagonally.
    float naechster = 1e9f, fernster = 0;
    for (int i = 1; i < pool.n; ++i) {
        const float x = pool.x[static_cast<std::size_t>(i)],
                    y = pool.y[static_cast<std::size_t>(i)];
        EXPECT_TRUE(punkt_in_polygon(x, y, f.x.data(), f.y.data(), f.n_punkte)) << i;
        const float rand = std::min({x - 10.0f, 70.0f - x, y - 10.0f, 70.0f - y});
        naechster = std::min(naechster, rand);
        fernster = std::max(fernster, rand);
    }
    EXPECT_NEAR(naechster, 2.0f / std::sqrt(2.0f), 0.01f);
    EXPECT_NEAR(fernster, 24.0f, 0.01f);
    EXPECT_NEAR(pool.fuell_abstand, 3.0f, 1e-4f);
    // The first point of a row never continues a stroke; most others do.
    EXPECT_EQ(pool.art[1], 0);
    int fortsetzend = 0;
    for (int i = 1; i < pool.n; ++i)
        fortsetzend += pool.art[static_cast<std::size_t>(i)];
    EXPECT_GT(fortsetzend, pool.n * 3 / 4);
}

TEST(Fuellpunkte, FensterUndLeereAnfragen) {
    const Flaeche f = quadrat(60.0f, 3.0f);
    Fuellpunkte pool;
    fuellen(f, 0.0f, 0.0f, pool);
    EXPECT_EQ(pool.n, 0);

    // A window cut down to the left half keeps only points inside it.
    flaeche_fuellpunkte(f.x.data(), f.y.data(), f.n_punkte, 2.0f, 70.0f, 70.0f, 0.0f, 0.0f, 40.0f,
                        80.0f, 0.0f, pool);
    ASSERT_GT(pool.n, 10);
    for (int i = 1; i < pool.n; ++i)
        EXPECT_LT(pool.x[static_cast<std::size_t>(i)], 40.0f);
    // The margin widens the window again.
    Fuellpunkte weiter;
    flaeche_fuellpunkte(f.x.data(), f.y.data(), f.n_punkte, 2.0f, 70.0f, 70.0f, 0.0f, 0.0f, 40.0f,
                        80.0f, 10.0f, weiter);
    EXPECT_GT(weiter.n, pool.n);
}

TEST(Fuellpunkte, PoolBleibtInDerKapazitaet) {
    // A large area with a tight spacing would give far more points.
    const Flaeche f = quadrat(2000.0f, 2.0f);
    Fuellpunkte pool;
    fuellen(f, 0.5f, 0.0f, pool);
    EXPECT_GT(pool.n, 29990);
    EXPECT_LE(pool.n, fuellpunkte_max);
}

TEST(Fuellpunkte, WinzigerAbstandOhneInnenflaecheEndet) {
    // Three points on one line (plus the repeated first) and a spacing that
    // would ask for about 1e31 rows: no point is inside, the work is bounded.
    Flaeche f;
    testhilfe::flaeche_setzen(f, {{10.0f, 10.0f}, {50.0f, 50.0f}, {90.0f, 90.0f}}, 40.0f, 2.0f,
                              5.0f);
    Fuellpunkte pool;
    fuellen(f, 1e-30f, 0.0f, pool);
    EXPECT_LE(pool.n, 1);
    fuellen(f, std::numeric_limits<float>::quiet_NaN(), 0.0f, pool);
    EXPECT_LE(pool.n, 1);

    // A sliver a hair wide does enclose something: the shared budget of
    // edge tests stops it and is spent.
    Flaeche s;
    testhilfe::flaeche_setzen(
        s, {{10.0f, 10.0f}, {90.0f, 90.02f}, {170.0f, 170.0f}, {90.0f, 89.98f}}, 0.5f, 2.0f, 5.0f);
    double budget = 1.0e6;
    flaeche_fuellpunkte(s.x.data(), s.y.data(), s.n_punkte, 1e-4f, s.x_max - s.x_min,
                        s.y_max - s.y_min, s.x_min, s.y_min, s.x_max, s.y_max, 0.0f, pool, nullptr,
                        &budget);
    EXPECT_LE(budget, 0.0);
}
