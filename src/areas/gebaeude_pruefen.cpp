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

// A rectangle candidate in its own frame: centre, unit vectors along (corner
// 2 to 1) and across (corner 4 to 1), half sides.
struct Rechteck {
    float cx = 0, cy = 0, ux = 1, uy = 0, nx = 0, ny = 1, hu = 0, hn = 0;

    explicit Rechteck(const Ecken& ex, const Ecken& ey) {
        cx = (ex[1] + ex[2] + ex[3] + ex[4]) / 4.0f;
        cy = (ey[1] + ey[2] + ey[3] + ey[4]) / 4.0f;
        const float lu = entfernung(ex[2], ey[2], ex[1], ey[1]);
        const float ln = entfernung(ex[4], ey[4], ex[1], ey[1]);
        if (lu > 0.0f) {
            ux = (ex[1] - ex[2]) / lu;
            uy = (ey[1] - ey[2]) / lu;
        }
        nx = -uy;
        ny = ux;
        if (ln > 0.0f) {
            nx = (ex[1] - ex[4]) / ln;
            ny = (ey[1] - ey[4]) / ln;
        }
        hu = lu / 2.0f;
        hn = ln / 2.0f;
    }

    void lokal(float x, float y, float& u, float& n) const {
        const float dx = x - cx, dy = y - cy;
        u = dx * ux + dy * uy;
        n = dx * nx + dy * ny;
    }
};

// Squared distance of a point to the segment (x1, y1)-(x2, y2).
inline float punkt_strecke2(float px, float py, float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1, dy = y2 - y1;
    const float l2 = dx * dx + dy * dy;
    float t = l2 > 0.0f ? ((px - x1) * dx + (py - y1) * dy) / l2 : 0.0f;
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    const float ax = x1 + t * dx - px, ay = y1 + t * dy - py;
    return ax * ax + ay * ay;
}

// Squared distance of the segment (u1, n1)-(u2, n2) to the box
// [-hu, hu] x [-hn, hn]; 0 when it touches or crosses the box.
float strecke_box2(float u1, float n1, float u2, float n2, float hu, float hn) {
    // Clip the segment to the box: any part left means they meet.
    float t0 = 0.0f, t1 = 1.0f;
    const float du = u2 - u1, dn = n2 - n1;
    auto klippen = [&](float p, float q) {
        if (p == 0.0f) return q >= 0.0f;
        const float r = q / p;
        if (p < 0.0f) {
            if (r > t1) return false;
            if (r > t0) t0 = r;
        } else {
            if (r < t0) return false;
            if (r < t1) t1 = r;
        }
        return true;
    };
    if (klippen(-du, u1 + hu) && klippen(du, hu - u1) && klippen(-dn, n1 + hn) &&
        klippen(dn, hn - n1))
        return 0.0f;
    // Apart: the nearest pair has an end of the segment or a corner of the box.
    auto zur_box = [&](float u, float n) {
        const float au = maximum(std::fabs(u) - hu, 0.0f), an = maximum(std::fabs(n) - hn, 0.0f);
        return au * au + an * an;
    };
    float d = minimum(zur_box(u1, n1), zur_box(u2, n2));
    for (const float su : {-hu, hu})
        for (const float sn : {-hn, hn})
            d = minimum(d, punkt_strecke2(su, sn, u1, n1, u2, n2));
    return d;
}

// Box of the candidate: its corners', a round building's circle's.
void kandidat_rahmen(const Kandidat& k, float& x_lo, float& y_lo, float& x_hi, float& y_hi) {
    if (k.rund == 1) {
        x_lo = k.x - k.a / 2.0f;
        x_hi = k.x + k.a / 2.0f;
        y_lo = k.y - k.a / 2.0f;
        y_hi = k.y + k.a / 2.0f;
        return;
    }
    x_lo = x_hi = k.ex[1];
    y_lo = y_hi = k.ey[1];
    for (int c = 2; c <= 4; ++c) {
        x_lo = minimum(x_lo, k.ex[ix(c)]);
        x_hi = maximum(x_hi, k.ex[ix(c)]);
        y_lo = minimum(y_lo, k.ey[ix(c)]);
        y_hi = maximum(y_hi, k.ey[ix(c)]);
    }
}

bool stuecke_kollision(const Kandidat& k, const Zellenfeld<Wegstueck>& raster, float h_max,
                       float stueck_max) {
    float x_lo = 0, y_lo = 0, x_hi = 0, y_hi = 0;
    kandidat_rahmen(k, x_lo, y_lo, x_hi, y_hi);
    // A piece within h of the outline has its middle within h plus half its
    // length of the candidate's box.
    const float reich = h_max + stueck_max / 2.0f + 0.01f;
    std::optional<Rechteck> r;
    return raster.suchen_im_rahmen(
        x_lo - reich, y_lo - reich, x_hi + reich, y_hi + reich, k.y, [&](const Wegstueck& s) {
            if (minimum(s.x1, s.x2) >= x_hi + s.h || maximum(s.x1, s.x2) <= x_lo - s.h ||
                minimum(s.y1, s.y2) >= y_hi + s.h || maximum(s.y1, s.y2) <= y_lo - s.h)
                return false;
            if (k.rund == 1) {
                const float g = k.a / 2.0f + s.h;
                return punkt_strecke2(k.x, k.y, s.x1, s.y1, s.x2, s.y2) < g * g;
            }
            if (!r) r.emplace(k.ex, k.ey);
            float u1 = 0, n1 = 0, u2 = 0, n2 = 0;
            r->lokal(s.x1, s.y1, u1, n1);
            r->lokal(s.x2, s.y2, u2, n2);
            return strecke_box2(u1, n1, u2, n2, r->hu, r->hn) < s.h * s.h;
        });
}

// Whether the convex quadrilaterals (corners 1..4) share more than their
// boundary: no edge direction separates them.
bool vierecke_ueberlappen(const Ecken& ax, const Ecken& ay, const Ecken& bx, const Ecken& by) {
    auto trennt = [](const Ecken& px, const Ecken& py, const Ecken& qx, const Ecken& qy) {
        for (int c = 1; c <= 4; ++c) {
            const int c2 = c == 4 ? 1 : c + 1;
            const float nx = py[ix(c2)] - py[ix(c)], ny = px[ix(c)] - px[ix(c2)];
            float p_lo = 1e30f, p_hi = -1e30f, q_lo = 1e30f, q_hi = -1e30f;
            for (int e = 1; e <= 4; ++e) {
                const float vp = px[ix(e)] * nx + py[ix(e)] * ny;
                const float vq = qx[ix(e)] * nx + qy[ix(e)] * ny;
                p_lo = minimum(p_lo, vp);
                p_hi = maximum(p_hi, vp);
                q_lo = minimum(q_lo, vq);
                q_hi = maximum(q_hi, vq);
            }
            // Touching (within rounding) does not count as overlap.
            const float spiel = 1e-4f * (p_hi - p_lo + q_hi - q_lo);
            if (p_hi <= q_lo + spiel || q_hi <= p_lo + spiel) return true;
        }
        return false;
    };
    return !trennt(ax, ay, bx, by) && !trennt(bx, by, ax, ay);
}

// Distance of a point to a convex quadrilateral, 0 inside.
float punkt_viereck(float px, float py, const Ecken& ex, const Ecken& ey) {
    bool links = true, rechts = true;
    float d2 = 1e30f;
    for (int c = 1; c <= 4; ++c) {
        const int c2 = c == 4 ? 1 : c + 1;
        const float kreuz = (ex[ix(c2)] - ex[ix(c)]) * (py - ey[ix(c)]) -
                            (ey[ix(c2)] - ey[ix(c)]) * (px - ex[ix(c)]);
        links = links && kreuz >= 0.0f;
        rechts = rechts && kreuz <= 0.0f;
        d2 = minimum(d2, punkt_strecke2(px, py, ex[ix(c)], ey[ix(c)], ex[ix(c2)], ey[ix(c2)]));
    }
    return links || rechts ? 0.0f : std::sqrt(d2);
}

} // namespace

bool weg_kollision(Lauf& l, const Kandidat& k, const Stufendaten& daten) {
    l.nachgeben();
    if (l.abbruch()) return false; // the stage ends without this candidate
    return stuecke_kollision(k, daten.strassenstuecke, daten.h_strassen_max,
                             daten.stueck_strassen_max) ||
           stuecke_kollision(k, daten.flussstuecke, daten.h_fluesse_max, daten.stueck_fluesse_max);
}

bool viereck_trifft_haeuser(const Stufendaten& d, const Ecken& ex, const Ecken& ey) {
    const auto [x_lo, x_hi] = std::minmax({ex[1], ex[2], ex[3], ex[4]});
    const auto [y_lo, y_hi] = std::minmax({ey[1], ey[2], ey[3], ey[4]});
    return d.haeuser.suchen_treffend(x_lo, y_lo, x_hi, y_hi, [&](const Hauseintrag& e) {
        if (e.rund == 1) return punkt_viereck(e.x[0], e.y[0], ex, ey) < e.x[1];
        const Ecken hx{0.0f, e.x[0], e.x[1], e.x[2], e.x[3]};
        const Ecken hy{0.0f, e.y[0], e.y[1], e.y[2], e.y[3]};
        return vierecke_ueberlappen(ex, ey, hx, hy);
    });
}

bool turm_kollision(const Stadtmodell& m, const Kandidat& k, const Stufendaten& d) {
    float x_lo = 0, y_lo = 0, x_hi = 0, y_hi = 0;
    kandidat_rahmen(k, x_lo, y_lo, x_hi, y_hi);
    return d.tuerme.suchen(x_lo, y_lo, x_hi, y_hi, [&](int t) {
        const Turm& turm = m.turm(t);
        if (turm.form == 1.0f) {
            if (k.rund == 1)
                return entfernung(k.x, k.y, turm.mx, turm.my) < k.a / 2.0f + turm.radius;
            return punkt_viereck(turm.mx, turm.my, k.ex, k.ey) < turm.radius;
        }
        if (k.rund == 1) return punkt_viereck(k.x, k.y, turm.x, turm.y) < k.a / 2.0f;
        return vierecke_ueberlappen(k.ex, k.ey, turm.x, turm.y);
    });
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
    // Buildings whose boxes do not meet never overlap: the grid passes over
    // them by the boxes it keeps, and the buildings' own test decides the rest.
    return d.haeuser.suchen_treffend(
        haus.x_min, haus.y_min, haus.x_max, haus.y_max, [&](const Hauseintrag& e) {
            if (e.nummer > letzter) return false;
            // Two rectangles need no more than the entry holds.
            if (haus.rund == 1 || e.rund == 1)
                return haeuser_ueberlappen(haus, ex, ey, m.haus(e.nummer));
            return ecken_ueberlappen(ex, ey, e.x.data(), e.y.data());
        });
}

void haus_eintragen(Stufendaten& d, const Stadtmodell& m, int b) {
    const Haus& h = m.haus(b);
    Hauseintrag e{b, h.rund, {}, {}};
    for (int c = 1; c <= 4; ++c) {
        e.x[ix(c - 1)] = h.ecke_x[ix(c)];
        e.y[ix(c - 1)] = h.ecke_y[ix(c)];
    }
    if (h.rund == 1) {
        e.x = {h.x, h.breite / 2.0f, 0.0f, 0.0f};
        e.y = {h.y, 0.0f, 0.0f, 0.0f};
    }
    d.haeuser.einfuegen(e, h.x_min, h.y_min, h.x_max, h.y_max);
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
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        float& h = weg.ist_fluss != 0 ? d.h_fluesse_max : d.h_strassen_max;
        h = maximum(h, weg.breite / 2.0f);
    }
    std::size_t punkte[2] = {0, 0};
    for (int w : m.wege_nummern())
        punkte[m.weg(w).ist_fluss != 0 ? 1 : 0] += ix(std::max<int>(m.weg(w).n_punkte, 0));
    d.strassenpunkte.vormerken(punkte[0]);
    d.flusspunkte.vormerken(punkte[1]);
    // Street pieces are mostly one per segment.
    d.strassenstuecke.vormerken(punkte[0] + punkte[0] / 4);
    d.flussstuecke.vormerken(punkte[1]);
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        Punktfeld& r = weg.ist_fluss != 0 ? d.flusspunkte : d.strassenpunkte;
        for (int k = 1; k <= weg.n_punkte; ++k)
            r.sammeln(w, k, weg.px(k), weg.py(k));
    }
    // Pieces of the segments; a way of one point is a piece of no length.
    const float stueck_ziel[2] = {8.0f, 4.0f + d.h_fluesse_max};
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        const int fluss = weg.ist_fluss != 0 ? 1 : 0;
        Zellenfeld<Wegstueck>& r = fluss == 1 ? d.flussstuecke : d.strassenstuecke;
        float& laengste = fluss == 1 ? d.stueck_fluesse_max : d.stueck_strassen_max;
        const float h = weg.breite / 2.0f;
        for (int k = 1; k <= weg.n_punkte; ++k) {
            const int k2 = k < weg.n_punkte ? k + 1 : k;
            if (k2 == k && weg.n_punkte > 1) break;
            const float x1 = weg.px(k), y1 = weg.py(k), x2 = weg.px(k2), y2 = weg.py(k2);
            const float laenge = abstand(x1, y1, x2, y2);
            const int teile = std::isfinite(laenge)
                                  ? std::max(1, ganz_begrenzt(laenge / stueck_ziel[fluss]) + 1)
                                  : 1;
            for (int t = 0; t < teile; ++t) {
                const float f1 = static_cast<float>(t) / static_cast<float>(teile);
                const float f2 = static_cast<float>(t + 1) / static_cast<float>(teile);
                const Wegstueck s{x1 + (x2 - x1) * f1, y1 + (y2 - y1) * f1,
                                  t + 1 == teile ? x2 : x1 + (x2 - x1) * f2,
                                  t + 1 == teile ? y2 : y1 + (y2 - y1) * f2, h};
                laengste = maximum(laengste, abstand(s.x1, s.y1, s.x2, s.y2));
                r.sammeln((s.x1 + s.x2) / 2.0f, (s.y1 + s.y2) / 2.0f, s);
            }
        }
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
    d.strassenstuecke.bauen(16.0f);
    d.flussstuecke.bauen(4.0f + d.h_fluesse_max);
    d.tuerme.neu(-0.25f * a, 1.5f * a, 16.0f);
    const int n_tuerme = std::min<int>(m.n_tuerme, static_cast<int>(m.tuerme.size()) - 1);
    for (int t = 1; t <= n_tuerme; ++t) {
        const Turm& turm = m.turm(t);
        if (turm.art == 0) continue;
        if (turm.form == 1.0f) {
            d.tuerme.einfuegen(t, turm.mx - turm.radius, turm.my - turm.radius,
                               turm.mx + turm.radius, turm.my + turm.radius);
        } else if (turm.form == 2.0f) {
            const auto [x_lo, x_hi] = std::minmax({turm.x[1], turm.x[2], turm.x[3], turm.x[4]});
            const auto [y_lo, y_hi] = std::minmax({turm.y[1], turm.y[2], turm.y[3], turm.y[4]});
            d.tuerme.einfuegen(t, x_lo, y_lo, x_hi, y_hi);
        }
    }
    d.haeuser.neu(-0.25f * a, 1.5f * a, 16.0f);
    return d;
}

NaechsterWeg naechster_weg_raster(const Stadtmodell& m, const Stufendaten& d, float x, float y) {
    // Each grid is searched as far as its own ways need: the rivers are
    // often far wider than the streets.
    return naechster_weg_je_feld(
        m, x, y, [&] { return naechster_weg_gestutzt(m, d.rahmen, x, y); },
        Feldbreite<Punktfeld>{d.strassenpunkte, d.h_strassen_max},
        Feldbreite<Punktfeld>{d.flusspunkte, d.h_fluesse_max});
}

std::optional<float> reihen_richtung(const Stadtmodell& m, const NaechsterWeg& n) {
    if (n.weg < 1 || n.weg > m.n_wege) return std::nullopt;
    const Weg& w = m.weg(n.weg);
    if (w.n_punkte < 2 || n.punkt < 1 || n.punkt > w.n_punkte) return std::nullopt;
    // At the last point the way's last segment gives the direction.
    return punkt_richtung(w, n.punkt).mittel;
}

} // namespace tarvello
