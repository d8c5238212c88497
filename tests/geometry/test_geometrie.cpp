#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"

using namespace tarvello;

namespace {

Weg gerader_weg(std::initializer_list<std::pair<float, float>> punkte, float breite = 2.0f) {
    Weg w;
    int k = 0;
    for (auto [x, y] : punkte)
        w.punkt_setzen(++k, x, y);
    w.n_punkte = static_cast<std::int16_t>(k);
    w.breite = breite;
    return w;
}

Haus rechteck(float x, float y, float b, float l) {
    Haus h;
    h.rund = 0;
    h.x = x;
    h.y = y;
    h.breite = b;
    h.laenge = l;
    h.ecke_x = {0, x - l / 2, x + l / 2, x + l / 2, x - l / 2, 0};
    h.ecke_y = {0, y - b / 2, y - b / 2, y + b / 2, y + b / 2, 0};
    Ecken ex{}, ey{};
    for (int c = 1; c <= 4; ++c) {
        ex[c] = h.ecke_x[c];
        ey[c] = h.ecke_y[c];
    }
    haus_rahmen_setzen(h, ex, ey, x, y, 0);
    return h;
}

Ecken ecken_x(const Haus& h) {
    return {0, h.ecke_x[1], h.ecke_x[2], h.ecke_x[3], h.ecke_x[4]};
}
Ecken ecken_y(const Haus& h) {
    return {0, h.ecke_y[1], h.ecke_y[2], h.ecke_y[3], h.ecke_y[4]};
}

Haus kreis(float x, float y, float r) {
    Haus h;
    h.rund = 1;
    h.x = x;
    h.y = y;
    h.breite = r;
    haus_rahmen_setzen(h, {}, {}, x, y, r);
    return h;
}

} // namespace

TEST(Geometrie, PunktRichtung) {
    const Weg w = gerader_weg({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    Richtung r = punkt_richtung(w, 1);
    EXPECT_FLOAT_EQ(r.vor, r.zurueck);
    EXPECT_FLOAT_EQ(r.vor, 0.0f);
    r = punkt_richtung(w, 2);
    EXPECT_NEAR(r.vor, pi / 2, 1e-6);
    EXPECT_NEAR(r.zurueck, 0.0f, 1e-6);
    EXPECT_NEAR(r.mittel, pi / 4, 1e-6);
    // At the last node the last segment gives the direction; nothing beyond is read.
    r = punkt_richtung(w, 4);
    EXPECT_NEAR(r.vor, pi, 1e-6);
    // A turn from 6.2 to 0.1 radians averages near pi (no wrap-around handling).
    const Weg u = gerader_weg({{0, 0},
                               {std::cos(6.2f), std::sin(6.2f)},
                               {std::cos(6.2f) + std::cos(0.1f), std::sin(6.2f) + std::sin(0.1f)}});
    EXPECT_NEAR(punkt_richtung(u, 2).mittel, 3.15f, 1e-3);
}

TEST(Geometrie, LagePruefenRundUndQuadratisch) {
    Parameter p;
    Stadtmodell m;
    p.stadt_abmessung = 1000;
    p.stadt_durchmesser = 670;
    p.bebauung_rel = 0.9f;
    p.kern_rel = 0.3f;
    m.zentrum_x = m.zentrum_y = 500;
    m.stadtrand_n_wellen = 7;
    for (int k = 1; k <= 7; ++k)
        m.stadtrand_frequenz[k] = 2;
    // Round town without turbulence: the outline is the circle of radius 335.
    Lage l = lage_pruefen(p, m, 500 + 335, 500);
    EXPECT_TRUE(l.in_stadt); // g = 1 counts as inside
    EXPECT_FALSE(l.in_bebauung);
    l = lage_pruefen(p, m, 500 + 336, 500);
    EXPECT_FALSE(l.in_stadt);
    EXPECT_FALSE(l.ausserhalb_karte);
    EXPECT_TRUE(lage_pruefen(p, m, 500 + 450, 500).ausserhalb_karte);
    l = lage_pruefen(p, m, 500 + 50, 500);
    EXPECT_TRUE(l.im_kern);
    EXPECT_TRUE(l.in_bebauung);

    // Squared: g = 1 is outside; off the map only beyond the map square.
    p.stadt_form = 1;
    l = lage_pruefen(p, m, 500 + 335, 500);
    EXPECT_FALSE(l.in_stadt);
    EXPECT_TRUE(lage_pruefen(p, m, 500 + 334, 500 + 334).in_stadt);
    EXPECT_FALSE(lage_pruefen(p, m, 999, 999).ausserhalb_karte);
    EXPECT_TRUE(lage_pruefen(p, m, 1001, 500).ausserhalb_karte);

    p.stadt_form = 5;
    l = lage_pruefen(p, m, 500, 500);
    EXPECT_FALSE(l.in_stadt || l.im_kern || l.in_bebauung || l.ausserhalb_karte);
}

TEST(Geometrie, PunktInPolygonHalboffen) {
    const float xs[] = {0, 0, 10, 10, 0, 0};
    const float ys[] = {0, 0, 0, 10, 10, 0};
    EXPECT_TRUE(punkt_in_polygon(5, 5, xs, ys, 5));
    EXPECT_TRUE(punkt_in_polygon(5, 0, xs, ys, 5));   // level with the bottom edge: inside
    EXPECT_FALSE(punkt_in_polygon(5, 10, xs, ys, 5)); // level with the top edge: outside
    EXPECT_FALSE(punkt_in_polygon(15, 5, xs, ys, 5));
    EXPECT_FALSE(punkt_in_polygon(-1, 5, xs, ys, 5));
    // No closing edge from n back to 1: without the repeated vertex the left edge
    // is missing, so a point left of the square sees only the right edge.
    EXPECT_TRUE(punkt_in_polygon(-1, 5, xs, ys, 4));
}

TEST(Geometrie, PolygonInnenpunktLiegtTiefInnen) {
    // A U open at the top: the box's centre lies in the notch, outside. The
    // arms and the base are 10 wide, so no inside point is more than 5 from
    // an edge; the point found comes close to that.
    const float ux[] = {0, 0, 30, 30, 20, 20, 10, 10, 0, 0};
    const float uy[] = {0, 0, 0, 30, 30, 10, 10, 30, 30, 0};
    float x = 0, y = 0;
    ASSERT_TRUE(polygon_innenpunkt(ux, uy, 9, x, y));
    EXPECT_TRUE(punkt_in_polygon(x, y, ux, uy, 9));
    float d = 1e9f;
    for (int i = 1; i <= 8; ++i)
        d = std::min(d, strecke_abstand(x, y, ux[i], uy[i], ux[i + 1], uy[i + 1]));
    EXPECT_GT(d, 4.5f);
    // Three points on one line, and a box of no height, enclose nothing.
    const float lx[] = {0, 0, 5, 10, 0}, ly[] = {0, 0, 5, 10, 0};
    EXPECT_FALSE(polygon_innenpunkt(lx, ly, 4, x, y));
    const float fx[] = {0, 0, 5, 10, 0}, fy[] = {0, 1, 1, 1, 1};
    EXPECT_FALSE(polygon_innenpunkt(fx, fy, 4, x, y));
}

TEST(Geometrie, StreckenSchnitt) {
    Schnitt s = strecken_schnitt(0, 0, 1, 1, 0, 1, 1, 0);
    ASSERT_TRUE(s.gefunden);
    EXPECT_FLOAT_EQ(s.x, 0.5f);
    EXPECT_FLOAT_EQ(s.y, 0.5f);
    // Touching at a shared end point.
    s = strecken_schnitt(0, 0, 1, 0, 1, 0, 2, 1);
    ASSERT_TRUE(s.gefunden);
    EXPECT_FLOAT_EQ(s.x, 1.0f);
    EXPECT_FLOAT_EQ(s.y, 0.0f);
    // Parallel with overlapping boxes: reported at A's start.
    s = strecken_schnitt(0, 0, 2, 2, 1, 1, 3, 3);
    ASSERT_TRUE(s.gefunden);
    EXPECT_FLOAT_EQ(s.x, 0.0f);
    EXPECT_FLOAT_EQ(s.y, 0.0f);
    // Parallel with disjoint boxes, zero-length segments, missing segments.
    EXPECT_FALSE(strecken_schnitt(0, 0, 1, 1, 2, 2, 3, 3).gefunden);
    EXPECT_FALSE(strecken_schnitt(0, 0, 0, 0, -1, 0, 1, 0).gefunden);
    EXPECT_FALSE(strecken_schnitt(-1, 0, 1, 0, 0, 0, 0, 0).gefunden);
    EXPECT_FALSE(strecken_schnitt(0, 0, 1, 0, 2, -1, 2, 1).gefunden);
    EXPECT_FALSE(strecken_schnitt(0, 0, 4, 0, 2, 1, 3, 3).gefunden);
}

TEST(Geometrie, OktantGrenzen) {
    EXPECT_EQ(oktant(0.0f), 1);
    EXPECT_EQ(oktant(pi / 4), 1);
    EXPECT_EQ(oktant(std::nextafter(pi / 4, 1.0f)), 2);
    EXPECT_EQ(oktant(pi), 4);
    EXPECT_EQ(oktant(3 * pi / 2), 6);
    EXPECT_EQ(oktant(2 * pi), 8);
    EXPECT_EQ(oktant(-0.1f), 0);
    EXPECT_EQ(oktant(2 * pi + 0.01f), 0);
}

TEST(Geometrie, NaechsterWeg) {
    Stadtmodell m;
    m.dimensionieren(4, 100, 1, 0, 0);
    m.wege[1] = gerader_weg({{0, 0}, {10, 0}}, 2.0f);
    m.wege[2] = gerader_weg({{0, 5}, {10, 5}}, 2.0f);
    m.n_wege = 2;
    NaechsterWeg n = naechster_weg(m, 10, 3);
    EXPECT_EQ(n.weg, 2);
    EXPECT_EQ(n.punkt, 2);
    EXPECT_FLOAT_EQ(n.abstand, 1.0f); // 2 minus half of the width 2
    // Inside a node's half width the result is negative.
    n = naechster_weg(m, 0, 0.5f);
    EXPECT_EQ(n.weg, 1);
    EXPECT_LT(n.abstand, 0.0f);
    // Equal candidates: the first way wins.
    m.wege[2] = gerader_weg({{0, 0}, {10, 0}}, 2.0f);
    EXPECT_EQ(naechster_weg(m, 0, 1).weg, 1);
    // Far away: nothing nearer than 10000.
    n = naechster_weg(m, 50000, 50000);
    EXPECT_FLOAT_EQ(n.abstand, 10000.0f);
    EXPECT_EQ(n.weg, 0);
}

TEST(Geometrie, HaeuserUeberlappen) {
    // Two round buildings whose radii sum to exactly their distance do not overlap.
    EXPECT_FALSE(haeuser_ueberlappen(kreis(0, 0, 2), {}, {}, kreis(5, 0, 3)));
    EXPECT_TRUE(haeuser_ueberlappen(kreis(0, 0, 2), {}, {}, kreis(4.9f, 0, 3)));
    // Disjoint boxes never overlap.
    EXPECT_FALSE(haeuser_ueberlappen(kreis(0, 0, 2), {}, {}, kreis(100, 0, 3)));

    // Rectangle and circle: the rectangle's half diagonal counts as its radius.
    const Haus r = rechteck(0, 0, 6, 8); // half diagonal 5
    // (Both circles' boxes overlap the rectangle's box, so the radius rule decides.)
    EXPECT_TRUE(haeuser_ueberlappen(r, ecken_x(r), ecken_y(r), kreis(4.5f, 3.5f, 1)));
    EXPECT_FALSE(haeuser_ueberlappen(r, ecken_x(r), ecken_y(r), kreis(4.9f, 3.9f, 1)));

    // Two rectangles: corner inside, the other way round, and apart.
    const Haus a = rechteck(0, 0, 4, 4);
    const Haus b = rechteck(3, 3, 4, 4);
    const Haus c = rechteck(4.5f, 0, 4, 4);
    EXPECT_TRUE(haeuser_ueberlappen(a, ecken_x(a), ecken_y(a), b));
    EXPECT_TRUE(haeuser_ueberlappen(b, ecken_x(b), ecken_y(b), a));
    EXPECT_FALSE(haeuser_ueberlappen(a, ecken_x(a), ecken_y(a), c));
    // A small rectangle fully inside a big one.
    const Haus gross = rechteck(0, 0, 20, 20);
    const Haus klein = rechteck(1, 1, 2, 2);
    EXPECT_TRUE(haeuser_ueberlappen(gross, ecken_x(gross), ecken_y(gross), klein));
    EXPECT_TRUE(haeuser_ueberlappen(klein, ecken_x(klein), ecken_y(klein), gross));
}

// The joint corner test of two quadrilaterals against the corners one by
// one: lattice corners give level edges, shared rows and points on the
// half-open ends; some corners are NaN.
TEST(Geometrie, EckenUeberlappenWieDieEinzelnenEcken) {
    Zufall z(31);
    int ja = 0, nein = 0;
    for (int n = 0; n < 20000; ++n) {
        const bool gitter = n % 2 == 0;
        auto wert = [&] { return gitter ? std::floor(z.rnd() * 6.0f) : z.rnd() * 10.0f; };
        Ecken ex{}, ey{};
        std::array<float, 4> jx{}, jy{};
        for (int c = 1; c <= 4; ++c) {
            ex[ix(c)] = wert();
            ey[ix(c)] = wert();
            jx[ix(c - 1)] = wert() + 5.0f;
            jy[ix(c - 1)] = wert();
        }
        if (n % 97 == 0) jy[ix(n % 4)] = std::nanf("");
        bool einzeln = false;
        for (int c = 1; c <= 4; ++c)
            einzeln = einzeln || punkt_vor_viereck(ex[ix(c)], ey[ix(c)], jx[0], jy[0], jx[1], jy[1],
                                                   jx[2], jy[2], jx[3], jy[3]);
        for (int c = 0; c < 4; ++c)
            einzeln = einzeln || punkt_vor_viereck(jx[ix(c)], jy[ix(c)], ex[1], ey[1], ex[2], ey[2],
                                                   ex[3], ey[3], ex[4], ey[4]);
        ASSERT_EQ(ecken_ueberlappen(ex, ey, jx.data(), jy.data()), einzeln) << n;
        (einzeln ? ja : nein) += 1;
    }
    EXPECT_GT(ja, 1000);
    EXPECT_GT(nein, 1000);
}

TEST(Geometrie, DrehenUndRahmen) {
    Ecken ex{0, 1, -1, -1, 1}, ey{0, 1, 1, -1, -1};
    ecken_drehen(ex, ey, 0, 0, pi / 2);
    EXPECT_NEAR(ex[1], -1, 1e-5);
    EXPECT_NEAR(ey[1], 1, 1e-5);
    EXPECT_NEAR(ex[3], 1, 1e-5);
    EXPECT_NEAR(ey[3], -1, 1e-5);
    const Gedreht g = punkt_drehen(2, 0, 1, 0, pi);
    EXPECT_NEAR(g.x, 0, 1e-5);
    EXPECT_NEAR(g.y, 0, 1e-5);
    EXPECT_NEAR(g.winkel, pi, 1e-6);

    Haus h;
    h.rund = 0;
    haus_rahmen_setzen(h, {0, 3, 5, 4, 2}, {0, -1, 0, 7, 6}, 0, 0, 0);
    EXPECT_EQ(h.x_min, 2);
    EXPECT_EQ(h.x_max, 5);
    EXPECT_EQ(h.y_min, -1);
    EXPECT_EQ(h.y_max, 7);
    h.rund = 7; // unknown shape: box left alone
    haus_rahmen_setzen(h, {}, {}, 100, 100, 1);
    EXPECT_EQ(h.x_min, 2);
}

TEST(Geometrie, LagePruefenWieMitDemUmrissradius) {
    // The quick paths through the radius bounds give the same flags as the
    // outline radius itself, for turbulent outlines and points everywhere,
    // many of them a hair from a threshold in their own direction.
    Zufall z(9);
    int schnell_moeglich = 0, knapp = 0;
    for (int stadt = 0; stadt < 400; ++stadt) {
        Parameter p;
        Stadtmodell m;
        p.stadt_abmessung = 1000;
        p.stadt_durchmesser = 670;
        p.stadt_turbulenz = z.rnd() * 1.2f;
        p.bebauung_rel = 0.5f + z.rnd() * 0.5f;
        p.kern_rel = p.bebauung_rel * z.rnd();
        m.zentrum_x = m.zentrum_y = 500;
        stadtrand_wuerfeln(m, z);
        for (int fall = 0; fall < 50; ++fall) {
            float x = z.rnd() * 1400 - 200, y = z.rnd() * 1400 - 200;
            if (fall % 2 == 1) {
                const float wi = z.rnd() * 6.2832f;
                const float schwellen[4] = {p.kern_rel, 1.0f, 1.333f, p.bebauung_rel};
                const float r = umriss_radius(p, m, wi, 0) * schwellen[fall / 2 % 4] *
                                (1.0f + (z.rnd() - 0.5f) * 0.02f);
                x = 500 + r * std::cos(wi);
                y = 500 + r * std::sin(wi);
            }
            const Lage l = lage_pruefen(p, m, x, y);
            const float dx = x - 500, dy = y - 500;
            const float g =
                std::sqrt(dx * dx + dy * dy) / umriss_radius(p, m, winkel_aus(dx, dy), 0);
            ASSERT_EQ(l.im_kern, g < p.kern_rel) << stadt << " " << fall;
            ASSERT_EQ(l.in_stadt, g <= 1.0f) << stadt << " " << fall;
            ASSERT_EQ(l.ausserhalb_karte, g > 1.333f) << stadt << " " << fall;
            ASSERT_EQ(l.in_bebauung, g <= p.bebauung_rel) << stadt << " " << fall;
            schnell_moeglich += g > 2.0f || g < 0.1f;
            knapp += std::fabs(g - 1.0f) < 0.01f;
        }
    }
    EXPECT_GT(schnell_moeglich, 1000);
    EXPECT_GT(knapp, 500);
}
