#include "core/steuerwerte.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

namespace tarvello {
namespace {

using Texte = std::vector<std::string_view>;

// Length as the user sees it: "°" and umlauts are one character, not two bytes.
std::size_t zeichenzahl(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Right-aligns the items of one list by padding them to the longest item.
std::vector<std::string> rechtsbuendig(const Texte& texte) {
    std::size_t breite = 0;
    for (std::string_view t : texte)
        breite = std::max(breite, zeichenzahl(t));
    std::vector<std::string> ergebnis;
    ergebnis.reserve(texte.size());
    for (std::string_view t : texte) {
        std::string eintrag(breite - zeichenzahl(t), ' ');
        eintrag += t;
        ergebnis.push_back(std::move(eintrag));
    }
    return ergebnis;
}

ListenSteuerung liste(std::string name, const Texte& de) {
    ListenSteuerung l;
    l.name = std::move(name);
    l.eintraege_de = rechtsbuendig(de);
    l.eintraege_en = l.eintraege_de;
    return l;
}

ListenSteuerung liste(std::string name, const Texte& de, const Texte& en) {
    ListenSteuerung l = liste(std::move(name), de);
    l.eintraege_en = rechtsbuendig(en);
    return l;
}

Schieberegler regler(std::string name, int min, int max, int start) {
    return Schieberegler{std::move(name), min, max, start, start};
}

const Texte& meter_1_bis_40() {
    static const Texte t = {"1 m",  "2 m",  "3 m",  "4 m",  "5 m",  "6 m",  "7 m",
                            "8 m",  "10 m", "12 m", "14 m", "16 m", "18 m", "20 m",
                            "24 m", "28 m", "32 m", "36 m", "40 m"};
    return t;
}
const Texte& grad_10_bis_89() {
    static const Texte t = {"10°", "20°", "30°", "40°", "50°", "60°", "70°", "80°", "89°"};
    return t;
}
const Texte& turmformen_de() {
    static const Texte t = {"(Keine)", "Runde", "Viereckige"};
    return t;
}
const Texte& turmformen_en() {
    static const Texte t = {"No", "Round", "Squared"};
    return t;
}

// Whole number with an optional sign and nothing else around it. Values far
// beyond any control's range saturate instead of overflowing.
std::optional<long long> ganzzahl(std::string_view text) {
    std::size_t i = 0;
    bool negativ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativ = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long wert = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        wert = std::min(wert * 10 + (text[i] - '0'), 1'000'000'000'000LL);
    }
    return negativ ? -wert : wert;
}

// Keeps an error message on one line whatever the user typed.
std::string einzeilig(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

// The contract of the access by name (see the header): not an error result.
[[noreturn]] void unbekannt(std::string_view name) {
    std::fprintf(stderr, "tarvello: internal error: unknown control: %.*s\n",
                 static_cast<int>(name.size()), name.data());
    std::abort();
}

} // namespace

Steuerwerte::Steuerwerte() {
    listen = {
        liste("Combo_stadt_form", {"rund", "quadtratisch"}, {"Round", "Squared"}),
        liste("Combo_wege_anzahl", {"1", "2", "3", "5", "7", "10", "15", "20", "30", "50", "75",
                                    "100", "150", "200", "300", "500", "750", "1000"}),
        liste("Combo_wege_anzahl_aus_stadt",
              {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
               "12", "14", "16", "18", "20", "24", "28", "32", "36", "40"}),
        liste("Combo_stadt_abmessung",
              {"100 m", "200 m", "350 m", "500 m", "750 m", "1000 m", "1500 m", "2000 m", "2500 m",
               "3000 m", "4000 m", "5000 m", "7500 m"}),
        liste("Combo_wegbreite_max", meter_1_bis_40()),
        liste("Combo_wegbreite_min", meter_1_bis_40()),
        liste("Combo_wi_abknick_max", grad_10_bis_89()),
        liste("Combo_weg_abzweigung_wi_min", grad_10_bis_89()),
        liste("Combo_n_gebaude",
              {"1",    "2",    "3",    "5",    "7",    "10",    "15",    "20",    "30",   "50",
               "75",   "100",  "150",  "200",  "300",  "500",   "750",   "1000",  "1500", "2000",
               "3000", "4000", "5000", "6500", "8000", "10000", "12000", "15000", "20000"}),
        liste("Combo_haus_gxy_min", meter_1_bis_40()),
        liste("Combo_haus_gxy_max",
              {"1 m",  "2 m",  "3 m",  "4 m",  "5 m",  "6 m",  "7 m",   "8 m",
               "10 m", "12 m", "14 m", "16 m", "18 m", "20 m", "24 m",  "28 m",
               "32 m", "36 m", "40 m", "50 m", "60 m", "75 m", "100 m", "150 m"}),
        liste("Combo_stadt_kerngroesse",
              {"20 %", "30 %", "40 %", "50 %", "60 %", "70 %", "80 %", "90 %"}),
        liste("Combo_n_fluesse_max", {"0", "1", "3", "5", "7", "11", "15", "25", "35", "50", "75"}),
        liste("Combo_fluss_breite_max",
              {"2 m", "3 m", "5 m", "7 m", "10 m", "15 m", "20 m", "25 m", "35 m", "50 m", "75 m",
               "100 m", "150 m", "250 m", "400 m", "800 m"}),
        liste("Combo_fluss_zentral", {"10 %", "20 %", "30 %", "40 %", "50 %", "75 %", "90 %"}),
        liste("Combo_n_plaetze",
              {"0", "1", "2", "3", "5", "7", "10", "15", "20", "25", "30", "40", "50"}),
        liste("Combo_n_parks", {"0", "1", "2", "3", "4", "5", "7", "10", "15", "20"}),
        liste("Combo_Mauer_Abstand_Zentrum",
              {"20 %", "30 %", "40 %", "50 %", "60 %", "70 %", "80 %", "90 %", "100 %"}),
        liste("Combo_Mauer_Dicke",
              {"0.5 m", "1 m", "2 m", "3 m", "4 m", "5 m", "7 m", "10 m", "15 m"}),
        liste("Combo_Mauer_Tuerme_Abstand", {"5 m", "10 m", "15 m", "25 m", "35 m", "50 m", "75 m",
                                             "100 m", "150 m", "250 m", "350 m", "500 m"}),
        liste("Combo_Mauer_Tuerme_Form_Tore", turmformen_de(), turmformen_en()),
        liste("Combo_Mauer_Tuerme_Form", turmformen_de(), turmformen_en()),
    };

    schieber = {
        regler("Slider_stadt_turbulenz", 0, 100, 20),
        regler("Slider_weg_aufloesung", 0, 100, 40),
        regler("Slider_weg_kurvigkeit", 0, 100, 40),
        regler("Slider_weg_richtungstendenz", 0, 100, 40),
        regler("Slider_weg_sackgasse_wahrsch", 0, 100, 30),
        regler("Slider_weg_abknick_wahrsch", 0, 100, 20),
        regler("Slider_weg_abzweig_verjueng_wert", 0, 100, 34),
        regler("Slider_weg_abzweig_verjueng_streu", 0, 100, 56),
        regler("Slider_stadt_kernbildung", 0, 100, 20),
        regler("Slider_weg_durchkreuz_wahrsch", 0, 100, 30),
        regler("Slider_haus_abstand_weg", 0, 100, 30),
        regler("Slider_haus_winkel_weg", 0, 100, 30),
        regler("Slider_haus_antiueberlappung", 0, 100, 30),
        regler("Slider_haus_anteil_rund", 0, 100, 30),
        regler("Slider_haus_seitenverhaeltnis_max", 1, 5, 2),
        regler("Slider_haus_blockbildung", 0, 100, 30),
        regler("Slider_haus_blockbildung_zentral", 0, 100, 30),
        regler("Slider_haus_blockbildung_homogen", 0, 100, 30),
        regler("Slider_haeuser_groessenverteilung_zentrum", 0, 100, 50),
        regler("Slider_haeuser_groessenverteilung_breite", 10, 100, 75),
        regler("Slider_fluss_kurvigkeit", 0, 100, 40),
        regler("Slider_fluss_verzweigungshaeufigkeit", 0, 100, 40),
        regler("Slider_fluss_verzweigung_symetrie", 0, 100, 40),
        regler("Slider_fluss_quelle_abstand", 0, 100, 40),
        regler("Slider_fluss_inselbildung", 0, 100, 40),
        regler("Slider_fluss_quellen_ausserhalb", 0, 100, 40),
        regler("Slider_abstand_weg_fluss", 0, 100, 34),
        regler("Slider_weg_brueckenbildung", 0, 100, 34),
        regler("Slider_plaetze_groesse_rel", 0, 100, 30),
        regler("Slider_plaetze_gebaeude_zulassen", 0, 100, 30),
        regler("Slider_plaetze_gebaeude_groesse", 0, 100, 50),
        regler("Slider_parks_groesse_rel", 0, 100, 30),
        regler("Slider_parks_gebaeude_zulassen", 0, 100, 30),
        regler("Slider_parks_gebaeude_groesse", 0, 100, 50),
        regler("Slider_Mauer_Vollstaendigkeit", 0, 100, 40),
        regler("Slider_Mauer_Lueckenhaftigkeit", 0, 100, 40),
        regler("Slider_Mauer_Turmgroesse", 2, 10, 4),
        regler("Slider_Mauer_Turmgroesse_Tor", 2, 10, 4),
        regler("Slider_Mauer_Turmabstand_Variation", 0, 100, 40),
        regler("Slider_Mauer_Aufloesung", 0, 100, 40),
        regler("Slider_Mauer_Turmgroesse_Variation", 0, 100, 40),
        regler("Slider_Mauer_TorTurmgroesse_Variation", 0, 100, 40),
        regler("Slider_Mauer_Tuerme_erodieren_mit", 0, 100, 40),
    };
}

ListenSteuerung* Steuerwerte::finde_liste(std::string_view name) {
    return const_cast<ListenSteuerung*>(std::as_const(*this).finde_liste(name));
}

const ListenSteuerung* Steuerwerte::finde_liste(std::string_view name) const {
    auto it = std::find_if(listen.begin(), listen.end(),
                           [&](const ListenSteuerung& l) { return l.name == name; });
    return it == listen.end() ? nullptr : &*it;
}

Schieberegler* Steuerwerte::finde_schieber(std::string_view name) {
    return const_cast<Schieberegler*>(std::as_const(*this).finde_schieber(name));
}

const Schieberegler* Steuerwerte::finde_schieber(std::string_view name) const {
    auto it = std::find_if(schieber.begin(), schieber.end(),
                           [&](const Schieberegler& s) { return s.name == name; });
    return it == schieber.end() ? nullptr : &*it;
}

int Steuerwerte::index(std::string_view combo_name) const {
    const ListenSteuerung* l = finde_liste(combo_name);
    if (!l) unbekannt(combo_name);
    return l->index;
}

int Steuerwerte::wert(std::string_view slider_name) const {
    const Schieberegler* s = finde_schieber(slider_name);
    if (!s) unbekannt(slider_name);
    return s->wert;
}

const std::string& Steuerwerte::text(std::string_view combo_name) const {
    static const std::string leer;
    const ListenSteuerung* l = finde_liste(combo_name);
    if (!l) unbekannt(combo_name);
    // A position outside the list (e.g. from a settings file written for a
    // longer list) has no text and so reads as the number 0.
    if (l->index < 0 || l->index >= static_cast<int>(l->eintraege_de.size())) return leer;
    return l->eintraege_de[static_cast<std::size_t>(l->index)];
}

float Steuerwerte::zahl(std::string_view combo_name) const {
    return zahl_aus_text(text(combo_name));
}

Ergebnis Steuerwerte::setzen(std::string_view name, std::string_view wert) {
    const auto falsch = [](Meldungsart art, const auto&... werte) {
        return Ergebnis::fehler(Fehlerart::bedienung, Meldung(art, werte...));
    };
    int* ziel = nullptr;
    int untergrenze = 0;
    int obergrenze = 0;
    if (name == "Check_Mauer") {
        ziel = &check_mauer;
        obergrenze = 1;
    } else if (ListenSteuerung* l = finde_liste(name)) {
        ziel = &l->index;
        obergrenze = static_cast<int>(l->eintraege_de.size()) - 1;
    } else if (Schieberegler* s = finde_schieber(name)) {
        ziel = &s->wert;
        untergrenze = s->min;
        obergrenze = s->max;
    } else {
        return falsch(Meldungsart::steuerung_unbekannt, einzeilig(name));
    }

    const std::string bereich = std::to_string(untergrenze) + ".." + std::to_string(obergrenze);
    std::optional<long long> zahl = ganzzahl(wert);
    if (!zahl) return falsch(Meldungsart::steuerung_keine_ganzzahl, name, einzeilig(wert), bereich);
    if (*zahl < untergrenze || *zahl > obergrenze)
        return falsch(Meldungsart::steuerung_ausserhalb, name, wert, bereich);
    *ziel = static_cast<int>(*zahl);
    return {};
}

bool Steuerwerte::operator==(const Steuerwerte& o) const {
    if (check_mauer != o.check_mauer || listen.size() != o.listen.size() ||
        schieber.size() != o.schieber.size())
        return false;
    for (std::size_t i = 0; i < listen.size(); ++i)
        if (listen[i].name != o.listen[i].name || listen[i].index != o.listen[i].index)
            return false;
    for (std::size_t i = 0; i < schieber.size(); ++i)
        if (schieber[i].name != o.schieber[i].name || schieber[i].wert != o.schieber[i].wert)
            return false;
    return true;
}

float zahl_aus_text(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negativ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativ = text[i++] == '-';

    const std::size_t anfang = i;
    bool punkt = false;
    bool ziffer = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            ziffer = true;
        } else if (text[i] == '.' && !punkt) {
            punkt = true;
        } else {
            break;
        }
    }
    if (!ziffer) return 0.0f;

    // from_chars ignores the locale, so "0.5" never turns into 0 or 5.
    float wert = 0.0f;
    std::from_chars(text.data() + anfang, text.data() + i, wert, std::chars_format::fixed);
    return negativ ? -wert : wert;
}

} // namespace tarvello
