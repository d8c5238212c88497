#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "generator/nummerierung.h"
#include "laufhilfe.h"

using namespace tarvello;

namespace {

// Three rivers, then streets of the given half-widths, buildings of the given
// sizes, two squares (the second not placed) and one park.
struct Modell : Laufaufbau {
    Modell(const std::vector<float>& strassen, const std::vector<float>& haeuser,
           std::uint64_t seed = 3)
        : Laufaufbau(seed) {
        p.weg_halbbreite_min = 1;
        p.weg_halbbreite_max = 9;
        p.haus_gxy_min = 3;
        p.haus_gxy_max = 13;
        p.haus_gxy_spanne = 10;
        const int n_wege = 3 + static_cast<int>(strassen.size());
        m.dimensionieren(n_wege + 2, 100, static_cast<int>(haeuser.size()) + 3, 2, 1);
        m.n_wege = static_cast<std::int16_t>(n_wege);
        m.n_fluesse = 3;
        for (int w = 1; w <= n_wege; ++w) {
            Weg& weg = m.wege[ix(w)];
            weg.ist_fluss = w <= 3 ? 1 : 0;
            weg.breite = w <= 3 ? 20.0f : strassen[ix(w - 4)];
            weg.punkt_setzen(1, 0, 0);
            weg.punkt_setzen(2, 1, 1);
            weg.n_punkte = 2;
        }
        for (std::size_t b = 0; b < haeuser.size(); ++b) {
            Haus& h = m.haeuser[b + 1];
            h.breite = h.laenge = haeuser[b];
        }
        m.haus_naechster = static_cast<std::int32_t>(haeuser.size()) + 1;
        m.plaetze[1].n_punkte = 5;
        m.parks[1].n_punkte = 5;
    }

    void nummerieren(int wege, int haeuser, int plaetze, int parks) {
        m.n_nummer_wege = static_cast<std::int16_t>(wege);
        m.n_nummer_haeuser = static_cast<std::int16_t>(haeuser);
        m.n_nummer_plaetze = static_cast<std::int16_t>(plaetze);
        m.n_nummer_parks = static_cast<std::int16_t>(parks);
        Lauf l = lauf();
        elemente_nummerieren(l);
    }
};

// The numbers given to the elements 1..n, in element order.
template <class F> std::vector<int> nummern(int n, F nummer_von) {
    std::vector<int> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(nummer_von(i));
    return v;
}

// Whether the nonzero numbers are exactly 1..anzahl, each once.
bool eins_bis(std::vector<int> v, int anzahl) {
    v.erase(std::remove(v.begin(), v.end(), 0), v.end());
    std::sort(v.begin(), v.end());
    if (static_cast<int>(v.size()) != anzahl) return false;
    for (int i = 0; i < anzahl; ++i)
        if (v[ix(i)] != i + 1) return false;
    return true;
}

} // namespace

TEST(Nummerierung, ZaehlerWerdenAufDasVorhandeneBegrenzt) {
    Modell d({1, 4, 9, 2, 6}, {3, 5, 13, 8, 4, 4, 10});
    d.nummerieren(10000, 10000, 100, 100);
    EXPECT_EQ(d.m.n_nummer_wege, 5);
    EXPECT_EQ(d.m.n_nummer_haeuser, 7);
    EXPECT_EQ(d.m.n_nummer_plaetze, 2);
    EXPECT_EQ(d.m.n_nummer_parks, 1);
    const auto wege = nummern(d.m.n_wege, [&](int w) { return d.m.wege[ix(w)].nummer; });
    for (int w = 1; w <= 3; ++w)
        EXPECT_EQ(wege[ix(w - 1)], 0) << "river " << w;
    EXPECT_TRUE(eins_bis(wege, 5));
    EXPECT_TRUE(eins_bis(nummern(7, [&](int b) { return d.m.haeuser[ix(b)].nummer; }), 7));
    // The square that was never placed is numbered as well.
    EXPECT_TRUE(eins_bis(nummern(2, [&](int s) { return d.m.plaetze[ix(s)].nummer; }), 2));
    EXPECT_EQ(d.m.parks[1].nummer, 1);
    EXPECT_EQ(d.wirt.texte, std::vector<std::string>{"Labelling ..."});
    ASSERT_FALSE(d.wirt.fortschritte.empty());
    EXPECT_FLOAT_EQ(d.wirt.fortschritte.back(), 100.0f);
}

TEST(Nummerierung, TeilmengenUndNull) {
    Modell d({1, 4, 9, 2, 6, 3, 3}, {3, 5, 13, 8, 4, 4, 10});
    // Numbers left from an earlier labelling do not survive a new one.
    d.m.wege[1].nummer = 7;
    d.m.haeuser[2].nummer = 3;
    d.m.plaetze[2].nummer = 1;
    d.nummerieren(3, 0, 1, 0);
    const auto wege = nummern(d.m.n_wege, [&](int w) { return d.m.wege[ix(w)].nummer; });
    EXPECT_EQ(wege[0], 0);
    EXPECT_TRUE(eins_bis(wege, 3));
    for (int b = 1; b <= 7; ++b)
        EXPECT_EQ(d.m.haeuser[ix(b)].nummer, 0);
    EXPECT_TRUE(eins_bis(nummern(2, [&](int s) { return d.m.plaetze[ix(s)].nummer; }), 1));
    EXPECT_EQ(d.m.parks[1].nummer, 0);
    EXPECT_EQ(d.m.n_nummer_wege, 3);
    EXPECT_EQ(d.m.n_nummer_plaetze, 1);
}

TEST(Nummerierung, BreiteStrassenUndGrosseHaeuserBevorzugt) {
    // One street of each extreme width, one building of each extreme size:
    // the wide street has p = 1 and the thin one p = 1/9; the large building
    // p = 1 and the small one 1/11 plus the 1.5 % chance.
    int breit = 0, gross = 0;
    const int laeufe = 600;
    for (int seed = 1; seed <= laeufe; ++seed) {
        Modell d({9, 1}, {13, 3}, static_cast<std::uint64_t>(seed));
        d.nummerieren(1, 1, 0, 0);
        breit += d.m.wege[4].nummer == 1 ? 1 : 0;
        gross += d.m.haeuser[1].nummer == 1 ? 1 : 0;
        EXPECT_EQ(d.m.wege[4].nummer + d.m.wege[5].nummer, 1);
    }
    // Expected shares 0.9 and about 0.9; the thin and the small are not never.
    EXPECT_GT(breit, laeufe * 8 / 10);
    EXPECT_LT(breit, laeufe);
    EXPECT_GT(gross, laeufe * 8 / 10);
    EXPECT_LT(gross, laeufe);
}

TEST(Nummerierung, StrassenbreiteAusserhalbDesBereichsHaengtNicht) {
    // Half-widths below the smallest one would never pass the width test.
    Modell d({0.001f, 0.001f}, {});
    d.p.weg_halbbreite_min = 5;
    d.nummerieren(2, 5, 0, 0);
    EXPECT_EQ(d.m.n_nummer_haeuser, 0);
    EXPECT_TRUE(eins_bis(nummern(d.m.n_wege, [&](int w) { return d.m.wege[ix(w)].nummer; }), 2));
}

TEST(Nummerierung, GanzerLaufBehaeltDieZaehlerUndNummeriert) {
    Laufaufbau a(2);
    Stadtmodell& m = a.m;
    m.n_nummer_wege = 40;
    m.n_nummer_haeuser = 10000;
    m.n_nummer_plaetze = 3;
    m.n_nummer_parks = 100;
    a.wirt.sprache = Sprache::deutsch;
    const Laufbericht r = a.erstellen(vorlage_steuerwerte(11));
    const Parameter& p = a.p;
    ASSERT_EQ(r.ende, Laufende::fertig);
    EXPECT_EQ(m.n_nummer_wege, 40);
    EXPECT_EQ(m.n_nummer_haeuser, m.haus_naechster - 1);
    EXPECT_EQ(m.n_nummer_plaetze, 3);
    EXPECT_EQ(m.n_nummer_parks, p.n_parks);
    const auto wege = nummern(m.n_wege, [&](int w) { return m.wege[ix(w)].nummer; });
    EXPECT_TRUE(eins_bis(wege, 40));
    for (int w = 1; w <= m.n_wege; ++w) {
        if (m.wege[ix(w)].ist_fluss != 0) {
            EXPECT_EQ(m.wege[ix(w)].nummer, 0) << "river " << w;
        }
    }
    EXPECT_TRUE(
        eins_bis(nummern(m.haus_naechster - 1, [&](int b) { return m.haeuser[ix(b)].nummer; }),
                 m.haus_naechster - 1));
    EXPECT_TRUE(eins_bis(nummern(p.n_plaetze, [&](int i) { return m.plaetze[ix(i)].nummer; }), 3));
    EXPECT_TRUE(
        eins_bis(nummern(p.n_parks, [&](int i) { return m.parks[ix(i)].nummer; }), p.n_parks));
    EXPECT_GE(a.wirt.wo("Nummerierung ..."), 0);
}
