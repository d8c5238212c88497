#include "render/beschriftung.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "core/stadtmodell.h"
#include "files/druckfarben.h"
#include "geometry/geometrie.h"
#include "render/druckoptionen.h"
#include "render/renderzustand.h"
#include "render/zeichenflaeche.h"

namespace tarvello {

// Every numbered element's label with its box measured in the current font;
// a square or park is labelled at a point well inside its outline.
std::vector<Beschriftung> beschriftungen_sammeln(const Stadtmodell& m, const Druckoptionen& o,
                                                 const Zeichenflaeche& flaeche) {
    std::vector<Beschriftung> gesammelt;
    const auto dazu = [&](float x, float y, int nummer, int farbe) {
        Beschriftung l;
        l.x = x;
        l.y = y;
        l.nummer = nummer;
        l.farbe = farbe;
        const QString t = QString::number(nummer);
        l.a = flaeche.text_breite(t) / 1.7;
        l.b = flaeche.text_hoehe(t) / 2.2;
        gesammelt.push_back(l);
    };
    if (o.kennzeichnung_wege) {
        const int n_wege = std::min<int>(m.n_wege, m.wege_kapazitaet());
        for (int a = 1; a <= n_wege; ++a) {
            const Weg& w = m.weg(a);
            if (w.nummer <= 0 || w.n_punkte < 1 || static_cast<int>(w.x.size()) <= w.n_punkte)
                continue;
            // The middle point; a way of one point has no point 0.
            const int p = std::max(1, w.n_punkte / 2);
            dazu(w.px(p), w.py(p), w.nummer, farbe_nummer_strassen);
        }
    }
    if (o.kennzeichnung_haeuser) {
        const int anzahl = std::min<int>(m.haus_naechster - 1, m.haeuser_kapazitaet());
        for (int b = 1; b <= anzahl; ++b) {
            const Haus& h = m.haus(b);
            if (h.nummer <= 0) continue;
            float x = h.x, y = h.y; // round buildings keep no corners
            if (h.rund == 0) {
                x = (h.ecke_x[1] + h.ecke_x[2] + h.ecke_x[3] + h.ecke_x[4]) / 4.0f;
                y = (h.ecke_y[1] + h.ecke_y[2] + h.ecke_y[3] + h.ecke_y[4]) / 4.0f;
            }
            dazu(x, y, h.nummer, farbe_nummer_gebaeude);
        }
    }
    const auto flaechen = [&](const std::vector<Flaeche>& liste, int anzahl, int farbe) {
        anzahl = std::min<int>(anzahl, static_cast<int>(liste.size()) - 1);
        for (int q = 1; q <= anzahl; ++q) {
            const Flaeche& f = liste[ix(q)];
            if (f.nummer <= 0 || f.n_punkte < 3 || static_cast<int>(f.x.size()) <= f.n_punkte)
                continue;
            float x = 0, y = 0;
            if (polygon_innenpunkt(f.x.data(), f.y.data(), f.n_punkte, x, y))
                dazu(x, y, f.nummer, farbe);
        }
    };
    if (o.kennzeichnung_plaetze) flaechen(m.plaetze, m.n_plaetze, farbe_nummer_plaetze);
    if (o.kennzeichnung_parks) flaechen(m.parks, m.n_parks, farbe_nummer_parks);
    return gesammelt;
}

namespace {

struct Box {
    double x1, y1, x2, y2;
};

// The places tried for a label, as offsets of its box in box widths and
// heights: first those where the box still covers the anchor, nearest
// first, then rings further out, joined to the anchor by a leader line.
std::vector<std::array<double, 2>> plaetze() {
    std::vector<std::array<double, 2>> p;
    static constexpr double auf[] = {0.0, -0.25, 0.25, -0.42, 0.42};
    for (const double dy : auf)
        for (const double dx : auf)
            p.push_back({dx, dy});
    std::stable_sort(p.begin(), p.end(), [](const auto& u, const auto& v) {
        return std::abs(u[0]) + std::abs(u[1]) < std::abs(v[0]) + std::abs(v[1]);
    });
    static constexpr double ringe[] = {0.9, 1.3, 1.8, 2.5, 3.3, 4.3, 5.5};
    for (const double r : ringe)
        for (int k = 0; k < 16; ++k) {
            const double w = k * 3.14159265358979 / 8.0;
            // Across and above or below first: a leader is shortest there.
            p.push_back({r * std::cos(w), r * std::sin(w) * 1.6});
        }
    return p;
}

} // namespace

// Moves each label, in drawing order, to the first of its places where its
// box, with a gap around it, covers no label placed before it and stays on
// the map: on its anchor where it can be, else near it with a leader. A
// label with no such place takes the least covered one. Positions are map
// points times the scale, the same on every sheet.
void beschriftungen_anordnen(std::vector<Beschriftung>& liste, double massstab,
                             float stadt_abmessung) {
    if (liste.empty()) return;
    const double s = massstab;
    const double karte = static_cast<double>(stadt_abmessung) * s;
    double zelle = 0;
    for (const Beschriftung& l : liste)
        zelle = std::max({zelle, 1.95 * l.a, 2.0 * l.b});
    if (!(zelle > 0.0) || !std::isfinite(zelle) || !std::isfinite(karte)) return;
    // Boxes closer than this read as one number ("2" beside "9" as "29").
    double luecke = 0;
    for (const Beschriftung& l : liste)
        luecke = std::max(luecke, 0.3 * l.b);
    // Placed boxes by the grid cell of their centre, cells as large as the
    // largest label, so a box is compared with its neighbours only.
    const auto zellen = static_cast<long long>(std::clamp(karte / zelle + 1.0, 1.0, 1e6));
    const double zs = std::max(zelle, karte / static_cast<double>(zellen));
    std::unordered_map<long long, std::vector<Box>> raster;
    const auto index = [&](double v) {
        return static_cast<long long>(
            std::clamp(std::floor(v / zs), 0.0, static_cast<double>(zellen - 1)));
    };
    // The area of b, widened by the gap, that placed boxes cover.
    const auto verdeckt = [&](const Box& b) {
        double flaeche = 0;
        for (long long j = index(b.y1 - zs); j <= index(b.y2 + zs); ++j)
            for (long long i = index(b.x1 - zs); i <= index(b.x2 + zs); ++i) {
                const auto zelle_ = raster.find(j * zellen + i);
                if (zelle_ == raster.end()) continue;
                for (const Box& c : zelle_->second) {
                    const double bx = std::min(b.x2 + luecke, c.x2) - std::max(b.x1 - luecke, c.x1);
                    const double by = std::min(b.y2 + luecke, c.y2) - std::max(b.y1 - luecke, c.y1);
                    if (bx > 0 && by > 0) flaeche += bx * by;
                }
            }
        return flaeche;
    };
    static const std::vector<std::array<double, 2>> schritte = plaetze();
    for (Beschriftung& l : liste) {
        const double x = static_cast<double>(l.x) * s, y = static_cast<double>(l.y) * s;
        const double w = 1.95 * l.a, h = 2.0 * l.b;
        const auto box = [&](double dx, double dy) {
            return Box{x + dx - l.a, y + dy - l.b, x + dx + 0.95 * l.a, y + dy + l.b};
        };
        // The first free place on the map wins; where there is none, the
        // place least covered, so crowded labels stay as legible as they can.
        l.dx = l.dy = 0;
        double geringste = std::numeric_limits<double>::infinity();
        for (const auto& schritt : schritte) {
            // Offsets from the box's centre; the anchor is 0.025 a left of it.
            const double dx = schritt[0] * w + 0.025 * l.a, dy = schritt[1] * h;
            const Box b = box(dx, dy);
            const bool auf_karte = b.x1 >= 0 && b.y1 >= 0 && b.x2 <= karte && b.y2 <= karte;
            if (!auf_karte && (schritt[0] != 0 || schritt[1] != 0)) continue;
            const double v = verdeckt(b);
            if (v < geringste) {
                geringste = v;
                l.dx = dx;
                l.dy = dy;
            }
            if (v == 0 && auf_karte) break;
        }
        const Box b = box(l.dx, l.dy);
        raster[index(0.5 * (b.y1 + b.y2)) * zellen + index(0.5 * (b.x1 + b.x2))].push_back(b);
    }
}

namespace {

// A label's box on the sheet `z` places, in device units.
Box feld(const Renderzustand& z, const Beschriftung& l, QPointF& anker) {
    anker = z.karte_nach_geraet(l.x, l.y);
    const double x = anker.x() + l.dx, y = anker.y() + l.dy;
    return {x - l.a, y - l.b, x + 0.95 * l.a, y + l.b};
}

// The frame and leader colour of a label tint: its hue, full and dark, so it
// shows on white streets as on the ground; a grey tint gets dark grey.
QColor rahmenfarbe(QColor tint) {
    const QColor h = tint.toHsv();
    if (h.hsvSaturation() < 12 || h.hsvHue() < 0) return QColor(70, 70, 70);
    return QColor::fromHsv(h.hsvHue(), 255, 140);
}

Feldform form_der_art(int farbe) {
    switch (farbe) {
    case farbe_nummer_strassen:
        return Feldform::kapsel;
    case farbe_nummer_plaetze:
        return Feldform::abgeschraegt;
    case farbe_nummer_parks:
        return Feldform::abgerundet;
    default:
        return Feldform::rechteck;
    }
}

// Frames and leaders are as fine as the label's letters.
double strichbreite(const Renderzustand& z, const Beschriftung& l) {
    return std::max(1.0, 2.0 * l.b * z.pixel_je_einheit / 14.0);
}

} // namespace

void fuehrungslinie_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z,
                             const Druckfarben& farben, const Beschriftung& l) {
    QPointF p;
    const Box b = feld(z, l, p);
    // A label on its anchor needs none.
    if (p.x() >= b.x1 && p.x() <= b.x2 && p.y() >= b.y1 && p.y() <= b.y2) return;
    const double bx = std::clamp(p.x(), b.x1, b.x2), by = std::clamp(p.y(), b.y1, b.y2);
    const double breite = strichbreite(z, l);
    const double r = 1.5 * breite / z.pixel_je_einheit;
    if (!z.box_sichtbar(std::min(p.x(), bx) - r, std::min(p.y(), by) - r, std::max(p.x(), bx) + r,
                        std::max(p.y(), by) + r))
        return;
    const QColor c = rahmenfarbe(farben[l.farbe]);
    flaeche.linie(p.x(), p.y(), bx, by, breite, c);
    // A dot on the anchor shows which element the line points at.
    flaeche.kreis(p.x(), p.y(), 0.0, 3.0 * breite, c);
}

void beschriftung_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z,
                           const Druckfarben& farben, const Beschriftung& l) {
    QPointF p;
    const Box b = feld(z, l, p);
    // Drawn wherever its box reaches into the square; the clip cuts the rest,
    // and the neighbouring sheet or tile draws the other part.
    if (!z.box_sichtbar(b.x1, b.y1, b.x2, b.y2)) return;
    flaeche.beschriftungsfeld(b.x1, b.y1, b.x2, b.y2, form_der_art(l.farbe), farben[l.farbe],
                              rahmenfarbe(farben[l.farbe]), strichbreite(z, l));
    // The text is 1.7 a wide in a box of 1.95 a: centred, clear of the frame.
    flaeche.position_setzen(b.x1 + 0.125 * l.a, b.y1);
    flaeche.text(QString::number(l.nummer));
}

} // namespace tarvello
