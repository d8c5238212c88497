// The printed page around the map: the crop rectangle of tiled prints and the
// measures of the side panel (title size, scale bar, compass rose, sheet
// grid). Positions are centimetres on the landscape page.
#pragma once

namespace tarvello {

struct Renderzustand;

// Width of the white side panel to the right of the map.
inline constexpr float randleiste_breite = 9.0f;
// The title is 14 points bold, shrunk to this width when wider.
inline constexpr float titel_punkte = 14.0f;
inline constexpr float titel_breite_max = 7.5f;

struct Rechteck {
    float links = 0, oben = 0, rechts = 0, unten = 0;
};

// The rectangle a tiled sheet is cut along: 0.1 x H inside the map square on
// every side that meets a neighbour, the square's own edge on the outer
// sides. Inside it lies E / N of the map, so the pieces join without gap.
Rechteck schnittrahmen(const Renderzustand& z);

// The scale bar: u map units long in n segments.
struct Massstabsbalken {
    float laenge = 0; // u
    int segmente = 0; // n
};

// Bar for v = map units per 4 cm (rounded to one decimal first). Values
// beyond the table's last row (100000) keep its bar.
Massstabsbalken massstabsbalken(float v);

// Size in points that makes the title at most `platz` cm wide, given its
// width at 14 points; 14 when it fits.
float titel_schriftgroesse(double breite_bei_14, float platz = titel_breite_max);

// Angle of north on the rose for north button k (0..11): radians,
// anticlockwise from +x with y up; button 0 points straight up.
float nordrichtung(int knopf);

} // namespace tarvello
