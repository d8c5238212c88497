#include "geometry/geometrie.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/funktionen.h"
#include "core/zahlen.h"

namespace tarvello {

float winkel_aus(float dx, float dy) {
    return richtungswinkel(dx, dy);
}

Richtung punkt_richtung(const Weg& w, int k) {
    Richtung r;
    const int n = w.n_punkte;
    if (n < 2) return r;
    int a = k;
    if (a >= n) a = n - 1;
    if (a < 1) a = 1;
    r.vor = winkel_aus(w.px(a + 1) - w.px(a), w.py(a + 1) - w.py(a));
    if (k > 1 && k <= n) {
        r.zurueck = winkel_aus(w.px(k) - w.px(k - 1), w.py(k) - w.py(k - 1));
    } else {
        r.zurueck = r.vor;
    }
    r.mittel = (r.vor + r.zurueck) / 2.0f;
    return r;
}

namespace {

// Bounds of the round town's outline radius per angle sector, so that the
// point classification rarely needs the radius itself (an arc tangent and a
// cosine per harmonic). Sectors are cut by a pseudo-angle that needs no arc
// tangent: in each quadrant |dy| / (|dx| + |dy|), which grows with the angle.
class Umrissband {
  public:
    static constexpr int n_sektoren = 1024;

    // The bounds for the town of p and m, worked out again when its outline
    // changed; nothing when the outline has no harmonics to bound.
    static const Umrissband* fuer(const Parameter& p, const Stadtmodell& m) {
        thread_local Umrissband band;
        const int n = m.stadtrand_n_wellen;
        if (n <= 0 || n > stadtrand_wellen_max) return nullptr;
        if (!band.gilt_fuer(p, m)) band.bilden(p, m);
        return band.gueltig_ ? &band : nullptr;
    }

    // Bounds of the radius in the direction (dx, dy), which must not be
    // (nearly) zero.
    void schranken(float dx, float dy, float& r_lo, float& r_hi) const {
        const float ax = std::fabs(dx), ay = std::fabs(dy);
        const float q = ay / (ax + ay);
        // The quadrants in the order of richtungswinkel: 0 .. 2 pi.
        float psi = q;
        if (dx < 0.0f)
            psi = dy >= 0.0f ? 2.0f - q : 2.0f + q;
        else if (dy < 0.0f)
            psi = 4.0f - q;
        const int s = std::clamp(static_cast<int>(psi * (n_sektoren / 4.0f)), 0, n_sektoren - 1);
        r_lo = lo_[static_cast<std::size_t>(s)];
        r_hi = hi_[static_cast<std::size_t>(s)];
    }

  private:
    // Compared bit for bit: this runs at every classification, and equal
    // bits are the same outline.
    bool gilt_fuer(const Parameter& p, const Stadtmodell& m) const {
        return n_ == m.stadtrand_n_wellen &&
               std::memcmp(&turbulenz_, &p.stadt_turbulenz, sizeof(float)) == 0 &&
               std::memcmp(&durchmesser_, &p.stadt_durchmesser, sizeof(float)) == 0 &&
               std::memcmp(frequenz_.data(), m.stadtrand_frequenz.data(), sizeof frequenz_) == 0 &&
               std::memcmp(phase_.data(), m.stadtrand_phase.data(), sizeof phase_) == 0 &&
               std::memcmp(amplitude_.data(), m.stadtrand_amplitude.data(), sizeof amplitude_) == 0;
    }

    // The angle (0 .. 2 pi) of pseudo-angle psi (0 .. 4).
    static double winkel_von(double psi) {
        const double j = std::min(std::floor(psi), 3.0), u = psi - j;
        return j * (pi_d / 2.0) + std::atan2(u, 1.0 - u);
    }

    // Range of cos over [u0, u1].
    static void cos_bereich(double u0, double u1, double& c_lo, double& c_hi) {
        c_lo = std::min(std::cos(u0), std::cos(u1));
        c_hi = std::max(std::cos(u0), std::cos(u1));
        // A multiple of 2 pi inside gives the maximum, an odd multiple of pi the minimum.
        if (std::floor(u1 / (2.0 * pi_d)) > std::floor(u0 / (2.0 * pi_d))) c_hi = 1.0;
        if (std::floor((u1 - pi_d) / (2.0 * pi_d)) > std::floor((u0 - pi_d) / (2.0 * pi_d)))
            c_lo = -1.0;
    }

    void bilden(const Parameter& p, const Stadtmodell& m) {
        n_ = m.stadtrand_n_wellen;
        turbulenz_ = p.stadt_turbulenz;
        durchmesser_ = p.stadt_durchmesser;
        frequenz_ = m.stadtrand_frequenz;
        phase_ = m.stadtrand_phase;
        amplitude_ = m.stadtrand_amplitude;
        gueltig_ = std::isfinite(turbulenz_) && std::isfinite(durchmesser_) && durchmesser_ > 0.0f;
        const double h = static_cast<double>(durchmesser_) / 2.0;
        double summe = 0.0;
        for (int k = 1; k <= n_; ++k) {
            const double c = static_cast<double>(turbulenz_) * amplitude_[ix(k)];
            gueltig_ = gueltig_ && std::isfinite(c) && std::isfinite(phase_[ix(k)]);
            summe += std::fabs(c);
        }
        if (!gueltig_) return;
        // The radius is worked out in floats, from a float angle: the bounds
        // are widened by far more than those roundings can move it.
        const double rand = h * (1.0 + summe / n_) * 2e-5;
        const double spiel = 1e-4; // radians, each side of a sector
        for (int s = 0; s < n_sektoren; ++s) {
            const double a0 = winkel_von(4.0 * s / n_sektoren) - spiel;
            const double a1 = winkel_von(4.0 * (s + 1) / n_sektoren) + spiel;
            double lo = 0.0, hi = 0.0;
            for (int k = 1; k <= n_; ++k) {
                const double c = static_cast<double>(turbulenz_) * amplitude_[ix(k)];
                const double f = frequenz_[ix(k)], ph = phase_[ix(k)];
                double c_lo = -1.0, c_hi = 1.0;
                if (f >= 0.0)
                    cos_bereich(f * a0 + ph, f * a1 + ph, c_lo, c_hi);
                else
                    cos_bereich(f * a1 + ph, f * a0 + ph, c_lo, c_hi);
                lo += 1.0 + (c >= 0.0 ? c * c_lo : c * c_hi);
                hi += 1.0 + (c >= 0.0 ? c * c_hi : c * c_lo);
            }
            lo_[static_cast<std::size_t>(s)] = static_cast<float>(h * lo / n_ - rand);
            hi_[static_cast<std::size_t>(s)] = static_cast<float>(h * hi / n_ + rand);
        }
    }

    static constexpr double pi_d = 3.14159265358979323846;

    int n_ = -1;
    float turbulenz_ = 0, durchmesser_ = 0;
    std::array<std::int16_t, stadtrand_wellen_max + 1> frequenz_{};
    std::array<float, stadtrand_wellen_max + 1> phase_{}, amplitude_{};
    bool gueltig_ = false;
    std::array<float, n_sektoren> lo_{}, hi_{};
};

// Sets the flags from bounds g_lo <= g <= g_hi of the relative distance when
// every threshold lies clearly outside them; returns whether it did.
bool lage_aus_schranken(const Parameter& p, float g_lo, float g_hi, Lage& l) {
    auto klar = [&](float schwelle) { return g_hi < schwelle || g_lo > schwelle; };
    if (!(klar(p.kern_rel) && klar(1.0f) && klar(1.333f) && klar(p.bebauung_rel))) return false;
    l.im_kern = g_hi < p.kern_rel;
    l.in_stadt = g_hi < 1.0f;
    l.ausserhalb_karte = g_lo > 1.333f;
    l.in_bebauung = g_hi < p.bebauung_rel;
    return true;
}

} // namespace

Lage lage_pruefen(const Parameter& p, const Stadtmodell& m, float x, float y) {
    Lage l;
    const float dx = x - m.zentrum_x;
    const float dy = y - m.zentrum_y;
    float g;
    if (p.stadt_form == 0) {
        const float d = std::sqrt(dx * dx + dy * dy);
        // Bounds of the outline radius in the point's sector. Near the centre
        // the angle is left to the exact path (there the global bounds below
        // settle the flags anyway).
        if (d >= 1.0f && std::isfinite(d)) {
            if (const Umrissband* band = Umrissband::fuer(p, m)) {
                float r_lo = 0, r_hi = 0;
                band->schranken(dx, dy, r_lo, r_hi);
                if (r_lo > 0.0f && lage_aus_schranken(p, d / r_hi * 0.999f, d / r_lo * 1.001f, l))
                    return l;
            }
        }
        // The outline radius lies between bounds given by the harmonics'
        // amplitudes; when the point is clearly on one side of every
        // threshold at both bounds, the flags are known without the radius.
        const int n = m.stadtrand_n_wellen;
        if (n > 0 && n <= stadtrand_wellen_max) {
            float summe = 0.0f;
            for (int k = 1; k <= n; ++k)
                summe += std::fabs(m.stadtrand_amplitude[k]);
            const float schwankung = std::fabs(p.stadt_turbulenz) * summe / static_cast<float>(n);
            const float r_lo = p.stadt_durchmesser * (1.0f - schwankung) / 2.0f;
            const float r_hi = p.stadt_durchmesser * (1.0f + schwankung) / 2.0f;
            if (r_lo > 0.0f && std::isfinite(r_hi) && std::isfinite(d)) {
                const float g_lo = d / r_hi * 0.999f, g_hi = d / r_lo * 1.001f;
                auto klar = [&](float schwelle) { return g_hi < schwelle || g_lo > schwelle; };
                if (klar(p.kern_rel) && klar(1.0f) && klar(1.333f) && klar(p.bebauung_rel)) {
                    l.im_kern = g_hi < p.kern_rel;
                    l.in_stadt = g_hi < 1.0f;
                    l.ausserhalb_karte = g_lo > 1.333f;
                    l.in_bebauung = g_hi < p.bebauung_rel;
                    return l;
                }
            }
        }
        const float r = umriss_radius(p, m, winkel_aus(dx, dy), 0.0f);
        g = d / r;
        l.im_kern = g < p.kern_rel;
        l.in_stadt = g <= 1.0f;
        l.ausserhalb_karte = g > 1.333f;
    } else if (p.stadt_form == 1) {
        const float h = p.stadt_durchmesser / 2.0f;
        g = maximum(std::fabs(dx), std::fabs(dy)) / h;
        l.in_stadt = g < 1.0f;
        l.im_kern = g < p.kern_rel;
        l.ausserhalb_karte =
            std::fabs(dx) > p.stadt_abmessung / 2.0f || std::fabs(dy) > p.stadt_abmessung / 2.0f;
    } else {
        return l;
    }
    l.in_bebauung = g <= p.bebauung_rel;
    return l;
}

bool punkt_in_polygon(float x, float y, const float* xs, const float* ys, int n) {
    int anzahl = 0;
    for (int i = 1; i <= n - 1; ++i) {
        float x1 = xs[i], y1 = ys[i], x2 = xs[i + 1], y2 = ys[i + 1];
        if (y2 < y1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        if (y1 <= y && y < y2) {
            const float xe = ((y2 - y) * x1 + (y - y1) * x2) / (y2 - y1);
            if (xe > x) ++anzahl;
        }
    }
    return (anzahl % 2) == 1;
}

namespace {

bool kante_rechts(float px, float py, float xa, float ya, float xb, float yb) {
    if (yb < ya) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    if (ya <= py && py < yb) {
        const float xe = ((yb - py) * xa + (py - ya) * xb) / (yb - ya);
        return xe > px;
    }
    return false;
}

} // namespace

bool punkt_vor_viereck(float px, float py, float x1, float y1, float x2, float y2, float x3,
                       float y3, float x4, float y4) {
    return kante_rechts(px, py, x1, y1, x2, y2) || kante_rechts(px, py, x2, y2, x3, y3) ||
           kante_rechts(px, py, x3, y3, x4, y4) || kante_rechts(px, py, x1, y1, x4, y4);
}

Schnitt strecken_schnitt(float ax1, float ay1, float ax2, float ay2, float bx1, float by1,
                         float bx2, float by2) {
    Schnitt s;
    if (minimum(bx1, bx2) > maximum(ax1, ax2) || maximum(bx1, bx2) < minimum(ax1, ax2) ||
        minimum(by1, by2) > maximum(ay1, ay2) || maximum(by1, by2) < minimum(ay1, ay2))
        return s;
    if ((ax1 == ax2 && ay1 == ay2) || (bx1 == bx2 && by1 == by2)) return s;
    const float d = (ax2 - ax1) * (by2 - by1) - (ay2 - ay1) * (bx2 - bx1);
    float t = 0.0f, u = 0.0f;
    if (d != 0.0f) {
        t = ((ay1 - by1) * (bx2 - bx1) - (ax1 - bx1) * (by2 - by1)) / d;
        u = ((ax2 - ax1) * (ay1 - by1) - (ay2 - ay1) * (ax1 - bx1)) / d;
    }
    if (t < 0.0f || t > 1.0f || u < 0.0f || u > 1.0f) return s;
    s.gefunden = true;
    s.x = ax1 + (ax2 - ax1) * t;
    s.y = ay1 + (ay2 - ay1) * t;
    return s;
}

bool haeuser_ueberlappen(const Haus& i, const Ecken& ex, const Ecken& ey, const Haus& j) {
    if (i.x_min > j.x_max || j.x_min > i.x_max || i.y_min > j.y_max || j.y_min > i.y_max)
        return false;
    if (i.rund == 1 || j.rund == 1) {
        auto radius = [](const Haus& h) {
            return h.rund == 1 ? h.breite
                               : std::sqrt(h.laenge * h.laenge + h.breite * h.breite) / 2.0f;
        };
        return radius(i) + radius(j) > abstand(i.x, i.y, j.x, j.y);
    }
    return ecken_ueberlappen(ex, ey, j.ecke_x.data() + 1, j.ecke_y.data() + 1);
}

namespace {

// Four lanes of floats: the four edges of a quadrilateral side by side.
using Vier = float __attribute__((vector_size(16)));
using Maske = std::int32_t __attribute__((vector_size(16)));

// The edges of a quadrilateral as punkt_vor_viereck walks them, each with
// its lower end first.
struct Kanten {
    Vier xa, ya, xb, yb, dy;

    Kanten(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
        const Vier ax = {x1, x2, x3, x1}, ay = {y1, y2, y3, y1};
        const Vier bx = {x2, x3, x4, x4}, by = {y2, y3, y4, y4};
        const Maske tausch = by < ay;
        xa = tausch ? bx : ax;
        ya = tausch ? by : ay;
        xb = tausch ? ax : bx;
        yb = tausch ? ay : by;
        dy = yb - ya;
    }

    // Per edge, whether it crosses the horizontal through (px, py) to its
    // right: kante_rechts for all four at once, with the same operations.
    Maske rechts(float px, float py) const {
        const Vier x = {px, px, px, px}, y = {py, py, py, py};
        const Vier xe = ((yb - y) * xa + (y - ya) * xb) / dy;
        return (ya <= y) & (y < yb) & (xe > x);
    }
};

bool irgendeine(Maske m) {
    return (m[0] | m[1] | m[2] | m[3]) != 0;
}

} // namespace

bool ecken_ueberlappen(const Ecken& ex, const Ecken& ey, const float* jx, const float* jy) {
    // Every test is made and their results joined: the answer is the same
    // as stopping at the first, without the branches.
    const Kanten j(jx[0], jy[0], jx[1], jy[1], jx[2], jy[2], jx[3], jy[3]);
    Maske m = j.rechts(ex[1], ey[1]) | j.rechts(ex[2], ey[2]) | j.rechts(ex[3], ey[3]) |
              j.rechts(ex[4], ey[4]);
    if (irgendeine(m)) return true;
    const Kanten e(ex[1], ey[1], ex[2], ey[2], ex[3], ey[3], ex[4], ey[4]);
    m = e.rechts(jx[0], jy[0]) | e.rechts(jx[1], jy[1]) | e.rechts(jx[2], jy[2]) |
        e.rechts(jx[3], jy[3]);
    return irgendeine(m);
}

void haus_rahmen_setzen(Haus& h, const Ecken& ex, const Ecken& ey, float cx, float cy, float r) {
    if (h.rund == 1) {
        h.x_min = cx - r;
        h.x_max = cx + r;
        h.y_min = cy - r;
        h.y_max = cy + r;
    } else if (h.rund == 0) {
        float x_lo = 1000000.0f, y_lo = 1000000.0f, x_hi = -1000000.0f, y_hi = -1000000.0f;
        for (int c = 1; c <= 4; ++c) {
            if (ex[c] < x_lo) x_lo = ex[c];
            if (ex[c] > x_hi) x_hi = ex[c];
            if (ey[c] < y_lo) y_lo = ey[c];
            if (ey[c] > y_hi) y_hi = ey[c];
        }
        h.x_min = x_lo;
        h.x_max = x_hi;
        h.y_min = y_lo;
        h.y_max = y_hi;
    }
}

int oktant(float a) {
    const float q = pi / 4.0f;
    if (a < 0.0f || a > 2.0f * pi) return 0;
    for (int o = 1; o <= 8; ++o)
        if (a <= static_cast<float>(o) * q) return o;
    return 8;
}

namespace {

// The scan behind both searches over the points of ways 1..bis; `weit` tells
// from the way, its half width and the best distance so far that no point of
// the way can come nearer.
template <class Weit>
NaechsterWeg wege_durchsuchen(const Stadtmodell& m, int bis, float x, float y, Weit&& weit) {
    NaechsterWeg n;
    for (int w = 1; w <= bis; ++w) {
        const Weg& weg = m.weg(w);
        const float halb = weg.breite / 2.0f;
        if (weit(w, halb, n.abstand)) continue;
        for (int k = 1; k <= weg.n_punkte; ++k) {
            const float dx = weg.px(k) - x;
            const float dy = weg.py(k) - y;
            const float e = std::sqrt(dx * dx + dy * dy) - halb;
            if (e < n.abstand) {
                n.abstand = e;
                n.weg = w;
                n.punkt = k;
            }
        }
    }
    return n;
}

} // namespace

NaechsterWeg naechster_weg(const Stadtmodell& m, float x, float y) {
    return wege_durchsuchen(m, m.n_wege, x, y, [](int, float, float) { return false; });
}

std::vector<Punktrahmen> punktrahmen_bilden(const Stadtmodell& m) {
    std::vector<Punktrahmen> rahmen(ix(std::max<int>(m.n_wege, 0)) + 1);
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        Punktrahmen& r = rahmen[ix(w)];
        for (int k = 1; k <= weg.n_punkte; ++k) {
            const float x = weg.px(k), y = weg.py(k);
            if (r.leer) {
                r.x_lo = r.x_hi = x;
                r.y_lo = r.y_hi = y;
                r.leer = false;
            } else {
                r.x_lo = minimum(r.x_lo, x);
                r.x_hi = maximum(r.x_hi, x);
                r.y_lo = minimum(r.y_lo, y);
                r.y_hi = maximum(r.y_hi, y);
            }
        }
    }
    return rahmen;
}

NaechsterWeg naechster_weg_gestutzt(const Stadtmodell& m, const std::vector<Punktrahmen>& rahmen,
                                    float x, float y) {
    const int bis = std::min<int>(m.n_wege, static_cast<int>(rahmen.size()) - 1);
    return wege_durchsuchen(m, bis, x, y, [&](int w, float halb, float beste) {
        const Punktrahmen& r = rahmen[ix(w)];
        if (r.leer) return true;
        // Rounding is monotonic, so no point of the way can come out nearer
        // than its box: skipping changes nothing, ties included.
        const float dx = x < r.x_lo ? r.x_lo - x : (x > r.x_hi ? x - r.x_hi : 0.0f);
        const float dy = y < r.y_lo ? r.y_lo - y : (y > r.y_hi ? y - r.y_hi : 0.0f);
        return std::sqrt(dx * dx + dy * dy) - halb >= beste;
    });
}

Gedreht punkt_drehen(float px, float py, float cx, float cy, float a) {
    Gedreht g;
    const float r = abstand(px, py, cx, cy);
    g.winkel = winkel_aus(px - cx, py - cy) + a;
    g.x = cx + r * std::cos(g.winkel);
    g.y = cy + r * std::sin(g.winkel);
    return g;
}

void ecken_drehen(Ecken& ex, Ecken& ey, float cx, float cy, float a) {
    for (int c = 1; c <= 4; ++c) {
        const Gedreht g = punkt_drehen(ex[c], ey[c], cx, cy, a);
        ex[c] = g.x;
        ey[c] = g.y;
    }
}

float strecke_abstand(float px, float py, float ax, float ay, float bx, float by, float& fx,
                      float& fy) {
    const float dx = bx - ax, dy = by - ay;
    const float l2 = dx * dx + dy * dy;
    const float t =
        l2 > 0.0f ? std::clamp(((px - ax) * dx + (py - ay) * dy) / l2, 0.0f, 1.0f) : 0.0f;
    fx = ax + t * dx;
    fy = ay + t * dy;
    return abstand(px, py, fx, fy);
}

namespace {
// Distance from (x, y) to the nearest of the polygon's edges 1..n-1.
float rand_abstand(float x, float y, const float* xs, const float* ys, int n) {
    float d = std::numeric_limits<float>::max();
    for (int i = 1; i <= n - 1; ++i)
        d = std::min(d, strecke_abstand(x, y, xs[i], ys[i], xs[i + 1], ys[i + 1]));
    return d;
}
} // namespace

bool polygon_innenpunkt(const float* xs, const float* ys, int n, float& x, float& y) {
    if (n < 4) return false; // three corners and the repeated first
    float x1 = xs[1], x2 = xs[1], y1 = ys[1], y2 = ys[1];
    for (int i = 2; i <= n; ++i) {
        x1 = std::min(x1, xs[i]);
        x2 = std::max(x2, xs[i]);
        y1 = std::min(y1, ys[i]);
        y2 = std::max(y2, ys[i]);
    }
    if (!(x2 > x1) || !(y2 > y1) || !std::isfinite(x2 - x1) || !std::isfinite(y2 - y1))
        return false;
    // A coarse grid over the box, then two finer ones around the best point
    // so far; each cell is tried at its centre.
    constexpr int grob = 24, fein = 8;
    float beste = -1.0f;
    float mx = 0.5f * (x1 + x2), my = 0.5f * (y1 + y2);
    float wx = x2 - x1, wy = y2 - y1;
    float ax = x1, ay = y1;
    int schritte = grob;
    for (int runde = 0; runde < 3; ++runde) {
        const float sx = wx / static_cast<float>(schritte), sy = wy / static_cast<float>(schritte);
        for (int j = 0; j < schritte; ++j)
            for (int i = 0; i < schritte; ++i) {
                const float px = ax + (static_cast<float>(i) + 0.5f) * sx;
                const float py = ay + (static_cast<float>(j) + 0.5f) * sy;
                if (!punkt_in_polygon(px, py, xs, ys, n)) continue;
                const float d = rand_abstand(px, py, xs, ys, n);
                if (d > beste) {
                    beste = d;
                    mx = px;
                    my = py;
                }
            }
        if (beste < 0.0f) return false;
        // The next grid spans the two cells around the best point.
        wx = 2.0f * sx;
        wy = 2.0f * sy;
        ax = mx - sx;
        ay = my - sy;
        schritte = fein;
    }
    x = mx;
    y = my;
    return true;
}

} // namespace tarvello
