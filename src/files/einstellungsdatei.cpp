#include "files/einstellungsdatei.h"

#include <cmath>
#include <limits>
#include <string>

#include "core/zahlen.h"

namespace tarvello {

namespace {

constexpr const char* check_mauer_name = "Check_Mauer";
// Older programs wrote this slider as a decimal number.
constexpr const char* seitenverhaeltnis_name = "Slider_haus_seitenverhaeltnis_max";

// Where the value of one line lives, with its allowed range.
struct Ziel {
    int* wert = nullptr;
    int min = 0, max = 0;
    bool liste = false;
};

Ziel ziel(Steuerwerte& s, std::string_view name) {
    if (name == check_mauer_name) return {&s.check_mauer, 0, 1, false};
    if (ListenSteuerung* l = s.finde_liste(name))
        return {&l->index, 0, static_cast<int>(l->eintraege_de.size()) - 1, true};
    if (Schieberegler* r = s.finde_schieber(name)) return {&r->wert, r->min, r->max, false};
    return {};
}

// What an older file lacks starts from these states (lists and sliders not
// named here keep the state they had).
void standard_fuer_fehlende(Steuerwerte& s) {
    const auto schieber = [&](const char* name, int wert) {
        if (Schieberegler* r = s.finde_schieber(name)) r->wert = wert;
    };
    if (ListenSteuerung* l = s.finde_liste("Combo_n_parks")) l->index = 0;
    if (ListenSteuerung* l = s.finde_liste("Combo_n_plaetze")) l->index = 0;
    s.check_mauer = 0;
    schieber("Slider_haeuser_groessenverteilung_zentrum", 50);
    schieber("Slider_haeuser_groessenverteilung_breite", 100);
    schieber("Slider_fluss_quellen_ausserhalb", 25);
    schieber("Slider_weg_richtungstendenz", 0);
    schieber("Slider_haus_blockbildung", 0);
    schieber("Slider_haus_blockbildung_zentral", 0);
    schieber("Slider_haus_blockbildung_homogen", 50);
}

} // namespace

const std::vector<Einstellungszeile>& einstellungszeilen() {
    static const std::vector<Einstellungszeile> zeilen = {
        {"Combo_haus_gxy_max", 100},
        {"Combo_haus_gxy_min", 100},
        {"Combo_n_gebaude", 100},
        {"Combo_stadt_abmessung", 100},
        {"Combo_stadt_form", 100},
        {"Combo_stadt_kerngroesse", 100},
        {"Combo_weg_abzweigung_wi_min", 100},
        {"Combo_wegbreite_max", 100},
        {"Combo_wegbreite_min", 100},
        {"Combo_wege_anzahl", 100},
        {"Combo_wege_anzahl_aus_stadt", 100},
        {"Combo_wi_abknick_max", 100},
        {"Slider_haus_abstand_weg", 100},
        {"Slider_haus_winkel_weg", 100},
        {"Slider_stadt_kernbildung", 100},
        {"Slider_stadt_turbulenz", 100},
        {"Slider_weg_abknick_wahrsch", 100},
        {"Slider_weg_abzweig_verjueng_streu", 100},
        {"Slider_weg_abzweig_verjueng_wert", 100},
        {"Slider_weg_aufloesung", 100},
        {"Slider_weg_durchkreuz_wahrsch", 100},
        {"Slider_weg_kurvigkeit", 100},
        {"Slider_weg_sackgasse_wahrsch", 100},
        {"Slider_haus_antiueberlappung", 200},
        {"Slider_haus_anteil_rund", 200},
        {"Slider_haus_seitenverhaeltnis_max", 200},
        {"Slider_fluss_inselbildung", 200},
        {"Slider_fluss_kurvigkeit", 200},
        {"Slider_fluss_quelle_abstand", 200},
        {"Slider_fluss_verzweigung_symetrie", 200},
        {"Slider_fluss_verzweigungshaeufigkeit", 200},
        {"Combo_fluss_breite_max", 200},
        {"Combo_fluss_zentral", 200},
        {"Slider_abstand_weg_fluss", 200},
        {"Slider_weg_brueckenbildung", 200},
        {"Combo_n_fluesse_max", 300},
        {"Combo_n_plaetze", 300},
        {"Slider_plaetze_groesse_rel", 300},
        {"Slider_plaetze_gebaeude_zulassen", 300},
        {"Slider_plaetze_gebaeude_groesse", 300},
        {"Combo_n_parks", 300},
        {"Slider_parks_groesse_rel", 300},
        {"Slider_parks_gebaeude_zulassen", 300},
        {"Slider_parks_gebaeude_groesse", 300},
        {"Check_Mauer", 400},
        {"Combo_Mauer_Abstand_Zentrum", 400},
        {"Combo_Mauer_Dicke", 400},
        {"Slider_Mauer_Vollstaendigkeit", 400},
        {"Slider_Mauer_Lueckenhaftigkeit", 400},
        {"Combo_Mauer_Tuerme_Abstand", 400},
        {"Slider_Mauer_Turmgroesse", 400},
        {"Slider_Mauer_Turmgroesse_Tor", 400},
        {"Slider_Mauer_Turmabstand_Variation", 400},
        {"Slider_Mauer_Aufloesung", 400},
        {"Slider_Mauer_Turmgroesse_Variation", 400},
        {"Slider_Mauer_TorTurmgroesse_Variation", 400},
        {"Combo_Mauer_Tuerme_Form_Tore", 400},
        {"Combo_Mauer_Tuerme_Form", 400},
        {"Slider_Mauer_Tuerme_erodieren_mit", 400},
        {"Slider_haeuser_groessenverteilung_zentrum", 410},
        {"Slider_haeuser_groessenverteilung_breite", 410},
        {"Slider_fluss_quellen_ausserhalb", 420},
        {"Slider_weg_richtungstendenz", 420},
        {"Slider_haus_blockbildung", 430},
        {"Slider_haus_blockbildung_zentral", 430},
        {"Slider_haus_blockbildung_homogen", 430},
    };
    return zeilen;
}

Ergebnis einstellungen_speichern(const QString& datei, const Steuerwerte& s,
                                 Dateisystem& dateisystem) {
    // The lines are taken from a copy so that a missing control is noticed
    // before anything is written.
    Steuerwerte kopie = s;
    std::vector<int> werte;
    for (const Einstellungszeile& z : einstellungszeilen()) {
        const Ziel ziel_ = ziel(kopie, z.steuerung);
        if (!ziel_.wert)
            return Dateifehler{
                datei, 0,
                Meldung(Meldungsart::nicht_gespeichert,
                        Meldung(Meldungsart::steuerelement_unbekannt, std::string(z.steuerung)))}
                .ergebnis();
        werte.push_back(*ziel_.wert);
    }
    return textdatei_schreiben(
        datei,
        [&](Textschreiber& w) {
            w.text(einstellungsdatei_version);
            for (int wert : werte)
                w.ganzzahl(wert);
            return true;
        },
        dateisystem);
}

namespace {

// A version of the table (hundredths, 410 = "4.1") as the number a file's
// first line reads as, so "4.1" and "4.10" reach it and "4.099" does not.
float versionsgrenze(int hundertstel) {
    return static_cast<float>(hundertstel) / 100.0f;
}

Ergebnis laden(Textleser& l, Steuerwerte& s) {
    if (!l.oeffnen()) return l.fehler().ergebnis();
    // The reader takes the lines its version names and stops there: a last
    // line without a line end still counts, and what follows is not read.
    l.letzte_zeile_ohne_ende_erlauben();

    std::string_view t;
    if (!l.zeile(t, {Meldungsart::was_version})) return l.fehler().ergebnis();
    const std::optional<float> v = gleitzahl_aus_zeile(t);
    if (!v || *v < 1.0f) {
        l.scheitern(Meldung(Meldungsart::keine_einstellungsdatei));
        return l.fehler().ergebnis();
    }
    const float version = *v;
    const float neueste = *gleitzahl_aus_zeile(einstellungsdatei_version);
    if (version > neueste) {
        // Two decimals unless they hide what makes the version newer (5.001).
        QString gelesen = QString::number(static_cast<double>(version), 'f', 2);
        if (gelesen.toFloat() <= neueste)
            gelesen = QString::number(static_cast<double>(version), 'g', 7);
        l.scheitern(
            Meldung(Meldungsart::neueres_programm, zeichen(gelesen), einstellungsdatei_version));
        return l.fehler().ergebnis();
    }

    Steuerwerte neu = s;
    standard_fuer_fehlende(neu);
    for (const Einstellungszeile& z : einstellungszeilen()) {
        if (version < versionsgrenze(z.ab_version)) break;
        const Ziel ziel_ = ziel(neu, z.steuerung);
        const QString name = QString::fromUtf8(z.steuerung);
        if (!ziel_.wert) {
            l.scheitern(Meldung(Meldungsart::steuerelement_unbekannt, zeichen(name)));
            return l.fehler().ergebnis();
        }
        long long wert = 0;
        if (std::string_view(z.steuerung) == seitenverhaeltnis_name) {
            float zahl = 0;
            if (!l.gleitzahl(zahl, Meldung(Meldungsart::text, z.steuerung)))
                return l.fehler().ergebnis();
            const double gerundet = runden(static_cast<double>(zahl));
            // Beyond any range; the message shows the value as written.
            wert = std::fabs(gerundet) < 1e15 ? static_cast<long long>(gerundet)
                                              : std::numeric_limits<long long>::max();
        } else if (!l.ganzzahl(wert, std::numeric_limits<long long>::min(),
                               std::numeric_limits<long long>::max(),
                               Meldung(Meldungsart::text, z.steuerung))) {
            return l.fehler().ergebnis();
        }
        if (wert < ziel_.min || wert > ziel_.max) {
            l.scheitern(Meldung(ziel_.liste ? Meldungsart::listenposition_ausserhalb
                                            : Meldungsart::steuerwert_ausserhalb,
                                zeichen(name), zeichen(l.wert_text()), ziel_.min, ziel_.max));
            return l.fehler().ergebnis();
        }
        *ziel_.wert = static_cast<int>(wert);
    }
    s = std::move(neu);
    return {};
}

} // namespace

Ergebnis einstellungen_laden(const QString& datei, Steuerwerte& s) {
    Textleser l(datei);
    return laden(l, s);
}

Ergebnis einstellungen_lesen(const QString& datei, std::string_view inhalt, Steuerwerte& s) {
    Textleser l(datei, inhalt);
    return laden(l, s);
}

} // namespace tarvello
