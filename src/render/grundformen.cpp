// The shapes buildings and towers are drawn with: quadrilaterals (filled
// row by row on pictures, as shapes in SVG, hatched on paper) and discs of
// rings.
#include <QColor>
#include <QLineF>
#include <QPointF>
#include <algorithm>
#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "render/zeichenflaeche.h"
#include "render/zeichner.h"

namespace tarvello {

namespace {

// Hatch lines of one printed building: far above what a building of a run
// needs even on 20 x 20 sheets; a building from a file spanning kilometres
// is hatched more coarsely instead of with billions of lines.
constexpr int schraffur_max = 100'000;
// Rings of one round building or tower, likewise.
constexpr int ringe_max = 100'000;
// A disc needing more rings than this, packed closer than their width, is
// filled instead: it looks the same, and a file with many huge round
// buildings draws in bounded time.
constexpr double ringe_fuellen_ab = 1000;

} // namespace

namespace {

// The corners of a line `halb` device units inside the convex quadrilateral
// e: each edge moved inwards by that much, the corners where the moved edges
// meet. False when the quadrilateral is too narrow for it (or not convex),
// so a line drawn on the new corners would reach beyond the old ones.
bool nach_innen(const QPointF e[4], double halb, QPointF aus[4]) {
    const QPointF mitte = (e[0] + e[1] + e[2] + e[3]) / 4.0;
    QPointF stuetz[4], richtung[4], normale[4];
    for (int i = 0; i < 4; ++i) {
        const QPointF d = e[(i + 1) % 4] - e[i];
        const double l = std::hypot(d.x(), d.y());
        if (!(l > 0.0)) return false;
        QPointF n(-d.y() / l, d.x() / l);
        if (QPointF::dotProduct(n, mitte - e[i]) < 0.0) n = -n;
        normale[i] = n;
        richtung[i] = d;
        stuetz[i] = e[i] + n * halb;
    }
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 3) % 4; // the edge ending at corner i
        const double nenner = richtung[j].x() * richtung[i].y() - richtung[j].y() * richtung[i].x();
        if (std::abs(nenner) < 1e-12) return false;
        const QPointF w = stuetz[i] - stuetz[j];
        const double t = (w.x() * richtung[i].y() - w.y() * richtung[i].x()) / nenner;
        aus[i] = stuetz[j] + richtung[j] * t;
    }
    // Every new corner lies at least the half width inside every edge.
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            if (QPointF::dotProduct(aus[i] - e[k], normale[k]) < halb * 0.999) return false;
    return true;
}

} // namespace

// Corners 1..4 of ex, ey.
void Zeichner::viereck_zeichnen(const float* ex, const float* ey, int farbe) {
    const QColor c = f_[farbe];
    if (!bild()) {
        viereck_drucken(ex, ey, c);
        return;
    }
    if (!o_.export_nur_umriss) {
        if (z_.art == Zielart::bild) {
            viereck_abtasten(ex, ey, c);
        } else {
            QPointF p[4];
            for (int i = 0; i < 4; ++i) {
                p[i] = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
            }
            flaeche_->viereck_gefuellt(p, c);
        }
        return;
    }
    QPointF p[4];
    for (int i = 0; i < 4; ++i) {
        p[i] = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
    }
    innen_umreissen(p, z_.massstab * 0.2f + 1.0f, c, true);
}

// The edges drawn inside the building; one too narrow for the line gets a
// thinner one, down to the thinnest, and, where even that does not fit,
// nothing (it is filled) or, outlines only, a hairline on its corners.
void Zeichner::innen_umreissen(const QPointF ecken[4], double breite, QColor farbe,
                               bool nur_umriss) {
    QPointF innen[4];
    while (!nach_innen(ecken, breite / 2.0 / z_.pixel_je_einheit, innen)) {
        if (breite <= 0.6) {
            if (nur_umriss) flaeche_->umriss(ecken, 4, 0.6, farbe);
            return;
        }
        breite = std::max(0.6, breite / 2.0);
    }
    flaeche_->umriss(innen, 4, breite, farbe);
}

// Fills the quadrilateral row by row between the crossings of each pixel row
// with its edges, on whole pixels.
void Zeichner::viereck_abtasten(const float* ex, const float* ey, QColor farbe) {
    double px[4], py[4];
    for (int i = 0; i < 4; ++i) {
        const QPointF p = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
        px[i] = runden(p.x());
        py[i] = runden(p.y());
    }
    const double y_oben = *std::min_element(py, py + 4);
    const double y_unten = *std::max_element(py, py + 4);
    const double x_links = *std::min_element(px, px + 4);
    const double x_rechts = *std::max_element(px, px + 4);
    // Rows and buildings wholly outside the picture change no pixel.
    if (x_rechts < z_.rand_links || x_links >= z_.karte_rechts || y_unten < z_.rand_oben ||
        y_oben >= z_.karte_unten)
        return;
    const double von = std::max(y_oben, static_cast<double>(z_.rand_oben));
    const double bis = std::min(y_unten, static_cast<double>(z_.karte_unten) - 1.0);
    for (double zeile = von; zeile <= bis; zeile += 1.0) {
        double links = 1e18, rechts = -1e18;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            const double y1 = py[i], y2 = py[j];
            if (y1 == y2) {
                if (y1 == zeile) {
                    links = std::min({links, px[i], px[j]});
                    rechts = std::max({rechts, px[i], px[j]});
                }
                continue;
            }
            if (zeile < std::min(y1, y2) || zeile > std::max(y1, y2)) continue;
            const double x = px[i] + (zeile - y1) * (px[j] - px[i]) / (y2 - y1);
            links = std::min(links, x);
            rechts = std::max(rechts, x);
        }
        if (links > rechts) continue;
        const double a = runden(links), b = runden(rechts);
        flaeche_->rechteck_gefuellt(a, zeile, b + 1.0, zeile + 1.0, farbe);
    }
}

// Printed buildings: hatched between edges 3-2 and 4-1, then outlined, all
// inside the building's edges, so it is no larger on paper than on the map.
void Zeichner::viereck_drucken(const float* ex, const float* ey, QColor farbe) {
    nachgeben();
    QPointF ecken[4];
    for (int i = 0; i < 4; ++i)
        ecken[i] = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
    const float l = abstand(ex[2], ey[2], ex[3], ey[3]);
    const float d0 = o_.gebaeude_hohe_aufloesung ? 0.0001f : 0.0004f;
    float ds = 0.0f;
    // A building without extent along edge 2-3 has nothing to hatch.
    if (l > 0.0f) ds = (m_.stadt_abmessung / z_.blatt_zoom) * d0 / l;
    const double pje = z_.pixel_je_einheit;
    if (!o_.gebaeude_nur_umriss && ds > 0.0f) {
        // A line step of at least 1 / schraffur_max, with lines as much wider.
        const float schritt = std::max(ds, 1.0f / static_cast<float>(schraffur_max));
        // Edge 2-3 on paper, in printer pixels.
        const QPointF kante = ecken[1] - ecken[2];
        const double l_px = std::hypot(kante.x(), kante.y()) * pje;
        // Lines wide enough to close the gaps between them, none wider than
        // the building; the outer ones lie on edges 3-4 and 2-1, their ends
        // cut square on edges 3-2 and 4-1.
        double breite = untergrenze_06(schritt * 3.0f * z_.linienfaktor);
        breite = std::max(breite, 1.25 * schritt * l_px);
        if (l_px > 0.0) breite = std::min(breite, l_px);
        const double rand = l_px > 0.0 ? breite / 2.0 / l_px : 0.5;
        const auto linie_bei = [&](double t) {
            const auto ft = static_cast<float>(t);
            const QPointF a =
                z_.karte_nach_geraet(ex[3] + (ex[2] - ex[3]) * ft, ey[3] + (ey[2] - ey[3]) * ft);
            const QPointF b =
                z_.karte_nach_geraet(ex[4] + (ex[1] - ex[4]) * ft, ey[4] + (ey[1] - ey[4]) * ft);
            // Lines reaching into the sheet are drawn and clipped, so a
            // building on a cut shows its part on either sheet.
            if (z_.strecke_sichtbar(a, b, breite)) striche_.emplace_back(a, b);
        };
        striche_.clear();
        double t = rand;
        for (int i = 0; i <= schraffur_max && t <= 1.0 - rand; ++i) {
            if ((i & 4095) == 4095) {
                nachgeben();
                if (abbruch_ || flaeche_->erschoepft()) return;
            }
            linie_bei(t);
            t = rand + static_cast<double>(i + 1) * schritt;
        }
        // The last line on the far edge, where the steps fall short of it.
        if (t - schritt < 1.0 - rand - 1e-6) linie_bei(1.0 - rand);
        if (!striche_.empty())
            flaeche_->linien(striche_.data(), static_cast<int>(striche_.size()), breite, farbe);
    }
    const double breite = o_.gebaeude_nur_umriss ? untergrenze_06(z_.linienfaktor / 12.0f)
                                                 : untergrenze_06(z_.linienfaktor * ds * 8.0f);
    double x1 = ecken[0].x(), x2 = x1, y1 = ecken[0].y(), y2 = y1;
    for (int i = 1; i < 4; ++i) {
        x1 = std::min(x1, ecken[i].x());
        x2 = std::max(x2, ecken[i].x());
        y1 = std::min(y1, ecken[i].y());
        y2 = std::max(y2, ecken[i].y());
    }
    if (!z_.box_sichtbar(x1, y1, x2, y2)) return;
    innen_umreissen(ecken, breite, farbe, o_.gebaeude_nur_umriss);
}

void Zeichner::kreis_zeichnen(float x, float y, float groesse, int farbe) {
    const bool nur_umriss = bild() ? o_.export_nur_umriss : o_.gebaeude_nur_umriss;
    double breite = runden(z_.linienfaktor * 0.1f + 0.51f);
    if (!bild() && o_.gebaeude_nur_umriss) breite = untergrenze_06(z_.linienfaktor / 12.0f);
    if (bild() && o_.export_nur_umriss) breite = z_.massstab * 0.2f + 1.0f;
    nachgeben();
    const QPointF g = z_.karte_nach_geraet(x, y);
    const double gx = g.x(), gy = g.y();
    const QColor c = f_[farbe];
    const float r_ende = groesse / 2.0f - 0.2f;
    // Drawn wherever the disc reaches into the square; the clip cuts the rest.
    const double r =
        std::max(0.0f, r_ende) * z_.massstab + (breite / 2.0 + 1.0) / z_.pixel_je_einheit;
    if (!z_.box_sichtbar(gx - r, gy - r, gx + r, gy + r)) return;
    if (nur_umriss) {
        flaeche_->kreis(gx, gy, r_ende * z_.massstab, breite, c);
        return;
    }
    if (r_ende < 0.0f) return;
    if (z_.art == Zielart::vektor) {
        // The rings below merge into a disc this wide.
        flaeche_->scheibe(gx, gy, r_ende * z_.massstab + breite / 2.0, c);
        return;
    }
    // Rings every 0.1 m. Only those that can touch the square are drawn:
    // between the square's nearest and farthest points from the centre,
    // widened by the line. A huge disc from a file gets coarser rings
    // rather than billions.
    const double l = z_.rand_links, o = z_.rand_oben, u = z_.karte_unten;
    const double dx = std::max({l - gx, 0.0, gx - u}), dy = std::max({o - gy, 0.0, gy - u});
    const double fern_x = std::max(std::abs(gx - l), std::abs(gx - u));
    const double fern_y = std::max(std::abs(gy - o), std::abs(gy - u));
    const double rand = (breite / 2.0 + 1.0) / z_.pixel_je_einheit;
    const double je_ring = 0.1 * static_cast<double>(z_.massstab); // device units per ring
    if (!(je_ring > 0.0)) return;
    const double von = std::max(0.0, std::floor((std::hypot(dx, dy) - rand) / je_ring));
    const double bis = std::min(std::floor(static_cast<double>(r_ende) / 0.1) + 1.0,
                                std::ceil((std::hypot(fern_x, fern_y) + rand) / je_ring));
    if (!(bis >= von)) return;
    if (bis - von > ringe_fuellen_ab && je_ring * z_.pixel_je_einheit < breite) {
        flaeche_->scheibe(gx, gy, r_ende * z_.massstab + breite / 2.0 / z_.pixel_je_einheit, c);
        return;
    }
    const double schritt = std::max(1.0, std::ceil((bis - von) / ringe_max));
    int gezeichnet = 0;
    for (double k = von; k <= bis; k += schritt) {
        const float rho = static_cast<float>(k) * 0.1f;
        if (rho > r_ende) break;
        flaeche_->kreis(gx, gy, rho * z_.massstab, breite, c);
        if ((++gezeichnet & 4095) == 0) {
            nachgeben();
            if (abbruch_) return;
        }
        if (flaeche_->erschoepft()) return;
    }
}

} // namespace tarvello
