#include "wall/mauer.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/eingrenzen.h"
#include "geometry/geometrie.h"
#include "geometry/punktraster.h"
#include "geometry/wegsuche.h"

namespace tarvello {

namespace {

struct Punkt {
    float x = 0, y = 0;
};

// Radius of the ring in direction phi: the town outline, smoothed the more
// the closer the wall stands to the centre.
float mauer_radius(const Lauf& l, float phi) {
    const float a = l.p.Mauer_Abstand_Zentrum;
    return umriss_radius(l.p, l.m, phi, 1.0f - a) * a;
}

Punkt mauer_punkt(const Lauf& l, float phi) {
    const float r = mauer_radius(l, phi);
    return {l.m.zentrum_x + r * std::cos(phi), l.m.zentrum_y + r * std::sin(phi)};
}

float mauer_schritt_bestimmen(const Parameter& p) {
    float s = (1.0f - p.Mauer_Aufloesung) * 10.0f + 0.5f;
    // Keep the ring of a large map within a few thousand points.
    if (p.stadt_abmessung * 2.0f * pi / s > 5000.0f) s = p.stadt_abmessung * 2.0f * pi / 10000.0f;
    return s;
}

// The outline tables and the per-point stage tables grow together; nothing is
// stored beyond the model's capacity.
class Umriss {
  public:
    Umriss(Stadtmodell& m, Mauerbau& b) : m_(m), b_(b) {
        m_.mauer_x.assign(1025, 0.0f);
        m_.mauer_y.assign(1025, 0.0f);
        m_.mauer_flag.assign(1025, 0);
        m_.mauer_n_punkte = 0;
        b_.punkt_turm.assign(1025, 0);
        b_.punkt_winkel.assign(1025, 0.0f);
    }

    // Makes room for point k; false beyond the capacity.
    bool platz(int k) {
        if (k < 1 || k > mauer_punkte_max) return false;
        const auto i = static_cast<std::size_t>(k);
        if (i >= m_.mauer_x.size()) {
            const std::size_t n =
                std::min<std::size_t>(std::max(i + 1, m_.mauer_x.size() * 2), mauer_punkte_max + 1);
            m_.mauer_x.resize(n, 0.0f);
            m_.mauer_y.resize(n, 0.0f);
            m_.mauer_flag.resize(n, 0);
            b_.punkt_turm.resize(n, 0);
            b_.punkt_winkel.resize(std::min<std::size_t>(n, punkt_winkel_max + 1), 0.0f);
        }
        return true;
    }
    void setzen(int k, Punkt p, std::uint8_t flag) {
        if (!platz(k)) return;
        m_.mauer_px(k) = p.x;
        m_.mauer_py(k) = p.y;
        m_.mauer_flag_bei(k) = flag;
    }
    Punkt punkt(int k) const { return {m_.mauer_px(k), m_.mauer_py(k)}; }
    std::uint8_t& flag(int k) { return m_.mauer_flag_bei(k); }
    std::int32_t& turm(int k) { return b_.punkt_turm[ix(k)]; }
    float winkel(int k) const {
        return k >= 1 && k <= punkt_winkel_max ? b_.punkt_winkel[ix(k)] : 0.0f;
    }
    void winkel_setzen(int k, float w) {
        if (k >= 1 && k <= punkt_winkel_max) b_.punkt_winkel[ix(k)] = w;
    }

  private:
    Stadtmodell& m_;
    Mauerbau& b_;
};

// Draws the start angle: a ring point well clear of every way, or after
// 12000 refusals whatever comes.
float startwinkel(Lauf& l, const Wegfeld& f) {
    int abgelehnt = 0;
    for (;;) {
        const float phi0 = 2.0f * pi * l.rnd();
        const Punkt p = mauer_punkt(l, phi0);
        const NaechsterWeg n = naechster_weg_gerastert(
            l.m, f.h_max, p.x, p.y, [&] { return naechster_weg(l.m, p.x, p.y); }, f.punkte);
        const float breite = n.weg > 0 ? l.m.weg(n.weg).breite : 0.0f;
        if (n.abstand > 4.0f * breite) return phi0;
        if (abgelehnt > 12000 || l.abbruch()) return phi0;
        ++abgelehnt;
        if (abgelehnt % 500 == 0) l.nachgeben();
    }
}

// Opens gaps along the ring and erodes the towers standing in them.
void luecken_oeffnen(Lauf& l, Mauerbau& b) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    const float w0 = std::sqrt(1000.0f / (p.Mauer_Abstand_Zentrum * p.stadt_abmessung));
    const float wechsel =
        std::pow(p.Mauer_Lueckenhaftigkeit * 0.75f + 0.25f, 1.5f) * (b.schritt / 40.0f) * w0;
    const float voll = p.Mauer_Vollstaendigkeit;
    // A completeness of 0 must never start with wall, hence < rather than <=.
    bool mauer = l.rnd() < voll;
    if (!(voll < 1.0f)) return;
    for (int i : m.mauer_nummern()) {
        if (l.rnd() < wechsel) {
            const float t = l.rnd();
            if (t > voll && mauer) {
                mauer = false;
            } else {
                const float u = l.rnd();
                if (u < voll && !mauer) mauer = true;
            }
        }
        if (!mauer) {
            m.mauer_flag_bei(i) = 0;
            const int t = b.punkt_turm[ix(i)];
            if (t != 0 && l.rnd() < p.Mauer_Tuerme_erodieren_mit) m.turm(t).art = 0;
        }
    }
}

// A gate where the ring's last step crosses the street of k: opens the wall
// on both sides of the crossing, flanks the opening with two towers and moves
// pkt and phi to where the ring resumes beyond the street.
void tor_bauen(Lauf& l, Mauerbau& b, Umriss& u, const Mauerkreuzung& k, float delta, Punkt& pkt,
               float& phi) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    const Punkt s{k.x, k.y};
    const float phi_halb = phi - delta / 2.0f;
    const float g = ((l.rnd() - 0.5f) * p.Mauer_TorTurmgroesse_Variation + 1.0f) *
                    p.Mauer_Turmgroesse_Tor * p.Mauer_Dicke / 2.0f;
    const float breite = (g + m.weg(k.weg).breite) * 2.0f;

    int kp = b.punkt_nr;
    for (;;) {
        u.flag(kp) = 0;
        if (u.turm(kp) != 0) m.turm(u.turm(kp)).art = 0;
        --kp;
        if (kp < 1) {
            kp = 1;
            break;
        }
        const Punkt q = u.punkt(kp);
        if (abstand(q.x, q.y, s.x, s.y) >= breite / 2.0f) break;
        if (u.flag(kp) == 0) break;
    }

    const Punkt vor = u.punkt(kp);
    const float a = kp < 2 ? 2.0f * pi * l.rnd() : winkel_aus(s.x - vor.x, s.y - vor.y);
    const int t1 = turm_setzen(m, b.tuerme, vor.x, vor.y, g, p.Mauer_Tuerme_Form_Tore, a);
    if (t1 != 0) u.turm(kp) = t1;
    b.tuerme.als_tor(t1);

    const int kreuzung_nr = b.punkt_nr;
    u.setzen(b.punkt_nr, s, 0);
    ++b.punkt_nr;
    u.platz(b.punkt_nr);

    pkt = {s.x + breite / 2.0f * std::cos(a), s.y + breite / 2.0f * std::sin(a)};
    // Resume at the mirror image of the point before the gate. Its centre
    // angle is taken from the point itself when unknown, on the same turn
    // of the ring as the crossing.
    float winkel_vor = u.winkel(kp);
    if (winkel_vor == 0.0f) {
        winkel_vor = richtungswinkel(vor.x - m.zentrum_x, vor.y - m.zentrum_y);
        winkel_vor += 2.0f * pi * std::nearbyint((phi_halb - winkel_vor) / (2.0f * pi));
        u.winkel_setzen(kp, winkel_vor);
    }
    phi = 2.0f * phi_halb - winkel_vor;

    const int t2 = turm_setzen(m, b.tuerme, pkt.x, pkt.y, g, p.Mauer_Tuerme_Form_Tore, a);
    if (t2 != 0) u.turm(b.punkt_nr) = t2;
    b.tuerme.als_tor(t2);

    Tor tor;
    tor.x = (vor.x + pkt.x) / 2.0f;
    tor.y = (vor.y + pkt.y) / 2.0f;
    tor.breite = abstand(vor.x, vor.y, pkt.x, pkt.y);
    tor.winkel = winkel_aus(pkt.x - vor.x, pkt.y - vor.y);
    tor.turm1 = t1;
    tor.turm2 = t2;
    tor.punkt = kreuzung_nr;
    tor.weg = k.weg;
    b.tore.push_back(tor);
}

// How far a tower's body reaches from its centre (for a square one, its
// corners' distance).
float turm_reichweite(const Turm& t) {
    if (t.form == 1.0f) return t.radius;
    if (t.form != 2.0f) return 0.0f;
    float r = 0.0f;
    for (int c = 1; c <= 4; ++c)
        r = maximum(r, abstand(t.mx, t.my, t.x[ix(c)], t.y[ix(c)]));
    return r;
}

// Which side of the line a-b the point p lies on (positive: left).
float seite(float ax, float ay, float bx, float by, float px, float py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

// Whether the segments a-b and c-d cross (touching at an end counts).
bool strecken_kreuzen(float ax, float ay, float bx, float by, float cx, float cy, float dx,
                      float dy) {
    const float s1 = seite(ax, ay, bx, by, cx, cy), s2 = seite(ax, ay, bx, by, dx, dy);
    const float s3 = seite(cx, cy, dx, dy, ax, ay), s4 = seite(cx, cy, dx, dy, bx, by);
    return ((s1 <= 0.0f && s2 >= 0.0f) || (s1 >= 0.0f && s2 <= 0.0f)) &&
           ((s3 <= 0.0f && s4 >= 0.0f) || (s3 >= 0.0f && s4 <= 0.0f)) &&
           !(s1 == 0.0f && s2 == 0.0f);
}

// Whether the body of tower t comes nearer than `rand` to segment a-b: a
// round tower by its radius, a square one by its four corners.
bool turm_an_strecke(const Turm& t, float ax, float ay, float bx, float by, float rand) {
    if (t.form == 1.0f) return strecke_abstand(t.mx, t.my, ax, ay, bx, by) < t.radius + rand;
    if (t.form != 2.0f) return false;
    if (!(turm_reichweite(t) > 0.0f)) return strecke_abstand(t.mx, t.my, ax, ay, bx, by) < rand;
    const auto& x = t.x;
    const auto& y = t.y;
    // Inside the square: on the same side of all four edges.
    int links = 0;
    for (int c = 1; c <= 4; ++c) {
        const int d = c % 4 + 1;
        links += seite(x[ix(c)], y[ix(c)], x[ix(d)], y[ix(d)], ax, ay) > 0.0f ? 1 : 0;
    }
    if (links == 0 || links == 4) return true;
    for (int c = 1; c <= 4; ++c) {
        const int d = c % 4 + 1;
        if (strecken_kreuzen(ax, ay, bx, by, x[ix(c)], y[ix(c)], x[ix(d)], y[ix(d)])) return true;
        if (strecke_abstand(x[ix(c)], y[ix(c)], ax, ay, bx, by) < rand ||
            strecke_abstand(ax, ay, x[ix(c)], y[ix(c)], x[ix(d)], y[ix(d)]) < rand ||
            strecke_abstand(bx, by, x[ix(c)], y[ix(c)], x[ix(d)], y[ix(d)]) < rand)
            return true;
    }
    return false;
}

// Distance of the segments a-b and c-d (0 when they cross).
float strecken_abstand(float ax, float ay, float bx, float by, float cx, float cy, float dx,
                       float dy) {
    if (strecken_kreuzen(ax, ay, bx, by, cx, cy, dx, dy)) return 0.0f;
    return minimum(
        minimum(strecke_abstand(ax, ay, cx, cy, dx, dy), strecke_abstand(bx, by, cx, cy, dx, dy)),
        minimum(strecke_abstand(cx, cy, ax, ay, bx, by), strecke_abstand(dx, dy, ax, ay, bx, by)));
}

// Size of a gate tower at its largest.
float tor_turm_groesse(const Parameter& p) {
    return (0.5f * std::fabs(p.Mauer_TorTurmgroesse_Variation) + 1.0f) * p.Mauer_Turmgroesse_Tor *
           p.Mauer_Dicke / 2.0f;
}

// Water gates: the wall opens where it crosses a river. Every wall segment
// that comes within the river's half width plus a gate tower and half the
// wall of its line loses its wall, so the wall ends on each bank; where the
// wall has towers, a tower stands at each end, clear of the water.
void wassertore_oeffnen(Lauf& l, Mauerbau& b) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    const int n = m.mauer_n_punkte;
    if (m.n_fluesse < 1 || n < 3) return;
    const float g = tor_turm_groesse(p);
    const float reich = g + p.Mauer_Dicke / 2.0f + 0.5f;
    Punktfeld feld;
    float strecke_max = 0.0f, breite_max = 0.0f;
    for (int r : m.fluss_nummern()) {
        const Weg& f = m.weg(r);
        breite_max = maximum(breite_max, f.breite);
        for (int k = 1; k <= f.n_punkte; ++k) {
            feld.sammeln(r, k, f.px(k), f.py(k));
            if (k > 1)
                strecke_max =
                    maximum(strecke_max, abstand(f.px(k - 1), f.py(k - 1), f.px(k), f.py(k)));
        }
    }
    feld.bauen(maximum(4.0f, breite_max + reich));
    // A point is wet within the river's half width and a gate tower's reach
    // of its line; a segment between two dry points that still meets the
    // water (a narrow river between two far apart points) wets both.
    const auto nah = [&](float ax, float ay, float bx, float by, float zugabe) {
        const float r = abstand(ax, ay, bx, by) / 2.0f + strecke_max + breite_max / 2.0f + zugabe;
        return feld.suchen((ax + bx) / 2.0f, (ay + by) / 2.0f, r, [&](const Rasterpunkt& q) {
            const Weg& f = m.weg(q.weg);
            for (int j = q.punkt - 1; j <= q.punkt; ++j) {
                if (j < 1 || j >= f.n_punkte) continue;
                if (strecken_abstand(ax, ay, bx, by, f.px(j), f.py(j), f.px(j + 1), f.py(j + 1)) <
                    f.breite / 2.0f + zugabe)
                    return true;
            }
            return false;
        });
    };
    std::vector<std::uint8_t> nass(ix(n) + 1, 0);
    bool offen = false;
    for (int i = 1; i <= n; ++i) {
        const float x = m.mauer_px(i), y = m.mauer_py(i);
        if (nah(x, y, x, y, reich)) {
            nass[ix(i)] = 1;
            offen = true;
        }
    }
    for (int i = 1; i < n; ++i) {
        if (nass[ix(i)] || nass[ix(i + 1)]) continue;
        if (nah(m.mauer_px(i), m.mauer_py(i), m.mauer_px(i + 1), m.mauer_py(i + 1), 0.5f)) {
            nass[ix(i)] = nass[ix(i + 1)] = 1;
            offen = true;
        }
    }
    if (!offen) return;
    // The closing point is the first one.
    const bool ring = m.mauer_px(n) == m.mauer_px(1) && m.mauer_py(n) == m.mauer_py(1);
    if (ring && (nass[1] || nass[ix(n)])) nass[1] = nass[ix(n)] = 1;
    for (int i = 1; i <= n; ++i) {
        if (!nass[ix(i)]) continue;
        m.mauer_flag_bei(i) = 0;
        const int t = b.punkt_turm[ix(i)];
        if (t != 0) m.turm(t).art = 0;
    }
    if (p.Mauer_Tuerme_Form == 0) return;
    const std::uint8_t form =
        p.Mauer_Tuerme_Form_Tore != 0 ? p.Mauer_Tuerme_Form_Tore : p.Mauer_Tuerme_Form;
    const int letzter = ring ? n - 1 : n;
    for (int i = 1; i <= letzter; ++i) {
        if (nass[ix(i)] || m.mauer_flag_bei(i) != 1) continue;
        const int vor = i > 1 ? i - 1 : (ring ? letzter : 0);
        const int nach = i < letzter ? i + 1 : (ring ? 1 : 0);
        if (!((vor != 0 && nass[ix(vor)]) || (nach != 0 && nass[ix(nach)]))) continue;
        const int steht = b.punkt_turm[ix(i)];
        if (steht != 0 && m.turm(steht).art == 1) {
            b.tuerme.als_tor(steht);
            continue;
        }
        const int andere = vor != 0 && nass[ix(vor)] ? nach : vor;
        const float richtung = andere != 0 ? winkel_aus(m.mauer_px(andere) - m.mauer_px(i),
                                                        m.mauer_py(andere) - m.mauer_py(i))
                                           : 0.0f;
        const float groesse = (1.0f + (l.rnd() - 0.5f) * p.Mauer_TorTurmgroesse_Variation) *
                              p.Mauer_Turmgroesse_Tor * p.Mauer_Dicke / 2.0f;
        const int t =
            turm_setzen(m, b.tuerme, m.mauer_px(i), m.mauer_py(i), groesse, form, richtung);
        if (t == 0) continue;
        b.punkt_turm[ix(i)] = t;
        b.tuerme.als_tor(t);
    }
    m.n_tuerme = b.tuerme.n;
}

// A standing tower away from every drawn wall segment (left in a gap, or
// by a gate that lost its wall) goes: towers stand on the wall. A wall
// without any drawn segment (completeness 0) is a ring of towers and keeps
// them as the erosion left them.
void einsame_tuerme_entfernen(Stadtmodell& m) {
    const int n = m.mauer_n_punkte;
    const int n_tuerme = std::min<int>(m.n_tuerme, static_cast<int>(m.tuerme.size()) - 1);
    if (n_tuerme < 1) return;
    Punktfeld feld;
    float strecke_max = 0.0f, reich_max = 0.0f;
    bool feld_leer = true;
    for (int i = 1; i < n; ++i) {
        if (m.mauer_flag_bei(i) != 1 || m.mauer_flag_bei(i + 1) != 1) continue;
        feld_leer = false;
        feld.sammeln(0, i, m.mauer_px(i), m.mauer_py(i));
        strecke_max = maximum(strecke_max, abstand(m.mauer_px(i), m.mauer_py(i), m.mauer_px(i + 1),
                                                   m.mauer_py(i + 1)));
    }
    if (feld_leer) return;
    for (int t = 1; t <= n_tuerme; ++t)
        reich_max = maximum(reich_max, turm_reichweite(m.turm(t)));
    feld.bauen(maximum(4.0f, strecke_max + reich_max));
    for (int t = 1; t <= n_tuerme; ++t) {
        Turm& turm = m.turm(t);
        if (turm.art != 1) continue;
        const float grenze = turm_reichweite(turm) + 0.5f * m.mauer_dicke + 0.5f;
        const bool an_mauer =
            feld.suchen(turm.mx, turm.my, grenze + strecke_max, [&](const Rasterpunkt& q) {
                const int i = q.punkt;
                return strecke_abstand(turm.mx, turm.my, m.mauer_px(i), m.mauer_py(i),
                                       m.mauer_px(i + 1), m.mauer_py(i + 1)) < grenze;
            });
        if (!an_mauer) turm.art = 0;
    }
}

// Whether segment a-b comes nearer than `rand` to the body of a river.
bool fluss_an_strecke(const Stadtmodell& m, float ax, float ay, float bx, float by, float rand) {
    for (int r : m.fluss_nummern()) {
        const Weg& f = m.weg(r);
        for (int k = 1; k < f.n_punkte; ++k)
            if (strecken_abstand(ax, ay, bx, by, f.px(k), f.py(k), f.px(k + 1), f.py(k + 1)) <
                f.breite + rand)
                return true;
    }
    return false;
}

// Where segment a-b first crosses the ring line: the ring segment and the
// place; 0 when it crosses none.
int ring_kreuzung(const Stadtmodell& m, float ax, float ay, float bx, float by, float& x,
                  float& y) {
    for (int i = 1; i < m.mauer_n_punkte; ++i) {
        const Schnitt sn = strecken_schnitt(ax, ay, bx, by, m.mauer_px(i), m.mauer_py(i),
                                            m.mauer_px(i + 1), m.mauer_py(i + 1));
        if (!sn.gefunden) continue;
        x = sn.x;
        y = sn.y;
        return i;
    }
    return 0;
}

// A walled town whose streets all stay inside gets one gate: the street
// whose end lies nearest the ring (the first street before the others, then
// the wider) is led on straight through it and out to the map edge, or,
// where a river is in the way, a few steps beyond the wall. The gate opens
// the wall and stands between two gate towers as any other.
void tor_erzwingen(Lauf& l, Mauerbau& b) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    const int n = m.mauer_n_punkte;
    if (!b.tore.empty() || n < 4 || m.n_wege < m.erster_strassenweg()) return;
    const float a = p.stadt_abmessung;
    const int punkte_max = std::min<int>(p.weg_punkte_max, m.weg_punkte_max) - 3;
    // Streets by preference: the first, then the widest.
    std::vector<int> strassen;
    for (int w : m.strassen_nummern())
        if (m.weg(w).n_punkte >= 2) strassen.push_back(w);
    std::stable_sort(strassen.begin(), strassen.end(), [&](int x, int y) {
        if ((x == m.erster_strassenweg()) != (y == m.erster_strassenweg()))
            return x == m.erster_strassenweg();
        return m.weg(x).breite > m.weg(y).breite;
    });
    for (int w : strassen) {
        Weg& weg = m.weg(w);
        const int e = weg.n_punkte;
        const float ex = weg.px(e), ey = weg.py(e);
        // The nearest ring point, and the heading towards it.
        int naechster = 1;
        for (int i = 2; i < n; ++i)
            if (abstand(ex, ey, m.mauer_px(i), m.mauer_py(i)) <
                abstand(ex, ey, m.mauer_px(naechster), m.mauer_py(naechster)))
                naechster = i;
        const float richtung = winkel_aus(m.mauer_px(naechster) - ex, m.mauer_py(naechster) - ey);
        const float cx = std::cos(richtung), cy = std::sin(richtung);
        const float schritt = maximum(p.weg_schritt_faktor * weg.breite, 0.5f);
        const float tiefe = abstand(ex, ey, m.mauer_px(naechster), m.mauer_py(naechster)) +
                            4.0f * (p.Mauer_Dicke + weg.breite) + 2.0f * schritt;
        // Out to the map edge when no river is in the way, else just beyond the wall.
        float weit = 0.0f;
        for (float t = tiefe;; t += schritt) {
            const float x = ex + t * cx, y = ey + t * cy;
            if (x < 0.0f || y < 0.0f || x > a || y > a) {
                weit = t;
                break;
            }
            if (t > 2.0f * a) break;
        }
        float laenge = tiefe;
        if (weit > 0.0f &&
            !fluss_an_strecke(m, ex, ey, ex + weit * cx, ey + weit * cy, weg.breite / 2.0f + 1.0f))
            laenge = weit;
        else if (fluss_an_strecke(m, ex, ey, ex + tiefe * cx, ey + tiefe * cy,
                                  weg.breite / 2.0f + 1.0f))
            continue;
        const int neu = static_cast<int>(std::ceil(laenge / schritt));
        if (e + neu > punkte_max) continue;
        float kx = 0.0f, ky = 0.0f;
        const int i = ring_kreuzung(m, ex, ey, ex + laenge * cx, ey + laenge * cy, kx, ky);
        if (i == 0) continue;
        for (int k = 1; k <= neu; ++k) {
            const float t = minimum(static_cast<float>(k) * schritt, laenge);
            float x = ex + t * cx, y = ey + t * cy;
            if (k == neu && laenge == weit) {
                x = std::clamp(x, 0.0f, a);
                y = std::clamp(y, 0.0f, a);
            }
            weg.punkt_setzen(e + k, x, y);
        }
        weg.n_punkte = static_cast<std::int16_t>(e + neu);

        // The opening: ring points within half the gate's width of the crossing.
        const float g = ((l.rnd() - 0.5f) * p.Mauer_TorTurmgroesse_Variation + 1.0f) *
                        p.Mauer_Turmgroesse_Tor * p.Mauer_Dicke / 2.0f;
        const float breite = (g + weg.breite) * 2.0f;
        const auto oeffnen = [&](int k) {
            m.mauer_flag_bei(k) = 0;
            const int t = b.punkt_turm[ix(k)];
            if (t != 0) m.turm(t).art = 0;
        };
        const auto naechster_ring = [&](int k, int d) {
            k += d;
            if (k < 1) k = n - 1;
            if (k > n - 1) k = 1;
            return k;
        };
        int vor = i, nach = naechster_ring(i, 1);
        for (int z = 0; z < n && abstand(m.mauer_px(vor), m.mauer_py(vor), kx, ky) < breite / 2.0f;
             ++z) {
            oeffnen(vor);
            vor = naechster_ring(vor, -1);
        }
        for (int z = 0;
             z < n && abstand(m.mauer_px(nach), m.mauer_py(nach), kx, ky) < breite / 2.0f; ++z) {
            oeffnen(nach);
            nach = naechster_ring(nach, 1);
        }
        if (m.mauer_flag_bei(1) == 0) m.mauer_flag_bei(n) = 0;
        const float winkel =
            winkel_aus(m.mauer_px(nach) - m.mauer_px(vor), m.mauer_py(nach) - m.mauer_py(vor));
        Tor tor;
        tor.turm1 = turm_setzen(m, b.tuerme, m.mauer_px(vor), m.mauer_py(vor), g,
                                p.Mauer_Tuerme_Form_Tore, winkel);
        tor.turm2 = turm_setzen(m, b.tuerme, m.mauer_px(nach), m.mauer_py(nach), g,
                                p.Mauer_Tuerme_Form_Tore, winkel);
        b.tuerme.als_tor(tor.turm1);
        b.tuerme.als_tor(tor.turm2);
        if (tor.turm1 != 0) b.punkt_turm[ix(vor)] = tor.turm1;
        if (tor.turm2 != 0) b.punkt_turm[ix(nach)] = tor.turm2;
        m.n_tuerme = b.tuerme.n;
        tor.x = (m.mauer_px(vor) + m.mauer_px(nach)) / 2.0f;
        tor.y = (m.mauer_py(vor) + m.mauer_py(nach)) / 2.0f;
        tor.breite = abstand(m.mauer_px(vor), m.mauer_py(vor), m.mauer_px(nach), m.mauer_py(nach));
        tor.winkel = winkel;
        tor.punkt = i;
        tor.weg = w;
        b.tore.push_back(tor);
        weg_rahmen(m, weg_rand(p), w);
        return;
    }
}

} // namespace

namespace {

// Whether the body of a river (ways 1 .. erster - 1) comes within `reichweite`
// of (x, y).
bool fluss_nahe(const Stadtmodell& m, int erster, float x, float y, float reichweite) {
    const int letzter = std::min<int>(erster - 1, m.wege_kapazitaet());
    for (int w = 1; w <= letzter; ++w) {
        const Weg& fluss = m.weg(w);
        const float grenze = reichweite + fluss.breite;
        for (int k = 1; k < fluss.n_punkte; ++k)
            if (strecke_abstand(x, y, fluss.px(k), fluss.py(k), fluss.px(k + 1), fluss.py(k + 1)) <
                grenze)
                return true;
    }
    return false;
}

// Whether (x, y) lies inside the closed wall outline, gates and gaps included.
bool im_ring(const Stadtmodell& m, float x, float y) {
    const int n = std::min<int>(m.mauer_n_punkte, static_cast<int>(m.mauer_x.size()) - 1);
    return punkt_in_polygon(x, y, m.mauer_x.data(), m.mauer_y.data(), n);
}

} // namespace

int tuerme_auf_wegen_entfernen(Lauf& l) {
    Stadtmodell& m = l.m;
    const int n = std::min<int>(m.n_tuerme, static_cast<int>(m.tuerme.size()) - 1);
    const int letzter = std::min<int>(m.n_wege, m.wege_kapazitaet());
    if (n < 1 || letzter < 1) return 0;
    // Every way point in a grid; a segment near a tower has a point within
    // the tower's reach, the widest way's half body and the segment's length.
    Punktfeld feld;
    float rand_max = 0.0f, strecke_max = 0.0f;
    for (int w = 1; w <= letzter; ++w) {
        const Weg& weg = m.weg(w);
        rand_max = maximum(rand_max, weg.breite / 2.0f);
        for (int k = 1; k <= weg.n_punkte; ++k) {
            feld.sammeln(w, k, weg.px(k), weg.py(k));
            if (k > 1)
                strecke_max = maximum(strecke_max,
                                      abstand(weg.px(k - 1), weg.py(k - 1), weg.px(k), weg.py(k)));
        }
    }
    feld.bauen(maximum(4.0f, l.p.weg_halbbreite_max));
    int entfernt = 0;
    for (int t = 1; t <= n; ++t) {
        Turm& turm = m.turm(t);
        if (turm.art != 1 || (turm.form != 1.0f && turm.form != 2.0f)) continue;
        const float r = turm_reichweite(turm) + rand_max + strecke_max + 0.01f;
        feld.suchen(turm.mx, turm.my, r, [&](const Rasterpunkt& q) {
            const Weg& weg = m.weg(q.weg);
            if (q.punkt > weg.n_punkte) return false;
            const float rand = weg.breite / 2.0f;
            for (int j = q.punkt - 1; j <= q.punkt; ++j) {
                if (j < 1 || j >= weg.n_punkte) continue;
                if (turm_an_strecke(turm, weg.px(j), weg.py(j), weg.px(j + 1), weg.py(j + 1),
                                    rand)) {
                    turm.art = 0;
                    ++entfernt;
                    return true;
                }
            }
            // A way of a single point is a dot of its body.
            if (weg.n_punkte == 1 &&
                turm_an_strecke(turm, weg.px(1), weg.py(1), weg.px(1), weg.py(1), rand)) {
                turm.art = 0;
                ++entfernt;
                return true;
            }
            return false;
        });
    }
    return entfernt;
}

Wegfeld wegfeld_bilden(const Lauf& l) {
    const Stadtmodell& m = l.m;
    Wegfeld f;
    const int letzter = std::min<int>(m.n_wege, m.wege_kapazitaet());
    for (int w = 1; w <= letzter; ++w) {
        const Weg& weg = m.weg(w);
        f.h_max = maximum(f.h_max, weg.breite / 2.0f);
        for (int k = 1; k <= weg.n_punkte; ++k) {
            f.punkte.sammeln(w, k, weg.px(k), weg.py(k));
            if (k > 1 && w >= l.m.erster_strassenweg())
                f.strecke_max = maximum(
                    f.strecke_max, abstand(weg.px(k - 1), weg.py(k - 1), weg.px(k), weg.py(k)));
        }
    }
    f.punkte.bauen(maximum(4.0f, l.p.weg_halbbreite_max));
    return f;
}

Mauerkreuzung strasse_kreuzen(const Lauf& l, const Wegfeld& f, float ax, float ay, float bx,
                              float by, float s) {
    const Stadtmodell& m = l.m;
    const int erster = l.m.erster_strassenweg();
    const int letzter = std::min<int>(m.n_wege, m.wege_kapazitaet());
    // Two segments can only cross when their boxes meet, so both points of a
    // crossing street segment lie within |ab| + its length of b (in each axis).
    const float r = (abstand(ax, ay, bx, by) + f.strecke_max) * 1.001f + 0.01f;
    thread_local std::vector<std::pair<int, int>> strecken;
    strecken.clear();
    f.punkte.umkreis(bx, by, r, [&](const Rasterpunkt& q) {
        if (q.weg < erster || q.weg > letzter) return;
        const int n = m.weg(q.weg).n_punkte;
        // The point starts segment q.punkt and ends segment q.punkt - 1.
        for (int j = q.punkt - 1; j <= q.punkt; ++j)
            if (j >= 1 && j <= n - 1) strecken.emplace_back(q.weg, j);
    });
    std::sort(strecken.begin(), strecken.end());
    strecken.erase(std::unique(strecken.begin(), strecken.end()), strecken.end());
    for (const auto& [w, j] : strecken) {
        const Weg& weg = m.weg(w);
        if (!(weg.x_min - s < bx && weg.y_min - s < by && weg.x_max + s > bx && weg.y_max + s > by))
            continue;
        const Schnitt sn =
            strecken_schnitt(ax, ay, bx, by, weg.px(j), weg.py(j), weg.px(j + 1), weg.py(j + 1));
        if (sn.gefunden) return {w, sn.x, sn.y};
    }
    return {};
}

namespace {

// A street that still passes drawn wall (a ring step that crossed two
// streets cuts a gate for the first only; straightening a gate moves
// streets) gets the wall opened where it passes. Returns the segments opened.
int durchstoesse_oeffnen(Lauf& l) {
    Stadtmodell& m = l.m;
    const int n = m.mauer_n_punkte;
    if (n < 2 || m.n_wege < m.erster_strassenweg()) return 0;
    strassen_eingrenzen(l, m.n_wege);
    const Wegfeld f = wegfeld_bilden(l);
    int geoeffnet = 0;
    for (int i = 1; i < n; ++i) {
        if (m.mauer_flag_bei(i) != 1 || m.mauer_flag_bei(i + 1) != 1) continue;
        const float ax = m.mauer_px(i), ay = m.mauer_py(i);
        const float bx = m.mauer_px(i + 1), by = m.mauer_py(i + 1);
        if (strasse_kreuzen(l, f, ax, ay, bx, by, abstand(ax, ay, bx, by)).weg == 0) continue;
        m.mauer_flag_bei(i) = 0;
        m.mauer_flag_bei(i + 1) = 0;
        ++geoeffnet;
    }
    if (geoeffnet > 0 && m.mauer_flag_bei(1) == 0) m.mauer_flag_bei(n) = 0;
    return geoeffnet;
}

} // namespace

int mauer_bauen(Lauf& l) {
    Mauerbau b;
    mauer_bauen(l, b);
    return static_cast<int>(b.tore.size());
}

void mauer_bauen(Lauf& l, Mauerbau& b) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;

    strassen_eingrenzen(l, m.n_wege);
    b = Mauerbau{};
    Umriss u(m, b);
    m.n_tuerme = 0;
    m.mauer_vorhanden = true;
    b.schritt = mauer_schritt_bestimmen(p);
    const float schritt = b.schritt;

    float weg_summe = 0.0f;
    float turm_summe = 0.0f;
    b.punkt_nr = 1;
    float turmabstand = turmabstand_wuerfeln(l);
    l.status({Statusart::stadtmauer});

    const Wegfeld wegfeld = wegfeld_bilden(l);
    const float phi0 = startwinkel(l, wegfeld);
    float phi = phi0;
    Punkt pkt = mauer_punkt(l, phi);

    for (;;) {
        l.fortschritt(begrenzen_01((phi - phi0) / (2.0f * pi)) * 100.0f);
        l.nachgeben();

        u.setzen(b.punkt_nr, pkt, 1);
        u.winkel_setzen(b.punkt_nr, phi);
        // Leave room for a gate's two points and the closing point.
        if (l.abbruch() || b.punkt_nr > mauer_punkte_max - 3) break;

        const float r = mauer_radius(l, phi);
        // A degenerate outline (zero or negative radius) must still advance.
        const float delta = std::fabs(r) > 1e-6f ? std::atan(schritt / std::fabs(r)) : pi / 2.0f;
        phi += delta;
        if (!std::isfinite(phi) || phi - phi0 > 2.0f * pi) break;

        const Punkt alt = u.punkt(b.punkt_nr);
        pkt = mauer_punkt(l, phi);
        weg_summe += abstand(alt.x, alt.y, pkt.x, pkt.y);
        const float richtung = winkel_aus(pkt.x - alt.x, pkt.y - alt.y);
        ++b.punkt_nr;
        u.platz(b.punkt_nr);

        if (weg_summe - turm_summe > turmabstand && p.Mauer_Tuerme_Form != 0) {
            turmabstand = turmabstand_wuerfeln(l);
            turm_summe = weg_summe;
            const float groesse = ((l.rnd() - 0.5f) * p.Mauer_Turmgroesse_Variation + 1.0f) *
                                  p.Mauer_Turmgroesse * p.Mauer_Dicke / 2.0f;
            const int t =
                turm_setzen(m, b.tuerme, pkt.x, pkt.y, groesse, p.Mauer_Tuerme_Form, richtung);
            if (t != 0) u.turm(b.punkt_nr) = t;
        }

        const Mauerkreuzung k = strasse_kreuzen(l, wegfeld, alt.x, alt.y, pkt.x, pkt.y, schritt);
        if (k.weg == 0) continue;
        tor_bauen(l, b, u, k, delta, pkt, phi);
    }

    // Close the ring on its first point. An aborted ring is left open.
    const int n = b.punkt_nr + 1;
    u.setzen(n, u.punkt(1), l.abbruch() ? 0 : 1);
    m.mauer_n_punkte = n;
    m.n_tuerme = b.tuerme.n;

    if (!l.abbruch()) {
        tor_erzwingen(l, b);
        luecken_oeffnen(l, b);
        wassertore_oeffnen(l, b);
        turmabstand_pruefen(m, b.tuerme);
        einsame_tuerme_entfernen(m);
        tore_begradigen(l, b.tore);
        if (durchstoesse_oeffnen(l) > 0) einsame_tuerme_entfernen(m);
        tuerme_auf_wegen_entfernen(l);
    }
    l.element_fertig(Element::mauer);
}

void tore_begradigen(Lauf& l, const std::vector<Tor>& tore) {
    Stadtmodell& m = l.m;
    const int erster = l.m.erster_strassenweg();
    const int letzter = std::min<int>(m.n_wege, m.wege_kapazitaet());
    const bool ring = m.mauer_vorhanden && m.mauer_n_punkte >= 4;

    bool bewegt = false;
    for (const Tor& tor : tore) {
        if (tor.weg < erster || tor.weg > letzter) continue;
        const float gx = tor.x, gy = tor.y;
        const float h = 1.2f * tor.breite;
        if (!(h > 0.0f)) continue;
        const float ax = gx + h * std::cos(tor.winkel + pi / 2.0f);
        const float ay = gy + h * std::sin(tor.winkel + pi / 2.0f);
        const float bx = gx + h * std::cos(tor.winkel - pi / 2.0f);
        const float by = gy + h * std::sin(tor.winkel - pi / 2.0f);
        Weg& weg = m.weg(tor.weg);
        // Pulling the street straight near a river could drag it into the
        // water or across it without a bridge: such a gate keeps its street.
        if (fluss_nahe(m, erster, gx, gy, h + weg.breite)) continue;
        // A point goes to the approach on its own side of the ring. The line
        // between the towers does not tell: a street running along the wall
        // has points near the gate on either side of that line but all on
        // one side of the wall, and would be pulled across the wall.
        const bool a_innen = im_ring(m, ax, ay);
        const bool nach_ring = ring && a_innen != im_ring(m, bx, by);
        for (int j = 1; j <= weg.n_punkte; ++j) {
            const float qx = weg.px(j), qy = weg.py(j);
            const float d = abstand(gx, gy, qx, qy);
            if (!(d < h)) continue;
            const float v = 1.0f - d / h;
            const float wq = begrenzen_01(1.0f - v);
            const float wz = begrenzen_01(std::sin(v * pi));
            const bool zu_a = nach_ring ? im_ring(m, qx, qy) == a_innen
                                        : abstand(bx, by, qx, qy) >= abstand(ax, ay, qx, qy);
            const float zx = zu_a ? ax : bx, zy = zu_a ? ay : by;
            const float summe = wq + v + wz;
            const float nx = (v * gx + wq * qx + wz * zx) / summe;
            const float ny = (v * gy + wq * qy + wz * zy) / summe;
            weg.punkt_setzen(j, nx, ny);
            bewegt = true;
            // A junction stays a junction: the other street's point at the
            // same place moves along.
            const Verbindungen* vb = weg.verbindungen_bei(j);
            if (vb == nullptr) continue;
            for (int c = 1; c <= std::min<int>(vb->n, verbindungen_max); ++c) {
                const int w2 = vb->weg[ix(c)], p2 = vb->punkt[ix(c)];
                if (w2 == tor.weg || w2 < erster || w2 > letzter) continue;
                Weg& andere = m.weg(w2);
                if (p2 < 1 || p2 > andere.n_punkte) continue;
                if (andere.px(p2) == qx && andere.py(p2) == qy) andere.punkt_setzen(p2, nx, ny);
            }
        }
    }
    if (bewegt) l.element_fertig(Element::alles);
}

int mauer_tuerme_stehend(const Stadtmodell& m) {
    const int n = std::min<int>(m.n_tuerme, static_cast<int>(m.tuerme.size()) - 1);
    int stehend = 0;
    for (int t = 1; t <= n; ++t)
        if (m.turm(t).art == 1) ++stehend;
    return stehend;
}

} // namespace tarvello

namespace tarvello {

namespace {

// Crossing of segments a-b and c-d, end points included.
bool kreuzung(double ax, double ay, double bx, double by, double cx, double cy, double dx,
              double dy, double& x, double& y) {
    const double rx = bx - ax, ry = by - ay, sx = dx - cx, sy = dy - cy;
    const double nenner = rx * sy - ry * sx;
    if (nenner == 0.0) return false;
    const double t = ((cx - ax) * sy - (cy - ay) * sx) / nenner;
    const double u = ((cx - ax) * ry - (cy - ay) * rx) / nenner;
    if (!(t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0)) return false;
    x = ax + t * rx;
    y = ay + t * ry;
    return true;
}

} // namespace

std::vector<Durchgang> mauer_durchgaenge(const Stadtmodell& m) {
    std::vector<Durchgang> tore;
    if (m.mauer_parameter != 1) return tore;
    const int n = std::min<int>(
        m.mauer_n_punkte,
        static_cast<int>(std::min({m.mauer_x.size(), m.mauer_y.size(), m.mauer_flag.size()})) - 1);
    const int strecken = n - 1; // segment i runs from point i to i + 1
    if (strecken < 2) return tore;
    const auto gezeichnet = [&](int i) {
        return m.mauer_flag_bei(i) == 1 && m.mauer_flag_bei(i + 1) == 1;
    };
    // A closed ring ends on its first point; its openings may run over the
    // seam, so it is walked from a drawn segment once round.
    const bool ring = m.mauer_px(n) == m.mauer_px(1) && m.mauer_py(n) == m.mauer_py(1);
    int start = 0;
    for (int i = 1; i <= strecken && start == 0; ++i)
        if (gezeichnet(i)) start = i;
    if (start == 0) return tore;

    // Openings as their first and last undrawn segment, drawn wall on either side.
    std::vector<std::pair<int, int>> oeffnungen;
    int erster = 0, letzter = 0;
    bool wand_davor = ring;
    for (int k = 1; k <= strecken; ++k) {
        const int i = ring ? (start - 1 + k) % strecken + 1 : k;
        if (!gezeichnet(i)) {
            if (erster == 0) erster = i;
            letzter = i;
            continue;
        }
        if (erster != 0 && wand_davor) oeffnungen.emplace_back(erster, letzter);
        erster = 0;
        wand_davor = true;
    }
    if (oeffnungen.empty()) return tore;

    // The undrawn segments in a grid of cells at least as large as the longest.
    struct Strecke {
        int oeffnung, i;
    };
    std::vector<Strecke> offen;
    double zelle = 1.0;
    for (int o = 0; o < static_cast<int>(oeffnungen.size()); ++o)
        for (int i = oeffnungen[ix(o)].first;; i = i % strecken + 1) {
            offen.push_back({o, i});
            zelle = std::max<double>(
                zelle, abstand(m.mauer_px(i), m.mauer_py(i), m.mauer_px(i + 1), m.mauer_py(i + 1)));
            if (i == oeffnungen[ix(o)].second) break;
        }
    if (!std::isfinite(zelle)) return tore;
    const auto feld = [&](double v) { return static_cast<long long>(std::floor(v / zelle)); };
    const auto schluessel = [](long long fx, long long fy) { return fx * 2000003LL + fy; };
    std::unordered_map<long long, std::vector<int>> raster;
    for (int s = 0; s < static_cast<int>(offen.size()); ++s) {
        const int i = offen[ix(s)].i;
        const double x1 = std::min(m.mauer_px(i), m.mauer_px(i + 1));
        const double x2 = std::max(m.mauer_px(i), m.mauer_px(i + 1));
        const double y1 = std::min(m.mauer_py(i), m.mauer_py(i + 1));
        const double y2 = std::max(m.mauer_py(i), m.mauer_py(i + 1));
        for (long long fx = feld(x1); fx <= feld(x2); ++fx)
            for (long long fy = feld(y1); fy <= feld(y2); ++fy)
                raster[schluessel(fx, fy)].push_back(s);
    }

    // The first crossing of each street with each opening; a second street
    // through the same point (a junction on the ring line) adds no gate.
    std::vector<std::vector<Durchgang>> je_oeffnung(oeffnungen.size());
    const int letzter_weg = std::min<int>(m.n_wege, m.wege_kapazitaet());
    for (int w = 1; w <= letzter_weg; ++w) {
        const Weg& weg = m.weg(w);
        if (weg.ist_fluss == 1 || weg.n_punkte < 2 ||
            static_cast<int>(weg.x.size()) <= weg.n_punkte)
            continue;
        std::vector<std::uint8_t> gefunden(oeffnungen.size(), 0);
        for (int j = 1; j < weg.n_punkte; ++j) {
            const double ax = weg.px(j), ay = weg.py(j), bx = weg.px(j + 1), by = weg.py(j + 1);
            if (!std::isfinite(ax + ay + bx + by)) continue;
            const long long fx2 = feld(std::max(ax, bx)), fy2 = feld(std::max(ay, by));
            // A street segment spanning a huge part of the map is rare; its
            // cells are walked all the same.
            for (long long fx = feld(std::min(ax, bx)); fx <= fx2; ++fx)
                for (long long fy = feld(std::min(ay, by)); fy <= fy2; ++fy) {
                    const auto zelle_ = raster.find(schluessel(fx, fy));
                    if (zelle_ == raster.end()) continue;
                    for (const int s : zelle_->second) {
                        const auto o = static_cast<std::size_t>(offen[ix(s)].oeffnung);
                        if (gefunden[o]) continue;
                        const int i = offen[ix(s)].i;
                        double x = 0, y = 0;
                        if (!kreuzung(m.mauer_px(i), m.mauer_py(i), m.mauer_px(i + 1),
                                      m.mauer_py(i + 1), ax, ay, bx, by, x, y))
                            continue;
                        gefunden[o] = 1;
                        bool schon = false;
                        for (const Durchgang& d : je_oeffnung[o])
                            schon = schon || abstand(d.x, d.y, static_cast<float>(x),
                                                     static_cast<float>(y)) < 1.0f;
                        if (schon) continue;
                        const int a = oeffnungen[o].first, b = oeffnungen[o].second + 1;
                        je_oeffnung[o].push_back(
                            {static_cast<float>(x), static_cast<float>(y), w,
                             abstand(m.mauer_px(a), m.mauer_py(a), m.mauer_px(b), m.mauer_py(b))});
                    }
                }
        }
    }
    for (const auto& liste : je_oeffnung)
        tore.insert(tore.end(), liste.begin(), liste.end());
    return tore;
}

} // namespace tarvello
