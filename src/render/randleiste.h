// The printed page around the map: the crop rectangle of tiled prints and the
// side panel (title, scale bar, compass rose, sheet grid) laid out in the room
// the paper leaves. Positions are centimetres on the landscape page.
#pragma once

#include <QColor>

class QString;

namespace tarvello {

struct Renderzustand;
struct Druckoptionen;
class Zeichenflaeche;

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

// Bar for v = map units per reference length, at most 4 cm (rounded to one
// decimal first). From v = 0.5 on the bar is never longer than the reference.
// Values beyond the table's last row (100000) keep its bar.
Massstabsbalken massstabsbalken(float v);

// What the page and the fonts give the side panel to work with.
struct Randleistenmasse {
    float seitenbreite = 0;      // printable width; 0 when unknown
    float karte_rechts = 0;      // right edge of the map square
    float oben = 0, unten = 0;   // top and bottom of the map square
    float rand = 0;              // margin kept free at the page's right edge
    int blaetter = 1;            // N of the N x N tiling
    float massstab = 0;          // centimetres per map unit
    float titel_hoehe = 0;       // the title's height at 14 points
    float text_hoehe = 0;        // height of a 12-point label
    float balkentext_breite = 0; // widest scale label at 12 points
    float buchstabe = 0;         // larger side of the rose's letters
};

// Where the parts of the side panel go. Rectangles are what each part may
// cover; they lie right of the map, within the page and apart.
struct Randleistenplan {
    Rechteck kasten;         // the white panel
    Rechteck titel;          // the title's text starts at its top-left corner
    float titel_platz = 0;   // width the title may take
    Rechteck balken;         // the bar with its end ticks
    Rechteck balkentext;     // the bar's label
    Massstabsbalken teilung; // what the bar shows
    float balken_laenge = 0; // its length on paper
    Rechteck kompass;        // the rose with its letters
    float kompass_x = 0, kompass_y = 0, kompass_radius = 0;
    Rechteck planquadrate; // the sheet grid; empty for a single sheet
    float zelle = 0;       // side of one box of the grid
    bool passt = true;     // false when the page is too small for all parts
};

// Today's sizes (title 2 cm down, bar from 4 cm, rose of 1.65 cm around
// 10 cm, grid boxes of 0.35 cm ending 1 cm above the map's bottom) where they
// fit; on short pages or with many sheets the free space shrinks first, then
// bar, rose and grid together.
Randleistenplan randleiste_anordnen(const Randleistenmasse& m);

// Size in points that makes the title at most `platz` cm wide, given its
// width at 14 points; 14 when it fits.
float titel_schriftgroesse(double breite_bei_14, float platz = titel_breite_max);

// Angle of north on the rose for north button k (0..11): radians,
// anticlockwise from +x with y up; button 0 points straight up.
float nordrichtung(int knopf);

// Draws the crop rectangle of a tiled print when the options ask for it.
void schnittrahmen_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z, const Druckoptionen& o,
                            QColor farbe);

// Draws the side panel of the printed sheet `z` places, titled `stadtname`,
// its rose pointing to north button `nord_knopf`.
void randleiste_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z, const Druckoptionen& o,
                         const QString& stadtname, int nord_knopf);

} // namespace tarvello
