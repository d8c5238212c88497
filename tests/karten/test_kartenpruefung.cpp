#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/zahlen.h"
#include "karten/kartenpruefung.h"

using namespace tarvello;

namespace {

using Punkte = std::vector<std::pair<float, float>>;

// A hand-built town. The river (way 1, weg_breite 10: drawn 3.025 m either
// side) runs along y = 0; street 2 (weg_breite 4: drawn 1.21 m) crosses it on
// a bridge from y = -30 to 30; street 3 passes the wall at x = 40 through the
// gate between y = 18 and 22. Building 2 is a row member touching building 1 at x = 16.
// Towers: round at (40, -30) (radius 1.5), square at (40, 30).
struct Stadtbau {
    Stadtmodell m;

    Stadtbau() {
        m.dimensionieren(10, 100, 10, 0, 0);
        m.stadt_abmessung = 200;
        m.mauer_parameter = 1;
        m.mauer_dicke = 1;
        weg({{-50, 0}, {-20, 1}, {10, -1}, {50, 0}}, 10, true);
        weg({{0, -30}, {0, -10}, {0, 10}, {0, 30}}, 4);
        weg({{30, 20}, {50, 20}}, 4);
        rechteck(10, 7, 16, 11);
        haus({22, 16, 16, 22}, {11, 11, 7, 7}); // corner 2 on building 1's corner 1
        mauer({{40, -30, 1},
               {40, 10, 1},
               {40, 18, 1},
               {40, 19, 0},
               {40, 21, 0},
               {40, 22, 1},
               {40, 30, 1}});
        turm_rund(40, -30, 1.5f);
        turm_eckig(40, 30, 1.5f);
    }

    int weg(const Punkte& p, float breite, bool fluss = false) {
        const int w = ++m.n_wege;
        if (fluss) ++m.n_fluesse;
        Weg& weg = m.weg(w);
        weg.breite = breite;
        weg.ist_fluss = fluss ? 1 : 0;
        weg.n_punkte = static_cast<std::int16_t>(p.size());
        for (std::size_t k = 0; k < p.size(); ++k)
            weg.punkt_setzen(static_cast<int>(k) + 1, p[k].first, p[k].second);
        return w;
    }
    int haus(std::array<float, 4> x, std::array<float, 4> y) {
        const int b = m.haus_naechster++;
        Haus& h = m.haus(b);
        for (int c = 1; c <= 4; ++c) {
            h.ecke_x[ix(c)] = x[ix(c) - 1];
            h.ecke_y[ix(c)] = y[ix(c) - 1];
        }
        h.x = (x[0] + x[2]) / 2;
        h.y = (y[0] + y[2]) / 2;
        return b;
    }
    // Corners in the generator's order: 1 right top, 2 left top, 3 left bottom.
    int rechteck(float x0, float y0, float x1, float y1) {
        return haus({x1, x0, x0, x1}, {y1, y1, y0, y0});
    }
    int rund(float x, float y, float durchmesser) {
        const int b = haus({x, x, x, x}, {y, y, y, y});
        m.haus(b).rund = 1;
        m.haus(b).breite = durchmesser;
        return b;
    }
    void mauer(const std::vector<std::array<float, 3>>& punkte) {
        m.mauer_n_punkte = static_cast<std::int32_t>(punkte.size());
        m.mauer_x.assign(punkte.size() + 1, 0);
        m.mauer_y.assign(punkte.size() + 1, 0);
        m.mauer_flag.assign(punkte.size() + 1, 0);
        for (std::size_t i = 0; i < punkte.size(); ++i) {
            m.mauer_x[i + 1] = punkte[i][0];
            m.mauer_y[i + 1] = punkte[i][1];
            m.mauer_flag[i + 1] = static_cast<std::uint8_t>(punkte[i][2]);
        }
        m.mauer_vorhanden = true;
    }
    Turm& turm(float x, float y, float form) {
        Turm& t = m.turm(++m.n_tuerme);
        t.art = 1;
        t.form = form;
        t.mx = x;
        t.my = y;
        return t;
    }
    void turm_rund(float x, float y, float r) { turm(x, y, 1).radius = r; }
    void turm_eckig(float x, float y, float g) {
        Turm& t = turm(x, y, 2);
        for (int c = 1; c <= 4; ++c) {
            const float a = static_cast<float>(2 * c - 1) * pi / 4.0f;
            t.x[ix(c)] = x + g * std::cos(a);
            t.y[ix(c)] = y + g * std::sin(a);
        }
    }
    // Turns building b's corners by `grad` degrees about its corner `c`.
    void drehen(int b, int c, float grad) {
        Haus& h = m.haus(b);
        const float px = h.ecke_x[ix(c)], py = h.ecke_y[ix(c)];
        const float a = grad * pi / 180.0f;
        for (int k = 1; k <= 4; ++k) {
            const float dx = h.ecke_x[ix(k)] - px, dy = h.ecke_y[ix(k)] - py;
            h.ecke_x[ix(k)] = px + dx * std::cos(a) - dy * std::sin(a);
            h.ecke_y[ix(k)] = py + dx * std::sin(a) + dy * std::cos(a);
        }
    }
};

TEST(Kartenpruefung, DieSaubereStadtHatNurIhreBruecke) {
    const Stadtbau s;
    const Kartenbefund b = karte_pruefen(s.m);
    EXPECT_EQ(b.fehler_gesamt(), 0) << befund_zeile(b);
    EXPECT_EQ(b.bruecken, 1);
    EXPECT_EQ(b.reihenglieder, 1);
    EXPECT_EQ(b.strassen, 2);
    EXPECT_EQ(b.fluesse, 1);
    EXPECT_EQ(b.tuerme, 2);
    EXPECT_EQ(b.gebaeude, 2);
    ASSERT_EQ(b.bruecken_orte.size(), 1u);
    EXPECT_NEAR(b.bruecken_orte[0].x, 0.0, 1e-6);
    EXPECT_NEAR(b.bruecken_orte[0].y, -1.0 / 3.0, 1e-3);
}

// One planted fault each, with the counts it must give (all others 0) and
// the element and place the first example names. Shapes that touch count
// nothing, even when they overlap by less than the map file's rounding.
struct Fall {
    const char* name;
    std::function<void(Stadtbau&)> pflanzen;
    std::map<Kartenfehler, int> erwartet;
    int element = 0; // of the first example of the first expected kind
    double x = 0, y = 0;
};

TEST(Kartenpruefung, JederGepflanzteFehlerWirdGefunden) {
    using F = Kartenfehler;
    const std::vector<Fall> faelle = {
        // Between the street's points (10 and 30 m away): only the segment
        // distance sees it.
        {"house on the street between its points",
         [](Stadtbau& s) { s.rechteck(1.0f, 18, 5, 22); },
         {{F::haus_auf_strasse, 1}},
         3,
         0,
         20},
        {"house touching the street's body",
         [](Stadtbau& s) { s.rechteck(1.205f, 18, 5, 22); },
         {}},
        {"round house on the street",
         [](Stadtbau& s) { s.rund(2.5f, 20, 3); },
         {{F::haus_auf_strasse, 1}},
         3,
         0,
         20},
        {"house in the river",
         [](Stadtbau& s) { s.rechteck(26, 1.5f, 30, 6); },
         {{F::haus_im_fluss, 1}},
         3,
         28,
         0},
        {"house on a tower",
         [](Stadtbau& s) { s.rechteck(41, -31, 45, -27); },
         {{F::haus_auf_turm, 1}, {F::turm_auf_haus, 1}},
         3,
         43,
         -29},
        {"tower on a street",
         [](Stadtbau& s) {
             s.weg({{34, -31}, {38, -31}}, 4);
         },
         {{F::turm_auf_strasse, 1}},
         1,
         38,
         -31},
        {"tower in the river",
         [](Stadtbau& s) { s.m.turm(1).my = 2; },
         {{F::turm_im_fluss, 1}},
         1,
         40,
         0},
        {"street point in the river",
         [](Stadtbau& s) {
             s.m.weg(2).punkt_setzen(2, 0, -1);
             s.m.weg(2).punkt_setzen(3, 0, 10);
         },
         {{F::strassenpunkt_im_fluss, 1}, {F::strecke_im_fluss, 1}},
         2,
         0,
         -1},
        // Over the round end of the river, 0.1 m from its last point: in the
        // body without a point in it, and no bridge.
        {"street segment over the river's end",
         [](Stadtbau& s) {
             s.weg({{49.9f, -6}, {49.9f, 6}}, 4);
         },
         {{F::strecke_im_fluss, 1}},
         4,
         50,
         0},
        {"street through the drawn wall",
         [](Stadtbau& s) {
             s.weg({{35, -5}, {45, -5}}, 4);
         },
         {{F::strecke_durch_mauer, 1}},
         4,
         40,
         -5},
        {"house over a house",
         [](Stadtbau& s) { s.rechteck(12, 9, 14, 14); },
         {{F::haus_auf_haus, 1}},
         3,
         13,
         11.5},
        {"house touching a house that is not its predecessor",
         [](Stadtbau& s) {
             s.haus({10, 16, 16, 10}, {14, 14, 10.995f, 10.995f});
         },
         {}},
        {"house over its predecessor, no row member",
         [](Stadtbau& s) { s.rechteck(18, 9, 20, 14); },
         {{F::haus_auf_haus, 1}},
         3,
         19,
         11.5},
        // Turned about the shared corner onto building 1: a wedge of about a
        // tenth, then two thirds of it.
        {"row member folding onto its predecessor",
         [](Stadtbau& s) { s.drehen(2, 2, -20); },
         {{F::reihe_auf_vorgaenger, 1}},
         2,
         18,
         8},
        {"row member over half its predecessor",
         [](Stadtbau& s) { s.drehen(2, 2, -90); },
         {{F::reihe_auf_vorgaenger, 1}, {F::reihe_deckt_vorgaenger, 1}},
         2,
         14,
         8},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Stadtbau s;
        f.pflanzen(s);
        const Kartenbefund b = karte_pruefen(s.m);
        for (int a = 0; a < n_fehlerarten; ++a) {
            const auto art = static_cast<Kartenfehler>(a);
            const auto it = f.erwartet.find(art);
            EXPECT_EQ(b[art], it == f.erwartet.end() ? 0 : it->second) << fehlerart_name(art);
        }
        if (f.erwartet.empty()) continue;
        const auto& beispiele = b.beispiele[static_cast<std::size_t>(f.erwartet.begin()->first)];
        ASSERT_FALSE(beispiele.empty());
        EXPECT_EQ(b.bruecken, 1);
        EXPECT_EQ(beispiele[0].element, f.element);
        EXPECT_LT(std::hypot(beispiele[0].x - f.x, beispiele[0].y - f.y), 5.0);
    }
}

} // namespace

// Generated towns of the presets with rivers, bridges and a wall: nothing
// stands where it cannot (a house in the water or on a street or tower, a
// tower on a way, a street in a river or through the drawn wall), rows sit
// flush, buildings hardly ever overlap, and every bridge reported is drawn.
class Vorlagenkarten : public ::testing::TestWithParam<int> {};

TEST_P(Vorlagenkarten, SindSauber) {
    const int vorlage = GetParam();
    int gebaeude = 0, ueberlappt = 0;
    for (std::uint64_t saat = 1; saat <= 5; ++saat) {
        bool fertig = false;
        const Kartenbefund b = vorlage_pruefen(vorlage, saat, {}, &fertig);
        ASSERT_TRUE(fertig) << "preset " << vorlage << " seed " << saat;
        for (int a = 0; a < n_fehlerarten; ++a) {
            const auto art = static_cast<Kartenfehler>(a);
            if (art == Kartenfehler::haus_auf_haus) continue;
            EXPECT_EQ(b[art], 0) << fehlerart_name(art) << ", preset " << vorlage << " seed "
                                 << saat;
        }
        EXPECT_EQ(b.bruecken, b.bruecken_gemeldet) << "preset " << vorlage << " seed " << saat;
        gebaeude += b.gebaeude;
        ueberlappt += b[Kartenfehler::haus_auf_haus];
    }
    ASSERT_GT(gebaeude, 0);
    EXPECT_LT(ueberlappt * 100, gebaeude) << ueberlappt << " of " << gebaeude;
}

INSTANTIATE_TEST_SUITE_P(Fluesse_Mauer_Bruecken, Vorlagenkarten, ::testing::Values(8, 9, 10, 11));

namespace {

// A small town that reads well as a whole: map side 100; a building in the
// middle; a square ring wall 30..70 with a gate at x = 50 on either side and
// a tower on a corner; the river (way 1) across the map at y = 20; the main
// street from edge to edge at x = 50 over a bridge and through both gates.
struct Ganzkarte {
    Stadtbau s;

    Ganzkarte() {
        Stadtmodell& m = s.m;
        m.dimensionieren(12, 100, 10, 0, 0);
        m.stadt_abmessung = 100;
        m.mauer_parameter = 1;
        m.mauer_dicke = 1;
        s.weg({{0, 20}, {100, 20}}, 4, true);
        s.weg({{50, 0}, {50, 100}}, 2);
        s.rechteck(48, 48, 52, 52);
        s.mauer({{30, 30, 1},
                 {48, 30, 1},
                 {50.5f, 30, 0},
                 {52, 30, 1},
                 {70, 30, 1},
                 {70, 70, 1},
                 {52, 70, 1},
                 {50.5f, 70, 0},
                 {48, 70, 1},
                 {30, 70, 1},
                 {30, 30, 1}});
        s.turm_rund(30, 30, 1.5f);
    }
};

struct Mangelfall {
    const char* name;
    std::function<void(Stadtbau&)> pflanzen;
    std::map<Kartenmangel, int> erwartet;
};

} // namespace

TEST(Kartenpruefung, JederGepflanzteMangelWirdGefunden) {
    using K = Kartenmangel;
    const std::vector<Mangelfall> faelle = {
        {"the clean town", [](Stadtbau&) {}, {}},
        {"a building far off the middle",
         [](Stadtbau& s) { s.rechteck(90, 50, 94, 54); },
         {{K::abseits, 1}}},
        {"the river through the wall",
         [](Stadtbau& s) {
             s.m.weg(1).punkt_setzen(1, 0, 35);
             s.m.weg(1).punkt_setzen(2, 100, 35);
         },
         {{K::mauer_ueber_fluss, 2}}},
        {"no street through the ring",
         [](Stadtbau& s) {
             s.m.weg(2).punkt_setzen(1, 45, 45);
             s.m.weg(2).punkt_setzen(2, 55, 45);
         },
         {{K::ohne_tor, 1}}},
        {"a tower inside the ring",
         [](Stadtbau& s) { s.turm_rund(60, 60, 1.5f); },
         {{K::einsamer_turm, 1}}},
        // From the main street and back onto it, turning back three times.
        {"a zig-zag street",
         [](Stadtbau& s) {
             s.weg({{50, 80}, {55, 81}, {51, 82}, {56, 83}, {52, 84}, {50, 85}}, 2);
         },
         {{K::kehrt_um, 1}}},
        {"a short branch ending in the fields",
         [](Stadtbau& s) {
             s.weg({{60, 20}, {60, 10}}, 2, true);
             std::swap(s.m.weg(2), s.m.weg(3)); // rivers come first
         },
         {{K::fluss_endet_im_feld, 1}}},
        {"a road ending in the fields",
         [](Stadtbau& s) {
             s.weg({{50, 90}, {80, 90}}, 2);
         },
         {{K::strasse_endet_kurz, 1}}},
        {"a road from the edge ending just over the bridge",
         [](Stadtbau& s) {
             s.weg({{20, 0}, {20, 26}}, 2);
         },
         {{K::bruecke_ins_nichts, 1}}},
    };
    for (const Mangelfall& f : faelle) {
        SCOPED_TRACE(f.name);
        Ganzkarte g;
        f.pflanzen(g.s);
        const Kartenbefund b = karte_pruefen(g.s.m);
        for (int a = 0; a < n_mangelarten; ++a) {
            const auto art = static_cast<Kartenmangel>(a);
            const auto it = f.erwartet.find(art);
            EXPECT_EQ(b[art], it == f.erwartet.end() ? 0 : it->second) << mangelart_name(art);
        }
    }
}

// Generated towns read well as a whole: centred, walls open over rivers and
// have gates, towers stand on the wall, no street zig-zags, bridges lead
// somewhere, and rivers and roads end in the fields only now and then.
class Vorlagenganzheit : public ::testing::TestWithParam<int> {};

TEST_P(Vorlagenganzheit, LiestSichAlsGanzes) {
    const int vorlage = GetParam();
    for (std::uint64_t saat = 1; saat <= 2; ++saat) {
        SCOPED_TRACE("preset " + std::to_string(vorlage) + " seed " + std::to_string(saat));
        bool fertig = false;
        const Kartenbefund b = vorlage_pruefen(vorlage, saat, {}, &fertig);
        ASSERT_TRUE(fertig);
        for (const Kartenmangel art : {Kartenmangel::abseits, Kartenmangel::mauer_ueber_fluss,
                                       Kartenmangel::ohne_tor, Kartenmangel::einsamer_turm,
                                       Kartenmangel::kehrt_um, Kartenmangel::bruecke_ins_nichts})
            EXPECT_EQ(b[art], 0) << mangelart_name(art) << ": " << befund_zeile(b);
        // Both ends of the river system's main course and every short
        // branch run off the map or into a river; a brook may end inside.
        EXPECT_LE(b[Kartenmangel::fluss_endet_im_feld], 1) << befund_zeile(b);
        // Roads stop in the fields only where nothing let them go on: one
        // in ten at most, one in a small town.
        EXPECT_LE(b[Kartenmangel::strasse_endet_kurz], std::max(1, b.strassen / 10))
            << befund_zeile(b);
        for (int a = 0; a < n_fehlerarten; ++a) {
            const auto art = static_cast<Kartenfehler>(a);
            if (art != Kartenfehler::haus_auf_haus) {
                EXPECT_EQ(b[art], 0) << fehlerart_name(art);
            }
        }
        EXPECT_EQ(b.bruecken, b.bruecken_gemeldet);
    }
}

INSTANTIATE_TEST_SUITE_P(Ganzheit, Vorlagenganzheit, ::testing::Values(3, 4, 8, 9, 10, 12, 13));
