#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "laufhilfe.h"
#include "streets/strassen.h"
#include "streets/verbindungen.h"

using namespace tarvello;

namespace {

// A model with hand-built ways and a run context around it.
struct Aufbau : Laufaufbau {
    Lauf l = lauf();
    Strassenbau bau;

    Aufbau() : Laufaufbau(11) {
        p = parameter_umrechnen(start_steuerwerte());
        m.dimensionieren(20, p.weg_punkte_max, 10, 0, 0);
        m.stadt_abmessung = p.stadt_abmessung;
        m.zentrum_x = m.zentrum_y = p.stadt_abmessung / 2;
        m.stadtrand_n_wellen = 7;
        for (int k = 1; k <= 7; ++k)
            m.stadtrand_frequenz[k] = 2;
    }

    // Way w as a straight line of n points from (x0, y0) in steps (dx, dy).
    void weg(int w, float x0, float y0, float dx, float dy, int n, float breite,
             bool fluss = false) {
        Weg& weg = m.wege[static_cast<std::size_t>(w)];
        for (int k = 1; k <= n; ++k)
            weg.punkt_setzen(k, x0 + dx * static_cast<float>(k - 1),
                             y0 + dy * static_cast<float>(k - 1));
        weg.n_punkte = static_cast<std::int16_t>(n);
        weg.breite = breite;
        weg.ist_fluss = fluss ? 1 : 0;
        if (w > m.n_wege) m.n_wege = static_cast<std::int16_t>(w);
    }

    // Street w has walked up to point i; its head stands at (x, y).
    void kopf(int w, int i, float x, float y) {
        bau.gang.i = i;
        bau.gang.pos_x = x;
        bau.gang.pos_y = y;
        bau.gang.halbbreite = m.wege[static_cast<std::size_t>(w)].breite;
        bau.gang.ende = bau.gang.verworfen = false;
        bau.gang.gelaufen = 100;
        m.wege[static_cast<std::size_t>(w)].n_punkte = static_cast<std::int16_t>(i);
        // The tests answer from the grids: build them over the model as it stands.
        strassen_raster_aufbauen(l, bau);
        fluss_raster_aufbauen(l, bau);
        bau.mauer_aktuell = false;
    }
};

} // namespace

TEST(Kreuzung, RechterWinkelEndetOderKreuzt) {
    // From either side of the other street: the heading difference is then
    // pi/2 or 3 pi/2, both a right angle.
    for (float seite : {1.0f, -1.0f})
        for (float kreuzen : {0.0f, 1.0f}) {
            Aufbau a;
            a.p.weg_durchkreuz_wahrsch = kreuzen;
            a.weg(1, 0, 100, 1, 0, 200, 2); // east-west street
            // Coming up from below (or down from above), last point (50, 98) or (50, 102).
            a.weg(2, 50, 100 - 50 * seite, 0, seite, 49, 2);
            a.kopf(2, 49, 50.2f, 100 - 0.2f * seite);
            kreuzung_pruefen(a.l, a.bau, 2);
            EXPECT_FALSE(a.bau.gang.verworfen) << seite;
            EXPECT_EQ(a.bau.gang.i, 51); // head point and the met point were added
            const Weg& s = a.m.wege[2];
            // The street's new last point is the met point of street 1, linked both ways.
            const auto* v = s.verbindungen_bei(51);
            ASSERT_NE(v, nullptr);
            ASSERT_EQ(v->n, 1);
            EXPECT_EQ(v->weg[1], 1);
            EXPECT_FLOAT_EQ(s.px(51), a.m.wege[1].px(v->punkt[1]));
            EXPECT_FLOAT_EQ(s.py(51), 100.0f);
            EXPECT_NEAR(s.px(51), 50.0f, 1.5f);
            EXPECT_EQ(a.m.wege[1].n_verbindungen(v->punkt[1]), 1);
            if (kreuzen == 0.0f) {
                EXPECT_TRUE(a.bau.gang.ende);
            } else {
                EXPECT_FALSE(a.bau.gang.ende);
                EXPECT_EQ(a.bau.gang.gelaufen, 0.0f); // waits another minimum distance
            }
        }
}

TEST(Kreuzung, ZuFlacherWinkelVerwirftDieStrasse) {
    Aufbau a;
    a.p.weg_durchkreuz_wahrsch = 1.0f; // even a sure crossing must not rescue it
    a.weg(1, 0, 100, 1, 0, 200, 2);
    // Approaching at about 10 degrees, below the 30 degree minimum.
    const float wi = 10.0f * pi / 180.0f;
    a.weg(2, 50 - 40 * std::cos(wi), 100 - 40 * std::sin(wi), std::cos(wi), std::sin(wi), 40, 2);
    a.kopf(2, 40, 50 - std::cos(wi) * 0.5f, 100 - std::sin(wi) * 0.5f);
    kreuzung_pruefen(a.l, a.bau, 2);
    EXPECT_TRUE(a.bau.gang.verworfen);
    EXPECT_FALSE(a.bau.gang.ende);
    EXPECT_EQ(a.m.wege[1].verbindungen.size(), 0u);
}

TEST(Kreuzung, WinkelZwischenLinien) {
    // Heading differences of either sign and beyond pi fold onto [0, pi/2].
    const std::pair<float, float> faelle[] = {
        {0.0f, 0.0f}, {0.3f, 0.3f},      {pi / 2, pi / 2},     {pi - 0.3f, 0.3f},
        {pi, 0.0f},   {pi + 0.3f, 0.3f}, {3 * pi / 2, pi / 2}, {2 * pi - 0.3f, 0.3f}};
    for (float a : {0.1f, 1.0f, 3.0f, 6.0f})
        for (const auto& [d, erwartet] : faelle) {
            EXPECT_NEAR(kreuzungswinkel(a, a + d), erwartet, 1e-4) << a << " " << d;
            EXPECT_NEAR(kreuzungswinkel(a + d, a), erwartet, 1e-4) << a << " " << d;
        }
}

TEST(Kreuzung, NieMitDenEigenenLetztenZwanzigPunkten) {
    for (int i : {61, 62}) {
        Aufbau a;
        a.weg(1, 0, 0, 1, 0, i, 2);
        Weg& w = a.m.wege[1];
        // Points 1..40 lie just beyond the limit (the scan steps over every
        // second one), point 41 next to the head, the rest far away.
        for (int k = 1; k <= 40; ++k)
            w.punkt_setzen(k, 40.0f, 2.4f);
        w.punkt_setzen(41, 40.0f, 0.0f);
        for (int k = 42; k <= i; ++k)
            w.punkt_setzen(k, 500.0f, 500.0f + static_cast<float>(k));
        a.kopf(1, i, 40.0f, 0.3f);
        kreuzung_pruefen(a.l, a.bau, 1);
        if (i - 41 <= 20) {
            EXPECT_FALSE(a.bau.gang.ende || a.bau.gang.verworfen) << i;
            EXPECT_EQ(a.bau.gang.i, i);
        } else {
            EXPECT_TRUE(a.bau.gang.ende || a.bau.gang.verworfen) << i;
            EXPECT_EQ(a.bau.gang.i, i + 2);
        }
    }
}

TEST(Kreuzung, FluesseZaehlenNicht) {
    Aufbau a;
    a.weg(1, 0, 100, 1, 0, 200, 5, true); // a river as way 1
    a.m.n_fluesse = 1;
    a.weg(2, 50, 50, 0, 1, 49, 2);
    a.kopf(2, 49, 50.0f, 99.9f);
    kreuzung_pruefen(a.l, a.bau, 2);
    EXPECT_FALSE(a.bau.gang.ende || a.bau.gang.verworfen);
    EXPECT_EQ(a.bau.gang.i, 49);
}

TEST(Abzweigung, ElternwahlUndBreitenbegrenzung) {
    Aufbau a;
    a.weg(1, 0, 0, 1, 0, 100, 5, true); // river: never a parent
    a.m.n_fluesse = 1;
    a.weg(2, 100, 175, 1, 0, 150, a.p.weg_halbbreite_max);
    a.weg(3, 175, 100, 0, 1, 150, a.p.weg_halbbreite_min);
    a.m.n_wege = 4; // street 4 is being started, 2 and 3 stand
    std::set<int> eltern;
    for (int i = 0; i < 300; ++i) {
        weg_zuruecksetzen(a.m, 4);
        a.p.weg_abzweig_verjueng_wert = 0.9f; // strong taper
        abzweigung_starten(a.l, a.bau, 4);
        ASSERT_FALSE(a.l.abbruch());
        const auto* v = a.m.wege[4].verbindungen_bei(1);
        ASSERT_NE(v, nullptr);
        eltern.insert(v->weg[1]);
        EXPECT_GE(a.m.wege[4].breite, a.p.weg_halbbreite_min);
        EXPECT_LE(a.m.wege[4].breite, a.p.weg_halbbreite_max);
        // The head starts on the parent's branch point, never its last point.
        EXPECT_GE(v->punkt[1], 1);
        EXPECT_LE(v->punkt[1], 148);
        EXPECT_FLOAT_EQ(a.bau.gang.pos_x,
                        a.m.wege[static_cast<std::size_t>(v->weg[1])].px(v->punkt[1]));
    }
    EXPECT_EQ(eltern.count(1), 0u);
    EXPECT_EQ(eltern.count(2), 1u);
    EXPECT_EQ(eltern.count(3), 1u);
}

TEST(Abzweigung, ZeitueberschreitungLaesstDenVersuchScheitern) {
    Aufbau a;
    a.bau.kern_erreicht = true;
    a.p.stadt_form = 1;
    a.p.kern_rel = 0.01f;
    a.weg(1, 0, 0, 1, 0, 100, a.p.weg_halbbreite_max); // far off the town
    a.m.n_wege = 2;
    // Every draw is refused; a clock that jumps makes the search give up.
    struct SpringendeUhr : Uhr {
        double t = 0;
        double sekunden() override { return t += 1.0; }
        std::uint64_t ticks() override { return 0; }
    } uhr;
    Lauf l(a.p, a.m, a.z, uhr, a.wirt);
    a.bau.kern_erreicht = true;
    abzweigung_starten(l, a.bau, 2);
    EXPECT_EQ(l.halt, Halt::versuch_gescheitert);
}

TEST(Mauertest, FolgtDerMauerUndWeichtAus) {
    Aufbau a;
    a.m.mauer_vorhanden = true;
    // A wall running east at y = 100, ending at x = 50.
    for (int q = 1; q <= 50; ++q) {
        a.m.mauer_x.push_back(static_cast<float>(q));
        a.m.mauer_y.push_back(100.0f);
        a.m.mauer_flag.push_back(1);
    }
    a.m.mauer_n_punkte = 50;
    a.weg(1, 0, 0, 1, 0, 2, 1);
    const float grenze = 4.0f * (a.p.mauer_dicke + 1.0f);
    // Near but not too near: the street turns along the wall.
    a.kopf(1, 2, 30.0f, 100.0f - 0.8f * grenze);
    a.bau.gang.richtung = pi / 2;
    mauer_pruefen(a.l, a.bau);
    EXPECT_TRUE(a.bau.gang.an_mauer);
    EXPECT_NEAR(a.bau.gang.richtung, 0.0f, 1e-5);
    // Too near: it backs off, heading away from the wall (upwards, y decreasing).
    // The wall's last point decides, as later points overwrite earlier ones.
    a.kopf(1, 2, 50.0f, 100.0f - 0.2f * grenze);
    mauer_pruefen(a.l, a.bau);
    EXPECT_TRUE(a.bau.gang.an_mauer);
    EXPECT_LT(std::sin(a.bau.gang.richtung), -0.8f);
    // Far away: nothing happens.
    a.kopf(1, 2, 50.0f, 10.0f);
    a.bau.gang.richtung = 1.0f;
    mauer_pruefen(a.l, a.bau);
    EXPECT_FALSE(a.bau.gang.an_mauer);
    EXPECT_FLOAT_EQ(a.bau.gang.richtung, 1.0f);
    // A gap in the wall lets the street pass.
    for (int q = 30; q <= 50; ++q)
        a.m.mauer_flag[static_cast<std::size_t>(q)] = 0;
    a.kopf(1, 2, 50.0f, 100.0f - 0.5f);
    mauer_pruefen(a.l, a.bau);
    EXPECT_FALSE(a.bau.gang.an_mauer);
}

// A street never crosses the drawn wall: the step that would, or the bridge
// stored in the round before, ends it short of the wall; a crossing that
// would cut off a linked point throws it away; a gap lets it pass.
TEST(Mauertest, StrasseEndetVorDerMauer) {
    struct Fall {
        std::vector<float> ys; // stored points at x = 30, the last one is point i
        float kopf_y;
        bool verbunden, luecke;
    };
    const Fall faelle[] = {
        {{90, 98}, 101, false, false},      // the step crosses
        {{90, 98, 104}, 105, false, false}, // the stored bridge crosses
        {{90, 98, 104}, 105, true, false},  // ... and its far point is linked
        {{90, 98}, 101, false, true},       // through a gap
    };
    for (const Fall& f : faelle) {
        Aufbau a;
        a.m.mauer_vorhanden = true;
        for (int q = 1; q <= 50; ++q) { // a wall running east at y = 100
            a.m.mauer_x.push_back(static_cast<float>(q));
            a.m.mauer_y.push_back(100.0f);
            a.m.mauer_flag.push_back(f.luecke && q >= 20 ? 0 : 1);
        }
        a.m.mauer_n_punkte = 50;
        a.weg(2, 0, 50, 1, 0, 3, 1); // another street, for the link
        a.weg(1, 30, 0, 0, 1, 0, 1);
        const int n = static_cast<int>(f.ys.size());
        for (int k = 1; k <= n; ++k)
            a.m.wege[1].punkt_setzen(k, 30.0f, f.ys[static_cast<std::size_t>(k - 1)]);
        a.m.n_wege = 1; // the street being walked is the last way
        a.kopf(1, n, 30.0f, f.kopf_y);
        if (f.verbunden) verbindung_hinzufuegen(a.m, 1, n, 2, 2);
        mauer_pruefen(a.l, a.bau);
        const Gang& g = a.bau.gang;
        if (f.luecke) {
            EXPECT_FALSE(g.ende || g.verworfen);
            EXPECT_EQ(g.i, n);
            continue;
        }
        if (f.verbunden) {
            EXPECT_TRUE(g.verworfen);
            EXPECT_FALSE(g.ende);
            continue;
        }
        EXPECT_TRUE(g.ende);
        EXPECT_FALSE(g.verworfen);
        ASSERT_EQ(g.i, 3);
        // The new last point lies on the street's way to the wall, a half width short of it.
        EXPECT_FLOAT_EQ(a.m.wege[1].px(3), 30.0f);
        EXPECT_NEAR(a.m.wege[1].py(3), 99.0f, 1e-4);
        EXPECT_FLOAT_EQ(g.pos_y, a.m.wege[1].py(3));
        // The grid holds the new point, not the cut-off one.
        a.m.wege[1].n_punkte = 3;
        a.bau.gang.pos_y = 99.0f;
        EXPECT_EQ(kreuzung_suchen(a.l, a.bau, 2).punkt, 3);
        a.bau.gang.pos_y = 104.0f;
        EXPECT_EQ(kreuzung_suchen(a.l, a.bau, 2).weg, 0);
    }
}

TEST(Flusstest, ErsteAnnaeherungBautBruecke) {
    Aufbau a;
    a.weg(1, 0, 100, 1, 0, 300, 4, true); // river east at y = 100
    a.m.n_fluesse = 1;
    a.weg(2, 50, 50, 0, 1, 46, 1);
    a.kopf(2, 46, 50.0f, 96.0f);
    a.bau.n_bruecken = 0;
    fluss_pruefen(a.l, a.bau, 2);
    EXPECT_EQ(a.bau.gang.bruecken, 1);
    EXPECT_EQ(a.bau.gang.letzte_bruecke, 47);
    EXPECT_EQ(a.bau.gang.i, 47);
    EXPECT_GT(a.bau.gang.pos_y, 100.0f);          // the head jumped across
    EXPECT_NEAR(a.bau.gang.richtung, 0.0f, 1e-5); // and runs along the river
}

TEST(Flusstest, OhneBrueckenbildungNurEntlang) {
    Aufbau a;
    a.p.weg_brueckenbildung = 0.0f;
    a.weg(1, 0, 100, 1, 0, 300, 4, true);
    a.m.n_fluesse = 1;
    a.weg(2, 50, 50, 0, 1, 46, 1);
    a.bau.n_bruecken = 1; // the attempt already has its first bridge
    for (int n = 0; n < 50; ++n) {
        a.kopf(2, 46, 50.0f, 96.0f);
        fluss_pruefen(a.l, a.bau, 2);
        EXPECT_EQ(a.bau.gang.bruecken, 0);
        EXPECT_LT(a.bau.gang.pos_y, 100.0f); // pushed back, never across
        EXPECT_NEAR(a.bau.gang.richtung, 0.0f, 1e-5);
    }
    // At the river's last point its last segment gives the direction.
    a.kopf(2, 46, 300.0f, 96.0f);
    a.bau.gang.richtung = 1.0f;
    fluss_pruefen(a.l, a.bau, 2);
    EXPECT_NEAR(a.bau.gang.richtung, 0.0f, 1e-5);
}

TEST(Flusstest, KopfImFlussKommtAufEinUferFrei) {
    // A river east at y = 100 of width 4; the head of a street of width 1 has
    // come near it or into it. Whether it bridges or turns along, it ends up
    // clear of the river, and a bridge starts clear of the near bank.
    for (bool bruecke : {true, false})
        for (float y : {96.5f, 98.0f, 99.9f}) {
            Aufbau a;
            a.p.weg_brueckenbildung = 0.0f;
            a.weg(1, 0, 100, 1, 0, 300, 4, true);
            a.m.n_fluesse = 1;
            a.weg(2, 50, 50, 0, 1, 46, 1);
            a.bau.n_bruecken = bruecke ? 0 : 1;
            a.kopf(2, 46, 50.3f, y);
            fluss_pruefen(a.l, a.bau, 2);
            const Gang& g = a.bau.gang;
            EXPECT_EQ(ufer_suchen(a.l, a.bau, g.pos_x, g.pos_y, 1.0f).fluss, 0) << y;
            const float grenze = ufer_faktor * (4.0f + 1.0f);
            if (bruecke) {
                ASSERT_EQ(g.bruecken, 1) << y;
                const Weg& s = a.m.wege[2];
                EXPECT_LE(s.py(g.i), 100.0f - grenze + 1e-3f) << y;
                EXPECT_GE(g.pos_y, 100.0f + grenze - 1e-3f) << y;
            } else {
                EXPECT_EQ(g.bruecken, 0);
                EXPECT_LE(g.pos_y, 100.0f - grenze + 1e-3f) << y;
            }
        }
}

TEST(Flusstest, KeineBrueckeInDenNaechstenFluss) {
    // Two rivers 4.5 apart: beyond the first there is no clear bank, so the
    // first approach builds no bridge and the street turns along instead.
    Aufbau a;
    a.weg(1, 0, 100, 1, 0, 300, 2, true);
    a.weg(2, 0, 104.5f, 1, 0, 300, 2, true);
    a.m.n_fluesse = 2;
    a.weg(3, 50, 50, 0, 1, 46, 1);
    a.bau.n_bruecken = 0;
    a.kopf(3, 46, 50.0f, 97.5f);
    fluss_pruefen(a.l, a.bau, 3);
    EXPECT_EQ(a.bau.gang.bruecken, 0);
    EXPECT_LT(a.bau.gang.pos_y, 100.0f);
}

TEST(Strassenstart, NieImFluss) {
    // A river across the town and a street through it (as a bridge's street
    // or an old map's would run): starts and branch points stay clear of it.
    Aufbau a;
    const float mitte = a.p.stadt_abmessung / 2;
    a.weg(1, 0, mitte, 1, 0, static_cast<int>(a.p.stadt_abmessung) + 1, 20, true);
    a.m.n_fluesse = 1;
    a.weg(2, mitte + 5, mitte - 60, 0, 1, 120, a.p.weg_halbbreite_max);
    a.kopf(2, 120, 0, 0);
    for (int n = 0; n < 200; ++n) {
        a.m.n_wege = 2;
        erste_strasse_starten(a.l, a.bau, 2);
        ASSERT_FALSE(a.l.abbruch());
        EXPECT_EQ(
            ufer_suchen(a.l, a.bau, a.bau.gang.pos_x, a.bau.gang.pos_y, a.p.weg_halbbreite_max)
                .fluss,
            0);
        a.m.n_wege = 3;
        weg_zuruecksetzen(a.m, 3);
        abzweigung_starten(a.l, a.bau, 3);
        ASSERT_FALSE(a.l.abbruch());
        EXPECT_GT(std::fabs(a.bau.gang.pos_y - mitte), ufer_faktor * (20 + a.p.weg_halbbreite_max));
    }
}
