#include "render/renderzustand.h"

#include <algorithm>

#include "core/zahlen.h"

namespace tarvello {

void Renderzustand::bild_vorbereiten(float stadt_abmessung, const Bildausschnitt& a, int matrix,
                                     float hoehe) {
    art = Zielart::bild;
    karten_ausdehnung = stadt_abmessung / a.zoom;
    ursprung_x = a.x;
    ursprung_y = a.y;
    blaetter_je_seite = matrix;
    blatt_ueberlappung = 0.0f;
    blatt_zoom = static_cast<float>(matrix);
    rand_links = rand_oben = 0.0f;
    kartenseite = hoehe;
    karte_unten = karte_rechts = hoehe;
    massstab = kartenseite * blatt_zoom / karten_ausdehnung;
    // Lines at their true share of the map, smoothed, as on paper: a width
    // rounded up to whole pixels widened the streets of a large town by half
    // and laid them under the houses beside them. The floor of 0.6 pixels
    // every width passes through keeps the narrowest visible.
    linienfaktor = massstab * 2.2f;
    pixel_je_einheit = 1.0f;
}

void Renderzustand::drucker_vorbereiten(float stadt_abmessung, int n, float seitenhoehe,
                                        float breite, float pixel_je_cm) {
    art = Zielart::drucker;
    blaetter_je_seite = n;
    blatt_ueberlappung = 0.1f;
    blatt_zoom = n == 1 ? 1.0f : 0.8f * static_cast<float>(n);
    rand_oben = rand_links = 0.2f;
    kartenseite = seitenhoehe - 0.4f;
    karte_unten = karte_rechts = kartenseite + 0.2f;
    seitenbreite = breite;
    karten_ausdehnung = stadt_abmessung;
    ursprung_x = ursprung_y = 0.0f;
    massstab = kartenseite * blatt_zoom / karten_ausdehnung;
    // A picture draws 2.2 pixels of line per pixel of a metre (plus a pixel
    // it rounds up). Paper takes the same share of the map, in printer
    // pixels: every element keeps its size relative to the map whatever the
    // printer, the sheets or how far the town spread, so what lies apart in
    // a picture lies apart on paper.
    linienfaktor = massstab * pixel_je_cm * 2.2f;
    pixel_je_einheit = pixel_je_cm;
}

void Renderzustand::blatt_setzen(int zeile, int spalte) {
    blatt_zeile = zeile;
    blatt_spalte = spalte;
    blatt_nummer = (zeile - 1) * blaetter_je_seite + spalte;
    const double n = blaetter_je_seite;
    const double h = blaetter_je_seite == 1 ? 0.0 : blatt_ueberlappung * 0.5 / blatt_zoom;
    ausschnitt_x = (static_cast<double>(spalte - 1) / n - h) * karten_ausdehnung + ursprung_x;
    ausschnitt_y = (static_cast<double>(zeile - 1) / n - h) * karten_ausdehnung + ursprung_y;
}

QPointF Renderzustand::karte_nach_geraet(float x, float y) const {
    return {(x - ausschnitt_x) * massstab + rand_links, (y - ausschnitt_y) * massstab + rand_oben};
}

namespace {
// The device box [x1, x2] x [y1, y2] overlaps the drawing square. The
// square's bottom edge limits both axes. Its edges belong to it; a millionth
// of the side absorbs rounding in the scale, so a point on the map's edge
// is on the map.
bool box_im_quadrat(const Renderzustand& z, double x1, double y1, double x2, double y2) {
    const double m = 1e-6 * z.kartenseite;
    return x2 >= z.rand_links - m && x1 <= z.karte_unten + m && y2 >= z.rand_oben - m &&
           y1 <= z.karte_unten + m;
}
} // namespace

bool Renderzustand::rechteck_sichtbar(float x1, float y1, float x2, float y2) const {
    // A view lying wholly inside the box shows part of it although no corner
    // is visible, so the boxes are compared rather than the corners.
    const double ax = (x1 - ausschnitt_x) * massstab + rand_links;
    const double ay = (y1 - ausschnitt_y) * massstab + rand_oben;
    const double bx = (x2 - ausschnitt_x) * massstab + rand_links;
    const double by = (y2 - ausschnitt_y) * massstab + rand_oben;
    return box_im_quadrat(*this, std::min(ax, bx), std::min(ay, by), std::max(ax, bx),
                          std::max(ay, by));
}

bool Renderzustand::box_sichtbar(double x1, double y1, double x2, double y2) const {
    return box_im_quadrat(*this, x1, y1, x2, y2);
}

bool Renderzustand::strecke_sichtbar(QPointF a, QPointF b, double breite) const {
    // Half the width, and a pixel for the smoothed rim, in device units.
    const double r = (breite / 2.0 + 1.0) / pixel_je_einheit;
    return box_im_quadrat(*this, std::min(a.x(), b.x()) - r, std::min(a.y(), b.y()) - r,
                          std::max(a.x(), b.x()) + r, std::max(a.y(), b.y()) + r);
}

} // namespace tarvello
