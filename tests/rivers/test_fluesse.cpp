#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"
#include "laufhilfe.h"
#include "rivers/fluesse.h"

using namespace tarvello;

namespace {

// The start preset with a fixed seed; tests tweak p afterwards.
struct Aufbau : Laufaufbau {
    bool abbruch = false;

    explicit Aufbau(std::uint64_t saat) : Laufaufbau(saat) {
        EXPECT_TRUE(parameter_einlesen(start_steuerwerte(), z, p, m).gut());
        wirt.abbruch_bei = 2'000'001; // a stage that never ends fails, not hangs
    }
    // Many rivers that fork often; the model is sized again for them.
    void verzweigt(int n_fluesse) {
        p.n_fluesse_max = static_cast<std::int16_t>(n_fluesse + 1);
        p.fluss_zentral = 0.5f;
        p.fluss_verzweigungshaeufigkeit = 1.0f;
        p.fluss_quellen_ausserhalb = 0.0f;
        m.dimensionieren(p.n_fluesse_max + p.wege_anzahl, p.weg_punkte_max, p.n_gebaude,
                         p.n_plaetze, p.n_parks);
    }
    FlussBericht laufen(Sprache sprache = Sprache::englisch) {
        wirt.sprache = sprache;
        Lauf l = lauf();
        FlussBericht b = fluesse_wachsen(l);
        abbruch = l.abbruch();
        return b;
    }
};

int enden(const Stadtmodell& m, const FlussBericht& b, FlussEnde art) {
    int n = 0;
    for (int r = 1; r <= m.n_fluesse; ++r)
        n += b.ende[ix(r)] == art;
    return n;
}

// The river of an earlier index that has (x, y) as a point, or 0.
int fluss_mit_punkt(const Stadtmodell& m, int vor, float x, float y) {
    for (int j = 1; j <= m.n_fluesse; ++j) {
        if (j == vor) continue;
        const Weg& wj = m.wege[ix(j)];
        for (int k = 1; k <= wj.n_punkte; ++k)
            if (wj.px(k) == x && wj.py(k) == y) return j;
    }
    return 0;
}

// Everything that must hold for the rivers of a finished stage.
void fluesse_pruefen(const Aufbau& a, const FlussBericht& b) {
    const Parameter& p = a.p;
    const Stadtmodell& m = a.m;
    const int n = m.n_fluesse;
    ASSERT_GE(n, 1);
    ASSERT_LE(n, p.n_fluesse_max - 1);
    ASSERT_LE(n, m.wege_kapazitaet());
    ASSERT_EQ(b.eltern.size(), ix(n) + 1);
    const float A = p.stadt_abmessung;
    const int c = static_cast<int>(runden(4.0f / p.weg_schritt_faktor));

    std::map<int, std::vector<int>> kinder;
    for (int r = 1; r <= n; ++r) {
        SCOPED_TRACE("river " + std::to_string(r));
        const Weg& w = m.wege[ix(r)];
        const FlussEnde ende = b.ende[ix(r)];
        EXPECT_EQ(w.ist_fluss, 1);
        EXPECT_GE(w.breite, fluss_breite_min);
        ASSERT_GE(w.n_punkte, 1);
        ASSERT_LE(w.n_punkte, p.weg_punkte_max - 4);
        ASSERT_LE(w.n_punkte, m.weg_punkte_max + 10);
        const float schritt = p.weg_schritt_faktor * w.breite;
        for (int k = 1; k <= w.n_punkte; ++k) {
            ASSERT_TRUE(std::isfinite(w.px(k)) && std::isfinite(w.py(k))) << k;
            EXPECT_TRUE(w.px(k) >= 0 && w.px(k) <= A && w.py(k) >= 0 && w.py(k) <= A) << k;
            // Every step has the river's step length; only a junction differs.
            const bool muendung = k == w.n_punkte && ende == FlussEnde::muendet;
            if (k > 1 && !muendung) {
                EXPECT_NEAR(abstand(w.px(k - 1), w.py(k - 1), w.px(k), w.py(k)), schritt,
                            schritt * 1e-3f)
                    << k;
            }
            if (muendung || k < 2) continue;
            // No stored head came within reach of the river's own earlier
            // course or, once clear of its start, of an earlier river.
            for (int ka = 1; ka <= k - 1 - c; ++ka) {
                EXPECT_GE(abstand(w.px(ka), w.py(ka), w.px(k), w.py(k)), 2.0f * w.breite) << k;
            }
            if (2 * (k - 1) <= c) continue;
            for (int j = 1; j < r; ++j) {
                const Weg& wj = m.wege[ix(j)];
                // A junction point is no step away from its predecessor and may be missed.
                const int bis = wj.n_punkte - (b.ende[ix(j)] == FlussEnde::muendet ? 1 : 0);
                for (int kj = 1; kj <= bis; ++kj) {
                    EXPECT_GE(abstand(wj.px(kj), wj.py(kj), w.px(k), w.py(k)),
                              (wj.breite + w.breite) / 2.0f)
                        << k << " river " << j << " point " << kj;
                }
            }
        }

        // Each way of ending leaves its mark on the last point.
        const float xn = w.px(w.n_punkte), yn = w.py(w.n_punkte);
        switch (ende) {
        case FlussEnde::gabel:
            EXPECT_GE(w.n_punkte, 3 * c);
            for (int j = 1; j < r; ++j) {
                const Weg& wj = m.wege[ix(j)];
                const float grenze = p.fluss_quelle_abstand * 5.0f * (wj.breite + w.breite);
                for (int k = 1; k <= wj.n_punkte; ++k)
                    EXPECT_GE(abstand(xn, yn, wj.px(k), wj.py(k)), grenze) << j << " " << k;
            }
            break;
        case FlussEnde::laenge:
            EXPECT_EQ(w.n_punkte, p.weg_punkte_max - 5);
            break;
        case FlussEnde::draussen:
            EXPECT_LT(std::fmin(std::fmin(xn, A - xn), std::fmin(yn, A - yn)), schritt * 1.001f);
            break;
        case FlussEnde::muendet: {
            const int ziel = fluss_mit_punkt(m, r, xn, yn);
            ASSERT_GT(ziel, 0);
            EXPECT_TRUE(
                muenden_erlaubt(w.breite, m.wege[ix(ziel)].breite, p.fluss_verzweigung_symetrie));
            break;
        }
        }

        if (r == 1) {
            EXPECT_EQ(b.eltern[1], 0);
            EXPECT_EQ(w.breite, flussbreite_begrenzen(p.fluss_breite_max));
            continue;
        }
        // A branch starts where its parent ends.
        const int e = b.eltern[ix(r)];
        ASSERT_GE(e, 1);
        ASSERT_LT(e, r);
        kinder[e].push_back(r);
        const Weg& we = m.wege[ix(e)];
        EXPECT_EQ(w.px(1), we.px(we.n_punkte));
        EXPECT_EQ(w.py(1), we.py(we.n_punkte));
    }

    for (const auto& [e, ks] : kinder) {
        SCOPED_TRACE("parent " + std::to_string(e));
        const float be = m.wege[ix(e)].breite;
        // The first branch is 0.707..0.957 of its parent; two branches share
        // the parent's cross-section (unless widened).
        const float b1 = m.wege[ix(ks[0])].breite;
        // A lone branch may be the narrower one, its sibling dropped as too short.
        if (b1 > fluss_breite_min && (ks.size() == 2 || b.bachlos == 0)) {
            EXPECT_GE(b1, 0.707f * be * 0.9999f);
            EXPECT_LE(b1, 0.957f * be * 1.0001f);
        }
        if (ks.size() == 2) {
            const float b2 = m.wege[ix(ks[1])].breite;
            if (b1 > fluss_breite_min && b2 > fluss_breite_min) {
                EXPECT_NEAR(b1 * b1 + b2 * b2, be * be, 1e-3f * be);
            }
        }
    }
    // An open end counts its branches; a closed one (a junction, the map edge,
    // a narrow river) has none. The stage stops early only when no end is open
    // or a river found no place in fluss_verwerfen_max walks.
    bool offen_uebrig = false;
    for (int r = 1; r <= n; ++r) {
        const FlussEnde ende = b.ende[ix(r)];
        const std::size_t n_kinder = kinder.count(r) ? kinder[r].size() : 0;
        if ((ende == FlussEnde::gabel || ende == FlussEnde::laenge) &&
            kann_gabeln(m.wege[ix(r)].breite)) {
            EXPECT_EQ(b.zweige[ix(r)], n_kinder) << r;
        } else {
            EXPECT_EQ(b.zweige[ix(r)], 2) << r;
            EXPECT_EQ(n_kinder, 0u) << r;
        }
        offen_uebrig = offen_uebrig || b.zweige[ix(r)] < 2;
    }
    // Dropping a short branch reopens its parent's end.
    if (n < p.n_fluesse_max - 1 && n < m.wege_kapazitaet() &&
        b.verworfen_in_folge_max < fluss_verwerfen_max && b.bachlos == 0) {
        EXPECT_FALSE(offen_uebrig);
    }
    // An end in open land belongs to a brook, or to the main course when it
    // could not be led off the map.
    for (int r = 2; r <= n; ++r) {
        const FlussEnde ende = b.ende[ix(r)];
        if ((ende != FlussEnde::gabel && ende != FlussEnde::laenge) || kinder.count(r)) continue;
        float laenge = 0;
        const Weg& w = m.wege[ix(r)];
        for (int k = 1; k < w.n_punkte; ++k)
            laenge += abstand(w.px(k), w.py(k), w.px(k + 1), w.py(k + 1));
        bool gespeist = false;
        for (int j = 1; j <= n; ++j)
            if (b.ende[ix(j)] == FlussEnde::muendet) {
                const Weg& wj = m.wege[ix(j)];
                gespeist =
                    gespeist || fluss_mit_punkt(m, j, wj.px(wj.n_punkte), wj.py(wj.n_punkte)) == r;
            }
        if (!gespeist && r != b.hauptlauf_ende) {
            EXPECT_GE(laenge, bach_laenge(p)) << "river " << r << " of " << n;
        }
    }
}

} // namespace

TEST(Flussbreite, ZweigeTeilenDenQuerschnitt) {
    // Full symmetry: two branches of 0.707 of the parent.
    const float erste = erste_zweigbreite(1.0f, 1.0f, 0.83f);
    EXPECT_FLOAT_EQ(erste, 0.707f);
    EXPECT_NEAR(zweite_zweigbreite(1.0f, erste), 0.707f, 5e-4f);
    // No symmetry: the first branch spans 0.707..0.957, the second takes the rest.
    EXPECT_FLOAT_EQ(erste_zweigbreite(2.0f, 0.0f, 0.0f), 1.414f);
    const float breit = erste_zweigbreite(2.0f, 0.0f, 0.9999999f);
    EXPECT_NEAR(breit, 1.914f, 1e-4f);
    const float rest = zweite_zweigbreite(2.0f, breit);
    EXPECT_NEAR(breit * breit + rest * rest, 4.0f, 1e-4f);
    // A first branch as wide as the parent leaves nothing (never NaN).
    EXPECT_EQ(zweite_zweigbreite(1.0f, 1.0f), 0.0f);
    // Branches of a parent of 0.4 come out below 0.3 and are widened; they never fork.
    const float schmal = flussbreite_begrenzen(zweite_zweigbreite(0.4f, 0.33f));
    EXPECT_FLOAT_EQ(schmal, 0.3f);
    EXPECT_FALSE(kann_gabeln(schmal));
    EXPECT_FALSE(kann_gabeln(0.399f));
    EXPECT_TRUE(kann_gabeln(0.4f));
}

TEST(Flussbreite, NurAehnlichBreiteFluesseMuenden) {
    // Full symmetry: a branch of 0.707 meeting its parent is 0.83 similar, too little.
    EXPECT_TRUE(muenden_erlaubt(0.707f, 0.707f, 1.0f));
    EXPECT_FALSE(muenden_erlaubt(0.707f, 1.0f, 1.0f));
    EXPECT_FALSE(muenden_erlaubt(1.0f, 0.707f, 1.0f));
    // Similarity 1 - 1/3 = 0.667 against 0.9 x 0.7 = 0.63 and 0.9 x 0.8 = 0.72.
    EXPECT_TRUE(muenden_erlaubt(1.0f, 2.0f, 0.7f));
    EXPECT_FALSE(muenden_erlaubt(1.0f, 2.0f, 0.8f));
    EXPECT_TRUE(muenden_erlaubt(0.3f, 75.0f, 0.0f));
}

TEST(Fluesse, OhneFluesseKehrtSofortZurueck) {
    Aufbau a(7);
    a.p.n_fluesse_max = 1; // the list's "0"
    a.m.n_fluesse = 5;     // left over from an earlier run
    const FlussBericht b = a.laufen();
    EXPECT_EQ(a.m.n_fluesse, 0);
    EXPECT_EQ(b.versuche, 0);
    EXPECT_TRUE(a.wirt.texte.empty());
    EXPECT_EQ(a.wirt.nachgaben, 0);
    EXPECT_TRUE(a.wirt.fortschritte.empty());
    EXPECT_TRUE(a.wirt.elemente.empty());
}

TEST(Fluesse, ErsterFlussKommtVomRandUndZieltAufDieMitte) {
    std::set<int> seiten;
    for (std::uint64_t s = 1; s <= 40; ++s) {
        SCOPED_TRACE("seed " + std::to_string(s));
        Aufbau a(s);
        a.p.n_fluesse_max = 2;               // one river
        a.p.fluss_kurvigkeit = 0;            // straight, so the start heading shows
        a.p.fluss_zentral = 0.2f;            // it passes the centre
        a.p.fluss_quellen_ausserhalb = 1.0f; // and runs on to the map edge
        const FlussBericht b = a.laufen();
        ASSERT_FALSE(a.abbruch);
        ASSERT_EQ(a.m.n_fluesse, 1);
        EXPECT_EQ(b.versuche, 1);
        EXPECT_EQ(b.ende[1], FlussEnde::draussen);
        const Weg& w = a.m.wege[1];
        ASSERT_GE(w.n_punkte, 2);
        const float A = a.p.stadt_abmessung;
        const float x = w.px(1), y = w.py(1);
        const bool senkrecht = x == 0.0f || x == A;
        ASSERT_TRUE(senkrecht || y == 0.0f || y == A) << x << " " << y;
        seiten.insert(senkrecht ? (x == 0.0f ? 1 : 2) : (y == 0.0f ? 3 : 4));
        const float t = senkrecht ? y : x;
        EXPECT_GE(t, 0.02f * A * 0.9999f);
        EXPECT_LE(t, 0.98f * A * 1.0001f);
        float abweichung =
            std::fabs(winkel_aus(w.px(2) - x, w.py(2) - y) - winkel_aus(A / 2 - x, A / 2 - y));
        abweichung = std::fmin(abweichung, 2 * pi - abweichung);
        EXPECT_LT(abweichung, 1e-3f);
    }
    EXPECT_EQ(seiten.size(), 4u);
}

TEST(Fluesse, VorlageErgibtGueltigesFlusssystem) {
    for (std::uint64_t s = 11; s <= 18; ++s) {
        SCOPED_TRACE("seed " + std::to_string(s));
        Aufbau a(s);
        ASSERT_EQ(a.p.n_fluesse_max, 4); // the preset's "3" rivers
        const FlussBericht b = a.laufen();
        ASSERT_FALSE(a.abbruch);
        fluesse_pruefen(a, b);
        EXPECT_TRUE(b.zentrum_erreicht);
        EXPECT_EQ(a.m.n_wege, a.m.n_fluesse);
        // The main course runs from the map edge off the map again.
        ASSERT_GE(b.hauptlauf_ende, 1);
        EXPECT_EQ(b.ende[ix(b.hauptlauf_ende)], FlussEnde::draussen);
        // Some river passes the central zone (the stored point may lie one
        // step behind the head that was checked).
        const float mitte = a.p.stadt_abmessung / 2;
        const float zone = a.p.fluss_zentral * mitte + a.p.weg_schritt_faktor * a.m.wege[1].breite;
        bool nah = false;
        for (int r = 1; r <= a.m.n_fluesse; ++r) {
            const Weg& w = a.m.wege[ix(r)];
            for (int k = 1; k <= w.n_punkte; ++k)
                nah = nah || abstand(w.px(k), w.py(k), mitte, mitte) < zone;
        }
        EXPECT_TRUE(nah);
        // Every finished river is drawn once in the preview.
        std::vector<int> erwartet;
        for (int r = 1; r <= a.m.n_fluesse; ++r)
            erwartet.push_back(r);
        EXPECT_EQ(a.wirt.indizes(Element::weg), erwartet);
    }
}

TEST(Fluesse, VerzweigteFlusssysteme) {
    struct Fall {
        const char* name;
        float symetrie;
        double inselbildung;
        float kurvigkeit;
        float quellen_ausserhalb;
        float verzweigung;
        int muendungen; // 1: some rivers join others, 0: none, -1: either
    };
    const Fall faelle[] = {
        {"every contact of rivers joins them", 0.0f, 0.0, 0.3f, 0.0f, 1.0f, 1},
        {"full symmetry: only siblings join", 1.0f, 0.0, 0.3f, 0.0f, 1.0f, 1},
        {"islands 1: no river ever joins another", 0.0f, 1.0, 0.3f, 0.0f, 1.0f, 0},
        {"long winding rivers", 0.4f, 0.24, 1.0f, 0.5f, 0.4f, -1},
    };
    for (const Fall& f : faelle) {
        int muendungen = 0, gross = 0;
        long verworfen = 0;
        for (std::uint64_t s = 1; s <= 6; ++s) {
            SCOPED_TRACE(std::string(f.name) + ", seed " + std::to_string(s));
            Aufbau a(s);
            a.verzweigt(25);
            a.p.fluss_verzweigung_symetrie = f.symetrie;
            a.p.fluss_inselbildung = f.inselbildung;
            a.p.fluss_kurvigkeit = f.kurvigkeit;
            a.p.fluss_quellen_ausserhalb = f.quellen_ausserhalb;
            a.p.fluss_verzweigungshaeufigkeit = f.verzweigung;
            const FlussBericht b = a.laufen();
            ASSERT_FALSE(a.abbruch);
            fluesse_pruefen(a, b);
            muendungen += enden(a.m, b, FlussEnde::muendet);
            gross += a.m.n_fluesse > 3;
            verworfen += b.verworfen;
        }
        SCOPED_TRACE(f.name);
        EXPECT_GT(gross, 0);
        EXPECT_GT(verworfen, 0);
        if (f.muendungen == 1) {
            EXPECT_GT(muendungen, 0);
        } else if (f.muendungen == 0) {
            EXPECT_EQ(muendungen, 0);
        }
    }
}

TEST(Fluesse, EndenOhneGabel) {
    for (std::uint64_t s = 1; s <= 4; ++s) {
        SCOPED_TRACE("seed " + std::to_string(s));
        // Too narrow to fork: a single river, widened to 0.3 when narrower.
        for (const float breite : {0.35f, 0.1f}) {
            Aufbau a(s);
            a.verzweigt(10);
            a.p.fluss_breite_max = breite;
            a.p.fluss_zentral = 0.9f;
            const FlussBericht b = a.laufen();
            ASSERT_FALSE(a.abbruch);
            ASSERT_EQ(a.m.n_fluesse, 1);
            fluesse_pruefen(a, b);
            EXPECT_FLOAT_EQ(a.m.wege[1].breite, flussbreite_begrenzen(breite));
            EXPECT_NE(b.ende[1], FlussEnde::gabel);
        }
        // Sources outside: no river ends to fork; a first river that left the
        // map stays alone.
        Aufbau a(s);
        a.verzweigt(10);
        a.p.fluss_quellen_ausserhalb = 1.0f;
        a.p.fluss_zentral = 0.9f;
        const FlussBericht b = a.laufen();
        ASSERT_FALSE(a.abbruch);
        fluesse_pruefen(a, b);
        EXPECT_EQ(enden(a.m, b, FlussEnde::gabel), 0);
        if (b.ende[1] == FlussEnde::draussen) {
            EXPECT_EQ(a.m.n_fluesse, 1);
        }
    }
}

TEST(Fluesse, StatusZaehltDieVersuche) {
    const auto text = [](Sprache sprache, int n) {
        return sprache == Sprache::deutsch ? "Flüsse (Versuch " + std::to_string(n) + ") ..."
                                           : "Rivers (Attempt " + std::to_string(n) + ") ...";
    };
    // A run that succeeds: one status text per attempt, numbered from 1.
    Aufbau a(3);
    a.p.fluss_zentral = 0.1f;
    const FlussBericht b = a.laufen();
    ASSERT_FALSE(a.abbruch);
    ASSERT_EQ(a.wirt.texte.size(), ix(b.versuche));
    for (int n = 1; n <= b.versuche; ++n)
        EXPECT_EQ(a.wirt.texte[ix(n - 1)], text(Sprache::englisch, n));

    // No river can come near enough: the stage goes on until the user stops it
    // (or its attempts run out, far later).
    for (const Sprache sprache : {Sprache::deutsch, Sprache::englisch}) {
        Aufbau z(5);
        z.p.fluss_zentral = 0.0f;
        z.wirt.abbruch_ab_texten = 12;
        const FlussBericht bz = z.laufen(sprache);
        EXPECT_TRUE(z.abbruch);
        EXPECT_EQ(bz.versuche, 12);
        ASSERT_EQ(z.wirt.texte.size(), 12u);
        for (int n = 1; n <= 12; ++n)
            EXPECT_EQ(z.wirt.texte[ix(n - 1)], text(sprache, n));
    }
}

TEST(Fluesse, AbbruchImGangKehrtSofortZurueck) {
    for (const long nach : {0L, 1L, 40L, 700L}) {
        SCOPED_TRACE("abort after " + std::to_string(nach));
        Aufbau a(9);
        a.p.fluss_zentral = 0.0f;
        a.wirt.abbruch_bei = nach + 1;
        a.laufen();
        EXPECT_TRUE(a.abbruch);
        // The yield that asked to stop is the last one; only whole rivers count.
        EXPECT_EQ(a.wirt.nachgaben, nach + 1);
        EXPECT_LE(a.m.n_fluesse, a.p.n_fluesse_max - 1);
        for (int r = 1; r <= a.m.n_fluesse; ++r)
            EXPECT_GE(a.m.wege[ix(r)].n_punkte, 1);
    }
}

TEST(Fluesse, BleibtInDenWegtabellen) {
    Aufbau a(4);
    a.verzweigt(75);
    a.p.fluss_breite_max = 25.0f;
    a.m.dimensionieren(3, a.p.weg_punkte_max, 1, 0, 0); // room for three ways only
    const FlussBericht b = a.laufen();
    ASSERT_FALSE(a.abbruch);
    EXPECT_LE(a.m.n_fluesse, 3);
    fluesse_pruefen(a, b);
}

TEST(Fluesse, OhneMuendenEndetDasSystemMitDenFluessenDieEsHat) {
    // Islands at 100: every contact throws a river away. Once no river index
    // finds a place, the system ends with the rivers it has instead of
    // drawing the same index for ever.
    Aufbau a(10);
    ASSERT_TRUE(parameter_einlesen(vorlage_steuerwerte(12), a.z, a.p, a.m).gut());
    a.p.fluss_inselbildung = 1.0;
    const FlussBericht b = a.laufen();
    ASSERT_FALSE(a.abbruch);
    fluesse_pruefen(a, b);
    EXPECT_TRUE(b.zentrum_erreicht);
    EXPECT_LT(a.m.n_fluesse, a.p.n_fluesse_max - 1);
    EXPECT_EQ(b.verworfen_in_folge_max, fluss_verwerfen_max);
    EXPECT_EQ(enden(a.m, b, FlussEnde::muendet), 0);
}
