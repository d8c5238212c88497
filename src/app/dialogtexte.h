// The texts of the window's dialogs in German and English: labelling counts,
// image export and its labelling options, drawing colours, and the town name
// generator, with the messages these dialogs show.
#pragma once

#include <array>

#include "app/texte.h"
#include "files/druckfarben.h"

namespace tarvello::dialogtext {

// --- Kennzeichnung: how many elements get a number ---
extern const Zweisprachig kennzeichnung_titel;
// The caption of each row holds a run of spaces where the count field sits.
extern const Zweisprachig kennzeichnung_wege;
extern const Zweisprachig kennzeichnung_haeuser;
extern const Zweisprachig kennzeichnung_parks;
extern const Zweisprachig kennzeichnung_plaetze;
extern const Zweisprachig kennzeichnung_speichern;
extern const Zweisprachig kennzeichnung_abbrechen;

// --- Bildexport ---
extern const Zweisprachig export_titel;
extern const Zweisprachig export_matrix_vor;
extern const Zweisprachig export_matrix_nach;
extern const Zweisprachig export_pixel_vor;
extern const Zweisprachig export_pixel_nach;
extern const Zweisprachig export_bedarf_vor;
extern const Zweisprachig export_bedarf_nach;
extern const Zweisprachig export_nur_umriss;
extern const Zweisprachig export_generieren;
extern const Zweisprachig export_abbruch;
extern const Zweisprachig export_farben;
extern const Zweisprachig export_nummerierung;
extern const Zweisprachig export_erklaerung;
extern const Zweisprachig export_beschaeftigt;
extern const Zweisprachig export_kein_plan;
// %1 the reason.
extern const Zweisprachig export_fehlgeschlagen;

// --- Bildexportnummerierung ---
extern const Zweisprachig nummerierung_titel;
extern const Zweisprachig nummerierung_wege;
extern const Zweisprachig nummerierung_haeuser;
extern const Zweisprachig nummerierung_plaetze;
extern const Zweisprachig nummerierung_parks;
extern const Zweisprachig nummerierung_schriftgroesse;
extern const Zweisprachig nummerierung_schliessen;

// --- Farben ---
extern const Zweisprachig farben_titel;
extern const std::array<Zweisprachig, n_druckfarben> farben_namen;
extern const Zweisprachig farben_anwenden;
extern const Zweisprachig farben_als_standard;
extern const Zweisprachig farben_standard_laden;
extern const Zweisprachig farben_palette_laden;
extern const Zweisprachig farben_palette_speichern;
// %1 the reason.
extern const Zweisprachig farben_ladefehler;
extern const Zweisprachig farben_schreibfehler;
extern const Zweisprachig farben_speicherfehler;

// --- Stadtname ---
extern const Zweisprachig stadtname_titel;
extern const Zweisprachig stadtname_wortteile;
extern const Zweisprachig stadtname_silben;
extern const Zweisprachig stadtname_stimmung;
extern const Zweisprachig stadtname_go;
extern const Zweisprachig stadtname_ok;
extern const Zweisprachig stadtname_abbruch;

} // namespace tarvello::dialogtext
