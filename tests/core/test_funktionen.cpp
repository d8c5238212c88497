#include <gtest/gtest.h>

#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"

using namespace tarvello;

TEST(Funktionen, RichtungswinkelQuadranten) {
    EXPECT_FLOAT_EQ(richtungswinkel(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(richtungswinkel(1, 0), 0.0f);
    EXPECT_NEAR(richtungswinkel(0, 1), pi / 2, 1e-6);
    EXPECT_FLOAT_EQ(richtungswinkel(-1, 0), pi);
    EXPECT_NEAR(richtungswinkel(0, -1), 3 * pi / 2, 1e-6);
    EXPECT_NEAR(richtungswinkel(1, 1), pi / 4, 1e-6);
    EXPECT_NEAR(richtungswinkel(-1, 1), 3 * pi / 4, 1e-6);
    EXPECT_NEAR(richtungswinkel(-1, -1), 5 * pi / 4, 1e-6);
    EXPECT_NEAR(richtungswinkel(1, -1), 7 * pi / 4, 1e-6);
    // Always in [0, 2 pi).
    for (float a = 0.0f; a < 6.28f; a += 0.01f) {
        const float w = richtungswinkel(std::cos(a), std::sin(a));
        ASSERT_GE(w, 0.0f);
        ASSERT_LT(w, 2 * pi);
    }
}

TEST(Funktionen, MittlereRichtungOhneUmbruchKorrektur) {
    // 350 deg then 10 deg average to 180 deg: callers rely on the plain mean.
    const float a350 = 350.0f * pi / 180.0f;
    const float a10 = 10.0f * pi / 180.0f;
    const float m =
        mittlere_richtung(0, 0, std::cos(a350), std::sin(a350), std::cos(a350) + std::cos(a10),
                          std::sin(a350) + std::sin(a10));
    EXPECT_NEAR(m, pi, 1e-4);
}

TEST(Funktionen, KleineHelfer) {
    EXPECT_EQ(minimum(2, 1), 1);
    EXPECT_EQ(maximum(2, 1), 2);
    EXPECT_FLOAT_EQ(abstand(0, 0, 3, 4), 5.0f);
    EXPECT_FLOAT_EQ(untergrenze_06(0.2f), 0.6f);
    EXPECT_FLOAT_EQ(untergrenze_06(0.7f), 0.7f);
    EXPECT_FLOAT_EQ(begrenzen_01(-1), 0);
    EXPECT_FLOAT_EQ(begrenzen_01(2), 1);
    EXPECT_FLOAT_EQ(begrenzen_01(0.3f), 0.3f);
    EXPECT_EQ(index_des_minimums(3, 1, 1, 2), 2);
    EXPECT_EQ(index_des_minimums(0, 0, 0, 0), 1);
    EXPECT_EQ(index_des_minimums(4, 3, 2, 1), 4);
    EXPECT_EQ(komma_zu_punkt("1,5;2,25"), "1.5;2.25");
}

TEST(Funktionen, UmrissRadiusRundUndQuadratisch) {
    Parameter p;
    Stadtmodell m;
    p.stadt_abmessung = 1000;
    p.stadt_durchmesser = 670;
    p.stadt_turbulenz = 0;
    m.stadtrand_n_wellen = 7;
    for (int k = 1; k <= 7; ++k) {
        m.stadtrand_frequenz[k] = static_cast<std::int16_t>(k + 1);
        m.stadtrand_amplitude[k] = 1.0f;
        m.stadtrand_phase[k] = 0.3f * static_cast<float>(k);
    }
    // No turbulence: the plain circle of 0.335 x the map side.
    for (float a = 0; a < 6.2f; a += 0.5f)
        EXPECT_NEAR(umriss_radius(p, m, a, 0.0f), 335.0f, 1e-3);
    // With turbulence the radius varies, but smoothing 1 gives the circle again.
    p.stadt_turbulenz = 0.5f;
    EXPECT_GT(std::fabs(umriss_radius(p, m, 0.4f, 0.0f) - 335.0f), 1.0f);
    EXPECT_NEAR(umriss_radius(p, m, 0.4f, 1.0f), 335.0f, 1e-3);

    p.stadt_form = 1;
    EXPECT_NEAR(umriss_radius(p, m, 0.0f, 0.0f), 375.0f, 1e-3);
    EXPECT_NEAR(umriss_radius(p, m, pi / 4, 0.0f), 0.75f * std::sqrt(2.0f) * 500.0f, 0.01f);
    // Symmetric in every quadrant.
    EXPECT_NEAR(umriss_radius(p, m, pi / 2, 0), 375.0f, 1e-2);
    EXPECT_NEAR(umriss_radius(p, m, 0.3f, 0), umriss_radius(p, m, pi + 0.3f, 0), 1e-2);
    EXPECT_NEAR(umriss_radius(p, m, 0.3f, 0), umriss_radius(p, m, pi / 2 - 0.3f, 0), 1e-2);
    p.stadt_form = 2;
    EXPECT_EQ(umriss_radius(p, m, 0.3f, 0), 0.0f);
}

TEST(Funktionen, GroessenGewicht) {
    // Peak weight 1 at the centre of the distribution, smaller away from it.
    EXPECT_NEAR(groessen_gewicht(6.5f, 3, 10, 0.5f, 0.4f), 1.0f, 1e-6);
    EXPECT_LT(groessen_gewicht(3.0f, 3, 10, 0.5f, 0.4f), 1.0f);
    EXPECT_GT(groessen_gewicht(3.0f, 3, 10, 0.5f, 0.4f), 0.0f);
    // Width 0 makes sigma 0: every size weighs 1.
    EXPECT_FLOAT_EQ(groessen_gewicht(3.0f, 3, 10, 0.5f, 0.0f), 1.0f);
    EXPECT_FLOAT_EQ(gauss_dichte(5, 1, 0), 1.0f);
    // The weight is the density over the density at the centre, to the bit
    // (the maps depend on it), also for sizes and ranges off the usual ones.
    float x = 0.37f;
    for (int i = 0; i < 2000; ++i) {
        x = std::fmod(x * 7.31f + 0.113f, 1.0f);
        const float lo = x * 40.0f - 5.0f, hi = lo + x * x * 30.0f, zentrum = 1.3f * x - 0.1f,
                    breite = std::fmod(x * 3.7f, 1.2f), g = lo - 3.0f + x * 50.0f;
        const float mu = lo + (hi - lo) * zentrum;
        const float sigma = (2.0f * breite) * (2.0f * breite) * (hi - lo);
        const float erwartet = gauss_dichte(g, mu, sigma) / gauss_dichte(mu, mu, sigma);
        const float w = groessen_gewicht(g, lo, hi, zentrum, breite);
        ASSERT_TRUE(w == erwartet || (std::isnan(w) && std::isnan(erwartet))) << i;
    }
    const float unendlich = INFINITY;
    EXPECT_TRUE(std::isnan(groessen_gewicht(1.0f, 0.0f, unendlich, 0.5f, 0.5f)));
    EXPECT_EQ(groessen_gewicht(1.0f, 0.0f, 0.0f, 0.5f, 0.5f), 1.0f);
}
