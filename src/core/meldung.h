// A message for the user as a value: what is to be said (an id) and the
// values it names. The layers below the fronts make messages and never word
// them; the fronts word them with worten() in the language they show, from
// the one catalogue of meldungen.cpp, so a window switching its language
// words a message again.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/sprache.h"

namespace tarvello {

enum class Meldungsart : std::uint16_t {
    // %1 is a text that reads the same in both languages (a file name, a
    // control name, words from the system).
    text,
    // A front's own words in both languages: %1 German, %2 English.
    eigene_worte,
    // %1 put before the message %2 ("--set: ...").
    vorsatz,

    // The status line, in the order of Statusart: %1 its number, %2 its
    // count, %3 its message.
    status_meldung,
    status_versuch,
    status_fluesse,
    status_strassen,
    status_stadtmauer,
    status_parks,
    status_plaetze,
    status_strassen_eingrenzen,
    status_plaetze_eingrenzen,
    status_parks_eingrenzen,
    status_gebaeude,
    status_gebaeude_aufgegeben,
    status_nummerierung,
    status_fertig,
    status_fertig_aufgegeben,
    status_abgebrochen,
    status_anwender_abbruch,
    status_rechenfehler,
    status_speichern,
    status_gespeichert,
    status_laden,
    status_geladen,
    status_drucke_blatt,
    status_exportiere_grafik,
    status_druck_fertig,
    status_export_fertig,
    status_park_prozessieren,
    status_platz_prozessieren,
    status_fluesse_verfehlen_mitte,
    status_versuche_erschoepft,

    // Faults of a run.
    weg_keine_zahl, // %1 the street
    koordinate_keine_zahl,
    speicher_karte,

    // A fault of a file: %1 the file, %2 the line, %3 what is wrong.
    datei_zeile,
    datei_ganz, // %1 the file, %2 what is wrong
    ein_ordner,
    nicht_schreibbar, // %1 the system's reason
    nicht_endlich,    // %1 the value
    kein_dateiname,
    schreiben_abgebrochen,
    nicht_oeffenbar, // %1 the system's reason
    zu_gross,
    nicht_lesbar, // %1 the system's reason
    beim_lesen_veraendert,
    datei_leer,
    datei_endet_vor,     // %1 the value expected
    datei_endet_in,      // %1 the value cut off
    erwartet_ganzzahl,   // %1 the value, %2 the line found
    erwartet_zahl,       // %1 the value, %2 the line found
    zahl_ausserhalb,     // %1 the value, %2 as written, %3..%4 the range
    zahl_jenseits,       // %1 the value, %2 as written, %3 the limit
    zu_wenig_platz,      // %1 the values, %2 bytes left
    unerwarteter_inhalt, // %1 the line
    neueres_programm,    // %1 the file's version, %2 the newest read
    nicht_gespeichert,   // %1 why

    // The map file.
    zu_viele_wege,          // %1 ways, %2 the capacity
    weg_punkte_tabelle,     // %1 the way, %2 its points
    zu_viele_gebaeude,      // %1 buildings, %2 the capacity
    zu_viele_flaechen,      // %1 the count, %2 the kind (plural)
    flaeche_punkte_tabelle, // %1 the kind, %2 the number, %3 its points
    mauer_punkte_tabelle,   // %1 points
    mauer_tuerme_tabelle,   // %1 towers
    speichern_abgebrochen,
    laden_abgebrochen,
    keine_stadtplandatei,
    kartengroesse_ausserhalb, // %1 as written, %2..%3 the range
    misst_mehr,               // %1 what, %2 its length, %3 the limit
    seite_gebaeude,           // %1 the building
    seite_turm,               // %1 the tower
    breitenwert,              // %1 the value, %2 as written, %3 the smallest
    ausdehnung,               // %1 the kind, %2 its number
    stadtname_zu_lang,        // %1 its characters, %2 the most
    zu_viele_punkte,          // %1 the most
    wort_platz,
    wort_park,
    wort_plaetze,
    wort_parks,
    wort_fluss,
    wort_strasse,
    wort_gebaeude,
    wort_mauer,
    wort_turm,
    wort_tor,
    wort_kopf,
    element_nummer, // %1 the kind, %2 its number

    // Pictures, PDF and printing.
    bild_zu_gross, // %1 pixels per side
    bild_nicht_kodierbar,
    pdf_nicht_begonnen,
    pdf_keine_seite,
    drucker_nicht_druckbar, // %1 the printer
    druck_fehlgeschlagen,   // %1 the printer
    seite_zu_klein,
    export_nicht_schreibbar, // %1 the file, %2 why
    keine_gewoehnliche_datei,

    // The GeoJSON export: %1 the file.
    geojson_kein_plan,
    geojson_nicht_endlich, // %2 the element

    // The settings file and the colour store.
    keine_einstellungsdatei,
    steuerelement_unbekannt,   // %1 the control
    listenposition_ausserhalb, // %1 the control, %2 as written, %3..%4
    steuerwert_ausserhalb,     // %1 the control, %2 as written, %3..%4
    farben_nicht_gespeichert,  // %1 the store
    einstellungsspeicher,

    // What a value of a file stands for: %1 (and %2) its numbers.
    was_flaechen,
    was_gebaeude,
    was_tuerme,
    was_mauerpunkte,
    was_wege,
    was_punkte_park,
    was_punkte_platz,
    was_punkte_weg,
    was_farbe,
    was_nordknopf,
    was_nummerierte_gebaeude,
    was_nummerierte_parks,
    was_nummerierte_plaetze,
    was_nummerierte_wege,
    was_kennung_mauerpunkt,
    was_halbbreite_weg,
    was_art_turm,
    was_groesste_halbbreite,
    was_kartenfaktor,
    was_kartengroesse,
    was_nummer_gebaeude,
    was_nummer_park,
    was_nummer_platz,
    was_nummer_weg,
    was_anzahl_gebaeude,
    was_anzahl_parks,
    was_punktzahl_park,
    was_punktzahl_platz,
    was_punktzahl_weg,
    was_anzahl_plaetze,
    was_anzahl_tuerme,
    was_anzahl_mauerpunkte,
    was_anzahl_wege,
    was_kapazitaet_parks,
    was_kapazitaet_plaetze,
    was_kapazitaet_wege,
    was_radius_gebaeude,
    was_radius_turm,
    was_flusskennung_weg,
    was_form_gebaeude,
    was_form_turm,
    was_kleinste_halbbreite,
    was_stadtname,
    was_version,
    was_mauerkennung,
    was_mauerdicke,
    was_breitenwert_park,
    was_breitenwert_platz,
    was_x_gebaeude,
    was_x_ecke_gebaeude,
    was_x_ecke_turm,
    was_x_punkt_park,
    was_x_punkt_platz,
    was_x_punkt_weg,
    was_x_turm,
    was_x_mauerpunkt,
    was_y_gebaeude,
    was_y_ecke_gebaeude,
    was_y_ecke_turm,
    was_y_punkt_park,
    was_y_punkt_platz,
    was_y_punkt_weg,
    was_y_turm,
    was_y_mauerpunkt,

    letzte = was_y_mauerpunkt
};
inline constexpr int meldungsarten = static_cast<int>(Meldungsart::letzte) + 1;

class Meldung {
  public:
    // No message.
    Meldung() = default;
    // The message `art` naming `werte`, %1 for the first: a whole number, a
    // text that reads the same in both languages, or a message worded in
    // the same language. A fraction is formatted by whoever makes the
    // message, as it is to be shown.
    template <class... T>
    Meldung(Meldungsart art, const T&... werte) : art_(art), vorhanden_(true) {
        teile_.reserve(sizeof...(T));
        (anfuegen(werte), ...);
    }

    bool leer() const { return !vorhanden_; }
    Meldungsart art() const { return art_; }
    bool operator==(const Meldung&) const = default;

  private:
    friend std::string worten(const Meldung& meldung, Sprache sprache);

    // A value: its text, or the message it is (innen holds one).
    struct Teil {
        std::string text;
        std::vector<Meldung> innen;
        bool operator==(const Teil&) const = default;
    };

    template <std::integral I> void anfuegen(I zahl) {
        teile_.push_back({std::to_string(zahl), {}});
    }
    void anfuegen(std::string_view text) { teile_.push_back({std::string(text), {}}); }
    void anfuegen(const std::string& text) { teile_.push_back({text, {}}); }
    void anfuegen(const char* text) { teile_.push_back({text, {}}); }
    void anfuegen(const Meldung& m) { teile_.push_back({{}, {m}}); }

    Meldungsart art_ = Meldungsart::text;
    bool vorhanden_ = false;
    std::vector<Teil> teile_;
};

// The message in the language, UTF-8; empty for no message. Each %n is
// replaced once, so a value holding "%1" stays as it is.
std::string worten(const Meldung& meldung, Sprache sprache);

} // namespace tarvello
