#include "core/vorlagen.h"

#include <array>
#include <cassert>
#include <charconv>
#include <string_view>

namespace tarvello {
namespace {

struct Namen {
    const char* deutsch;
    const char* englisch;
};

constexpr std::array<Namen, n_vorlagen> vorlagen_namen = {{
    {"Weiler", "Hamlet"},
    {"Kleines Dorf", "Small Village"},
    {"Dorf", "Village"},
    {"Wikingerdorf (umfriedet)", "Viking Village (Fortified)"},
    {"Afrikanisches Dorf mit Rundhütten (umfriedet)",
     "African Village (Fortified) With Circular Huts"},
    {"Ort (mitteleuropäisch)", "Rather Small Town (Central-European)"},
    {"Westernstadt", "Wild West Town"},
    {"Städtchen", "Small Town"},
    {"Städtchen mit Stadtmauer", "Small Town With City Wall"},
    {"Städtchen mit Mauer um alten Kern",
     "Small Town With Incomplete City Wall Around City Center"},
    {"Quadratische Stadt mit Burgmauer", "Squarish Town With City Wall"},
    {"Mitteleuropäische größere Stadt", "Medium-Sized Central-European City"},
    {"Mitteleuropäische Großstadt", "Large Central-European City"},
    {"US-Amerikanische Großstadt", "US-American Big City"},
}};

// One row per control, one cell per preset. Lists are given by the item text
// without its alignment spaces, sliders by their position, the wall check box
// by "on"/"off"; `frei` leaves the control as it is.
struct Zeile {
    const char* steuerung;
    std::array<const char*, n_vorlagen> werte;
};

constexpr const char* frei = nullptr;

// clang-format off
constexpr Zeile tabelle[] = {
    {"Combo_stadt_abmessung",
     {"200 m", "200 m", "350 m", "200 m", "200 m", "500 m", "500 m", "750 m", "350 m", "350 m", "350 m", "2500 m", "4000 m", "4000 m"}},
    {"Combo_stadt_form",
     {"rund", "rund", "rund", "rund", "rund", "rund", "rund", "rund", "rund", "rund", "quadtratisch", "rund", "rund", "rund"}},
    {"Combo_stadt_kerngroesse",
     {"50 %", "50 %", "50 %", "90 %", "90 %", "50 %", "40 %", "50 %", "50 %", "50 %", "80 %", "80 %", "80 %", "80 %"}},
    {"Slider_stadt_kernbildung",
     {"80", "97", "97", "10", "10", "99", "99", "99", "1", "18", "1", "39", "39", "39"}},
    {"Slider_stadt_turbulenz",
     {"55", "55", "55", "14", "14", "55", "55", "35", "15", "15", "15", "25", "25", "22"}},
    {"Combo_wege_anzahl",
     {"3", "5", "7", "7", "30", "10", "3", "15", "50", "50", "200", "300", "750", "750"}},
    {"Combo_wege_anzahl_aus_stadt",
     {"3", "4", "4", "2", "2", "5", "2", "5", "2", "2", "3", "5", "5", "5"}},
    {"Combo_wegbreite_min",
     {"1 m", "1 m", "1 m", "1 m", "1 m", "1 m", "3 m", "1 m", "1 m", "1 m", "1 m", "1 m", "1 m", "4 m"}},
    {"Combo_wegbreite_max",
     {"4 m", "4 m", "5 m", "5 m", "3 m", "6 m", "7 m", "7 m", "7 m", "7 m", "7 m", "14 m", "18 m", "18 m"}},
    {"Slider_weg_aufloesung",
     {"60", "50", "50", "65", "65", "30", "30", "40", "40", "40", "40", "40", "40", "40"}},
    {"Slider_weg_kurvigkeit",
     {"56", "56", "56", "56", "75", "56", "26", "50", "24", "24", "2", "32", "26", "2"}},
    {"Slider_weg_richtungstendenz",
     {"20", "20", "20", "20", "20", "20", "20", "20", "20", "20", "20", "20", "20", "20"}},
    {"Slider_weg_abknick_wahrsch",
     {"33", "33", "33", "33", "33", "33", "55", "33", "33", "33", "33", "33", "33", "3"}},
    {"Combo_wi_abknick_max",
     {"70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°", "70°"}},
    {"Slider_weg_abzweig_verjueng_wert",
     {"50", "50", "50", "50", "50", "24", "84", "24", "24", "24", "34", "40", "40", "40"}},
    {"Slider_weg_abzweig_verjueng_streu",
     {"50", "50", "50", "50", "50", "24", "24", "24", "24", "24", "24", "24", "24", "24"}},
    {"Combo_weg_abzweigung_wi_min",
     {"30°", "30°", "30°", "30°", "60°", "30°", "50°", "30°", "30°", "30°", "70°", "30°", "30°", "60°"}},
    {"Slider_weg_sackgasse_wahrsch",
     {"44", "44", "44", "44", "50", "24", "64", "24", "40", "40", "30", "24", "24", "24"}},
    {"Slider_weg_durchkreuz_wahrsch",
     {"25", "25", "25", "25", "25", "25", "5", "25", "25", "25", "55", "35", "45", "75"}},
    {"Slider_weg_brueckenbildung",
     {"75", "75", "75", "75", "75", "75", "75", "75", "75", "75", "75", "75", "75", "75"}},
    {"Slider_abstand_weg_fluss",
     {"5", "4", "3", "3", "3", "2", "2", "2", "2", "2", "2", "2", "2", "2"}},
    {"Combo_n_gebaude",
     {"5", "10", "20", "30", "75", "50", "50", "100", "200", "200", "500", "2000", "10000", "10000"}},
    {"Combo_haus_gxy_min",
     {"3 m", "3 m", "3 m", "5 m", "3 m", "4 m", "2 m", "4 m", "3 m", "3 m", "3 m", "5 m", "5 m", "6 m"}},
    {"Combo_haus_gxy_max",
     {"8 m", "8 m", "8 m", "8 m", "6 m", "10 m", "8 m", "12 m", "10 m", "8 m", "10 m", "18 m", "20 m", "36 m"}},
    {"Slider_haus_seitenverhaeltnis_max",
     {"2", "2", "2", "3", "1", "2", "2", "2", "2", "2", "2", "2", "2", "3"}},
    {"Slider_haus_anteil_rund",
     {"20", "20", "20", "0", "94", "20", "4", "10", "1", "1", "3", "3", "2", "2"}},
    {"Slider_haus_abstand_weg",
     {"50", "50", "50", "50", "50", "20", "1", "20", "24", "24", "4", "10", "8", "4"}},
    {"Slider_haus_winkel_weg",
     {"50", "50", "50", "50", "50", "20", "1", "20", "7", "7", "1", "7", "5", "1"}},
    {"Slider_haus_antiueberlappung",
     {"90", "90", "99", "100", "100", "100", "100", "100", "100", "100", "100", "100", "100", "100"}},
    {"Slider_haeuser_groessenverteilung_breite",
     {"56", "56", "56", "56", "56", "56", "56", "56", "56", "56", "56", "56", "56", "56"}},
    {"Slider_haeuser_groessenverteilung_zentrum",
     {"35", "35", "35", "35", "35", "35", "35", "35", "35", "35", "35", "35", "35", "35"}},
    {"Slider_haus_blockbildung",
     {"0", "0", "0", "0", "0", "20", "80", "50", "66", "66", "66", "66", "72", "26"}},
    {"Slider_haus_blockbildung_zentral",
     {"30", "30", "30", "30", "30", "30", "30", "30", "30", "70", "3", "60", "60", "20"}},
    {"Slider_haus_blockbildung_homogen",
     {"50", "50", "50", "50", "50", "50", "10", "50", "50", "50", "40", "66", "72", "26"}},
    {"Combo_n_fluesse_max",
     {"7", "7", "7", "3", "0", "11", "0", "15", "3", "3", "3", "15", "25", "5"}},
    {"Combo_fluss_breite_max",
     {"3 m", "5 m", "7 m", "3 m", "3 m", "10 m", "10 m", "15 m", "7 m", "7 m", "7 m", "25 m", "75 m", "75 m"}},
    {"Combo_fluss_zentral",
     {"30 %", "30 %", "20 %", "40 %", "30 %", "20 %", "20 %", "10 %", "10 %", "10 %", "10 %", "10 %", "10 %", "10 %"}},
    {"Slider_fluss_kurvigkeit",
     {"75", "75", "50", "65", "65", "40", "40", "30", "30", "30", "30", "26", "26", "26"}},
    {"Slider_fluss_verzweigungshaeufigkeit",
     {"75", "75", "75", "75", "75", "75", "75", "40", "40", "40", "40", "40", "40", "40"}},
    {"Slider_fluss_verzweigung_symetrie",
     {"30", "30", "50", "50", "50", "50", "50", "50", "50", "50", "50", "70", "70", "70"}},
    {"Slider_fluss_quelle_abstand",
     {"99", "99", "99", "99", "99", "99", "99", "99", "99", "99", "99", "99", "99", "99"}},
    {"Slider_fluss_quellen_ausserhalb",
     {"25", "25", "25", "25", "25", "25", "25", "25", "25", "25", "25", "25", "25", "25"}},
    {"Slider_fluss_inselbildung",
     {"50", "50", "24", "24", "24", "24", "24", "24", "24", "24", "24", "24", "24", "24"}},
    {"Combo_n_plaetze",
     {"0", "0", "0", "1", "0", "1", "0", "1", "2", "2", "5", "5", "10", "10"}},
    {"Slider_plaetze_groesse_rel",
     {frei, frei, "15", "15", "15", "15", "15", "24", "24", "24", "24", "25", "45", "45"}},
    {"Slider_plaetze_gebaeude_zulassen",
     {frei, frei, "100", "100", "100", "100", "100", "100", "100", "100", "100", "30", "20", "20"}},
    {"Slider_plaetze_gebaeude_groesse",
     {frei, frei, "70", "70", "70", "70", "70", "70", "70", "70", "70", "75", "75", "75"}},
    {"Combo_n_parks",
     {"0", "0", "0", "0", "0", "0", "0", "0", "1", "1", "2", "3", "3", "3"}},
    {"Slider_parks_groesse_rel",
     {frei, frei, frei, frei, frei, frei, frei, frei, frei, frei, frei, "15", "35", "35"}},
    {"Slider_parks_gebaeude_zulassen",
     {frei, frei, frei, frei, frei, frei, frei, frei, frei, frei, frei, "20", "40", "40"}},
    {"Slider_parks_gebaeude_groesse",
     {frei, frei, frei, frei, frei, frei, frei, frei, frei, frei, frei, "20", "20", "20"}},
    {"Check_Mauer",
     {"off", "off", "off", "on", "on", "off", "off", "off", "on", "on", "on", "off", "off", "off"}},
    {"Combo_Mauer_Abstand_Zentrum",
     {frei, frei, frei, "100 %", "100 %", frei, frei, frei, "100 %", "40 %", "100 %", frei, frei, frei}},
    {"Combo_Mauer_Dicke",
     {frei, frei, frei, "0.5 m", "0.5 m", frei, frei, frei, "3 m", "3 m", "3 m", frei, frei, frei}},
    {"Slider_Mauer_Vollstaendigkeit",
     {frei, frei, frei, "100", "100", frei, frei, frei, "100", "80", "100", frei, frei, frei}},
    {"Slider_Mauer_Lueckenhaftigkeit",
     {frei, frei, frei, "0", "0", frei, frei, frei, "0", "50", "0", frei, frei, frei}},
    {"Slider_Mauer_Aufloesung",
     {frei, frei, frei, "50", "50", frei, frei, frei, "50", "70", "50", frei, frei, frei}},
    {"Combo_Mauer_Tuerme_Form",
     {frei, frei, frei, "Runde", "Runde", frei, frei, frei, "Runde", "Runde", "Runde", frei, frei, frei}},
    {"Combo_Mauer_Tuerme_Abstand",
     {frei, frei, frei, "5 m", "5 m", frei, frei, frei, "75 m", "50 m", "75 m", frei, frei, frei}},
    {"Slider_Mauer_Turmabstand_Variation",
     {frei, frei, frei, "33", "33", frei, frei, frei, "33", "33", "33", frei, frei, frei}},
    {"Slider_Mauer_Turmgroesse",
     {frei, frei, frei, "2", "4", frei, frei, frei, "3", "2", "3", frei, frei, frei}},
    {"Slider_Mauer_Turmgroesse_Variation",
     {frei, frei, frei, "10", "10", frei, frei, frei, "10", "10", "10", frei, frei, frei}},
    {"Combo_Mauer_Tuerme_Form_Tore",
     {frei, frei, frei, "Viereckige", "Runde", frei, frei, frei, "Viereckige", "Viereckige", "Viereckige", frei, frei, frei}},
    {"Slider_Mauer_Turmgroesse_Tor",
     {frei, frei, frei, "8", "6", frei, frei, frei, "4", "3", "4", frei, frei, frei}},
    {"Slider_Mauer_TorTurmgroesse_Variation",
     {frei, frei, frei, "10", "25", frei, frei, frei, "25", "25", "25", frei, frei, frei}},
    {"Slider_Mauer_Tuerme_erodieren_mit",
     {frei, frei, frei, frei, frei, frei, frei, frei, frei, "30", frei, frei, frei, frei}},
};
// clang-format on

std::string_view ohne_fuehrende_leerzeichen(std::string_view text) {
    const std::size_t p = text.find_first_not_of(' ');
    return p == std::string_view::npos ? std::string_view{} : text.substr(p);
}

// Sets one control from a table cell; false when the cell fits no value of it.
bool zelle_anwenden(Steuerwerte& s, std::string_view steuerung, std::string_view zelle) {
    if (steuerung == "Check_Mauer") {
        if (zelle != "on" && zelle != "off") return false;
        s.check_mauer = zelle == "on" ? 1 : 0;
        return true;
    }
    if (ListenSteuerung* l = s.finde_liste(steuerung)) {
        for (std::size_t i = 0; i < l->eintraege_de.size(); ++i) {
            if (ohne_fuehrende_leerzeichen(l->eintraege_de[i]) == zelle) {
                l->index = static_cast<int>(i);
                return true;
            }
        }
        return false;
    }
    if (Schieberegler* r = s.finde_schieber(steuerung)) {
        int wert = 0;
        const char* ende = zelle.data() + zelle.size();
        auto [p, fehler] = std::from_chars(zelle.data(), ende, wert);
        if (fehler != std::errc{} || p != ende || wert < r->min || wert > r->max) return false;
        r->wert = wert;
        return true;
    }
    return false;
}

} // namespace

std::string vorlage_name(int index, Sprache sprache) {
    if (index < 0 || index >= n_vorlagen) return {};
    const Namen& n = vorlagen_namen[static_cast<std::size_t>(index)];
    return sprache == Sprache::englisch ? n.englisch : n.deutsch;
}

bool vorlage_anwenden(Steuerwerte& s, int index) {
    if (index < 0 || index >= n_vorlagen) return false;
    for (const Zeile& zeile : tabelle) {
        const char* zelle = zeile.werte[static_cast<std::size_t>(index)];
        if (zelle == frei) continue;
        [[maybe_unused]] const bool passt = zelle_anwenden(s, zeile.steuerung, zelle);
        assert(passt && "preset cell fits no value of its control");
    }
    return true;
}

Steuerwerte start_steuerwerte() {
    Steuerwerte s;
    vorlage_anwenden(s, 8);
    return s;
}

std::vector<std::string> vorlagen_unpassende_zellen() {
    std::vector<std::string> fehler;
    Steuerwerte probe;
    for (const Zeile& zeile : tabelle) {
        for (std::size_t k = 0; k < zeile.werte.size(); ++k) {
            const char* zelle = zeile.werte[k];
            if (zelle != frei && !zelle_anwenden(probe, zeile.steuerung, zelle))
                fehler.push_back(std::string(zeile.steuerung) + ", preset " + std::to_string(k) +
                                 ": \"" + zelle + "\"");
        }
    }
    return fehler;
}

} // namespace tarvello
