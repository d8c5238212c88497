#include "streets/strassen.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"
#include "geometry/wegsuche.h"
#include "streets/verbindungen.h"

namespace tarvello {

void erste_strasse_starten(Lauf& l, Strassenbau& bau, int w) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    m.weg(w).breite = p.weg_halbbreite_max;
    bau.startversuche = 0;
    // Rivers covering the whole circle leave no start: new rivers are needed.
    for (long gezogen = 1;; ++gezogen) {
        const float a = 2.0f * pi * l.rnd();
        bau.gang.pos_x = m.zentrum_x + p.stadt_durchmesser / 2.0f * std::cos(a);
        bau.gang.pos_y = m.zentrum_y + p.stadt_durchmesser / 2.0f * std::sin(a);
        if (lage_pruefen(p, m, bau.gang.pos_x, bau.gang.pos_y).in_stadt &&
            ufer_suchen(l, bau, bau.gang.pos_x, bau.gang.pos_y, p.weg_halbbreite_max).fluss == 0)
            break;
        if (gezogen >= 20000) {
            l.anhalten(Halt::versuch_gescheitert);
            return;
        }
        if (++bau.startversuche > 100) {
            stadtrand_wuerfeln(m, l.z);
            bau.startversuche = 0;
        }
    }
    // Heading: the head's position vector from the map origin, turned round.
    bau.gang.richtung = winkel_aus(bau.gang.pos_x, bau.gang.pos_y) + pi;
    if (p.stadt_form == 1) {
        switch (oktant(bau.gang.richtung)) {
        case 2:
        case 3:
            bau.gang.richtung = -3.0f * pi / 2.0f;
            break;
        case 4:
        case 5:
            bau.gang.richtung = 0.0f;
            break;
        case 6:
        case 7:
            bau.gang.richtung = pi / 2.0f;
            break;
        case 1:
        case 8:
            bau.gang.richtung = -pi;
            break;
        default:
            break;
        }
    }
    m.weg(w).verbindungen.erase(1);
}

void abzweigung_starten(Lauf& l, Strassenbau& bau, int w) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    const double t0 = l.jetzt();
    const double frist = static_cast<double>(p.weg_aufloesung * p.weg_aufloesung) * 15.0 + 0.5;
    const int erster = l.m.erster_strassenweg();
    long versuche = 0;
    for (;;) {
        // The design's loop has no yield; give the host a chance now and then
        // so an abort is heard during a long search.
        if ((++versuche & 4095) == 0) {
            l.nachgeben();
            if (l.abbruch()) return;
        }
        const int v = static_cast<int>(
            ganz(l.rnd() * static_cast<float>(m.n_wege - erster) + static_cast<float>(erster)));
        const Weg& eltern = m.weg(v);
        if (eltern.ist_fluss != 0 || eltern.n_punkte < 1) continue;
        const float anteil = eltern.breite / p.weg_halbbreite_max;
        if (l.rnd() >= anteil * anteil) continue;
        l.z.neu_saeen();
        int k = static_cast<int>(ganz(l.rnd() * static_cast<float>(eltern.n_punkte - 2) + 1.0f));
        if (k < 1) k = 1;
        if (k > eltern.n_punkte) k = eltern.n_punkte;
        bau.gang.pos_x = eltern.px(k);
        bau.gang.pos_y = eltern.py(k);
        const Lage lage = lage_pruefen(p, m, bau.gang.pos_x, bau.gang.pos_y);
        const float r = l.rnd();
        // A parent point near a river (the first point of a bridge's
        // street, a junction by the bank) would start the branch in it.
        const bool angenommen =
            (!bau.kern_erreicht || lage.im_kern || (lage.in_stadt && r > p.stadt_kernbildung)) &&
            ufer_suchen(l, bau, bau.gang.pos_x, bau.gang.pos_y, eltern.breite).fluss == 0;
        if (!angenommen) {
            if (l.jetzt() - t0 > frist) {
                l.anhalten(Halt::versuch_gescheitert);
                return;
            }
            continue;
        }
        const Richtung richtung = punkt_richtung(eltern, k);
        const float gabel =
            (pi - 2.0f * p.weg_abzweigung_wi_min) * l.rnd() + p.weg_abzweigung_wi_min;
        bau.gang.richtung = richtung.mittel + gabel;
        if (l.rnd() > 0.5f) bau.gang.richtung = richtung.mittel - gabel;
        float breite = ((l.rnd() - 0.5f) * 3.0f * p.weg_abzweig_verjueng_streu +
                        (1.0f - p.weg_abzweig_verjueng_wert)) *
                       eltern.breite;
        if (breite > p.weg_halbbreite_max) breite = p.weg_halbbreite_max;
        if (breite < p.weg_halbbreite_min) breite = p.weg_halbbreite_min;
        m.weg(w).breite = breite;
        verbindung_hinzufuegen(m, w, 1, v, k);
        return;
    }
}

float kreuzungswinkel(float a, float b) {
    // Headings differ by less than 2 pi; as lines they differ modulo pi.
    float delta = std::fmod(std::fabs(a - b), pi);
    if (delta > pi / 2.0f) delta = pi - delta;
    return delta;
}

Treffer kreuzung_suchen(const Lauf& l, const Strassenbau& bau, int w) {
    const Stadtmodell& m = l.m;
    const Gang& g = bau.gang;
    const float x = g.pos_x, y = g.pos_y, halbbreite = g.halbbreite;
    const int i = g.i, erster = l.m.erster_strassenweg(), letzter = m.n_wege;
    int tw = 0, tk = 0;
    const float r = (l.p.weg_halbbreite_max + halbbreite) / 2.0f;
    // Points clearly beyond the widest reach are passed over before their way
    // is looked up; the cells searched hold every point within it.
    const float weit = r * 1.001f + 0.001f;
    const float weit2 = weit * weit;
    bau.strassen.umkreis(x, y, weit, w, i, [&](const Strassenpunkt& q) {
        const float dx = q.x - x, dy = q.y - y;
        const float d2 = dx * dx + dy * dy;
        if (d2 > weit2) return;
        const int v = q.weg, k = q.punkt;
        // The cheap tests first: the way is looked up only for a point that
        // could still come first and is within the reach of the width its
        // points came with (a way's width stays while its points are in).
        if (v == w && std::abs(k - i) <= eigene_nachbarn) return;
        if (tw != 0 && (v > tw || (v == tw && k > tk))) return;
        if (v < erster || v > letzter) return;
        const float d = std::sqrt(d2); // the distance, as abstand() gives it
        if (!(d < (bau.strassen.breite(v) + halbbreite) / 2.0f)) return;
        const Weg& andere = m.weg(v);
        if (k > andere.n_punkte) return;
        const float grenze = (andere.breite + halbbreite) / 2.0f;
        if (d < grenze) {
            tw = v;
            tk = k;
        }
    });
    return {tw, tk};
}

void kreuzung_pruefen(Lauf& l, Strassenbau& bau, int w) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    Gang& g = bau.gang;
    const Treffer t = kreuzung_suchen(l, bau, w);
    if (t.weg == 0) return;
    const int v = t.weg, k = t.punkt;
    const Weg& andere = m.weg(v);
    Weg& strasse = m.weg(w);
    // Run the street onto the other one.
    ++g.i;
    strassenpunkt_setzen(l, bau, w, g.i, g.pos_x, g.pos_y);
    g.pos_x = andere.px(k);
    g.pos_y = andere.py(k);
    ++g.i;
    strassenpunkt_setzen(l, bau, w, g.i, g.pos_x, g.pos_y);
    const float a = punkt_richtung(andere, k).mittel;
    const float b = winkel_aus(strasse.px(g.i - 1) - strasse.px(g.i - 2),
                               strasse.py(g.i - 1) - strasse.py(g.i - 2));
    if (kreuzungswinkel(a, b) < p.weg_abzweigung_wi_min) {
        // Too flat a meeting: throw the street away.
        g.verworfen = true;
        g.ende = false;
        return;
    }
    g.ende = true;
    verbindung_hinzufuegen(m, w, g.i, v, k);
    if (l.rnd() < p.weg_durchkreuz_wahrsch) {
        g.ende = false;
        g.verworfen = false;
        g.gelaufen = 0.0f;
    }
}

std::vector<int> mauerpunkte_nahe(const Lauf& l, const Strassenbau& bau) {
    const Stadtmodell& m = l.m;
    const Gang& g = bau.gang;
    const float grenze = 4.0f * (l.p.Mauer_Dicke + g.halbbreite);
    std::vector<int> nahe;
    bau.mauer.umkreis(g.pos_x, g.pos_y, grenze, [&](const Rasterpunkt& q) {
        if (q.punkt <= m.mauer_n_punkte && m.mauer_flag_bei(q.punkt) != 0 &&
            abstand(g.pos_x, g.pos_y, q.x, q.y) < grenze)
            nahe.push_back(q.punkt);
    });
    std::sort(nahe.begin(), nahe.end());
    return nahe;
}

namespace {

// Where segment a-b crosses or touches segment c-d: the parameter along a-b,
// or a negative value when they do not meet (parallel ones never do). A
// point lying on the other segment counts, whichever way rounding goes.
float kreuzung_entlang(float ax, float ay, float bx, float by, float cx, float cy, float dx,
                       float dy) {
    constexpr float rand = 1e-4f;
    const float rx = bx - ax, ry = by - ay, sx = dx - cx, sy = dy - cy;
    const float n = rx * sy - ry * sx;
    if (n == 0.0f) return -1.0f;
    const float t = ((cx - ax) * sy - (cy - ay) * sx) / n;
    const float u = ((cx - ax) * ry - (cy - ay) * rx) / n;
    if (!(t >= -rand && t <= 1.0f + rand && u >= -rand && u <= 1.0f + rand)) return -1.0f;
    return std::clamp(t, 0.0f, 1.0f);
}

// The first drawn wall segment (both of its points standing) that the street
// segment a-b reaches, as the parameter along a-b; negative when none. A
// segment ending within half the wall's thickness of it reaches it at b, so
// a street never stops on the wall where rounding could put it across.
float mauer_kreuzung(const Lauf& l, const Strassenbau& bau, float ax, float ay, float bx,
                     float by) {
    const Stadtmodell& m = l.m;
    const float dicke = 0.5f * l.p.Mauer_Dicke;
    float beste = -1.0f;
    // A drawn segment's first point lies within half of a-b plus the longest
    // wall segment (and the reach) of a-b's midpoint.
    const float r = abstand(ax, ay, bx, by) / 2.0f + bau.mauer_strecke_max + dicke + 0.01f;
    bau.mauer.umkreis((ax + bx) / 2.0f, (ay + by) / 2.0f, r, [&](const Rasterpunkt& q) {
        const int p = q.punkt;
        if (p >= m.mauer_n_punkte || m.mauer_flag_bei(p + 1) == 0) return;
        const float cx = m.mauer_px(p), cy = m.mauer_py(p);
        const float dx = m.mauer_px(p + 1), dy = m.mauer_py(p + 1);
        float t = kreuzung_entlang(ax, ay, bx, by, cx, cy, dx, dy);
        if (t < 0.0f && strecke_abstand(bx, by, cx, cy, dx, dy) < dicke) t = 1.0f;
        if (t >= 0.0f && (beste < 0.0f || t < beste)) beste = t;
    });
    return beste;
}

// Ends street w short of the drawn wall where its last steps cross it. The
// last three stored segments are looked at as well as the step to the head,
// as a junction adds two points in one round and a bridge jumps from a point
// stored in the round before. A crossing that would cut off a linked point
// throws the street away instead, so no link is left dangling. Returns
// whether the street was ended or thrown away.
bool vor_mauer_enden(Lauf& l, Strassenbau& bau, int w) {
    Gang& g = bau.gang;
    Weg& weg = l.m.weg(w);
    for (int j = std::max(1, g.i - 3); j <= g.i; ++j) {
        const float ax = weg.px(j), ay = weg.py(j);
        const float bx = j < g.i ? weg.px(j + 1) : g.pos_x;
        const float by = j < g.i ? weg.py(j + 1) : g.pos_y;
        const float t = mauer_kreuzung(l, bau, ax, ay, bx, by);
        if (t < 0.0f) continue;
        for (int k = j + 1; k <= g.i; ++k) {
            if (weg.n_verbindungen(k) > 0) {
                g.verworfen = true;
                g.ende = false;
                return true;
            }
        }
        for (int k = j + 1; k <= g.i; ++k)
            bau.strassen.entfernen(w, k, weg.px(k), weg.py(k));
        // The end: the crossing, pulled back towards a by the half width; a
        // crossing nearer to a than that ends the street at a. A bridge cut
        // off goes, and on the bridge itself the street ends at its near bank.
        const bool bruecke = g.letzte_bruecke > 0 && g.letzte_bruecke >= j;
        if (bruecke) {
            --g.bruecken;
            g.letzte_bruecke = 0;
        }
        const float laenge = abstand(ax, ay, bx, by);
        const float s = laenge > 0.0f && !bruecke ? t - g.halbbreite / laenge : 0.0f;
        g.i = j;
        if (s > 0.0f) {
            ++g.i;
            strassenpunkt_setzen(l, bau, w, g.i, ax + (bx - ax) * s, ay + (by - ay) * s);
        }
        g.pos_x = weg.px(g.i);
        g.pos_y = weg.py(g.i);
        g.ende = true;
        return true;
    }
    return false;
}

} // namespace

void mauer_pruefen(Lauf& l, Strassenbau& bau) {
    const Stadtmodell& m = l.m;
    Gang& g = bau.gang;
    g.an_mauer = false;
    if (!bau.mauer_aktuell) mauer_raster_aufbauen(l, bau);
    // The street being walked is the last way.
    if (m.n_wege >= l.m.erster_strassenweg() && m.n_wege >= 1 && vor_mauer_enden(l, bau, m.n_wege))
        return;
    const float grenze = 4.0f * (l.p.Mauer_Dicke + g.halbbreite);
    const int n = m.mauer_n_punkte;
    // Every wall point within reach steers in turn, in the order of the wall;
    // the last one has the final word.
    for (const int q : mauerpunkte_nahe(l, bau)) {
        const float d = abstand(g.pos_x, g.pos_y, m.mauer_px(q), m.mauer_py(q));
        g.an_mauer = true;
        if (n < 2) {
            g.richtung = 0.0f;
        } else if (q == 1) {
            g.richtung =
                richtungswinkel(m.mauer_px(2) - m.mauer_px(1), m.mauer_py(2) - m.mauer_py(1));
        } else if (q == n) {
            g.richtung = richtungswinkel(m.mauer_px(q) - m.mauer_px(q - 1),
                                         m.mauer_py(q) - m.mauer_py(q - 1));
        } else {
            g.richtung = mittlere_richtung(m.mauer_px(q - 1), m.mauer_py(q - 1), m.mauer_px(q),
                                           m.mauer_py(q), m.mauer_px(q + 1), m.mauer_py(q + 1));
        }
        if (d < 0.7f * grenze) {
            // Too close: back off, away from the wall point within +-30 degrees.
            g.richtung = winkel_aus(m.mauer_px(q) - g.pos_x, m.mauer_py(q) - g.pos_y) + pi +
                         (l.rnd() - 0.5f) * pi / 3.0f;
            if (g.richtung > 2.0f * pi) g.richtung -= 2.0f * pi;
        }
    }
}

float brueckenwahrscheinlichkeit(const Parameter& p) {
    return (p.weg_brueckenbildung * p.weg_brueckenbildung * 150.0f) /
           (static_cast<float>(p.weg_punkte_max) /
            (p.weg_aufloesung * p.weg_aufloesung * 3.0f + 0.5f));
}

Flusstreffer fluss_suchen(const Lauf& l, const Strassenbau& bau) {
    const Parameter& p = l.p;
    const Stadtmodell& m = l.m;
    const Gang& g = bau.gang;
    Flusstreffer t;
    float beste = 1000000.0f;
    const float faktor = p.abstand_weg_fluss * 2.5f + 0.8f;
    const float r = faktor * (bau.fluss_grenze_max + g.halbbreite);
    // No river's reach is beyond r: points clearly further off are passed
    // over before their river is looked up.
    const float weit = r * 1.001f + 0.001f;
    const float weit2 = weit * weit;
    if (!bau.fluss_naehe.vielleicht(g.pos_x, g.pos_y, weit)) return t;
    bau.fluss_feld.umkreis(g.pos_x, g.pos_y, weit, [&](const Rasterpunkt& q) {
        const float dx = q.x - g.pos_x, dy = q.y - g.pos_y;
        if (dx * dx + dy * dy > weit2) return;
        const Weg& f = m.weg(q.weg);
        if (q.weg > m.n_fluesse || q.punkt > f.n_punkte) return;
        const float grenze = faktor * (f.breite + g.halbbreite);
        const float d = abstand(g.pos_x, g.pos_y, q.x, q.y);
        if (d >= grenze) return;
        if (naeher_als(d, q.weg, q.punkt, beste, t.fluss, t.punkt)) {
            beste = d;
            t.fluss = q.weg;
            t.punkt = q.punkt;
            t.abstand = d;
            t.q = d / grenze;
        }
    });
    return t;
}

namespace {

// Whether the segment q1-q2 of a polyline crosses the segment p1-p2. A
// polyline point on p1-p2 belongs to one side, so a polyline crossing there
// counts once, not once per segment.
bool strecken_kreuzen(float p1x, float p1y, float p2x, float p2y, float q1x, float q1y, float q2x,
                      float q2y) {
    const auto seite = [](float ax, float ay, float bx, float by, float cx, float cy) {
        return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    };
    const float d1 = seite(q1x, q1y, q2x, q2y, p1x, p1y);
    const float d2 = seite(q1x, q1y, q2x, q2y, p2x, p2y);
    const float d3 = seite(p1x, p1y, p2x, p2y, q1x, q1y);
    const float d4 = seite(p1x, p1y, p2x, p2y, q2x, q2y);
    return ((d1 <= 0.0f && d2 >= 0.0f) || (d1 >= 0.0f && d2 <= 0.0f)) &&
           ((d3 < 0.0f) != (d4 < 0.0f));
}

// River centre-line segments the segment a-b crosses. A crossing over the
// round end of a river, or a pass through the body of a river it does not
// cross, counts as two more: a bridge there would not span one river from
// bank to bank.
int flussquerungen(const Lauf& l, const Strassenbau& bau, float ax, float ay, float bx, float by) {
    const Stadtmodell& m = l.m;
    // Every river segment within reach of a-b has its first point within this
    // distance of the middle of a-b (river steps are shorter than the widest river).
    const float r = abstand(ax, ay, bx, by) / 2.0f + 3.0f * bau.fluss_grenze_max +
                    ufer_faktor * bau.gang.halbbreite + 1.0f;
    int n = 0;
    std::vector<int> gekreuzt, gestreift;
    bau.fluss.umkreis((ax + bx) / 2.0f, (ay + by) / 2.0f, r, [&](const Rasterpunkt& q) {
        if (q.weg < 1 || q.weg > m.n_fluesse) return;
        const Weg& f = m.weg(q.weg);
        const int k = q.punkt;
        if (k >= f.n_punkte) return;
        const float nah = ufer_faktor * (f.breite + bau.gang.halbbreite);
        float fx = 0.0f, fy = 0.0f;
        const auto naeher = [&](float px, float py, float qx, float qy, float rx, float ry) {
            return strecke_abstand(px, py, qx, qy, rx, ry, fx, fy) < nah;
        };
        if (!strecken_kreuzen(ax, ay, bx, by, f.px(k), f.py(k), f.px(k + 1), f.py(k + 1))) {
            if (naeher(f.px(k), f.py(k), ax, ay, bx, by) ||
                naeher(f.px(k + 1), f.py(k + 1), ax, ay, bx, by) ||
                naeher(ax, ay, f.px(k), f.py(k), f.px(k + 1), f.py(k + 1)) ||
                naeher(bx, by, f.px(k), f.py(k), f.px(k + 1), f.py(k + 1)))
                gestreift.push_back(q.weg);
            return;
        }
        ++n;
        gekreuzt.push_back(q.weg);
        if ((k == 1 && naeher(f.px(1), f.py(1), ax, ay, bx, by)) ||
            (k + 1 == f.n_punkte && naeher(f.px(k + 1), f.py(k + 1), ax, ay, bx, by)))
            n += 2;
    });
    for (const int g : gestreift)
        if (std::find(gekreuzt.begin(), gekreuzt.end(), g) == gekreuzt.end()) return n + 2;
    return n;
}

// The far end of a bridge from (x, y) along heading b: at least `sprung` on,
// further until clear of every river, crossing exactly one river centre line.
bool brueckenende_finden(const Lauf& l, const Strassenbau& bau, float x, float y, float b,
                         float sprung, float schritt, float& ex, float& ey) {
    const float cb = std::cos(b), sb = std::sin(b);
    for (int n = 0; n <= 40; ++n) {
        const float weite = sprung + static_cast<float>(n) * schritt;
        ex = x + weite * cb;
        ey = y + weite * sb;
        if (ufer_suchen(l, bau, ex, ey, bau.gang.halbbreite).fluss != 0) continue;
        return flussquerungen(l, bau, x, y, ex, ey) == 1;
    }
    return false;
}

} // namespace

Uferlage ufer_suchen(const Lauf& l, const Strassenbau& bau, float x, float y, float halbbreite,
                     float faktor) {
    const Stadtmodell& m = l.m;
    Uferlage u;
    if (m.n_fluesse < 1 || bau.fluss.leer()) return u;
    float tiefste = 0.0f; // the deepest (limit - distance) so far
    const float r = faktor * (bau.fluss_grenze_max + halbbreite) + 2.0f * bau.fluss_grenze_max;
    bau.fluss.umkreis(x, y, r, [&](const Rasterpunkt& q) {
        if (q.weg < 1 || q.weg > m.n_fluesse) return;
        const Weg& f = m.weg(q.weg);
        if (q.punkt > f.n_punkte) return;
        const float grenze = faktor * (f.breite + halbbreite);
        // The segment to the next point (a lone point stands for itself).
        const int k2 = q.punkt < f.n_punkte ? q.punkt + 1 : q.punkt;
        float fx = 0.0f, fy = 0.0f;
        const float d =
            strecke_abstand(x, y, f.px(q.punkt), f.py(q.punkt), f.px(k2), f.py(k2), fx, fy);
        if (grenze - d > tiefste) {
            tiefste = grenze - d;
            u = {q.weg, fx, fy, d, grenze};
        }
    });
    return u;
}

bool ufer_freihalten(const Lauf& l, const Strassenbau& bau, float& x, float& y, float halbbreite,
                     float weg) {
    // Near a fork, leaving one river can bring the point into another.
    for (int n = 0; n < 4; ++n) {
        const Uferlage u = ufer_suchen(l, bau, x, y, halbbreite);
        if (u.fluss == 0) return true;
        float ux = std::cos(weg), uy = std::sin(weg);
        if (u.abstand > 1e-4f) {
            ux = (x - u.fuss_x) / u.abstand;
            uy = (y - u.fuss_y) / u.abstand;
        }
        const float ziel = u.grenze * 1.001f + 0.001f;
        x = u.fuss_x + ziel * ux;
        y = u.fuss_y + ziel * uy;
    }
    return ufer_suchen(l, bau, x, y, halbbreite).fluss == 0;
}

void fluss_pruefen(Lauf& l, Strassenbau& bau, int w) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    Gang& g = bau.gang;
    const Flusstreffer t = fluss_suchen(l, bau);
    if (t.fluss == 0) return;
    const Weg& f = m.weg(t.fluss);
    // The river's direction at the nearest point; at its last point the last segment.
    float a = 0.0f;
    if (f.n_punkte >= 2) {
        const int k0 = t.punkt < f.n_punkte ? t.punkt : f.n_punkte - 1;
        a = winkel_aus(f.px(k0 + 1) - f.px(k0), f.py(k0 + 1) - f.py(k0));
    }
    const float b = winkel_aus(f.px(t.punkt) - g.pos_x, f.py(t.punkt) - g.pos_y);
    // The first approach of the attempt's kept streets and this try always crosses.
    bool bruecke = bau.n_bruecken + g.bruecken == 0;
    if (!bruecke && l.rnd() < brueckenwahrscheinlichkeit(p) &&
        (g.letzte_bruecke == 0 ||
         static_cast<float>(g.i - g.letzte_bruecke) > static_cast<float>(p.weg_punkte_max) / 20.0f))
        bruecke = true;
    if (bruecke) {
        // The bridge runs from the near bank to beyond the far one; where
        // there is no clear far bank (another river behind) there is none.
        // It crosses square to the centre line: a head that came deep into
        // the river has no other good heading to the far bank.
        float nx = g.pos_x, ny = g.pos_y;
        // A near bank that cannot be cleared (by a river's end, between two
        // rivers) would put the bridge's first point in the water.
        const bool ufer_frei = ufer_freihalten(l, bau, nx, ny, g.halbbreite, b + pi);
        const Uferlage fuss =
            ufer_suchen(l, bau, nx, ny, g.halbbreite, 2.0f * (p.abstand_weg_fluss * 2.5f + 0.8f));
        const float dn = fuss.fluss != 0 ? fuss.abstand : t.abstand;
        const float rb =
            fuss.fluss != 0 && dn > 1e-4f ? winkel_aus(fuss.fuss_x - nx, fuss.fuss_y - ny) : b;
        const float sprung = (0.95f + 0.25f * l.rnd()) * 2.0f * dn;
        const float schritt = 0.1f * ufer_faktor * (f.breite + g.halbbreite) + 0.01f;
        float ex = 0.0f, ey = 0.0f;
        if (ufer_frei && brueckenende_finden(l, bau, nx, ny, rb, sprung, schritt, ex, ey)) {
            ++g.i;
            strassenpunkt_setzen(l, bau, w, g.i, nx, ny);
            g.pos_x = ex;
            g.pos_y = ey;
            g.letzte_bruecke = g.i;
            ++g.bruecken;
            g.richtung = a;
            return;
        }
    }
    // Run along the river and keep off its bank.
    g.richtung = a;
    const float q2 = maximum(t.q, 0.75f);
    g.pos_x -= (g.halbbreite / (q2 + 1.0f)) * std::cos(b);
    g.pos_y -= (g.halbbreite / (q2 + 1.0f)) * std::sin(b);
    // A head that cannot be brought clear of the water ends the street.
    if (!ufer_freihalten(l, bau, g.pos_x, g.pos_y, g.halbbreite, b + pi)) g.ende = true;
}

namespace {

// The grids cover the map with a margin; the few points beyond it share the
// border cells, so the cells stay small where the streets are.
template <class Raster> void raster_neu(const Lauf& l, Raster& r, float zelle) {
    const float a = l.p.stadt_abmessung;
    r.neu(-0.25f * a, 1.5f * a, zelle);
}

} // namespace

void strassen_raster_aufbauen(Lauf& l, Strassenbau& bau) {
    raster_neu(l, bau.strassen, l.p.weg_halbbreite_max);
    for (int v : l.m.strassen_nummern()) {
        const Weg& weg = l.m.weg(v);
        for (int k = 1; k <= weg.n_punkte; ++k)
            bau.strassen.einfuegen(v, k, weg.px(k), weg.py(k), weg.breite);
    }
    bau.gespeichert = 0;
}

void fluss_raster_aufbauen(Lauf& l, Strassenbau& bau) {
    bau.fluss_grenze_max = 0.0f;
    for (int r : l.m.fluss_nummern())
        bau.fluss_grenze_max = maximum(bau.fluss_grenze_max, l.m.weg(r).breite);
    const float zelle =
        (l.p.abstand_weg_fluss * 2.5f + 0.8f) * (bau.fluss_grenze_max + l.p.weg_halbbreite_max);
    raster_neu(l, bau.fluss, zelle);
    // Cells of the marks a good deal wider than the widest reach.
    raster_neu(l, bau.fluss_naehe, 1.25f * zelle);
    for (int r : l.m.fluss_nummern()) {
        const Weg& f = l.m.weg(r);
        for (int k = 1; k <= f.n_punkte; ++k) {
            bau.fluss.einfuegen(r, k, f.px(k), f.py(k));
            bau.fluss_feld.sammeln(r, k, f.px(k), f.py(k));
            bau.fluss_naehe.markieren(f.px(k), f.py(k));
        }
    }
    bau.fluss_feld.bauen(zelle);
}

void mauer_raster_aufbauen(Lauf& l, Strassenbau& bau) {
    const Stadtmodell& m = l.m;
    raster_neu(l, bau.mauer, 4.0f * (l.p.Mauer_Dicke + l.p.weg_halbbreite_max));
    bau.mauer_strecke_max = 0.0f;
    for (int q : m.mauer_nummern()) {
        if (m.mauer_flag_bei(q) == 0) continue;
        bau.mauer.einfuegen(0, q, m.mauer_px(q), m.mauer_py(q));
        if (q < m.mauer_n_punkte && m.mauer_flag_bei(q + 1) != 0)
            bau.mauer_strecke_max =
                maximum(bau.mauer_strecke_max, abstand(m.mauer_px(q), m.mauer_py(q),
                                                       m.mauer_px(q + 1), m.mauer_py(q + 1)));
    }
    bau.mauer_aktuell = true;
}

void bruecke_ins_nichts_zuruecknehmen(Lauf& l, Strassenbau& bau, int w) {
    Gang& g = bau.gang;
    Weg& weg = l.m.weg(w);
    const int b = g.letzte_bruecke, n = weg.n_punkte;
    if (g.bruecken < 1 || b < 1 || b >= n) return;
    float rest = 0.0f;
    for (int k = b + 1; k < n; ++k)
        rest += abstand(weg.px(k), weg.py(k), weg.px(k + 1), weg.py(k + 1));
    if (rest >= bruecke_rest_min) return;
    for (int k = b + 1; k <= n; ++k)
        if (weg.n_verbindungen(k) > 0) return;
    const float a = l.p.stadt_abmessung, x = weg.px(n), y = weg.py(n);
    if (minimum(minimum(x, y), minimum(a - x, a - y)) < 2.0f * g.schritt) return;
    for (int k = b + 1; k <= n; ++k)
        bau.strassen.entfernen(w, k, weg.px(k), weg.py(k));
    weg.n_punkte = static_cast<std::int16_t>(b);
    --g.bruecken;
    g.letzte_bruecke = 0;
}

void bruecke_am_anfang_zuruecknehmen(Lauf& l, Strassenbau& bau, int w) {
    Weg& weg = l.m.weg(w);
    const int n = weg.n_punkte;
    if (!weg.verbindungen.empty() || n < 3) return;
    int bruecke = 0;
    float laenge = 0.0f;
    for (int j = 1; j < n && laenge < bruecke_rest_min; ++j) {
        if (flussquerungen(l, bau, weg.px(j), weg.py(j), weg.px(j + 1), weg.py(j + 1)) > 0) {
            bruecke = j;
            break;
        }
        laenge += abstand(weg.px(j), weg.py(j), weg.px(j + 1), weg.py(j + 1));
    }
    if (bruecke == 0 || n - bruecke < 2) return;
    for (int k = 1; k <= n; ++k)
        bau.strassen.entfernen(w, k, weg.px(k), weg.py(k));
    const int neu = n - bruecke;
    for (int k = 1; k <= neu; ++k)
        weg.punkt_setzen(k, weg.px(k + bruecke), weg.py(k + bruecke));
    weg.n_punkte = static_cast<std::int16_t>(neu);
    for (int k = 1; k <= neu; ++k)
        bau.strassen.einfuegen(w, k, weg.px(k), weg.py(k), weg.breite);
    --bau.n_bruecken;
}

void strassenpunkt_setzen(Lauf& l, Strassenbau& bau, int w, int k, float x, float y) {
    Weg& weg = l.m.weg(w);
    weg.punkt_setzen(k, x, y);
    bau.strassen.einfuegen(w, k, x, y, weg.breite);
    if (k > bau.gespeichert) bau.gespeichert = k;
}

void strasse_aus_raster_nehmen(Lauf& l, Strassenbau& bau, int w) {
    const Weg& weg = l.m.weg(w);
    // Newest first: each is then the last entry of its cell.
    for (int k = bau.gespeichert; k >= 1; --k)
        bau.strassen.entfernen(w, k, weg.px(k), weg.py(k));
    bau.gespeichert = 0;
}

} // namespace tarvello
