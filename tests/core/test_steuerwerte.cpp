#include <gtest/gtest.h>

#include <set>

#include "core/steuerwerte.h"

using namespace tarvello;

namespace {

std::size_t zeichenzahl(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string ohne_leerzeichen(const std::string& s) {
    return s.substr(std::min(s.find_first_not_of(' '), s.size()));
}

} // namespace

TEST(Steuerwerte, HasEveryControlOnceAtItsStartState) {
    Steuerwerte s;
    EXPECT_EQ(s.listen.size(), 22u);
    EXPECT_EQ(s.schieber.size(), 43u);
    EXPECT_EQ(s.anzahl(), 66u);
    EXPECT_EQ(s.check_mauer, 0);

    std::set<std::string> namen;
    for (const auto& l : s.listen) {
        EXPECT_TRUE(namen.insert(l.name).second) << l.name;
        EXPECT_EQ(l.name.rfind("Combo_", 0), 0u) << l.name;
        EXPECT_EQ(l.index, 0) << l.name;
    }
    for (const auto& r : s.schieber) {
        EXPECT_TRUE(namen.insert(r.name).second) << r.name;
        EXPECT_EQ(r.name.rfind("Slider_", 0), 0u) << r.name;
        EXPECT_EQ(r.wert, r.start) << r.name;
        EXPECT_LE(r.min, r.start) << r.name;
        EXPECT_LE(r.start, r.max) << r.name;
    }
    // Reading order: shape first, tower shapes last.
    EXPECT_EQ(s.listen.front().name, "Combo_stadt_form");
    EXPECT_EQ(s.listen.back().name, "Combo_Mauer_Tuerme_Form");
    EXPECT_EQ(s.schieber.front().name, "Slider_stadt_turbulenz");
    EXPECT_EQ(s.schieber.back().name, "Slider_Mauer_Tuerme_erodieren_mit");
}

TEST(Steuerwerte, SliderRangesThatAreNotPercent) {
    Steuerwerte s;
    auto pruefe = [&](const char* name, int min, int max, int start) {
        const Schieberegler* r = s.finde_schieber(name);
        ASSERT_NE(r, nullptr) << name;
        EXPECT_EQ(r->min, min) << name;
        EXPECT_EQ(r->max, max) << name;
        EXPECT_EQ(r->start, start) << name;
    };
    pruefe("Slider_haus_seitenverhaeltnis_max", 1, 5, 2);
    pruefe("Slider_haeuser_groessenverteilung_breite", 10, 100, 75);
    pruefe("Slider_Mauer_Turmgroesse", 2, 10, 4);
    pruefe("Slider_Mauer_Turmgroesse_Tor", 2, 10, 4);
    pruefe("Slider_weg_abzweig_verjueng_streu", 0, 100, 56);
    pruefe("Slider_haus_blockbildung_homogen", 0, 100, 30);
}

TEST(Steuerwerte, ItemListsAreRightAlignedAndComplete) {
    Steuerwerte s;
    for (const auto& l : s.listen) {
        ASSERT_FALSE(l.eintraege_de.empty()) << l.name;
        ASSERT_EQ(l.eintraege_de.size(), l.eintraege_en.size()) << l.name;
        for (const auto* eintraege : {&l.eintraege_de, &l.eintraege_en}) {
            const std::size_t breite = zeichenzahl(eintraege->front());
            for (const auto& e : *eintraege) {
                EXPECT_EQ(zeichenzahl(e), breite) << l.name << " '" << e << "'";
                EXPECT_NE(e.back(), ' ') << l.name;
            }
            // The widest item carries no padding.
            bool einer_ohne = false;
            for (const auto& e : *eintraege)
                einer_ohne |= e.front() != ' ';
            EXPECT_TRUE(einer_ohne) << l.name;
        }
    }
    EXPECT_EQ(s.finde_liste("Combo_haus_gxy_max")->eintraege_de.size(), 24u);
    EXPECT_EQ(s.finde_liste("Combo_haus_gxy_min")->eintraege_de.size(), 19u);
    EXPECT_EQ(s.finde_liste("Combo_n_gebaude")->eintraege_de.size(), 29u);
    EXPECT_EQ(s.finde_liste("Combo_stadt_abmessung")->eintraege_de.size(), 13u);
    EXPECT_EQ(s.finde_liste("Combo_wege_anzahl_aus_stadt")->eintraege_de.size(), 20u);
    EXPECT_EQ(s.finde_liste("Combo_fluss_breite_max")->eintraege_de.size(), 16u);
    EXPECT_EQ(s.finde_liste("Combo_haus_gxy_max")->eintraege_de.back(), "150 m");
    EXPECT_EQ(s.finde_liste("Combo_haus_gxy_max")->eintraege_de.front(), "  1 m");
    EXPECT_EQ(s.finde_liste("Combo_wi_abknick_max")->eintraege_de.back(), "89°");
    EXPECT_EQ(s.finde_liste("Combo_Mauer_Dicke")->eintraege_de.front(), "0.5 m");
}

TEST(Steuerwerte, OnlyShapeListsDifferBetweenLanguages) {
    Steuerwerte s;
    for (const auto& l : s.listen) {
        const bool eigen = l.name == "Combo_stadt_form" || l.name == "Combo_Mauer_Tuerme_Form" ||
                           l.name == "Combo_Mauer_Tuerme_Form_Tore";
        EXPECT_EQ(l.eintraege_de != l.eintraege_en, eigen) << l.name;
    }
    const auto& form = *s.finde_liste("Combo_stadt_form");
    EXPECT_EQ(ohne_leerzeichen(form.eintraege(Sprache::deutsch)[1]), "quadtratisch");
    EXPECT_EQ(form.eintraege(Sprache::deutsch)[0], "        rund");
    EXPECT_EQ(form.eintraege(Sprache::englisch)[0], "  Round");
    const auto& tuerme = *s.finde_liste("Combo_Mauer_Tuerme_Form_Tore");
    EXPECT_EQ(tuerme.eintraege(Sprache::deutsch)[0], "   (Keine)");
    EXPECT_EQ(tuerme.eintraege(Sprache::englisch)[0], "     No");
    EXPECT_EQ(tuerme.eintraege(Sprache::englisch)[2], "Squared");
}

TEST(Steuerwerte, NumberOfSelectedItem) {
    Steuerwerte s;
    s.finde_liste("Combo_stadt_abmessung")->index = 2;
    EXPECT_EQ(s.text("Combo_stadt_abmessung"), " 350 m");
    EXPECT_FLOAT_EQ(s.zahl("Combo_stadt_abmessung"), 350.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_Mauer_Dicke"), 0.5f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_stadt_form"), 0.0f);
    s.finde_liste("Combo_weg_abzweigung_wi_min")->index = 8;
    EXPECT_FLOAT_EQ(s.zahl("Combo_weg_abzweigung_wi_min"), 89.0f);
    // A position outside the list reads as 0 instead of crashing.
    s.finde_liste("Combo_n_gebaude")->index = 99;
    EXPECT_EQ(s.text("Combo_n_gebaude"), "");
    EXPECT_FLOAT_EQ(s.zahl("Combo_n_gebaude"), 0.0f);
}

// An unknown name in the program's own access is a broken contract: the
// program stops with a message instead of reading some other control.
TEST(SteuerwerteDeathTest, UnknownNamesStopTheProgramOnDirectAccess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Steuerwerte s;
    EXPECT_DEATH((void)s.index("Combo_gibt_es_nicht"), "unknown control: Combo_gibt_es_nicht");
    EXPECT_DEATH((void)s.wert("Slider_gibt_es_nicht"), "unknown control: Slider_gibt_es_nicht");
    EXPECT_DEATH((void)s.text("Slider_weg_aufloesung"), "unknown control: Slider_weg_aufloesung");
    EXPECT_DEATH((void)s.wert("Combo_n_gebaude"), "unknown control: Combo_n_gebaude");
    EXPECT_EQ(s.finde_liste("Slider_weg_aufloesung"), nullptr);
}

TEST(ZahlAusText, ReadsTheLeadingNumber) {
    EXPECT_FLOAT_EQ(zahl_aus_text("  0.5 m"), 0.5f);
    EXPECT_FLOAT_EQ(zahl_aus_text(" 89°"), 89.0f);
    EXPECT_FLOAT_EQ(zahl_aus_text("20000"), 20000.0f);
    EXPECT_FLOAT_EQ(zahl_aus_text(" 100 %"), 100.0f);
    EXPECT_FLOAT_EQ(zahl_aus_text("-3 m"), -3.0f);
    EXPECT_FLOAT_EQ(zahl_aus_text("+2.25x"), 2.25f);
    EXPECT_FLOAT_EQ(zahl_aus_text(".5"), 0.5f);
    EXPECT_FLOAT_EQ(zahl_aus_text("1.5.3"), 1.5f);
    EXPECT_FLOAT_EQ(zahl_aus_text("5,5"), 5.0f); // a comma is not a decimal mark here
}

TEST(ZahlAusText, TextWithoutNumberReadsZero) {
    for (const char* t : {"rund", "", "   ", "-", ".", "+.", "(Keine)", "m 5"})
        EXPECT_EQ(zahl_aus_text(t), 0.0f) << '"' << t << '"';
}

TEST(SteuerwerteSetzen, AcceptsValuesInRange) {
    Steuerwerte s;
    EXPECT_TRUE(s.setzen("Combo_stadt_abmessung", "12").gut());
    EXPECT_EQ(s.index("Combo_stadt_abmessung"), 12);
    EXPECT_TRUE(s.setzen("Slider_weg_aufloesung", "+100").gut());
    EXPECT_EQ(s.wert("Slider_weg_aufloesung"), 100);
    EXPECT_TRUE(s.setzen("Slider_Mauer_Turmgroesse", "2").gut());
    EXPECT_EQ(s.wert("Slider_Mauer_Turmgroesse"), 2);
    EXPECT_TRUE(s.setzen("Check_Mauer", "1").gut());
    EXPECT_EQ(s.check_mauer, 1);
    EXPECT_TRUE(s.setzen("Check_Mauer", "-0").gut());
    EXPECT_EQ(s.check_mauer, 0);
}

TEST(SteuerwerteSetzen, RefusesAndLeavesEverythingUnchanged) {
    struct Fall {
        const char* name;
        const char* wert;
        const char* bereich; // expected in the message, "" for unknown controls
    };
    const Fall faelle[] = {
        {"Slider_weg_aufloesung", "150", "0..100"},
        {"Slider_weg_aufloesung", "-1", "0..100"},
        {"Slider_haus_seitenverhaeltnis_max", "0", "1..5"},
        {"Slider_Mauer_Turmgroesse_Tor", "11", "2..10"},
        {"Slider_haeuser_groessenverteilung_breite", "9", "10..100"},
        {"Combo_stadt_abmessung", "13", "0..12"},
        {"Combo_stadt_form", "-1", "0..1"},
        {"Check_Mauer", "2", "0..1"},
        {"Slider_weg_aufloesung", "99999999999999999999999", "0..100"},
        {"Slider_weg_aufloesung", "", "0..100"},
        {"Slider_weg_aufloesung", "12x", "0..100"},
        {"Slider_weg_aufloesung", " 12", "0..100"},
        {"Slider_weg_aufloesung", "1.5", "0..100"},
        {"Slider_weg_aufloesung", "+", "0..100"},
        {"Combo_n_gebaude", "1\n2", "0..28"},
        {"Slider_gibt_es_nicht", "1", ""},
        {"combo_stadt_form", "1", ""},
    };
    for (const Fall& f : faelle) {
        Steuerwerte s;
        const Steuerwerte vorher = s;
        const Ergebnis e = s.setzen(f.name, f.wert);
        ASSERT_EQ(e.art(), Fehlerart::bedienung) << f.name << " = " << f.wert;
        const std::string& fehler = e.englisch();
        EXPECT_NE(fehler.find(f.name), std::string::npos) << fehler;
        EXPECT_NE(fehler.find(f.bereich), std::string::npos) << fehler;
        EXPECT_EQ(fehler.find('\n'), std::string::npos) << fehler;
        EXPECT_NE(e.deutsch().find(f.name), std::string::npos) << e.deutsch();
        EXPECT_NE(e.deutsch(), fehler);
        EXPECT_TRUE(s == vorher) << f.name << " = " << f.wert;
    }
    Steuerwerte s;
    EXPECT_EQ(s.setzen("Slider_weg_aufloesung", "150").englisch(),
              "Slider_weg_aufloesung: 150 is outside 0..100");
    EXPECT_EQ(s.setzen("Slider_weg_aufloesung", "150").deutsch(),
              "Slider_weg_aufloesung: 150 liegt außerhalb 0..100");
}

TEST(Steuerwerte, EqualityComparesStatesNotItemTexts) {
    Steuerwerte a, b;
    EXPECT_TRUE(a == b);
    b.finde_liste("Combo_n_parks")->eintraege_de[0] = "x";
    EXPECT_TRUE(a == b);

    b = a;
    b.finde_liste("Combo_Mauer_Tuerme_Form")->index = 1;
    EXPECT_FALSE(a == b);
    b = a;
    b.finde_schieber("Slider_Mauer_Tuerme_erodieren_mit")->wert = 41;
    EXPECT_FALSE(a == b);
    b = a;
    b.check_mauer = 1;
    EXPECT_FALSE(a == b);
}
