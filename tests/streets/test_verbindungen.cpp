#include <gtest/gtest.h>

#include "core/parameter.h"
#include "geometry/eingrenzen.h"
#include "streets/verbindungen.h"

using namespace tarvello;

namespace {

Stadtmodell modell_mit_wegen(int n) {
    Stadtmodell m;
    m.dimensionieren(n + 2, 100, 1, 0, 0);
    for (int w = 1; w <= n; ++w) {
        for (int k = 1; k <= 30; ++k)
            m.wege[static_cast<std::size_t>(w)].punkt_setzen(k, static_cast<float>(k),
                                                             static_cast<float>(w));
        m.wege[static_cast<std::size_t>(w)].n_punkte = 30;
        m.wege[static_cast<std::size_t>(w)].breite = 1;
    }
    m.n_wege = static_cast<std::int16_t>(n);
    return m;
}

// Every link is stored at both ends, and nothing links beyond a way's end.
void pruefe_symmetrie(const Stadtmodell& m) {
    for (int w = 1; w <= m.n_wege; ++w) {
        for (const auto& [p, v] : m.wege[static_cast<std::size_t>(w)].verbindungen) {
            for (int j = 1; j <= v.n; ++j) {
                const int w2 = v.weg[static_cast<std::size_t>(j)];
                const int p2 = v.punkt[static_cast<std::size_t>(j)];
                const auto* gegen = m.wege[static_cast<std::size_t>(w2)].verbindungen_bei(p2);
                ASSERT_NE(gegen, nullptr) << w << ":" << p << " -> " << w2 << ":" << p2;
                bool gefunden = false;
                for (int l = 1; l <= gegen->n; ++l)
                    gefunden |= gegen->weg[static_cast<std::size_t>(l)] == w &&
                                gegen->punkt[static_cast<std::size_t>(l)] == p;
                EXPECT_TRUE(gefunden) << w << ":" << p << " -> " << w2 << ":" << p2;
            }
        }
    }
}

} // namespace

TEST(Verbindungen, ZweimalHintereinanderEinEintrag) {
    Stadtmodell m = modell_mit_wegen(2);
    verbindung_hinzufuegen(m, 1, 5, 2, 7);
    verbindung_hinzufuegen(m, 1, 5, 2, 7);
    EXPECT_EQ(m.wege[1].n_verbindungen(5), 1);
    EXPECT_EQ(m.wege[2].n_verbindungen(7), 1);
    EXPECT_EQ(m.wege[1].verbindungen_bei(5)->punkt[1], 7);
    // Only the last entry is compared, and only by way: another point of way 2 is refused too.
    verbindung_hinzufuegen(m, 1, 5, 2, 9);
    EXPECT_EQ(m.wege[1].n_verbindungen(5), 1);
    // Links are stored at both ends or not at all.
    EXPECT_EQ(m.wege[2].n_verbindungen(9), 0);
    // Coming from the other side it is refused the same way.
    verbindung_hinzufuegen(m, 2, 9, 1, 5);
    EXPECT_EQ(m.wege[2].n_verbindungen(9), 0);
    EXPECT_EQ(m.wege[1].n_verbindungen(5), 1);
    // A link to another way is added again when it is not the last entry.
    verbindung_hinzufuegen(m, 1, 5, 3, 1);
    verbindung_hinzufuegen(m, 1, 5, 2, 8);
    EXPECT_EQ(m.wege[1].n_verbindungen(5), 3);
    EXPECT_EQ(m.wege[2].n_verbindungen(8), 1);
    pruefe_symmetrie(m);
}

TEST(Verbindungen, ElfteVerbindungWirdNichtGespeichert) {
    Stadtmodell m = modell_mit_wegen(12);
    for (int w = 2; w <= 12; ++w)
        verbindung_hinzufuegen(m, 1, 3, w, 4);
    EXPECT_EQ(m.wege[1].n_verbindungen(3), 10);
    EXPECT_EQ(m.wege[1].verbindungen_bei(3)->weg[10], 11);
    // The refused link is stored at neither end; resetting way 12 leaves way 1 alone.
    EXPECT_EQ(m.wege[12].n_verbindungen(4), 0);
    weg_zuruecksetzen(m, 12);
    EXPECT_EQ(m.wege[1].n_verbindungen(3), 10);
    pruefe_symmetrie(m);
}

TEST(Verbindungen, ZuruecksetzenEntferntBeideSeitenUndHaeltReihenfolge) {
    Stadtmodell m = modell_mit_wegen(4);
    verbindung_hinzufuegen(m, 1, 10, 2, 1);
    verbindung_hinzufuegen(m, 1, 10, 3, 1);
    verbindung_hinzufuegen(m, 1, 10, 4, 1);
    verbindung_hinzufuegen(m, 3, 20, 2, 30);
    weg_zuruecksetzen(m, 3);
    EXPECT_EQ(m.wege[3].n_punkte, 0);
    EXPECT_EQ(m.wege[3].n_verbindungen(1), 0);
    EXPECT_EQ(m.wege[2].n_verbindungen(30), 0);
    const auto* v = m.wege[1].verbindungen_bei(10);
    ASSERT_NE(v, nullptr);
    ASSERT_EQ(v->n, 2);
    EXPECT_EQ(v->weg[1], 2);
    EXPECT_EQ(v->weg[2], 4);
    for (int w = 1; w <= 4; ++w)
        for (const auto& [p, e] : m.wege[static_cast<std::size_t>(w)].verbindungen)
            for (int j = 1; j <= e.n; ++j)
                EXPECT_NE(e.weg[static_cast<std::size_t>(j)], 3);
    pruefe_symmetrie(m);
}

TEST(Wegrahmen, RandUndLeererWeg) {
    Stadtmodell m = modell_mit_wegen(2);
    Parameter p;
    p.haus_seitenverhaeltnis_max = 2;
    p.haus_gxy_max = 10;
    p.weg_halbbreite_max = 3;
    weg_rahmen(m, weg_rand(p), 1);
    EXPECT_FLOAT_EQ(m.wege[1].x_min, 1 - 23);
    EXPECT_FLOAT_EQ(m.wege[1].x_max, 30 + 23);
    EXPECT_FLOAT_EQ(m.wege[1].y_min, 1 - 23);
    EXPECT_FLOAT_EQ(m.wege[1].y_max, 1 + 23);
    // A way without points gets an inverted box that contains nothing.
    m.wege[2].n_punkte = 0;
    weg_rahmen(m, weg_rand(p), 2);
    EXPECT_GT(m.wege[2].x_min, m.wege[2].x_max);
    EXPECT_GT(m.wege[2].y_min, m.wege[2].y_max);
}
