// The number labels of ways, buildings, squares and parks: gathered from the
// model with their boxes in the current font, placed once so that none
// covers another (on their anchor, or joined to it by a leader line), and
// drawn on each sheet.
#pragma once

#include <vector>

namespace tarvello {

struct Stadtmodell;
struct Druckoptionen;
struct Druckfarben;
struct Renderzustand;
class Zeichenflaeche;

// A number label: its element's anchor on the map, its text and colour, the
// half-extents of its box around the centre (left a, right 0.95 a, b up and
// down) and the offset its placement chose, in device units.
struct Beschriftung {
    float x = 0, y = 0;
    int nummer = 0;
    int farbe = 0;
    double a = 0, b = 0;
    double dx = 0, dy = 0;
};

// Every label the options ask for, in drawing order: ways, buildings,
// squares, parks; boxes measured in the surface's current font.
std::vector<Beschriftung> beschriftungen_sammeln(const Stadtmodell& m, const Druckoptionen& o,
                                                 const Zeichenflaeche& flaeche);

// Sets each label's offset; `massstab` is device units per map unit.
void beschriftungen_anordnen(std::vector<Beschriftung>& liste, double massstab,
                             float stadt_abmessung);

// Draws the leader of a label placed off its anchor (a thin line from the
// anchor, marked by a dot, to the box's nearest point); all leaders are
// drawn before the boxes, so none crosses a label.
void fuehrungslinie_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z,
                             const Druckfarben& farben, const Beschriftung& l);

// Draws the label on the sheet `z` places, where its box reaches into the
// square: framed in a darker shade of its tint, in its kind's shape.
void beschriftung_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z,
                           const Druckfarben& farben, const Beschriftung& l);

} // namespace tarvello
