// What printing and image export read besides the model and the colours:
// the print menu's options, the export dialog's choices, and the map section
// an export covers. The values below are those the program starts with.
#pragma once

#include <array>
#include <cstdint>

namespace tarvello {

inline constexpr int blaetter_max = 20;

struct Druckoptionen {
    // Annotations on every sheet (otherwise only on sheet 1).
    bool druck_bezeichnung = true;
    bool druck_schnittmarken = true;
    bool druck_massstab = true;
    bool druck_kompass = true;
    bool druck_planquadrate = true;

    // Number labels, shared by prints and images.
    bool kennzeichnung_wege = true;
    bool kennzeichnung_haeuser = true;
    bool kennzeichnung_plaetze = true;
    bool kennzeichnung_parks = true;

    // Printed label size in points (one of 3, 4, 5, 6, 8, 10, 12).
    int nummer_schriftgroesse = 6;

    // Printed buildings: only their edges; finer hatching.
    bool gebaeude_nur_umriss = false;
    bool gebaeude_hohe_aufloesung = false;

    // Sheet tiling of prints: N x N sheets, optionally only the marked ones.
    int blaetter_je_seite = 1;
    bool ausschnitt_modus = false;
    std::array<std::uint8_t, blaetter_max * blaetter_max> blatt_auswahl{};

    std::uint8_t& blatt_gewaehlt(int zeile, int spalte) {
        return blatt_auswahl[static_cast<std::size_t>((zeile - 1) * blaetter_max + (spalte - 1))];
    }
    std::uint8_t blatt_gewaehlt(int zeile, int spalte) const {
        return blatt_auswahl[static_cast<std::size_t>((zeile - 1) * blaetter_max + (spalte - 1))];
    }

    // Image export.
    int export_matrix = 1;   // images per side
    int export_pixel = 1200; // width and height of each image
    bool export_nur_umriss = false;
    // Label size in the images, in points; 0 lets each export choose it from
    // its picture size.
    int export_schriftgroesse = 0;
};

// A section of the map, stadt_abmessung / zoom map units across from (x, y):
// what the window's preview shows and what an export covers.
struct Bildausschnitt {
    float zoom = 1.0f;
    float x = 0.0f, y = 0.0f;
};

// Keeps the section's origin inside the map (for zoom >= 1): moving the
// preview and choosing an export's section use this one rule.
void bildausschnitt_begrenzen(Bildausschnitt& a, float stadt_abmessung);

// Smallest label size of pictures in points.
inline constexpr int export_schrift_min = 5;
// Label size in points for the numbering dialog's slider position (0..100)
// and pictures `pixel` wide: floor(regler x pixel / 2000 + 6), the 6 taken
// down in proportion for pictures below 1200 pixels, at least
// export_schrift_min.
int export_schriftgroesse_aus_regler(int regler, int pixel);
// The slider position that gives the size of pictures for which no size was
// chosen: labels then cover a few per cent of a well numbered town, at
// 1200 pixels and below.
inline constexpr int export_regler_vorgabe = 10;
// The slider's starting position: the size pictures get without a choice.
inline constexpr int export_regler_start = export_regler_vorgabe;

// The export's label size: the chosen one, or the size for the slider at
// export_regler_vorgabe for pictures `pixel` high, so labels keep their share
// of the picture whatever the map's size.
int export_schriftgroesse(const Druckoptionen& o, int pixel);

} // namespace tarvello
