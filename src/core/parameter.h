// The parameter set of a run: every control converted into the value the
// stages read, plus the derived values. parameter_einlesen builds it from the
// control states, draws the town outline and sizes the city model.
#pragma once

#include <cstdint>
#include <string>

#include "core/ergebnis.h"
#include "core/stadtmodell.h"
#include "core/steuerwerte.h"
#include "core/zufall.h"

namespace tarvello {

struct Parameter {
    std::int16_t stadt_form = 0;
    float stadt_turbulenz = 0;
    std::int16_t wege_anzahl = 0;
    std::int32_t wege_anzahl_aus_stadt = 0;
    float stadt_abmessung = 0;
    float weg_halbbreite_max = 0;
    float weg_halbbreite_min = 0;
    float weg_aufloesung = 0;
    float weg_kurvigkeit = 0;
    float weg_richtungstendenz = 0;
    float weg_sackgasse_wahrsch = 0;
    float weg_abknick_wahrsch = 0;
    float wi_abknick_max = 0;
    float weg_abzweig_verjueng_wert = 0;
    float weg_abzweig_verjueng_streu = 0;
    float stadt_kernbildung = 0;
    float weg_abzweigung_wi_min = 0;
    float weg_durchkreuz_wahrsch = 0;
    std::int16_t n_gebaude = 0;
    float haus_gxy_min = 0;
    float haus_gxy_max = 0;
    float stadt_kerngroesse = 0;
    float haus_abstand_weg = 0;
    float haus_winkel_weg = 0;
    float haus_antiueberlappung = 0;
    float haus_anteil_rund = 0;
    float haus_seitenverhaeltnis_max = 0;
    float haus_blockbildung = 0;
    float haus_blockbildung_zentral = 0;
    float haus_blockbildung_homogen = 0;
    float haeuser_groessenverteilung_zentrum = 0;
    float haeuser_groessenverteilung_breite = 0;
    std::int16_t n_fluesse_max = 0;
    float fluss_breite_max = 0;
    float fluss_kurvigkeit = 0;
    float fluss_verzweigungshaeufigkeit = 0;
    float fluss_zentral = 0;
    float fluss_verzweigung_symetrie = 0;
    float fluss_quelle_abstand = 0;
    double fluss_inselbildung = 0;
    float fluss_quellen_ausserhalb = 0;
    float abstand_weg_fluss = 0;
    float weg_brueckenbildung = 0;
    std::int16_t n_plaetze = 0;
    float plaetze_groesse_rel = 0;
    float plaetze_gebaeude_zulassen = 0;
    float plaetze_gebaeude_groesse = 0;
    std::int16_t n_parks = 0;
    float parks_groesse_rel = 0;
    float parks_gebaeude_zulassen = 0;
    float parks_gebaeude_groesse = 0;
    std::uint8_t mauer = 0;
    float mauer_abstand_zentrum = 0;
    float mauer_dicke = 0;
    float mauer_vollstaendigkeit = 0;
    float mauer_lueckenhaftigkeit = 0;
    float mauer_tuerme_abstand = 0;
    float mauer_turmgroesse = 0;
    float mauer_turmgroesse_tor = 0;
    float mauer_turmabstand_variation = 0;
    float mauer_aufloesung = 0;
    float mauer_turmgroesse_variation = 0;
    float mauer_torturmgroesse_variation = 0;
    std::uint8_t mauer_tuerme_form_tore = 0;
    std::uint8_t mauer_tuerme_form = 0;
    float mauer_tuerme_erodieren_mit = 0;

    // Derived values.
    float stadt_durchmesser = 0;
    float weg_schritt_faktor = 0;
    std::int32_t weg_punkte_max = 0; // checked against the 16-bit limit
    std::int32_t weg_punkte_min = 0;
    float weg_fortsetz_wahrsch = 0;
    float haus_gxy_spanne = 0;
    float bebauung_rel = 0;
    float kern_rel = 0;
};

// The spread of the building sizes for the slider position b in [0, 1]; the
// window's size curve shows the same value.
float groessenverteilung_breite(float b);

// Converts the control states into a parameter set (no randomness, no sizing).
Parameter parameter_umrechnen(const Steuerwerte& s);

// Success when a run can handle the set. Refuses (Fehlerart::bedienung)
// counts beyond the 16-bit tables, zero or reversed widths, a zero map or
// rivers too wide for it; the words name the controls to change.
Ergebnis parameter_pruefen(const Parameter& p);

// Draws the random harmonics of the town outline into the model.
void stadtrand_wuerfeln(Stadtmodell& m, Zufall& z);

// The whole reading at run start: convert, check, draw the outline, size the
// model. On success p holds the set and m is sized for it; on refusal
// returns parameter_pruefen's fault and leaves p, m and z untouched.
Ergebnis parameter_einlesen(const Steuerwerte& s, Zufall& z, Parameter& p, Stadtmodell& m);

} // namespace tarvello

#include <utility>
#include <vector>

namespace tarvello {

// Every converted and derived value by name, in reading order; for listings.
std::vector<std::pair<const char*, double>> parameter_werte(const Parameter& p);

} // namespace tarvello
