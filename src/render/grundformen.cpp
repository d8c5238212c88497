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
    const double breite = z_.massstab * 0.2f + 1.0f;
    QPointF p[5];
    for (int i = 0; i < 4; ++i) {
        p[i] = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
    }
    p[4] = p[0];
    for (int i = 0; i < 4; ++i)
        flaeche_->linie(p[i].x(), p[i].y(), p[i + 1].x(), p[i + 1].y(), breite, c);
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

// Printed buildings: hatched between edges 3-2 and 4-1, then outlined, on
// corners moved 7.5 % towards the centre so that neighbours stay apart.
void Zeichner::viereck_drucken(const float* ex, const float* ey, QColor farbe) {
    nachgeben();
    const float mx = (ex[1] + ex[2] + ex[3] + ex[4]) / 4.0f;
    const float my = (ey[1] + ey[2] + ey[3] + ey[4]) / 4.0f;
    float x[5], y[5];
    for (int i = 1; i <= 4; ++i) {
        x[i] = ex[i] + (mx - ex[i]) * 0.075f;
        y[i] = ey[i] + (my - ey[i]) * 0.075f;
    }
    const float l = abstand(x[2], y[2], x[3], y[3]);
    const float d0 = o_.gebaeude_hohe_aufloesung ? 0.0001f : 0.0004f;
    float ds = 0.0f;
    // A building without extent along edge 2-3 has nothing to hatch.
    if (l > 0.0f) ds = (m_.stadt_abmessung / z_.blatt_zoom) * d0 / l;
    if (!o_.gebaeude_nur_umriss && ds > 0.0f) {
        // A line step of at least 1 / schraffur_max, with lines as much wider.
        const float schritt = std::max(ds, 1.0f / static_cast<float>(schraffur_max));
        const double breite = untergrenze_06(schritt * 3.0f * z_.linienfaktor);
        striche_.clear();
        for (int i = 0; i <= schraffur_max; ++i) {
            const float t = static_cast<float>(i) * schritt;
            if (t > 1.0f) break;
            if ((i & 4095) == 4095) {
                nachgeben();
                if (abbruch_ || flaeche_->erschoepft()) return;
            }
            const QPointF a =
                z_.karte_nach_geraet(x[3] + (x[2] - x[3]) * t, y[3] + (y[2] - y[3]) * t);
            const QPointF b =
                z_.karte_nach_geraet(x[4] + (x[1] - x[4]) * t, y[4] + (y[1] - y[4]) * t);
            // Lines reaching into the sheet are drawn and clipped, so a
            // building on a cut shows its part on either sheet.
            if (z_.strecke_sichtbar(a, b, breite)) striche_.emplace_back(a, b);
        }
        if (!striche_.empty())
            flaeche_->linien(striche_.data(), static_cast<int>(striche_.size()), breite, farbe);
    }
    QPointF ecken[5];
    for (int i = 1; i <= 4; ++i) {
        ecken[i - 1] = z_.karte_nach_geraet(x[i], y[i]);
    }
    ecken[4] = ecken[0];
    const double breite = o_.gebaeude_nur_umriss ? untergrenze_06(z_.linienfaktor / 12.0f)
                                                 : untergrenze_06(z_.linienfaktor * ds * 8.0f);
    double x1 = ecken[0].x(), x2 = x1, y1 = ecken[0].y(), y2 = y1;
    for (int i = 1; i < 4; ++i) {
        x1 = std::min(x1, ecken[i].x());
        x2 = std::max(x2, ecken[i].x());
        y1 = std::min(y1, ecken[i].y());
        y2 = std::max(y2, ecken[i].y());
    }
    const double r = (breite / 2.0 + 1.0) / z_.pixel_je_einheit;
    if (!z_.box_sichtbar(x1 - r, y1 - r, x2 + r, y2 + r)) return;
    flaeche_->linienzug(ecken, 5, breite, farbe);
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
