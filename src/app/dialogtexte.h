// The texts of the window's dialogs in German and English: labelling counts,
// image export and its labelling options, drawing colours, and the town name
// generator, with the messages these dialogs show.
#pragma once

#include <array>

#include "app/texte.h"
#include "files/druckfarben.h"

namespace tarvello::dialogtext {

// --- Kennzeichnung: how many elements get a number ---
extern const Wortpaar kennzeichnung_titel;
// The caption of each row holds a run of spaces where the count field sits.
extern const Wortpaar kennzeichnung_wege;
extern const Wortpaar kennzeichnung_haeuser;
extern const Wortpaar kennzeichnung_parks;
extern const Wortpaar kennzeichnung_plaetze;
extern const Wortpaar kennzeichnung_speichern;
extern const Wortpaar kennzeichnung_abbrechen;

// --- Bildexport ---
extern const Wortpaar export_titel;
extern const Wortpaar export_matrix_vor;
extern const Wortpaar export_matrix_nach;
extern const Wortpaar export_pixel_vor;
extern const Wortpaar export_pixel_nach;
extern const Wortpaar export_bedarf_vor;
extern const Wortpaar export_bedarf_nach;
extern const Wortpaar export_nur_umriss;
extern const Wortpaar export_generieren;
extern const Wortpaar export_abbruch;
extern const Wortpaar export_farben;
extern const Wortpaar export_nummerierung;
extern const Wortpaar export_erklaerung;
extern const Wortpaar export_beschaeftigt;
extern const Wortpaar export_kein_plan;
// %1 the reason.
extern const Wortpaar export_fehlgeschlagen;

// --- Bildexportnummerierung ---
extern const Wortpaar nummerierung_titel;
extern const Wortpaar nummerierung_wege;
extern const Wortpaar nummerierung_haeuser;
extern const Wortpaar nummerierung_plaetze;
extern const Wortpaar nummerierung_parks;
extern const Wortpaar nummerierung_schriftgroesse;
extern const Wortpaar nummerierung_schliessen;

// --- Farben ---
extern const Wortpaar farben_titel;
extern const std::array<Wortpaar, n_druckfarben> farben_namen;
extern const Wortpaar farben_anwenden;
extern const Wortpaar farben_als_standard;
extern const Wortpaar farben_standard_laden;
extern const Wortpaar farben_palette_laden;
extern const Wortpaar farben_palette_speichern;
// %1 the reason.
extern const Wortpaar farben_ladefehler;
extern const Wortpaar farben_schreibfehler;
extern const Wortpaar farben_speicherfehler;

// --- Stadtname ---
extern const Wortpaar stadtname_titel;
extern const Wortpaar stadtname_wortteile;
extern const Wortpaar stadtname_silben;
extern const Wortpaar stadtname_stimmung;
extern const Wortpaar stadtname_go;
extern const Wortpaar stadtname_ok;
extern const Wortpaar stadtname_abbruch;

} // namespace tarvello::dialogtext
