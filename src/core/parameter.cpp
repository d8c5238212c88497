#include "core/parameter.h"

#include <cmath>

#include "core/zahlen.h"

namespace tarvello {

namespace {

float schieber01(const Steuerwerte& s, const char* name) {
    return static_cast<float>(s.wert(name)) / 100.0f;
}

float grad_zu_bogen(float grad) {
    return grad * pi / 180.0f;
}

} // namespace

float groessenverteilung_breite(float b) {
    return b * b * 0.9f + 0.1f;
}

Parameter parameter_umrechnen(const Steuerwerte& s) {
    Parameter p;
    p.stadt_form = static_cast<std::int16_t>(s.index("Combo_stadt_form"));
    p.stadt_turbulenz = schieber01(s, "Slider_stadt_turbulenz");

    // Street parameters and the values derived from them.
    p.wege_anzahl = static_cast<std::int16_t>(runden(s.zahl("Combo_wege_anzahl")));
    p.wege_anzahl_aus_stadt =
        static_cast<std::int32_t>(runden(s.zahl("Combo_wege_anzahl_aus_stadt")));
    p.stadt_abmessung = s.zahl("Combo_stadt_abmessung");
    p.stadt_durchmesser = p.stadt_abmessung * 0.67f;
    p.weg_halbbreite_max = s.zahl("Combo_wegbreite_max") / 2.0f;
    p.weg_halbbreite_min = s.zahl("Combo_wegbreite_min") / 2.0f;
    p.weg_aufloesung = schieber01(s, "Slider_weg_aufloesung");
    p.weg_schritt_faktor =
        1.0f - static_cast<float>(s.wert("Slider_weg_aufloesung") + 10) / 100.0f * 0.8f;
    {
        const float punkte = (p.stadt_abmessung / 1000.0f + 1.0f) * (250.0f / p.weg_schritt_faktor);
        p.weg_punkte_max = static_cast<std::int32_t>(runden(punkte));
        p.weg_punkte_min =
            static_cast<std::int32_t>(runden(static_cast<float>(p.weg_punkte_max) / 25.0f));
    }
    p.weg_kurvigkeit = schieber01(s, "Slider_weg_kurvigkeit");
    p.weg_richtungstendenz = schieber01(s, "Slider_weg_richtungstendenz");
    p.weg_sackgasse_wahrsch = schieber01(s, "Slider_weg_sackgasse_wahrsch");
    p.weg_fortsetz_wahrsch =
        1.0f - p.weg_sackgasse_wahrsch * 10.0f / static_cast<float>(p.weg_punkte_max);
    p.weg_abknick_wahrsch =
        schieber01(s, "Slider_weg_abknick_wahrsch") * 2.0f / static_cast<float>(p.weg_punkte_max);
    p.wi_abknick_max = grad_zu_bogen(s.zahl("Combo_wi_abknick_max"));
    const float verjuengung =
        p.weg_halbbreite_max != 0.0f ? 1.0f - p.weg_halbbreite_min / p.weg_halbbreite_max : 0.0f;
    p.weg_abzweig_verjueng_wert = schieber01(s, "Slider_weg_abzweig_verjueng_wert") * verjuengung;
    p.weg_abzweig_verjueng_streu = schieber01(s, "Slider_weg_abzweig_verjueng_streu") * verjuengung;
    p.stadt_kernbildung = std::pow(schieber01(s, "Slider_stadt_kernbildung"), 0.1f) * 0.999f;
    p.weg_abzweigung_wi_min = grad_zu_bogen(s.zahl("Combo_weg_abzweigung_wi_min"));
    p.weg_durchkreuz_wahrsch = schieber01(s, "Slider_weg_durchkreuz_wahrsch");

    // Buildings.
    p.n_gebaude = static_cast<std::int16_t>(runden(s.zahl("Combo_n_gebaude")));
    p.haus_gxy_min = s.zahl("Combo_haus_gxy_min");
    p.haus_gxy_max = s.zahl("Combo_haus_gxy_max");
    p.haus_gxy_spanne = p.haus_gxy_max - p.haus_gxy_min;
    p.stadt_kerngroesse = s.zahl("Combo_stadt_kerngroesse");
    p.bebauung_rel = p.stadt_durchmesser != 0.0f
                         ? (p.stadt_durchmesser - p.haus_gxy_max) / p.stadt_durchmesser
                         : 0.0f;
    p.kern_rel = p.bebauung_rel * p.stadt_kerngroesse / 100.0f;
    p.haus_abstand_weg = schieber01(s, "Slider_haus_abstand_weg");
    p.haus_winkel_weg = schieber01(s, "Slider_haus_winkel_weg") * pi / 180.0f;
    p.haus_antiueberlappung =
        static_cast<float>(s.wert("Slider_haus_antiueberlappung")) * 0.999f / 100.0f;
    p.haus_anteil_rund = schieber01(s, "Slider_haus_anteil_rund");
    p.haus_seitenverhaeltnis_max = static_cast<float>(s.wert("Slider_haus_seitenverhaeltnis_max"));
    p.haus_blockbildung = schieber01(s, "Slider_haus_blockbildung");
    p.haus_blockbildung_zentral = schieber01(s, "Slider_haus_blockbildung_zentral");
    p.haus_blockbildung_homogen = 1.0f - schieber01(s, "Slider_haus_blockbildung_homogen");
    p.haeuser_groessenverteilung_zentrum =
        schieber01(s, "Slider_haeuser_groessenverteilung_zentrum");
    p.haeuser_groessenverteilung_breite =
        groessenverteilung_breite(schieber01(s, "Slider_haeuser_groessenverteilung_breite"));

    // Rivers.
    p.n_fluesse_max = static_cast<std::int16_t>(runden(s.zahl("Combo_n_fluesse_max") + 1.0f));
    p.fluss_breite_max = s.zahl("Combo_fluss_breite_max");
    p.fluss_kurvigkeit = schieber01(s, "Slider_fluss_kurvigkeit");
    p.fluss_verzweigungshaeufigkeit = schieber01(s, "Slider_fluss_verzweigungshaeufigkeit");
    p.fluss_zentral = s.zahl("Combo_fluss_zentral") / 100.0f;
    p.fluss_verzweigung_symetrie = schieber01(s, "Slider_fluss_verzweigung_symetrie");
    p.fluss_quelle_abstand = schieber01(s, "Slider_fluss_quelle_abstand");
    p.fluss_inselbildung = static_cast<double>(schieber01(s, "Slider_fluss_inselbildung"));
    p.fluss_quellen_ausserhalb = std::pow(schieber01(s, "Slider_fluss_quellen_ausserhalb"), 1.5f);
    p.abstand_weg_fluss = schieber01(s, "Slider_abstand_weg_fluss");
    p.weg_brueckenbildung = schieber01(s, "Slider_weg_brueckenbildung");

    // Squares and parks.
    p.n_plaetze = static_cast<std::int16_t>(runden(s.zahl("Combo_n_plaetze")));
    p.plaetze_groesse_rel = schieber01(s, "Slider_plaetze_groesse_rel");
    p.plaetze_gebaeude_zulassen = schieber01(s, "Slider_plaetze_gebaeude_zulassen");
    p.plaetze_gebaeude_groesse = schieber01(s, "Slider_plaetze_gebaeude_groesse");
    p.n_parks = static_cast<std::int16_t>(runden(s.zahl("Combo_n_parks")));
    p.parks_groesse_rel = schieber01(s, "Slider_parks_groesse_rel");
    p.parks_gebaeude_zulassen = schieber01(s, "Slider_parks_gebaeude_zulassen");
    p.parks_gebaeude_groesse = schieber01(s, "Slider_parks_gebaeude_groesse");

    // Wall.
    p.mauer = s.check_mauer != 0 ? 1 : 0;
    p.mauer_abstand_zentrum = s.zahl("Combo_Mauer_Abstand_Zentrum") / 100.0f;
    p.mauer_dicke = s.zahl("Combo_Mauer_Dicke");
    p.mauer_vollstaendigkeit = schieber01(s, "Slider_Mauer_Vollstaendigkeit");
    p.mauer_lueckenhaftigkeit = schieber01(s, "Slider_Mauer_Lueckenhaftigkeit");
    p.mauer_tuerme_abstand = s.zahl("Combo_Mauer_Tuerme_Abstand");
    p.mauer_turmgroesse = static_cast<float>(s.wert("Slider_Mauer_Turmgroesse"));
    p.mauer_turmgroesse_tor = static_cast<float>(s.wert("Slider_Mauer_Turmgroesse_Tor"));
    p.mauer_turmabstand_variation = schieber01(s, "Slider_Mauer_Turmabstand_Variation");
    p.mauer_aufloesung = schieber01(s, "Slider_Mauer_Aufloesung");
    p.mauer_turmgroesse_variation = schieber01(s, "Slider_Mauer_Turmgroesse_Variation");
    p.mauer_torturmgroesse_variation = schieber01(s, "Slider_Mauer_TorTurmgroesse_Variation");
    p.mauer_tuerme_form_tore = static_cast<std::uint8_t>(s.index("Combo_Mauer_Tuerme_Form_Tore"));
    p.mauer_tuerme_form = static_cast<std::uint8_t>(s.index("Combo_Mauer_Tuerme_Form"));
    p.mauer_tuerme_erodieren_mit = schieber01(s, "Slider_Mauer_Tuerme_erodieren_mit");
    return p;
}

Ergebnis parameter_pruefen(const Parameter& p) {
    const auto falsch = [](Meldungsart art, auto... werte) {
        return Ergebnis::fehler(Fehlerart::bedienung, Meldung(art, werte...));
    };
    if (p.stadt_abmessung <= 0.0f || p.stadt_durchmesser <= 0.0f)
        return falsch(Meldungsart::parameter_kartengroesse);
    if (p.weg_halbbreite_max <= 0.0f) return falsch(Meldungsart::parameter_wegbreite_max);
    if (p.weg_halbbreite_min <= 0.0f) return falsch(Meldungsart::parameter_wegbreite_min);
    // Branches are clamped between the two widths; reversed bounds would
    // give every branch the larger one and junction reaches that miss.
    if (p.weg_halbbreite_min > p.weg_halbbreite_max)
        return falsch(Meldungsart::parameter_wegbreiten_vertauscht);
    if (p.wege_anzahl < 1) return falsch(Meldungsart::parameter_keine_wege);
    // The first river enters at the map edge heading for the centre. A step
    // longer than the farthest entry's distance from the centre plus the
    // central zone's radius jumps over the zone: no river could ever reach it.
    if (p.n_fluesse_max > 1 &&
        p.weg_schritt_faktor * p.fluss_breite_max >
            0.7f * p.stadt_abmessung + p.fluss_zentral * p.stadt_abmessung / 2.0f)
        return falsch(Meldungsart::parameter_fluesse_zu_breit);
    if (static_cast<int>(p.n_fluesse_max) + static_cast<int>(p.wege_anzahl) > 32767)
        return falsch(Meldungsart::parameter_zu_viele_wege);
    if (p.weg_punkte_max > 32757)
        return falsch(Meldungsart::parameter_punkte_je_weg, p.weg_punkte_max);
    if (p.weg_punkte_min < 2) return falsch(Meldungsart::parameter_zu_wenige_punkte);
    return {};
}

void stadtrand_wuerfeln(Stadtmodell& m, Zufall& z) {
    m.stadtrand_n_wellen = static_cast<std::int16_t>(ganz(z.rnd() * 4.0f + 7.0f));
    for (int k = 1; k <= m.stadtrand_n_wellen; ++k) {
        m.stadtrand_frequenz[k] = static_cast<std::int16_t>(ganz(z.rnd() * 8.0f + 2.0f));
        m.stadtrand_phase[k] = 2.0f * z.rnd() * pi;
        m.stadtrand_amplitude[k] = (15.0f / static_cast<float>(m.stadtrand_frequenz[k]) + 0.3f) *
                                   0.5f * (z.rnd() * 0.2f + 0.9f);
    }
}

Ergebnis parameter_einlesen(const Steuerwerte& s, Zufall& z, Parameter& p, Stadtmodell& m) {
    Parameter neu = parameter_umrechnen(s);
    if (Ergebnis e = parameter_pruefen(neu); !e.gut()) return e;
    p = neu;
    stadtrand_wuerfeln(m, z);
    m.dimensionieren(p.n_fluesse_max + p.wege_anzahl, p.weg_punkte_max, p.n_gebaude, p.n_plaetze,
                     p.n_parks);
    m.stadt_abmessung = p.stadt_abmessung;
    m.weg_halbbreite_min = p.weg_halbbreite_min;
    m.weg_halbbreite_max = p.weg_halbbreite_max;
    m.mauer_parameter = p.mauer;
    m.mauer_dicke = p.mauer_dicke;
    return {};
}

std::vector<std::pair<const char*, double>> parameter_werte(const Parameter& p) {
    return {
        {"stadt_form", static_cast<double>(p.stadt_form)},
        {"stadt_turbulenz", static_cast<double>(p.stadt_turbulenz)},
        {"wege_anzahl", static_cast<double>(p.wege_anzahl)},
        {"wege_anzahl_aus_stadt", static_cast<double>(p.wege_anzahl_aus_stadt)},
        {"stadt_abmessung", static_cast<double>(p.stadt_abmessung)},
        {"weg_halbbreite_max", static_cast<double>(p.weg_halbbreite_max)},
        {"weg_halbbreite_min", static_cast<double>(p.weg_halbbreite_min)},
        {"weg_aufloesung", static_cast<double>(p.weg_aufloesung)},
        {"weg_kurvigkeit", static_cast<double>(p.weg_kurvigkeit)},
        {"weg_richtungstendenz", static_cast<double>(p.weg_richtungstendenz)},
        {"weg_sackgasse_wahrsch", static_cast<double>(p.weg_sackgasse_wahrsch)},
        {"weg_abknick_wahrsch", static_cast<double>(p.weg_abknick_wahrsch)},
        {"wi_abknick_max", static_cast<double>(p.wi_abknick_max)},
        {"weg_abzweig_verjueng_wert", static_cast<double>(p.weg_abzweig_verjueng_wert)},
        {"weg_abzweig_verjueng_streu", static_cast<double>(p.weg_abzweig_verjueng_streu)},
        {"stadt_kernbildung", static_cast<double>(p.stadt_kernbildung)},
        {"weg_abzweigung_wi_min", static_cast<double>(p.weg_abzweigung_wi_min)},
        {"weg_durchkreuz_wahrsch", static_cast<double>(p.weg_durchkreuz_wahrsch)},
        {"n_gebaude", static_cast<double>(p.n_gebaude)},
        {"haus_gxy_min", static_cast<double>(p.haus_gxy_min)},
        {"haus_gxy_max", static_cast<double>(p.haus_gxy_max)},
        {"stadt_kerngroesse", static_cast<double>(p.stadt_kerngroesse)},
        {"haus_abstand_weg", static_cast<double>(p.haus_abstand_weg)},
        {"haus_winkel_weg", static_cast<double>(p.haus_winkel_weg)},
        {"haus_antiueberlappung", static_cast<double>(p.haus_antiueberlappung)},
        {"haus_anteil_rund", static_cast<double>(p.haus_anteil_rund)},
        {"haus_seitenverhaeltnis_max", static_cast<double>(p.haus_seitenverhaeltnis_max)},
        {"haus_blockbildung", static_cast<double>(p.haus_blockbildung)},
        {"haus_blockbildung_zentral", static_cast<double>(p.haus_blockbildung_zentral)},
        {"haus_blockbildung_homogen", static_cast<double>(p.haus_blockbildung_homogen)},
        {"haeuser_groessenverteilung_zentrum",
         static_cast<double>(p.haeuser_groessenverteilung_zentrum)},
        {"haeuser_groessenverteilung_breite",
         static_cast<double>(p.haeuser_groessenverteilung_breite)},
        {"n_fluesse_max", static_cast<double>(p.n_fluesse_max)},
        {"fluss_breite_max", static_cast<double>(p.fluss_breite_max)},
        {"fluss_kurvigkeit", static_cast<double>(p.fluss_kurvigkeit)},
        {"fluss_verzweigungshaeufigkeit", static_cast<double>(p.fluss_verzweigungshaeufigkeit)},
        {"fluss_zentral", static_cast<double>(p.fluss_zentral)},
        {"fluss_verzweigung_symetrie", static_cast<double>(p.fluss_verzweigung_symetrie)},
        {"fluss_quelle_abstand", static_cast<double>(p.fluss_quelle_abstand)},
        {"fluss_inselbildung", static_cast<double>(p.fluss_inselbildung)},
        {"fluss_quellen_ausserhalb", static_cast<double>(p.fluss_quellen_ausserhalb)},
        {"abstand_weg_fluss", static_cast<double>(p.abstand_weg_fluss)},
        {"weg_brueckenbildung", static_cast<double>(p.weg_brueckenbildung)},
        {"n_plaetze", static_cast<double>(p.n_plaetze)},
        {"plaetze_groesse_rel", static_cast<double>(p.plaetze_groesse_rel)},
        {"plaetze_gebaeude_zulassen", static_cast<double>(p.plaetze_gebaeude_zulassen)},
        {"plaetze_gebaeude_groesse", static_cast<double>(p.plaetze_gebaeude_groesse)},
        {"n_parks", static_cast<double>(p.n_parks)},
        {"parks_groesse_rel", static_cast<double>(p.parks_groesse_rel)},
        {"parks_gebaeude_zulassen", static_cast<double>(p.parks_gebaeude_zulassen)},
        {"parks_gebaeude_groesse", static_cast<double>(p.parks_gebaeude_groesse)},
        {"Mauer", static_cast<double>(p.mauer)},
        {"Mauer_Abstand_Zentrum", static_cast<double>(p.mauer_abstand_zentrum)},
        {"Mauer_Dicke", static_cast<double>(p.mauer_dicke)},
        {"Mauer_Vollstaendigkeit", static_cast<double>(p.mauer_vollstaendigkeit)},
        {"Mauer_Lueckenhaftigkeit", static_cast<double>(p.mauer_lueckenhaftigkeit)},
        {"Mauer_Tuerme_Abstand", static_cast<double>(p.mauer_tuerme_abstand)},
        {"Mauer_Turmgroesse", static_cast<double>(p.mauer_turmgroesse)},
        {"Mauer_Turmgroesse_Tor", static_cast<double>(p.mauer_turmgroesse_tor)},
        {"Mauer_Turmabstand_Variation", static_cast<double>(p.mauer_turmabstand_variation)},
        {"Mauer_Aufloesung", static_cast<double>(p.mauer_aufloesung)},
        {"Mauer_Turmgroesse_Variation", static_cast<double>(p.mauer_turmgroesse_variation)},
        {"Mauer_TorTurmgroesse_Variation", static_cast<double>(p.mauer_torturmgroesse_variation)},
        {"Mauer_Tuerme_Form_Tore", static_cast<double>(p.mauer_tuerme_form_tore)},
        {"Mauer_Tuerme_Form", static_cast<double>(p.mauer_tuerme_form)},
        {"Mauer_Tuerme_erodieren_mit", static_cast<double>(p.mauer_tuerme_erodieren_mit)},
        {"stadt_durchmesser", static_cast<double>(p.stadt_durchmesser)},
        {"weg_schritt_faktor", static_cast<double>(p.weg_schritt_faktor)},
        {"weg_punkte_max", static_cast<double>(p.weg_punkte_max)},
        {"weg_punkte_min", static_cast<double>(p.weg_punkte_min)},
        {"weg_fortsetz_wahrsch", static_cast<double>(p.weg_fortsetz_wahrsch)},
        {"haus_gxy_spanne", static_cast<double>(p.haus_gxy_spanne)},
        {"bebauung_rel", static_cast<double>(p.bebauung_rel)},
        {"kern_rel", static_cast<double>(p.kern_rel)},
    };
}

} // namespace tarvello
