#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "areas/flaechen.h"
#include "generator/statistik.h"
#include "geometry/geometrie.h"
#include "laufhilfe.h"
#include "streets/verbindungen.h"

using namespace tarvello;

namespace {

// A hand-built way network with everything a stage needs around it.
struct Netz : Laufaufbau {
    Lauf l;

    explicit Netz(std::uint64_t saat = 1, int plaetze = 3, int parks = 3,
                  Sprache sprache = Sprache::englisch)
        : Laufaufbau(saat), l(lauf()) {
        wirt.sprache = sprache;
        p.weg_aufloesung = 0.4f;
        p.n_fluesse_max = 1;
        p.wege_anzahl = 20;
        p.weg_punkte_max = 500;
        p.n_plaetze = static_cast<std::int16_t>(plaetze);
        p.n_parks = static_cast<std::int16_t>(parks);
        p.plaetze_groesse_rel = 0.3f;
        p.parks_groesse_rel = 0.3f;
        m.dimensionieren(30, 20000, 10, plaetze, parks);
    }

    int weg(float breite, const Punktliste& punkte) {
        weg_setzen(m, m.n_wege + 1, breite, false, punkte);
        return m.n_wege;
    }

    int h[3] = {}, v[3] = {}; // the grid's streets

    // Three horizontal and three vertical streets, 0..20 in steps of 1, that
    // form four blocks of 10 x 10; linked at their nine crossings if asked.
    void gitter(bool verbinden, float breite = 3.0f) {
        for (int j = 0; j < 3; ++j) {
            std::vector<std::pair<float, float>> pt;
            for (int k = 0; k <= 20; ++k)
                pt.emplace_back(static_cast<float>(k), 10.0f * static_cast<float>(j));
            h[j] = weg(breite, pt);
        }
        for (int i = 0; i < 3; ++i) {
            std::vector<std::pair<float, float>> pt;
            for (int k = 0; k <= 20; ++k)
                pt.emplace_back(10.0f * static_cast<float>(i), static_cast<float>(k));
            v[i] = weg(breite, pt);
        }
        if (verbinden) gitter_verbinden();
    }

    void gitter_verbinden() {
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                verbindung_hinzufuegen(m, h[j], 10 * i + 1, v[i], 10 * j + 1);
    }
};

bool auf_gitter(float x, float y) {
    const bool x_linie = std::fmod(x, 10.0f) == 0.0f, y_linie = std::fmod(y, 10.0f) == 0.0f;
    return x >= 0 && x <= 20 && y >= 0 && y <= 20 && (x_linie || y_linie);
}

int benutzte_wege(const Umrisssuche& u) {
    int n = 0;
    for (auto b : u.weg_benutzt)
        n += b == 1;
    return n;
}

} // namespace

TEST(Umrisssuche, FindetImGitterEineGeschlosseneSchleifeUmEinenBlock) {
    int mit_mitte = 0;
    for (std::uint64_t s = 1; s <= 12; ++s) {
        SCOPED_TRACE(s);
        Netz n(s);
        n.gitter(true);
        const int mitte = 5; // the middle vertical street
        n.m.wege[mitte].breite = 2.0f;
        n.weg(0.5f, {{30, 30}, {31, 30}, {32, 30}}); // thin, apart, on no loop
        Umrisssuche u;
        flaeche_umriss_suchen(n.l, u);
        ASSERT_TRUE(u.umriss_gefunden);
        const int k = u.umriss_n_punkte;
        ASSERT_GE(k, 4);
        EXPECT_GE(u.umriss_n_roh, k);
        EXPECT_EQ(u.umriss_x[1], u.umriss_x[static_cast<std::size_t>(k)]);
        EXPECT_EQ(u.umriss_y[1], u.umriss_y[static_cast<std::size_t>(k)]);
        for (int i = 1; i <= k; ++i)
            EXPECT_TRUE(auf_gitter(u.umriss_x[static_cast<std::size_t>(i)],
                                   u.umriss_y[static_cast<std::size_t>(i)]))
                << i;
        // The loop goes round at least one block.
        int bloecke = 0;
        for (float bx : {5.0f, 15.0f})
            for (float by : {5.0f, 15.0f})
                bloecke += punkt_in_polygon(bx, by, u.umriss_x.data(), u.umriss_y.data(), k);
        EXPECT_GE(bloecke, 1);
        // Going round a block takes two streets of each direction.
        EXPECT_GE(benutzte_wege(u), 4);
        // The smallest width of the loop's own ways; failed walks do not count.
        const bool mitte_benutzt = u.weg_benutzt[mitte] == 1;
        mit_mitte += mitte_benutzt;
        EXPECT_EQ(u.umriss_min_breite, mitte_benutzt ? 2.0f : 3.0f);
    }
    EXPECT_GT(mit_mitte, 0);
    EXPECT_LT(mit_mitte, 12);
}

TEST(Umrisssuche, OhneVerbindungenGibtSieNach4000VersuchenAufUndLaesstDenUmrissStehen) {
    Netz n;
    n.gitter(false);
    Umrisssuche u;
    u.umriss_n_punkte = u.umriss_n_roh = 3;
    for (std::size_t i = 1; i <= 3; ++i)
        u.umriss_x[i] = u.umriss_y[i] = 7.0f;
    flaeche_umriss_suchen(n.l, u);
    EXPECT_FALSE(u.umriss_gefunden);
    EXPECT_EQ(n.wirt.nachgaben, 4000); // one yield per walk
    EXPECT_EQ(u.umriss_n_punkte, 3);
    EXPECT_EQ(u.umriss_n_roh, 3);
    for (std::size_t i = 1; i <= 3; ++i)
        EXPECT_EQ(u.umriss_x[i], 7.0f);
    EXPECT_EQ(benutzte_wege(u), 0);

    // Links made after a search count in the next one of the same tables.
    n.gitter_verbinden();
    flaeche_umriss_suchen(n.l, u);
    EXPECT_TRUE(u.umriss_gefunden);
}

TEST(Umrisssuche, EinLeeresNetzUndEinAbbruchBeendenDieSucheSofort) {
    Netz n;
    Umrisssuche u;
    flaeche_umriss_suchen(n.l, u);
    EXPECT_FALSE(u.umriss_gefunden);
    EXPECT_EQ(n.wirt.nachgaben, 0);

    n.gitter(true);
    n.l.anhalten(Halt::anwender);
    flaeche_umriss_suchen(n.l, u);
    EXPECT_FALSE(u.umriss_gefunden);
    EXPECT_EQ(n.wirt.nachgaben, 1);
}

// One straight way whose first point links to itself: the only loops are
// walks from p0 down to point 1 and back up again, 2 p0 points long, with
// 2 (p0 - 2) coincident pairs. Up to 15 pairs (p0 <= 9) pass.
TEST(Umrisssuche, VerwirftEineSchleifeDieUeberSichSelbstZuruecklaeuft) {
    int gefunden = 0, laengste = 0;
    for (std::uint64_t s = 1; s <= 60; ++s) {
        Netz n(s);
        std::vector<std::pair<float, float>> pt;
        for (int k = 1; k <= 40; ++k)
            pt.emplace_back(static_cast<float>(k), 0.0f);
        const int w = n.weg(1.0f, pt);
        verbindung_hinzufuegen(n.m, w, 1, w, 1);
        Umrisssuche u;
        flaeche_umriss_suchen(n.l, u);
        if (!u.umriss_gefunden) continue;
        ++gefunden;
        EXPECT_EQ(u.umriss_n_roh % 2, 0);
        laengste = std::max<int>(laengste, u.umriss_n_roh);
    }
    EXPECT_GT(gefunden, 30);
    EXPECT_EQ(laengste, 18);
}

TEST(Umrisssuche, DeckungsgleichePaareZaehlenGeordnetUndOhneNachbarn) {
    std::vector<std::uint64_t> puffer;
    auto zaehle = [&](std::vector<float> x, std::vector<float> y) {
        x.insert(x.begin(), 0.0f);
        y.insert(y.begin(), 0.0f);
        return deckungsgleiche_paare(x.data(), y.data(), static_cast<int>(x.size()) - 1, puffer);
    };
    EXPECT_EQ(zaehle({1, 2, 1, 2}, {0, 0, 0, 0}), 4);  // (1,3) (3,1) (2,4) (4,2)
    EXPECT_EQ(zaehle({1, 1, 2}, {0, 0, 0}), 0);        // neighbours do not count
    EXPECT_EQ(zaehle({1, 1, 1}, {0, 0, 0}), 2);        // only (1,3) and (3,1)
    EXPECT_EQ(zaehle({1, 2, 1}, {0, 0, 5}), 0);        // x alone is not enough
    EXPECT_EQ(zaehle({0.0f, 3, -0.0f}, {1, 1, 1}), 2); // -0 equals +0
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(zaehle({nan, 3, nan}, {1, 1, 1}), 0); // NaN equals nothing
}

// A ring of 200 points closed by a link from its last point to its first:
// every loop is one full lap: 200 points, the switch and the closing point.
TEST(Umrisssuche, EinGangUeberDenGrenzenWirdAufgegeben) {
    auto ring = [](Netz& n) {
        std::vector<std::pair<float, float>> pt;
        for (int k = 0; k < 200; ++k) {
            const float a = static_cast<float>(k) * 2.0f * 3.1415925f / 200.0f;
            pt.emplace_back(100.0f + 50.0f * std::cos(a), 100.0f + 50.0f * std::sin(a));
        }
        const int w = n.weg(2.0f, pt);
        verbindung_hinzufuegen(n.m, w, 200, w, 1);
    };
    {
        Netz n;
        ring(n);
        Umrisssuche u;
        flaeche_umriss_suchen(n.l, u);
        ASSERT_TRUE(u.umriss_gefunden);
        EXPECT_EQ(u.umriss_n_roh, 201);
        EXPECT_LT(u.umriss_n_punkte, 201); // a circle of short steps is thinned out
        EXPECT_EQ(u.n_zu_lang, 0);
    }
    {
        Netz n;
        ring(n);
        Umrisssuche u;
        u.punkte_max = 150;
        flaeche_umriss_suchen(n.l, u);
        EXPECT_FALSE(u.umriss_gefunden);
        EXPECT_GT(u.n_zu_lang, 0);
    }
    {
        Netz n;
        ring(n);
        Umrisssuche u;
        u.wege_max = 1; // no switch allowed
        flaeche_umriss_suchen(n.l, u);
        EXPECT_FALSE(u.umriss_gefunden);
        EXPECT_GT(u.n_zu_lang, 0);
    }
}

TEST(Umrisssuche, EinLinkInsLeereFuehrtNirgendwohin) {
    // Links to a way beyond n_wege or a point beyond a way's end (left over
    // from an earlier attempt) must never be followed.
    Netz n;
    n.gitter(true);
    for (int w = 1; w <= n.m.n_wege; ++w)
        for (int k = 1; k <= 21; ++k)
            verbindung_hinzufuegen(n.m, w, k, 25, 30000);
    Umrisssuche u;
    flaeche_umriss_suchen(n.l, u);  // must not read outside the tables
    ASSERT_TRUE(u.umriss_gefunden); // the real links still close a loop
    for (int i = 1; i <= u.umriss_n_punkte; ++i)
        EXPECT_TRUE(auf_gitter(u.umriss_x[static_cast<std::size_t>(i)],
                               u.umriss_y[static_cast<std::size_t>(i)]));
}

namespace {

Umrisssuche umriss(const std::vector<std::pair<float, float>>& pt) {
    Umrisssuche u;
    for (std::size_t i = 0; i < pt.size(); ++i) {
        u.umriss_x[i + 1] = pt[i].first;
        u.umriss_y[i + 1] = pt[i].second;
    }
    u.umriss_n_punkte = u.umriss_n_roh = static_cast<std::int16_t>(pt.size());
    return u;
}

std::vector<std::pair<float, float>> diagonale(int n) {
    std::vector<std::pair<float, float>> pt;
    for (int i = 0; i < n; ++i)
        pt.emplace_back(static_cast<float>(i), static_cast<float>(i));
    return pt;
}

} // namespace

TEST(Vereinfachung, UnterSechzigPunktenBleibtDerUmrissWieErIst) {
    const auto pt = diagonale(59);
    Umrisssuche u = umriss(pt);
    umriss_vereinfachen(u, 5);
    ASSERT_EQ(u.umriss_n_punkte, 59);
    for (int i = 0; i < 59; ++i)
        EXPECT_EQ(u.umriss_x[static_cast<std::size_t>(i) + 1],
                  pt[static_cast<std::size_t>(i)].first);
}

TEST(Vereinfachung, JederZweitePunktEinerGeradenFaelltProDurchgang) {
    {
        Umrisssuche u = umriss(diagonale(60));
        umriss_vereinfachen(u, 5);
        ASSERT_EQ(u.umriss_n_punkte, 31); // 29 even points go; 31 < 60 ends it
        for (int i = 1; i <= 30; ++i)
            EXPECT_EQ(u.umriss_x[static_cast<std::size_t>(i)], static_cast<float>(2 * i - 2));
        EXPECT_EQ(u.umriss_x[31], 59.0f); // the last point stays
    }
    {
        Umrisssuche u = umriss(diagonale(200));
        umriss_vereinfachen(u, 5);
        EXPECT_EQ(u.umriss_n_punkte, 51); // 200 -> 101 -> 51
        EXPECT_EQ(u.umriss_x[1], 0.0f);
        EXPECT_EQ(u.umriss_x[51], 199.0f);
    }
    {
        Umrisssuche u = umriss(diagonale(200));
        umriss_vereinfachen(u, 0); // at most one pass
        EXPECT_EQ(u.umriss_n_punkte, 101);
    }
}

TEST(Vereinfachung, EckenUndLangeSchritteBleiben) {
    // A 24 x 24 square walked anticlockwise, 97 points: the corners stay.
    std::vector<std::pair<float, float>> pt;
    for (int i = 0; i < 24; ++i)
        pt.emplace_back(static_cast<float>(i), 0.0f);
    for (int i = 0; i < 24; ++i)
        pt.emplace_back(24.0f, static_cast<float>(i));
    for (int i = 0; i < 24; ++i)
        pt.emplace_back(24.0f - static_cast<float>(i), 24.0f);
    for (int i = 0; i <= 24; ++i)
        pt.emplace_back(0.0f, 24.0f - static_cast<float>(i));
    Umrisssuche u = umriss(pt);
    umriss_vereinfachen(u, 5);
    EXPECT_LT(u.umriss_n_punkte, 97);
    for (auto [ex, ey] : {std::pair{0.0f, 0.0f}, {24.0f, 0.0f}, {24.0f, 24.0f}, {0.0f, 24.0f}}) {
        bool da = false;
        for (int i = 1; i <= u.umriss_n_punkte; ++i)
            da |= u.umriss_x[static_cast<std::size_t>(i)] == ex &&
                  u.umriss_y[static_cast<std::size_t>(i)] == ey;
        EXPECT_TRUE(da) << ex << "," << ey;
    }

    // Steps of a twentieth of the box diagonal or more are never removed.
    std::vector<std::pair<float, float>> grob;
    for (int i = 0; i < 70; ++i)
        grob.emplace_back(static_cast<float>(i), static_cast<float>(i));
    grob.emplace_back(75.0f, 75.0f); // far enough that 70 -> 71 is not short
    Umrisssuche v = umriss(grob);
    umriss_vereinfachen(v, 5);
    EXPECT_EQ(v.umriss_x[static_cast<std::size_t>(v.umriss_n_punkte)], 75.0f);
}

TEST(Flaechenstufen, ParksNehmenNurGefundeneSchleifenPlaetzeAlles) {
    Netz n(1, 2, 2);
    n.gitter(false); // nothing can be found
    Flaeche& park = n.m.parks[1];
    park.x = {0, 1, 2, 1};
    park.y = {0, 1, 1, 1};
    park.n_punkte = 3;
    park.wert = 9.0f;
    n.m.plaetze[1] = park;
    parks_setzen(n.l);
    EXPECT_EQ(n.m.parks[1].n_punkte, 3);
    EXPECT_EQ(n.m.parks[1].wert, 9.0f);
    EXPECT_EQ(n.m.parks[2].n_punkte, 0);
    plaetze_setzen(n.l);
    EXPECT_EQ(n.m.plaetze[1].n_punkte, 0); // overwritten by the empty search
    EXPECT_EQ(n.m.plaetze[2].n_punkte, 0);
    EXPECT_EQ(zaehlen(n.m).parks, 1);
    EXPECT_EQ(zaehlen(n.m).plaetze, 0);
}

TEST(Flaechenstufen, ImGitterBekommtJedeFlaecheEinenGeschlossenenUmriss) {
    // Each stage on a network of its own, as squares keep off parks.
    Netz n(3, 4, 4), q(3, 4, 4);
    n.gitter(true, 2.5f);
    q.gitter(true, 2.5f);
    parks_setzen(n.l);
    plaetze_setzen(q.l);
    for (auto* flaechen : {&n.m.parks, &q.m.plaetze}) {
        for (int i = 1; i <= 4; ++i) {
            const Flaeche& f = (*flaechen)[static_cast<std::size_t>(i)];
            ASSERT_GE(f.n_punkte, 4);
            EXPECT_EQ(f.x[1], f.x[static_cast<std::size_t>(f.n_punkte)]);
            EXPECT_EQ(f.y[1], f.y[static_cast<std::size_t>(f.n_punkte)]);
            EXPECT_EQ(f.wert, 2.5f);
        }
        EXPECT_EQ((*flaechen)[5].n_punkte, 0); // the spare row is left alone
    }
}

TEST(Flaechenstufen, PlaetzeNehmenKeineSchleifeEinesParks) {
    // A park on the lower left block of the grid and ten squares, for a few
    // seeds: no square covers the park or lies in it, and squares are found
    // on the other blocks.
    for (std::uint64_t saat = 1; saat <= 4; ++saat) {
        Netz n(saat, 10, 1);
        n.gitter(true);
        n.p.plaetze_groesse_rel = 0.0f;
        Flaeche& park = n.m.parks[1];
        std::vector<std::pair<float, float>> rand;
        for (int k = 0; k < 10; ++k)
            rand.emplace_back(static_cast<float>(k), 0.0f);
        for (int k = 0; k < 10; ++k)
            rand.emplace_back(10.0f, static_cast<float>(k));
        for (int k = 10; k > 0; --k)
            rand.emplace_back(static_cast<float>(k), 10.0f);
        for (int k = 10; k >= 0; --k)
            rand.emplace_back(0.0f, static_cast<float>(k));
        park.x.assign(rand.size() + 1, 0.0f);
        park.y.assign(rand.size() + 1, 0.0f);
        for (std::size_t k = 0; k < rand.size(); ++k) {
            park.x[k + 1] = rand[k].first;
            park.y[k + 1] = rand[k].second;
        }
        park.n_punkte = static_cast<std::int16_t>(rand.size());
        Umrisssuche u;
        plaetze_setzen(n.l, u);
        int gefunden = 0;
        for (int i = 1; i <= 10; ++i) {
            const Flaeche& f = n.m.plaetze[static_cast<std::size_t>(i)];
            if (f.n_punkte < 4) continue;
            ++gefunden;
            EXPECT_FALSE(punkt_in_polygon(5.0f, 5.0f, f.x.data(), f.y.data(), f.n_punkte))
                << "seed " << saat << ", square " << i;
            // The middle of the square's own block is never in the park.
            float sx = 0, sy = 0;
            for (int k = 1; k < f.n_punkte; ++k) {
                sx += f.x[static_cast<std::size_t>(k)];
                sy += f.y[static_cast<std::size_t>(k)];
            }
            sx /= static_cast<float>(f.n_punkte - 1);
            sy /= static_cast<float>(f.n_punkte - 1);
            EXPECT_FALSE(sx < 10.0f && sy < 10.0f) << "seed " << saat << ", square " << i;
        }
        EXPECT_GE(gefunden, 5) << saat;
        EXPECT_GT(u.n_abgelehnt, 0) << saat;
    }
}

TEST(Flaechenstufen, WiederholtBisZufallOderGroesseReicht) {
    // Size 0: every found loop is large enough, one search per area.
    {
        Netz n(1, 10, 10);
        n.gitter(true);
        n.p.parks_groesse_rel = n.p.plaetze_groesse_rel = 0.0f;
        Umrisssuche u;
        parks_setzen(n.l, u);
        EXPECT_EQ(u.n_suchen, 10);
        for (Flaeche& park : n.m.parks) // squares keep off parks: none here
            park.n_punkte = 0;
        Umrisssuche v;
        plaetze_setzen(n.l, v);
        EXPECT_EQ(v.n_suchen, 10);
    }
    // Out-of-reach size: only the draw stops it, 30 % for parks, 10 % for squares.
    {
        Netz n(1, 20, 20);
        n.gitter(true);
        n.p.parks_groesse_rel = n.p.plaetze_groesse_rel = 1e6f;
        Umrisssuche u;
        parks_setzen(n.l, u);
        EXPECT_GE(u.n_suchen, 40);
        EXPECT_LE(u.n_suchen, 120);
        for (Flaeche& park : n.m.parks)
            park.n_punkte = 0;
        Umrisssuche v;
        plaetze_setzen(n.l, v);
        EXPECT_GE(v.n_suchen, 100);
    }
}

TEST(Flaechenstufen, JedeStufeLoeschtZuerstDieBenutztMarken) {
    Netz n(1, 0, 2);
    n.gitter(true);
    Umrisssuche u;
    parks_setzen(n.l, u);
    EXPECT_GE(benutzte_wege(u), 4);
    plaetze_setzen(n.l, u); // no squares: only the clearing happens
    EXPECT_EQ(benutzte_wege(u), 0);
}

TEST(Flaechenstufen, StatusFortschrittUndVorschau) {
    for (Sprache s : {Sprache::deutsch, Sprache::englisch}) {
        Netz n(1, 2, 4, s);
        n.gitter(true);
        parks_setzen(n.l);
        ASSERT_EQ(n.wirt.texte.size(), 1u);
        EXPECT_EQ(n.wirt.texte[0], "Parks ...");
        EXPECT_EQ(n.wirt.fortschritte, (std::vector<float>{25, 50, 75, 100}));
        EXPECT_EQ(n.wirt.elemente, (std::vector<std::pair<Element, int>>{{Element::parks, 0}}));
        plaetze_setzen(n.l);
        EXPECT_EQ(n.wirt.texte.back(), s == Sprache::deutsch ? "Plätze ..." : "Squares ...");
        EXPECT_EQ(n.wirt.elemente.back().first, Element::plaetze);
        n.wirt.fortschritte.clear();
        plaetze_eingrenzen(n.l);
        EXPECT_EQ(n.wirt.texte.back(),
                  s == Sprache::deutsch ? "Plätze eingrenzen ..." : "Bound Squares ...");
        EXPECT_EQ(n.wirt.fortschritte, (std::vector<float>{50, 100}));
        parks_eingrenzen(n.l);
        EXPECT_EQ(n.wirt.texte.back(),
                  s == Sprache::deutsch ? "Parks eingrenzen ..." : "Bound Parks ...");
    }
    // No areas asked for: the caption still shows, nothing else happens.
    Netz n(1, 0, 0);
    n.gitter(true);
    plaetze_setzen(n.l);
    EXPECT_EQ(n.wirt.texte, std::vector<std::string>{"Squares ..."});
    EXPECT_TRUE(n.wirt.fortschritte.empty());
    EXPECT_EQ(n.wirt.nachgaben, 0);
}

TEST(Flaechenstufen, EinAbbruchBeendetDieStufe) {
    Netz n(1, 5, 5);
    n.gitter(false);
    n.wirt.abbruch_bei = 3;
    Umrisssuche u;
    plaetze_setzen(n.l, u);
    EXPECT_TRUE(n.l.abbruch());
    EXPECT_EQ(n.wirt.nachgaben, 3);
    EXPECT_EQ(u.n_suchen, 1);
}

TEST(Flaechenboxen, UmrissPlusRandLeereFlaecheBekommtEineLeereBox) {
    Netz n(1, 2, 1);
    n.p.haus_seitenverhaeltnis_max = 2.0f;
    n.p.haus_gxy_max = 10.0f;
    n.p.weg_halbbreite_max = 3.0f;
    EXPECT_EQ(flaechen_rand(n.p), 23.0f);
    Flaeche& f = n.m.plaetze[1];
    f.x = {0, 100, 140, 120, 100};
    f.y = {0, 50, 60, 90, 50};
    f.n_punkte = 4;
    n.m.parks[1] = f;
    n.m.parks[1].n_punkte = 2; // only the first two points count
    plaetze_eingrenzen(n.m, flaechen_rand(n.p));
    parks_eingrenzen(n.m, flaechen_rand(n.p));
    EXPECT_EQ(f.x_min, 77.0f);
    EXPECT_EQ(f.x_max, 163.0f);
    EXPECT_EQ(f.y_min, 27.0f);
    EXPECT_EQ(f.y_max, 113.0f);
    EXPECT_EQ(n.m.parks[1].x_max, 163.0f);
    EXPECT_EQ(n.m.parks[1].y_max, 83.0f);
    const Flaeche& leer = n.m.plaetze[2];
    EXPECT_GT(leer.x_min, leer.x_max);
    EXPECT_GT(leer.y_min, leer.y_max);
}

// Whole runs of presets that ask for squares and parks.
class Flaechenlaeufe : public ::testing::TestWithParam<int> {};

TEST_P(Flaechenlaeufe, VorlagenSetzenPlaetzeUndParksMitEndlichenUmrissen) {
    const int vorlage = GetParam();
    Laufaufbau a;
    const Laufbericht b = a.erstellen(vorlage_steuerwerte(vorlage));
    const Stadtmodell& m = a.m;
    ASSERT_EQ(b.ende, Laufende::fertig) << b.ergebnis().englisch();
    ASSERT_GT(a.p.n_plaetze, 0);
    ASSERT_GT(a.p.n_parks, 0);
    const Zaehlung c = zaehlen(m);
    EXPECT_GT(c.plaetze, 0);
    EXPECT_GT(c.parks, 0);
    for (const auto* flaechen : {&m.plaetze, &m.parks}) {
        for (const Flaeche& f : *flaechen) {
            for (int k = 1; k <= f.n_punkte; ++k) {
                const auto i = static_cast<std::size_t>(k);
                ASSERT_TRUE(std::isfinite(f.x[i]) && std::isfinite(f.y[i]));
                EXPECT_TRUE(f.x[i] >= f.x_min && f.x[i] <= f.x_max);
                EXPECT_TRUE(f.y[i] >= f.y_min && f.y[i] <= f.y_max);
            }
            if (f.n_punkte == 0) continue;
            EXPECT_EQ(f.x[1], f.x[static_cast<std::size_t>(f.n_punkte)]);
            EXPECT_EQ(f.y[1], f.y[static_cast<std::size_t>(f.n_punkte)]);
            EXPECT_GT(f.wert, 0.0f);
            EXPECT_LT(f.wert, 100000.0f); // a real width of the loop
        }
    }
    bool parks = false, plaetze = false;
    for (const std::string& t : a.wirt.texte) {
        parks |= t == "Parks ...";
        plaetze |= t == "Squares ...";
    }
    EXPECT_TRUE(parks && plaetze);
}

INSTANTIATE_TEST_SUITE_P(Vorlagen, Flaechenlaeufe, ::testing::Values(8, 10, 11, 12));
