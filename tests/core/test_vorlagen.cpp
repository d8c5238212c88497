#include <gtest/gtest.h>

#include "core/vorlagen.h"

using namespace tarvello;

namespace {

std::string ohne_leerzeichen(const std::string& s) {
    return s.substr(std::min(s.find_first_not_of(' '), s.size()));
}

// Every control moved away from where a fresh state has it.
Steuerwerte verschoben() {
    Steuerwerte s;
    for (auto& l : s.listen)
        l.index = 1;
    for (auto& r : s.schieber)
        r.wert = r.wert == r.max ? r.min : r.max;
    s.check_mauer = 1;
    return s;
}

bool ist_mauer(const std::string& name) {
    return name.rfind("Combo_Mauer_", 0) == 0 || name.rfind("Slider_Mauer_", 0) == 0;
}

// Which presets leave a control alone: the wall controls are set only by the
// walled towns, the square sliders not by the two smallest villages, the park
// sliders only by the three cities, tower erosion only by preset 9.
bool laesst_frei(int vorlage, const std::string& name) {
    if (name == "Slider_Mauer_Tuerme_erodieren_mit") return vorlage != 9;
    if (ist_mauer(name))
        return !(vorlage == 3 || vorlage == 4 || vorlage == 8 || vorlage == 9 || vorlage == 10);
    if (name.rfind("Slider_plaetze_", 0) == 0) return vorlage <= 1;
    if (name.rfind("Slider_parks_", 0) == 0) return vorlage <= 10;
    return false;
}

} // namespace

TEST(Vorlagen, EveryCellNamesAnExistingValue) {
    std::string alle;
    for (const std::string& f : vorlagen_unpassende_zellen())
        alle += f + "\n";
    EXPECT_EQ(alle, "");
}

TEST(Vorlagen, SetsEveryControlExceptTheLeftOnes) {
    for (int k = 0; k < n_vorlagen; ++k) {
        const Steuerwerte a0, b0 = verschoben();
        Steuerwerte a = a0, b = b0;
        ASSERT_TRUE(vorlage_anwenden(a, k));
        ASSERT_TRUE(vorlage_anwenden(b, k));
        EXPECT_EQ(a.check_mauer, b.check_mauer) << "preset " << k;
        for (std::size_t i = 0; i < a.listen.size(); ++i) {
            const std::string& name = a.listen[i].name;
            if (laesst_frei(k, name)) {
                EXPECT_EQ(a.listen[i].index, a0.listen[i].index) << name << " preset " << k;
                EXPECT_EQ(b.listen[i].index, b0.listen[i].index) << name << " preset " << k;
            } else {
                EXPECT_EQ(a.listen[i].index, b.listen[i].index) << name << " preset " << k;
            }
        }
        for (std::size_t i = 0; i < a.schieber.size(); ++i) {
            const std::string& name = a.schieber[i].name;
            if (laesst_frei(k, name)) {
                EXPECT_EQ(a.schieber[i].wert, a0.schieber[i].wert) << name << " preset " << k;
                EXPECT_EQ(b.schieber[i].wert, b0.schieber[i].wert) << name << " preset " << k;
            } else {
                EXPECT_EQ(a.schieber[i].wert, b.schieber[i].wert) << name << " preset " << k;
            }
        }
    }
}

TEST(Vorlagen, StartStateIsTheSmallWalledTown) {
    const Steuerwerte s = start_steuerwerte();
    EXPECT_FLOAT_EQ(s.zahl("Combo_stadt_abmessung"), 350.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_n_gebaude"), 200.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_wege_anzahl"), 50.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_Mauer_Dicke"), 3.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_Mauer_Tuerme_Abstand"), 75.0f);
    EXPECT_EQ(s.check_mauer, 1);
    EXPECT_EQ(s.index("Combo_Mauer_Tuerme_Form"), 1);      // round
    EXPECT_EQ(s.index("Combo_Mauer_Tuerme_Form_Tore"), 2); // square
    EXPECT_EQ(s.wert("Slider_stadt_kernbildung"), 1);
    EXPECT_EQ(s.wert("Slider_Mauer_Turmgroesse"), 3);
    // Left alone by preset 8, so still at the start positions.
    EXPECT_EQ(s.wert("Slider_parks_groesse_rel"), 30);
    EXPECT_EQ(s.wert("Slider_Mauer_Tuerme_erodieren_mit"), 40);
    EXPECT_FALSE(s == Steuerwerte{});
}

TEST(Vorlagen, BigAmericanCity) {
    Steuerwerte s;
    vorlage_anwenden(s, 13);
    EXPECT_FLOAT_EQ(s.zahl("Combo_stadt_abmessung"), 4000.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_wege_anzahl"), 750.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_n_gebaude"), 10000.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_wegbreite_min"), 4.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_haus_gxy_max"), 36.0f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_weg_abzweigung_wi_min"), 60.0f);
    EXPECT_EQ(s.wert("Slider_weg_abknick_wahrsch"), 3);
    EXPECT_EQ(s.wert("Slider_haus_seitenverhaeltnis_max"), 3);
    EXPECT_EQ(s.check_mauer, 0);
}

TEST(Vorlagen, SquareTownAndDistinctValues) {
    Steuerwerte s;
    vorlage_anwenden(s, 10);
    EXPECT_EQ(ohne_leerzeichen(s.text("Combo_stadt_form")), "quadtratisch");
    EXPECT_FLOAT_EQ(s.zahl("Combo_stadt_kerngroesse"), 80.0f);
    vorlage_anwenden(s, 3);
    EXPECT_EQ(s.index("Combo_stadt_form"), 0);
    EXPECT_FLOAT_EQ(s.zahl("Combo_Mauer_Dicke"), 0.5f);
    EXPECT_FLOAT_EQ(s.zahl("Combo_Mauer_Tuerme_Abstand"), 5.0f);
    EXPECT_EQ(s.wert("Slider_Mauer_Turmgroesse_Tor"), 8);
    EXPECT_EQ(s.wert("Slider_haus_anteil_rund"), 0);
    vorlage_anwenden(s, 4);
    EXPECT_EQ(s.wert("Slider_haus_seitenverhaeltnis_max"), 1);
    EXPECT_EQ(s.index("Combo_Mauer_Tuerme_Form_Tore"), 1);
    EXPECT_FLOAT_EQ(s.zahl("Combo_n_fluesse_max"), 0.0f);
}

TEST(Vorlagen, DotLeavesControlAlone) {
    Steuerwerte s;
    vorlage_anwenden(s, 2);
    const int groesse = s.wert("Slider_plaetze_groesse_rel");
    const int zulassen = s.wert("Slider_plaetze_gebaeude_zulassen");
    const int gebaeude = s.wert("Slider_plaetze_gebaeude_groesse");
    EXPECT_EQ(groesse, 15);
    EXPECT_EQ(zulassen, 100);
    EXPECT_EQ(gebaeude, 70);
    vorlage_anwenden(s, 0);
    EXPECT_EQ(s.wert("Slider_plaetze_groesse_rel"), groesse);
    EXPECT_EQ(s.wert("Slider_plaetze_gebaeude_zulassen"), zulassen);
    EXPECT_EQ(s.wert("Slider_plaetze_gebaeude_groesse"), gebaeude);
    EXPECT_FLOAT_EQ(s.zahl("Combo_stadt_abmessung"), 200.0f);
}

TEST(Vorlagen, CitiesSwitchTheWallOffButKeepItsControls) {
    for (int k : {11, 12, 13}) {
        Steuerwerte s = start_steuerwerte();
        vorlage_anwenden(s, 9);
        Steuerwerte vorher = s;
        vorlage_anwenden(s, k);
        EXPECT_EQ(s.check_mauer, 0) << k;
        for (std::size_t i = 0; i < s.listen.size(); ++i)
            if (ist_mauer(s.listen[i].name)) {
                EXPECT_EQ(s.listen[i].index, vorher.listen[i].index) << s.listen[i].name;
            }
        for (std::size_t i = 0; i < s.schieber.size(); ++i)
            if (ist_mauer(s.schieber[i].name)) {
                EXPECT_EQ(s.schieber[i].wert, vorher.schieber[i].wert) << s.schieber[i].name;
            }
        EXPECT_FLOAT_EQ(s.zahl("Combo_Mauer_Abstand_Zentrum"), 40.0f) << k;
        EXPECT_EQ(s.wert("Slider_Mauer_Tuerme_erodieren_mit"), 30) << k;
    }
}

TEST(Vorlagen, IndexOutsideTheListChangesNothing) {
    for (int k : {-1, 14, 1000}) {
        Steuerwerte s = verschoben();
        const Steuerwerte vorher = s;
        EXPECT_FALSE(vorlage_anwenden(s, k));
        EXPECT_TRUE(s == vorher);
        EXPECT_EQ(vorlage_name(k, Sprache::deutsch), "");
        EXPECT_EQ(vorlage_name(k, Sprache::englisch), "");
    }
}

TEST(Vorlagen, HouseRowSliders) {
    for (int k = 0; k < n_vorlagen; ++k) {
        Steuerwerte s = verschoben();
        vorlage_anwenden(s, k);
        const int zentral = s.wert("Slider_haus_blockbildung_zentral");
        const int homogen = s.wert("Slider_haus_blockbildung_homogen");
        if (k <= 5 || k == 7 || k == 8) {
            EXPECT_EQ(zentral, 30) << k;
            EXPECT_EQ(homogen, 50) << k;
        } else if (k == 9) {
            EXPECT_EQ(zentral, 70);
            EXPECT_EQ(homogen, 50);
        } else {
            // Own values differing from the common 30/50 pair.
            EXPECT_FALSE(zentral == 30 && homogen == 50) << k;
        }
    }
}

TEST(Vorlagen, NamesInBothLanguages) {
    for (int k = 0; k < n_vorlagen; ++k) {
        EXPECT_FALSE(vorlage_name(k, Sprache::deutsch).empty()) << k;
        EXPECT_FALSE(vorlage_name(k, Sprache::englisch).empty()) << k;
    }
    EXPECT_EQ(vorlage_name(0, Sprache::deutsch), "Weiler");
    EXPECT_EQ(vorlage_name(8, Sprache::deutsch), "Städtchen mit Stadtmauer");
    EXPECT_EQ(vorlage_name(8, Sprache::englisch), "Small Town With City Wall");
    EXPECT_EQ(vorlage_name(13, Sprache::englisch), "US-American Big City");
    EXPECT_STREQ(vorlage_benutzerdefiniert, "(beutzerdefiniert)");
}
