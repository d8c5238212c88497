// The tests a building candidate must pass: ways, wall, squares and parks,
// and the nearest way a row member turns to.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "areas/gebaeude.h"
#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/eingrenzen.h"
#include "geometry/wegsuche.h"

namespace tarvello {

namespace {

// The same as abstand, inlined for the inner loops.
inline float entfernung(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

// Farthest point of the candidate from its centre.
float reichweite(const Kandidat& k) {
    if (k.rund == 1) return k.a / 2.0f;
    float r = 0.0f;
    for (int c = 1; c <= 4; ++c)
        r = maximum(r, abstand(k.x, k.y, k.ex[ix(c)], k.ey[ix(c)]));
    return r;
}

bool flaechen_kollision(Lauf& l, const Kandidat& k, const std::vector<Flaeche>& flaechen,
                        int anzahl, float groesse, float zulassen) {
    const Parameter& p = l.p;
    const float rel = (k.a - p.haus_gxy_min) / (p.haus_gxy_spanne + 0.00001f);
    const float hoch = groesse * 2.25f + 0.1f;
    const float tief = 0.9f - (1.0f - groesse) * 2.25f;
    const float r = l.rnd();
    const bool gesperrt = rel < tief || rel > hoch || r > std::pow(zulassen, 1.5f);
    if (!gesperrt) return false;
    const int n = std::min(anzahl, static_cast<int>(flaechen.size()) - 1);
    for (int s = 1; s <= n; ++s) {
        const Flaeche& f = flaechen[ix(s)];
        if (f.n_punkte < 2 || static_cast<int>(f.x.size()) <= f.n_punkte ||
            static_cast<int>(f.y.size()) <= f.n_punkte)
            continue; // not placed
        if (!(f.x_min < k.x && k.x < f.x_max && f.y_min < k.y && k.y < f.y_max)) continue;
        if (k.rund == 1) {
            if (punkt_in_polygon(k.x, k.y, f.x.data(), f.y.data(), f.n_punkte)) return true;
        } else {
            for (int c = 1; c <= 4; ++c)
                if (punkt_in_polygon(k.ex[ix(c)], k.ey[ix(c)], f.x.data(), f.y.data(), f.n_punkte))
                    return true;
        }
    }
    return false;
}

} // namespace

namespace {

// The candidate's outline as the street test sees it. Every way point in
// reach is measured against the same outline, so what does not depend on the
// point is worked out once: the edges (relative to the centre) for a quick
// bound, and the points the test samples on them for each sample count that
// a way's width asks for.
class Umriss {
  public:
    explicit Umriss(const Kandidat& k) : k_(k) {
        for (int c = 1; c <= 4; ++c) {
            const int c2 = c == 4 ? 1 : c + 1;
            Kante& e = kanten_[ix(c - 1)];
            e.x = k.ex[ix(c)] - k.x;
            e.y = k.ey[ix(c)] - k.y;
            e.dx = k.ex[ix(c2)] - k.ex[ix(c)];
            e.dy = k.ey[ix(c2)] - k.ey[ix(c)];
            const float l2 = e.dx * e.dx + e.dy * e.dy;
            e.l2_kehrwert = l2 > 0.0f ? 1.0f / l2 : 0.0f;
        }
    }

    // Whether a sampled point of the outline comes nearer than h to the way
    // point (qx, qy).
    bool trifft(float h, float qx, float qy) {
        // The sampled points lie on the edges: when every edge stays clear of
        // h (with ample room for rounding), none of them can be within h.
        const float grenze = h * 1.001f + 0.01f;
        const float grenze2 = grenze * grenze;
        const float rx = qx - k_.x, ry = qy - k_.y;
        bool nah = false;
        for (const Kante& e : kanten_) {
            float t = ((rx - e.x) * e.dx + (ry - e.y) * e.dy) * e.l2_kehrwert;
            t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
            const float ax = rx - (e.x + t * e.dx), ay = ry - (e.y + t * e.dy);
            nah = nah || ax * ax + ay * ay <= grenze2;
        }
        if (!nah) return false;
        const int n = std::min(20, ganz_begrenzt((k_.a / 2.0f) / h) + 1);
        if (n != n_) proben_setzen(n);
        // The same distances as one point at a time, without stopping early.
        bool treffer = false;
        for (int i = 0; i < anzahl_; ++i) {
            const float dx = qx - px_[ix(i)], dy = qy - py_[ix(i)];
            treffer |= std::sqrt(dx * dx + dy * dy) < h;
        }
        return treffer;
    }

  private:
    // Points on the four edges, t = 0..n.
    void proben_setzen(int n) {
        n_ = n;
        anzahl_ = 4 * (n + 1);
        const auto& ex = k_.ex;
        const auto& ey = k_.ey;
        const float fn = static_cast<float>(n);
        for (int t = 0; t <= n; ++t) {
            const float ft = static_cast<float>(t), fr = static_cast<float>(n - t);
            const std::size_t i = ix(4 * t);
            px_[i] = (fr * ex[2] + ft * ex[1]) / fn;
            px_[i + 1] = (fr * ex[3] + ft * ex[2]) / fn;
            px_[i + 2] = (ft * ex[3] + fr * ex[4]) / fn;
            px_[i + 3] = (ft * ex[1] + fr * ex[4]) / fn;
            py_[i] = (fr * ey[2] + ft * ey[1]) / fn;
            py_[i + 1] = (fr * ey[3] + ft * ey[2]) / fn;
            py_[i + 2] = (ft * ey[3] + fr * ey[4]) / fn;
            py_[i + 3] = (ft * ey[1] + fr * ey[4]) / fn;
        }
    }

    struct Kante {
        float x, y, dx, dy, l2_kehrwert;
    };
    const Kandidat& k_;
    std::array<Kante, 4> kanten_{};
    int n_ = -1, anzahl_ = 0;
    std::array<float, 84> px_{}, py_{};
};

bool raster_kollision(const Stadtmodell& m, const Parameter& p, const Kandidat& k,
                      const Punktfeld& raster, float h_max) {
    const float rand = weg_rand(p);
    const float reich = reichweite(k);
    // Every tested point lies in the candidate's box (a round building: its
    // circle's), so a way point nearer than h to one of them lies in the box
    // widened by h; the slack covers the rounding of the tested points.
    float x_lo = k.x - k.a / 2.0f, x_hi = k.x + k.a / 2.0f;
    float y_lo = k.y - k.a / 2.0f, y_hi = k.y + k.a / 2.0f;
    if (k.rund != 1) {
        x_lo = x_hi = k.ex[1];
        y_lo = y_hi = k.ey[1];
        for (int c = 2; c <= 4; ++c) {
            x_lo = minimum(x_lo, k.ex[ix(c)]);
            x_hi = maximum(x_hi, k.ex[ix(c)]);
            y_lo = minimum(y_lo, k.ey[ix(c)]);
            y_hi = maximum(y_hi, k.ey[ix(c)]);
        }
    }
    const float spiel = 0.05f + 1e-5f * (std::fabs(k.x) + std::fabs(k.y) + reich);
    x_lo -= spiel;
    y_lo -= spiel;
    x_hi += spiel;
    y_hi += spiel;
    std::optional<Umriss> umriss;
    return raster.suchen_im_rahmen(
        x_lo - h_max, y_lo - h_max, x_hi + h_max, y_hi + h_max, k.y, [&](const Rasterpunkt& q) {
            const Weg& weg = m.weg(q.weg);
            const float h = weg.breite / 2.0f;
            if (q.x < x_lo - h || q.x > x_hi + h || q.y < y_lo - h || q.y > y_hi + h) return false;
            if (q.punkt > weg.n_punkte) return false;
            // Only ways whose box holds the centre are tested. The box margin
            // is made for streets; a river wider than it allows is looked at
            // from farther away, so its box never hides a point in reach.
            const float mehr = maximum(0.0f, reich + h - rand);
            if (!(weg.x_min - mehr < k.x && k.x < weg.x_max + mehr && weg.y_min - mehr < k.y &&
                  k.y < weg.y_max + mehr))
                return false;
            if (k.rund == 1) return k.a / 2.0f + h > entfernung(k.x, k.y, q.x, q.y);
            if (!umriss) umriss.emplace(k);
            return umriss->trifft(h, q.x, q.y);
        });
}

} // namespace

bool weg_kollision(Lauf& l, const Kandidat& k, const Stufendaten& daten) {
    l.nachgeben();
    if (l.abbruch) return false; // the stage ends without this candidate
    return raster_kollision(l.m, l.p, k, daten.strassenpunkte, daten.h_strassen_max) ||
           raster_kollision(l.m, l.p, k, daten.flusspunkte, daten.h_fluesse_max);
}

bool mauer_kollision(Lauf& l, const Kandidat& k, const Stufendaten& daten) {
    l.nachgeben();
    const float grenze = l.p.haus_gxy_max + l.p.Mauer_Dicke;
    const float reich = k.rund == 1 ? 0.0f : reichweite(k);
    return daten.mauerpunkte.suchen(k.x, k.y, reich + grenze, [&](const Rasterpunkt& q) {
        if (q.punkt > l.m.mauer_n_punkte) return false;
        if (k.rund == 1) return abstand(k.x, k.y, q.x, q.y) < grenze;
        for (int c = 1; c <= 4; ++c)
            if (abstand(k.ex[ix(c)], k.ey[ix(c)], q.x, q.y) < grenze) return true;
        return false;
    });
}

bool haeuser_kollision(const Stadtmodell& m, const Stufendaten& d, int b, const Ecken& ex,
                       const Ecken& ey, int letzter) {
    const Haus& haus = m.haus(b);
    // Buildings whose boxes do not meet never overlap; the building's own
    // test then decides, box check first.
    return d.haeuser.suchen(haus.x_min, haus.y_min, haus.x_max, haus.y_max, [&](int j) {
        return j <= letzter && haeuser_ueberlappen(haus, ex, ey, m.haus(j));
    });
}

void haus_eintragen(Stufendaten& d, const Stadtmodell& m, int b) {
    const Haus& h = m.haus(b);
    d.haeuser.einfuegen(b, h.x_min, h.y_min, h.x_max, h.y_max);
}

bool plaetze_kollision(Lauf& l, const Kandidat& k) {
    return flaechen_kollision(l, k, l.m.plaetze, l.m.n_plaetze, l.p.plaetze_gebaeude_groesse,
                              l.p.plaetze_gebaeude_zulassen);
}

bool parks_kollision(Lauf& l, const Kandidat& k) {
    return flaechen_kollision(l, k, l.m.parks, l.m.n_parks, l.p.parks_gebaeude_groesse,
                              l.p.parks_gebaeude_zulassen);
}

Stufendaten stufendaten_bilden(const Stadtmodell& m) {
    Stufendaten d;
    d.rahmen = punktrahmen_bilden(m);
    const float a = m.stadt_abmessung > 0.0f ? m.stadt_abmessung : 1000.0f;
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.weg(w);
        float& h = weg.ist_fluss != 0 ? d.h_fluesse_max : d.h_strassen_max;
        h = maximum(h, weg.breite / 2.0f);
    }
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.weg(w);
        Punktfeld& r = weg.ist_fluss != 0 ? d.flusspunkte : d.strassenpunkte;
        for (int k = 1; k <= weg.n_punkte; ++k)
            r.sammeln(w, k, weg.px(k), weg.py(k));
    }
    const int n = std::min<std::int32_t>(
        m.mauer_n_punkte,
        static_cast<std::int32_t>(std::min(m.mauer_x.size(), m.mauer_flag.size())) - 1);
    for (int i = 1; i <= n; ++i)
        if (m.mauer_flag_bei(i) != 0) d.mauerpunkte.sammeln(0, i, m.mauer_px(i), m.mauer_py(i));
    // Small cells: a query then looks at few points beyond its reach. Points
    // beyond the map go to the border cells.
    d.strassenpunkte.bauen(16.0f);
    d.flusspunkte.bauen(4.0f + d.h_fluesse_max);
    d.mauerpunkte.bauen(8.0f);
    d.haeuser.neu(-0.25f * a, 1.5f * a, 16.0f);
    return d;
}

NaechsterWeg naechster_weg_raster(const Stadtmodell& m, const Stufendaten& d, float x, float y) {
    return naechster_weg_gerastert(
        m, maximum(d.h_strassen_max, d.h_fluesse_max), x, y,
        [&] { return naechster_weg_gestutzt(m, d.rahmen, x, y); }, d.strassenpunkte, d.flusspunkte);
}

std::optional<float> reihen_richtung(const Stadtmodell& m, const NaechsterWeg& n) {
    if (n.weg < 1 || n.weg > m.n_wege) return std::nullopt;
    const Weg& w = m.weg(n.weg);
    if (w.n_punkte < 2 || n.punkt < 1 || n.punkt > w.n_punkte) return std::nullopt;
    // At the last point the way's last segment gives the direction.
    return punkt_richtung(w, n.punkt).mittel;
}

} // namespace tarvello
