#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/parameter.h"
#include "core/vorlagen.h"

using namespace tarvello;

namespace {

// Selects the list item whose text (without alignment spaces) is `text`.
void waehle(Steuerwerte& s, const std::string& combo, const std::string& text) {
    ListenSteuerung* l = s.finde_liste(combo);
    ASSERT_NE(l, nullptr) << combo;
    for (std::size_t i = 0; i < l->eintraege_de.size(); ++i) {
        std::string t = l->eintraege_de[i];
        t.erase(0, t.find_first_not_of(' '));
        if (t == text) {
            l->index = static_cast<int>(i);
            return;
        }
    }
    FAIL() << combo << " has no item " << text;
}

} // namespace

TEST(Parameter, WegAufloesungUndPunktzahlen) {
    Steuerwerte s = start_steuerwerte();
    waehle(s, "Combo_stadt_abmessung", "1000 m");
    ASSERT_TRUE(s.setzen("Slider_weg_aufloesung", "0").gut());
    Parameter p = parameter_umrechnen(s);
    EXPECT_FLOAT_EQ(p.weg_schritt_faktor, 0.92f);
    EXPECT_EQ(p.weg_punkte_max, 543);
    EXPECT_EQ(p.weg_punkte_min, 22);
    ASSERT_TRUE(s.setzen("Slider_weg_aufloesung", "100").gut());
    p = parameter_umrechnen(s);
    EXPECT_NEAR(p.weg_schritt_faktor, 0.12f, 1e-6);
    // About 7.7 times as many points per way as at slider 0.
    EXPECT_NEAR(static_cast<double>(p.weg_punkte_max) / 543.0, 7.67, 0.05);
    EXPECT_FLOAT_EQ(p.weg_abknick_wahrsch,
                    static_cast<float>(s.wert("Slider_weg_abknick_wahrsch")) / 100.0f * 2.0f /
                        static_cast<float>(p.weg_punkte_max));
}

TEST(Parameter, UmrechnungenDerStartvorlage) {
    const Steuerwerte s = start_steuerwerte();
    const Parameter p = parameter_umrechnen(s);
    EXPECT_FLOAT_EQ(p.stadt_abmessung, 350.0f);
    EXPECT_FLOAT_EQ(p.stadt_durchmesser, 350.0f * 0.67f);
    EXPECT_EQ(p.n_gebaude, 200);
    EXPECT_EQ(p.wege_anzahl, 50);
    EXPECT_EQ(p.mauer, 1);
    // Widths are halved; the street count of the list is the river count plus one.
    EXPECT_FLOAT_EQ(p.weg_halbbreite_max, 3.5f);
    EXPECT_FLOAT_EQ(p.weg_halbbreite_min, 0.5f);
    EXPECT_EQ(p.n_fluesse_max, 4); // "3" rivers + 1
    // Degrees become radians with the program's pi.
    EXPECT_FLOAT_EQ(p.wi_abknick_max, 70.0f * 3.1415925f / 180.0f);
    // Tapering scales with 1 - min/max.
    EXPECT_FLOAT_EQ(p.weg_abzweig_verjueng_wert, 0.24f * (1.0f - 0.5f / 3.5f));
    // Percent lists.
    EXPECT_FLOAT_EQ(p.fluss_zentral, 0.1f);
    EXPECT_FLOAT_EQ(p.mauer_abstand_zentrum, 1.0f);
    EXPECT_FLOAT_EQ(p.kern_rel, p.bebauung_rel * 0.5f);
    EXPECT_FLOAT_EQ(p.bebauung_rel, (234.5f - 10.0f) / 234.5f);
    EXPECT_FLOAT_EQ(p.haus_gxy_spanne, 7.0f);
    // Powers and inversions.
    EXPECT_FLOAT_EQ(p.stadt_kernbildung, std::pow(0.01f, 0.1f) * 0.999f);
    EXPECT_FLOAT_EQ(p.fluss_quellen_ausserhalb, std::pow(0.25f, 1.5f));
    EXPECT_FLOAT_EQ(p.haeuser_groessenverteilung_breite, 0.56f * 0.56f * 0.9f + 0.1f);
    EXPECT_FLOAT_EQ(p.haus_antiueberlappung, 100 * 0.999f / 100);
}

TEST(Parameter, HomogenitaetWirdUmgekehrt) {
    Steuerwerte s = start_steuerwerte();
    ASSERT_TRUE(s.setzen("Slider_haus_blockbildung_homogen", "100").gut());
    EXPECT_FLOAT_EQ(parameter_umrechnen(s).haus_blockbildung_homogen, 0.0f);
    ASSERT_TRUE(s.setzen("Slider_haus_blockbildung_homogen", "0").gut());
    EXPECT_FLOAT_EQ(parameter_umrechnen(s).haus_blockbildung_homogen, 1.0f);
}

TEST(Parameter, GrosseVorlageUndGrenzen) {
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, 13);
    Parameter p = parameter_umrechnen(s);
    EXPECT_FLOAT_EQ(p.stadt_abmessung, 4000.0f);
    EXPECT_EQ(p.wege_anzahl, 750);
    EXPECT_EQ(p.n_gebaude, 10000);
    EXPECT_TRUE(parameter_pruefen(p).gut());

    // The largest choice still fits the 16-bit point tables.
    waehle(s, "Combo_stadt_abmessung", "7500 m");
    ASSERT_TRUE(s.setzen("Slider_weg_aufloesung", "100").gut());
    p = parameter_umrechnen(s);
    EXPECT_EQ(p.weg_punkte_max, 17708);
    EXPECT_TRUE(parameter_pruefen(p).gut());

    // What the tables cannot hold, and zero widths, are refused by control name.
    Parameter q = p;
    q.weg_punkte_max = 32758;
    Ergebnis f = parameter_pruefen(q);
    ASSERT_EQ(f.art(), Fehlerart::bedienung);
    EXPECT_NE(f.englisch().find("Slider_weg_aufloesung"), std::string::npos);
    q = p;
    q.weg_halbbreite_max = 0;
    f = parameter_pruefen(q);
    ASSERT_EQ(f.art(), Fehlerart::bedienung);
    EXPECT_NE(f.englisch().find("Combo_wegbreite_max"), std::string::npos);
    q = p;
    q.weg_halbbreite_min = q.weg_halbbreite_max + 0.5f; // equal widths are fine, reversed not
    f = parameter_pruefen(q);
    ASSERT_EQ(f.art(), Fehlerart::bedienung);
    for (const std::string& t : {f.deutsch(), f.englisch()}) {
        EXPECT_NE(t.find("Combo_wegbreite_min"), std::string::npos);
        EXPECT_NE(t.find("Combo_wegbreite_max"), std::string::npos);
    }
    EXPECT_NE(f.deutsch(), f.englisch());
    q.weg_halbbreite_min = q.weg_halbbreite_max;
    EXPECT_TRUE(parameter_pruefen(q).gut());
    q = p;
    q.stadt_durchmesser = 0;
    ASSERT_FALSE(parameter_pruefen(q).gut());

    // A river whose first step jumps from the map edge over the central zone
    // is refused; without rivers its width does not matter.
    for (int v = 0; v < n_vorlagen; ++v) {
        Steuerwerte w = start_steuerwerte();
        vorlage_anwenden(w, v);
        EXPECT_TRUE(parameter_pruefen(parameter_umrechnen(w)).gut()) << "preset " << v;
    }
    vorlage_anwenden(s, 8);
    ASSERT_TRUE(
        s.setzen("Combo_fluss_breite_max", "14").gut()); // 400 m on 350 m: unlikely, not refused
    EXPECT_TRUE(parameter_pruefen(parameter_umrechnen(s)).gut());
    ASSERT_TRUE(s.setzen("Combo_fluss_breite_max", "15").gut()); // 800 m
    q = parameter_umrechnen(s);
    f = parameter_pruefen(q);
    ASSERT_EQ(f.art(), Fehlerart::bedienung);
    for (const std::string& t : {f.deutsch(), f.englisch()})
        EXPECT_NE(t.find("Combo_fluss_breite_max"), std::string::npos);
    q.n_fluesse_max = 1;
    EXPECT_TRUE(parameter_pruefen(q).gut());
}

TEST(Parameter, EinlesenDimensioniertUndWuerfeltUmriss) {
    Steuerwerte s = start_steuerwerte();
    Zufall z(5);
    Parameter p;
    Stadtmodell m;
    ASSERT_TRUE(parameter_einlesen(s, z, p, m).gut());
    EXPECT_EQ(m.wege_kapazitaet(), p.n_fluesse_max + p.wege_anzahl);
    EXPECT_EQ(m.haeuser_kapazitaet(), p.n_gebaude);
    EXPECT_EQ(static_cast<int>(m.plaetze.size()), p.n_plaetze + 2);
    EXPECT_GE(m.stadtrand_n_wellen, 7);
    EXPECT_LE(m.stadtrand_n_wellen, 10);
    for (int k = 1; k <= m.stadtrand_n_wellen; ++k) {
        EXPECT_GE(m.stadtrand_frequenz[k], 2);
        EXPECT_LE(m.stadtrand_frequenz[k], 9);
        const float f = static_cast<float>(m.stadtrand_frequenz[k]);
        EXPECT_GE(m.stadtrand_amplitude[k], (15.0f / f + 0.3f) * 0.5f * 0.9f - 1e-5f);
        EXPECT_LE(m.stadtrand_amplitude[k], (15.0f / f + 0.3f) * 0.5f * 1.1f + 1e-5f);
    }
    // A refused reading leaves parameters and model untouched.
    Parameter vorher = p;
    Stadtmodell m2 = m;
    s.finde_liste("Combo_wege_anzahl")->index = 0;
    Steuerwerte kaputt = s;
    // Force a refusal through an absurd point count: patch the map size list.
    kaputt.finde_liste("Combo_stadt_abmessung")->eintraege_de[0] = "0 m";
    kaputt.finde_liste("Combo_stadt_abmessung")->index = 0;
    ASSERT_FALSE(parameter_einlesen(kaputt, z, p, m).gut());
    EXPECT_EQ(p.n_gebaude, vorher.n_gebaude);
    EXPECT_EQ(m.stadtrand_n_wellen, m2.stadtrand_n_wellen);
    EXPECT_EQ(m.wege.size(), m2.wege.size());
}
