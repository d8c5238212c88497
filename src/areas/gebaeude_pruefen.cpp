// The tests a building candidate must pass: ways, wall, squares and parks,
// and the nearest way a row member turns to.
#include <algorithm>
#include <cmath>

#include "areas/gebaeude.h"
#include "core/funktionen.h"
#include "core/zahlen.h"
#include "streets/eingrenzen.h"

namespace tarvello {

namespace {

std::size_t ix(int i) {
    return static_cast<std::size_t>(i);
}

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

bool weg_kollision(Lauf& l, const Kandidat& k, const Stufendaten& daten) {
    const Stadtmodell& m = l.m;
    const Parameter& p = l.p;
    const float rand = weg_rand(p);
    const float reich = reichweite(k);
    const float a = k.a, b = k.b;
    const auto& ex = k.ex;
    const auto& ey = k.ey;
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.wege[ix(w)];
        const float h = weg.breite / 2.0f;
        // The box margin is made for streets; a river wider than it allows is
        // looked at from farther away, so its box never hides a point in reach.
        const float mehr = maximum(0.0f, reich + h - rand);
        if (!(weg.x_min - mehr < k.x && k.x < weg.x_max + mehr && weg.y_min - mehr < k.y &&
              k.y < weg.y_max + mehr))
            continue;
        const int n_punkte = weg.n_punkte;
        const std::vector<double>* bogen =
            ix(w) < daten.bogen.size() && static_cast<int>(daten.bogen[ix(w)].size()) > n_punkte
                ? &daten.bogen[ix(w)]
                : nullptr;
        const float schritt = 2.0f * p.weg_schritt_faktor * h;
        const int n = std::min(20, ganz_begrenzt((a / 2.0f) / h) + 1);
        const float fn = static_cast<float>(n);
        int j = 1;
        while (j <= n_punkte) {
            l.nachgeben();
            if (l.abbruch) return false; // the stage ends without this candidate
            const float qx = weg.px(j), qy = weg.py(j);
            // Every tested point lies within reach of the centre: beyond
            // reach + h nothing can be hit. `frei` is how much farther the way
            // point is (with room for rounding).
            const float dz = entfernung(k.x, k.y, qx, qy);
            const double frei = static_cast<double>(dz) * (1.0 - 1e-5) -
                                static_cast<double>(reich + h) * 1.0001 - 0.001;
            int vor = 0;
            if (k.rund == 0) {
                // Points on the four edges, t = 0..n; the last one is corner 1.
                float d = 0.0f;
                for (int t = frei > 0.0 ? n : 0; t <= n; ++t) {
                    const float ft = static_cast<float>(t), fr = static_cast<float>(n - t);
                    const float px[4] = {
                        (fr * ex[2] + ft * ex[1]) / fn, (fr * ex[3] + ft * ex[2]) / fn,
                        (ft * ex[3] + fr * ex[4]) / fn, (ft * ex[1] + fr * ex[4]) / fn};
                    const float py[4] = {
                        (fr * ey[2] + ft * ey[1]) / fn, (fr * ey[3] + ft * ey[2]) / fn,
                        (ft * ey[3] + fr * ey[4]) / fn, (ft * ey[1] + fr * ey[4]) / fn};
                    for (int e = 0; e < 4; ++e) {
                        d = entfernung(px[e], py[e], qx, qy);
                        if (d < h) return true;
                    }
                }
                vor = ganz_begrenzt((d - 2.0f * (a + b + h)) / schritt);
            } else {
                if (a / 2.0f + h > dz) return true;
                vor = ganz_begrenzt((dz - 2.0f * (2.0f * a + h)) / schritt);
            }
            if (bogen == nullptr) {
                ++j;
                continue;
            }
            // Skip the points that are certainly out of reach, measured along
            // the way: the walk's even spacing would allow vor - 2 points, but
            // where a way jumps (bridges, gates) the length caps the count;
            // and every point nearer along the way than `frei` is out of reach.
            const auto anfang = bogen->begin();
            const double von = (*bogen)[ix(j)];
            int naechst = j + 1;
            if (vor > 6) {
                const int ziel = std::min(j + vor - 2, n_punkte + 1);
                const double erlaubt = von + static_cast<double>(vor - 2) * schritt;
                const int bis = std::min(ziel, n_punkte);
                const int weiter =
                    static_cast<int>(std::upper_bound(anfang + j + 1, anfang + bis + 1, erlaubt) -
                                     anfang) -
                    1;
                naechst = std::max(naechst, weiter >= bis ? ziel : weiter);
            }
            if (frei > 0.0) {
                const int weiter = static_cast<int>(
                    std::upper_bound(anfang + j + 1, anfang + n_punkte + 1, von + frei) - anfang);
                naechst = std::max(naechst, weiter);
            }
            j = naechst;
        }
    }
    return false;
}

bool mauer_kollision(Lauf& l, const Kandidat& k, const Stufendaten& daten) {
    const Stadtmodell& m = l.m;
    const Parameter& p = l.p;
    l.nachgeben();
    const float grenze = p.haus_gxy_max + p.Mauer_Dicke;
    const float reich = k.rund == 1 ? 0.0f : reichweite(k);
    const int n = std::min({m.mauer_n_punkte, static_cast<std::int32_t>(m.mauer_flag.size()) - 1,
                            static_cast<std::int32_t>(daten.mauer_bogen.size()) - 1});
    int i = 1;
    while (i <= n) {
        const float mx = m.mauer_x[ix(i)], my = m.mauer_y[ix(i)];
        if (m.mauer_flag[ix(i)] != 0) {
            if (k.rund == 0) {
                for (int c = 1; c <= 4; ++c)
                    if (abstand(k.ex[ix(c)], k.ey[ix(c)], mx, my) < grenze) return true;
            } else if (abstand(k.x, k.y, mx, my) < grenze) {
                return true;
            }
        }
        // Wall points closer along the wall than the building is beyond reach
        // cannot come within grenze: skip them, gaps and wall alike.
        const double frei = static_cast<double>(abstand(k.x, k.y, mx, my)) * (1.0 - 1e-5) -
                            static_cast<double>(reich + grenze) * 1.0001 - 0.001;
        if (frei <= 0.0) {
            ++i;
            continue;
        }
        const auto anfang = daten.mauer_bogen.begin();
        const auto it =
            std::upper_bound(anfang + i + 1, anfang + n + 1, daten.mauer_bogen[ix(i)] + frei);
        i = std::max(static_cast<int>(it - anfang), i + 1);
    }
    return false;
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
    d.bogen.resize(d.rahmen.size());
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.wege[ix(w)];
        std::vector<double>& b = d.bogen[ix(w)];
        b.assign(ix(std::max<int>(weg.n_punkte, 0)) + 1, 0.0);
        for (int k = 2; k <= weg.n_punkte; ++k)
            b[ix(k)] = b[ix(k - 1)] + abstand(weg.px(k - 1), weg.py(k - 1), weg.px(k), weg.py(k));
    }
    const int n =
        std::min<std::int32_t>(m.mauer_n_punkte, static_cast<std::int32_t>(m.mauer_x.size()) - 1);
    d.mauer_bogen.assign(ix(std::max(n, 0)) + 1, 0.0);
    for (int i = 2; i <= n; ++i)
        d.mauer_bogen[ix(i)] =
            d.mauer_bogen[ix(i - 1)] +
            abstand(m.mauer_x[ix(i - 1)], m.mauer_y[ix(i - 1)], m.mauer_x[ix(i)], m.mauer_y[ix(i)]);
    return d;
}

std::vector<Punktrahmen> punktrahmen_bilden(const Stadtmodell& m) {
    std::vector<Punktrahmen> rahmen(ix(std::max<int>(m.n_wege, 0)) + 1);
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.wege[ix(w)];
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
    NaechsterWeg n;
    const int bis = std::min<int>(m.n_wege, static_cast<int>(rahmen.size()) - 1);
    for (int w = 1; w <= bis; ++w) {
        const Punktrahmen& r = rahmen[ix(w)];
        if (r.leer) continue;
        const Weg& weg = m.wege[ix(w)];
        const float halb = weg.breite / 2.0f;
        // Rounding is monotonic, so no point of the way can come out nearer
        // than its box: skipping changes nothing, ties included.
        const float dx = x < r.x_lo ? r.x_lo - x : (x > r.x_hi ? x - r.x_hi : 0.0f);
        const float dy = y < r.y_lo ? r.y_lo - y : (y > r.y_hi ? y - r.y_hi : 0.0f);
        if (std::sqrt(dx * dx + dy * dy) - halb >= n.abstand) continue;
        for (int k = 1; k <= weg.n_punkte; ++k) {
            const float ddx = weg.px(k) - x;
            const float ddy = weg.py(k) - y;
            const float e = std::sqrt(ddx * ddx + ddy * ddy) - halb;
            if (e < n.abstand) {
                n.abstand = e;
                n.weg = w;
                n.punkt = k;
            }
        }
    }
    return n;
}

std::optional<float> reihen_richtung(const Stadtmodell& m, const NaechsterWeg& n) {
    if (n.weg < 1 || n.weg > m.n_wege) return std::nullopt;
    const Weg& w = m.wege[ix(n.weg)];
    if (w.n_punkte < 2 || n.punkt < 1 || n.punkt > w.n_punkte) return std::nullopt;
    // At the last point the way's last segment gives the direction.
    return punkt_richtung(w, n.punkt).mittel;
}

} // namespace tarvello
