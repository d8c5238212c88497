#include "generator/treiber.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>
#include <unordered_map>
#include <vector>

#include "areas/flaechen.h"
#include "areas/gebaeude.h"
#include "core/funktionen.h"
#include "core/vektorzustand.h"
#include "core/zahlen.h"
#include "generator/nummerierung.h"
#include "generator/rahmen.h"
#include "geometry/eingrenzen.h"
#include "geometry/geometrie.h"
#include "rivers/fluesse.h"
#include "streets/strassen.h"
#include "streets/verbindungen.h"
#include "wall/mauer.h"

namespace tarvello {

namespace {

// The driver's own state of a run: the current attempt and the run's totals.
struct Treiberstand {
    int versuch_nr = 0;
    double versuch_start = 0; // clock at the start of the attempt
    int letzter_strassenweg = 0;
    std::int32_t n_wege_aus_stadt = 0;
    bool mitte_berechnet = false;
    double zeit_mauer = 0, zeit_parks = 0; // of the current street
    int tore = 0;                          // gates of the attempt's wall
    Stufenzeiten zeiten;
};

void abbruch_melden(Lauf& l) {
    l.status({Statusart::abgebrochen});
    l.fortschritt(0.0f);
}

void strassen_status(Lauf& l) {
    l.status({Statusart::strassen});
}

// A fault that ends the run; the status says what.
void rechenfehler(Lauf& l, const Ergebnis& fehler) {
    l.anhalten(Halt::rechenfehler, {Statusart::rechenfehler, fehler});
}

bool weg_endlich(const Weg& w) {
    for (int k = 1; k <= w.n_punkte; ++k)
        if (!std::isfinite(w.px(k)) || !std::isfinite(w.py(k))) return false;
    return true;
}

// A steering turn by `anteil` of the way to the target heading (`abstand`
// away): a share above 1 would swing the heading past the target, further
// at every step, until it is no number at all on curvy, noisy streets; the
// turn then ends on the target. Below that it is the turn as computed.
float auf_kurs(float drehung, float anteil, float abstand) {
    return anteil > 1.0f ? abstand : drehung;
}

// Whether the step from stored point i of way w to (x, y) turns back by
// more than 120 degrees against the segment before it (points repeated at
// a junction left out).
bool wendet(const Weg& weg, int i, float x, float y) {
    int v = i - 1;
    while (v >= 1 && abstand(weg.px(v), weg.py(v), weg.px(i), weg.py(i)) < 1e-4f)
        --v;
    if (v < 1) return false;
    const float ax = weg.px(i) - weg.px(v), ay = weg.py(i) - weg.py(v);
    const float bx = x - weg.px(i), by = y - weg.py(i);
    const float la = std::sqrt(ax * ax + ay * ay), lb = std::sqrt(bx * bx + by * by);
    if (!(la > 1e-4f && lb > 1e-4f)) return false;
    return ax * bx + ay * by < -0.5f * la * lb;
}

// A road that ended out in the fields is taken back to its last point in
// the town (a road with a link or bridge out there, or without such a point,
// stays as it is).
void ins_feld_zuruecknehmen(Lauf& l, Strassenbau& bau, int w, int letzter_in_stadt) {
    Gang& g = bau.gang;
    Weg& weg = l.m.weg(w);
    // Only the last bridge is known by its point: a road with a bridge out
    // in the fields keeps its course.
    if (letzter_in_stadt < 2 || letzter_in_stadt >= g.i - 1 || g.letzte_bruecke > letzter_in_stadt)
        return;
    for (int k = letzter_in_stadt + 1; k < g.i; ++k)
        if (weg.n_verbindungen(k) > 0) return;
    for (int k = letzter_in_stadt + 1; k < g.i; ++k)
        bau.strassen.entfernen(w, k, weg.px(k), weg.py(k));
    // A bridge from the kept point is counted off by the caller, as for any
    // walk ending right after a bridge.
    g.i = letzter_in_stadt + 1;
    g.pos_x = weg.px(letzter_in_stadt);
    g.pos_y = weg.py(letzter_in_stadt);
}

// Walks street w point by point until it ends, is thrown away or the run
// stops. Returns the walk's final point index i.
void strasse_gehen(Lauf& l, Treiberstand& t, Strassenbau& bau, int w) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    Gang& g = bau.gang;
    Weg& weg = m.weg(w);
    const float tendenz = std::pow(p.weg_richtungstendenz, 1.5f) * 0.2f;
    int kehren = 0;           // turns back by over 120 degrees
    int letzter_in_stadt = 0; // last point stored inside the town
    for (;;) {
        weg.n_punkte = static_cast<std::int16_t>(g.i);
        strassenpunkt_setzen(l, bau, w, g.i, g.pos_x, g.pos_y);
        g.richtung += (l.rnd() - 0.5f + tendenz * g.richtung_vorzeichen) * g.rauschen;
        if (l.rnd() < p.weg_abknick_wahrsch)
            g.richtung += (l.rnd() - 0.5f) * 2.0f * p.wi_abknick_max;
        if (p.weg_kurvigkeit > 0.1f && !g.an_mauer) {
            if (!bau.kern_erreicht) zur_mitte_lenken(l, g);
            if (g.ausserhalb_gelaufen && p.stadt_form == 0) {
                const float a = winkel_aus(g.pos_x - m.zentrum_x, g.pos_y - m.zentrum_y);
                const float anteil = (l.rnd() * 0.2f + 0.2f) * g.rauschen;
                g.richtung += auf_kurs(anteil * (a - g.richtung), anteil, a - g.richtung);
            }
        }
        g.pos_x += g.schritt * std::cos(g.richtung);
        g.pos_y += g.schritt * std::sin(g.richtung);
        g.gelaufen += g.schritt;

        const int i_vorher = g.i;
        if (g.gelaufen > g.abstand_min) kreuzung_pruefen(l, bau, w);
        if (m.mauer_vorhanden) mauer_pruefen(l, bau);
        fluss_pruefen(l, bau, w);
        // A street that keeps being turned back (by the wall, a river, the
        // edge, a street it runs along) ends at its second hairpin instead
        // of zig-zagging on. The checks may have stored points (a junction,
        // a bridge's near bank): each is looked at.
        const bool zuletzt_in_stadt = lage_pruefen(p, m, weg.px(g.i), weg.py(g.i)).in_stadt;
        if (zuletzt_in_stadt) letzter_in_stadt = g.i;
        bool im_feld_gewendet = false;
        if (!g.verworfen) {
            for (int j = std::max(2, i_vorher); j <= g.i; ++j) {
                const float nx = j < g.i ? weg.px(j + 1) : g.pos_x;
                const float ny = j < g.i ? weg.py(j + 1) : g.pos_y;
                if (wendet(weg, j, nx, ny)) ++kehren;
            }
            if (kehren >= 2 && !g.ende) {
                g.ende = true;
                im_feld_gewendet = !zuletzt_in_stadt;
            }
        }

        ++g.i;
        if (im_feld_gewendet) ins_feld_zuruecknehmen(l, bau, w, letzter_in_stadt);
        const Lage lage = lage_pruefen(p, m, g.pos_x, g.pos_y);
        if (lage.im_kern) bau.kern_erreicht = true;
        if (!g.ende && (l.rnd() > p.weg_fortsetz_wahrsch || g.i > p.weg_punkte_max - 2)) {
            g.ende = true;
            // Out in the fields a road runs on to the map edge while roads
            // may still leave the town; else it ends where it left the town.
            if (!lage.in_stadt) {
                if (g.ausserhalb_gelaufen && g.i <= p.weg_punkte_max - 2 &&
                    t.n_wege_aus_stadt < p.wege_anzahl_aus_stadt)
                    g.ende = false;
                else
                    ins_feld_zuruecknehmen(l, bau, w, letzter_in_stadt);
            }
        }
        if (bau.kern_erreicht && !lage.in_stadt) g.ausserhalb_gelaufen = true;
        if (lage.ausserhalb_karte && w > l.m.erster_strassenweg() && bau.kern_erreicht) {
            if (t.n_wege_aus_stadt >= p.wege_anzahl_aus_stadt) {
                g.verworfen = true;
            } else {
                ++t.n_wege_aus_stadt;
                g.ende = true;
            }
        }
        if (g.ende || g.verworfen || l.abbruch()) break;
    }
}

} // namespace

void zur_mitte_lenken(Lauf& l, Gang& g) {
    const float dx = l.m.zentrum_x - g.pos_x;
    const float dy = l.m.zentrum_y - g.pos_y;
    const float r = std::sqrt(dx * dx + dy * dy) / (l.p.stadt_abmessung / 2.0f);
    const float a = winkel_aus(dx, dy);
    const float zufall = l.rnd();
    g.richtung += auf_kurs(r * 0.2f * zufall * (a - g.richtung) * g.rauschen,
                           r * 0.2f * zufall * g.rauschen, a - g.richtung);
}

namespace {

// The centre check, once per attempt when street k of the attempt is due:
// a town whose centre has drifted too far from the map's fails the attempt.
void mitte_pruefen(Lauf& l, Treiberstand& t, int k, int wege_anzahl) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    if (t.mitte_berechnet ||
        (k != static_cast<int>(ganz(static_cast<double>(wege_anzahl) / 4.0 + 1.0)) &&
         k != 3 * p.wege_anzahl_aus_stadt))
        return;
    t.mitte_berechnet = true;
    stadtmitte_berechnen(m);
    const float h = p.stadt_abmessung / 2.0f;
    const float d = abstand(m.zentrum_x, m.zentrum_y, h, h) / h;
    if (d > 0.5f) l.anhalten(Halt::versuch_gescheitert);
}

// The attempt's time for streets 0..k of it is used up (the wall and the
// parks not counted).
bool zeit_um(Lauf& l, const Treiberstand& t, int k) {
    const double verstrichen = l.jetzt() - t.versuch_start - t.zeit_mauer - t.zeit_parks;
    return verstrichen > 2.0 * (k + 1);
}

// The walk's step, noise and distances for street w of its width.
void gang_einrichten(Lauf& l, Gang& g, int w) {
    const Parameter& p = l.p;
    g.halbbreite = l.m.weg(w).breite;
    g.abstand_min = 2.0f * g.halbbreite;
    g.schritt = p.weg_schritt_faktor * g.halbbreite;
    g.rauschen = std::pow(p.weg_halbbreite_max / (g.halbbreite + 0.000001f), 0.5f) *
                 (2.0f * p.weg_aufloesung + 1.0f) * p.weg_kurvigkeit * pi * g.schritt *
                 std::sqrt(200.0f / p.stadt_abmessung) / 5.0f;
    g.i = 1;
    g.gelaufen = 0.0f;
}

// Starts and walks street w (the k-th of the attempt) again until it is
// complete or the run stops.
void strasse_versuchen(Lauf& l, Treiberstand& t, Strassenbau& bau, int w, int k, int wege_anzahl) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    Gang& g = bau.gang;
    for (bool erster_versuch = true;; erster_versuch = false) {
        // Retries of a street are bounded by the same time limit as the
        // street index, so a street that can never be completed cannot
        // hold the run for ever.
        if (!erster_versuch && zeit_um(l, t, k)) l.anhalten(Halt::versuch_gescheitert);
        l.z.neu_saeen();
        strasse_aus_raster_nehmen(l, bau, w);
        weg_zuruecksetzen(m, w);
        g.ende = false;
        g.verworfen = false;
        g.ausserhalb_gelaufen = false;
        g.an_mauer = false;
        g.letzte_bruecke = 0;
        g.bruecken = 0;
        l.fortschritt(static_cast<float>(w - 1) / static_cast<float>(wege_anzahl) * 100.0f);
        l.nachgeben();
        if (l.abbruch()) return;

        if (w == l.m.erster_strassenweg()) {
            erste_strasse_starten(l, bau, w);
        } else {
            abzweigung_starten(l, bau, w);
        }
        if (l.abbruch()) return;
        m.n_wege = static_cast<std::int16_t>(w);
        gang_einrichten(l, g, w);

        strasse_gehen(l, t, bau, w);
        if (l.abbruch()) return;
        if (g.i < p.weg_punkte_min) {
            g.ende = false;
            g.verworfen = true;
        }
        if (g.ende && !g.verworfen) return;
    }
}

// The wall, once enough streets have left the town (or the last streets
// are due), after street w.
void mauer_wenn_faellig(Lauf& l, Treiberstand& t, Strassenbau& bau, int w) {
    const Parameter& p = l.p;
    const Stadtmodell& m = l.m;
    if (!(p.Mauer == 1 && t.mitte_berechnet && !m.mauer_vorhanden && !l.abbruch() &&
          (static_cast<float>(t.n_wege_aus_stadt) >=
               static_cast<float>(p.wege_anzahl_aus_stadt) * 0.5f ||
           t.letzter_strassenweg - w < 3)))
        return;
    const double beginn = l.jetzt();
    t.tore = mauer_bauen(l);
    // Straightening the gates moves street points; the wall is new.
    strassen_raster_aufbauen(l, bau);
    bau.mauer_aktuell = false;
    t.zeit_mauer = l.jetzt() - beginn;
    t.zeiten.mauer += t.zeit_mauer;
    strassen_status(l);
}

// The parks, once the given share of streets stands after street w.
void parks_wenn_faellig(Lauf& l, Treiberstand& t, int w, bool& parks_gesetzt) {
    const int spanne = t.letzter_strassenweg - l.m.erster_strassenweg();
    const float anteil =
        spanne > 0 ? static_cast<float>(w - l.m.erster_strassenweg()) / static_cast<float>(spanne)
                   : 1.0f;
    if (!(anteil > 0.75f - 0.5f * l.p.parks_groesse_rel && !parks_gesetzt && !l.abbruch())) return;
    parks_gesetzt = true;
    const double beginn = l.jetzt();
    parks_setzen(l);
    t.zeit_parks = l.jetzt() - beginn;
    t.zeiten.parks += t.zeit_parks;
    strassen_status(l);
}

// Street loop of one attempt. Returns when all streets are grown or the run
// stops (abbruch set).
void strassen_erzeugen(Lauf& l, Treiberstand& t, Strassenbau& bau) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    Gang& g = bau.gang;
    bau.n_bruecken = 0;
    bool parks_gesetzt = false;
    strassen_raster_aufbauen(l, bau);
    fluss_raster_aufbauen(l, bau);
    bau.mauer_aktuell = false;
    const int wege_anzahl = t.letzter_strassenweg;

    for (int w = l.m.erster_strassenweg(); w <= wege_anzahl; ++w) {
        g.richtung_vorzeichen = l.rnd() > 0.5f ? -1.0f : 1.0f;
        if (!bau.kern_erreicht) g.richtung_vorzeichen = 0.0f;
        const int k = w - l.m.erster_strassenweg();
        m.weg(w).ist_fluss = 0;

        mitte_pruefen(l, t, k, wege_anzahl);
        if (zeit_um(l, t, k)) l.anhalten(Halt::versuch_gescheitert);
        strasse_versuchen(l, t, bau, w, k, wege_anzahl);
        if (l.abbruch()) {
            // The street being walked is unfinished; keep only what is complete.
            strasse_aus_raster_nehmen(l, bau, w);
            weg_zuruecksetzen(m, w);
            m.n_wege = static_cast<std::int16_t>(w - 1);
            break;
        }

        Weg& weg = m.weg(w);
        weg.n_punkte = static_cast<std::int16_t>(g.i - 1);
        bau.gespeichert = 0; // the accepted street stays in the grid
        // A walk that ended right after a bridge keeps its near end only.
        if (g.bruecken > 0 && g.letzte_bruecke == weg.n_punkte) --g.bruecken;
        bruecke_ins_nichts_zuruecknehmen(l, bau, w);
        bau.n_bruecken += g.bruecken;
        if (w == m.erster_strassenweg()) bruecke_am_anfang_zuruecknehmen(l, bau, w);
        if (!weg_endlich(weg)) {
            rechenfehler(
                l, Ergebnis::fehler(Fehlerart::kein_plan, Meldung(Meldungsart::weg_keine_zahl, w)));
            break;
        }
        weg_rahmen(m, weg_rand(p), w);
        l.element_fertig(Element::weg, w);

        mauer_wenn_faellig(l, t, bau, w);
        parks_wenn_faellig(l, t, w, parks_gesetzt);
    }
}

bool versuch_ausfuehren(Lauf& l, Treiberstand& t, Strassenbau& bau, int angefragte_strassen) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    t.zeit_mauer = t.zeit_parks = 0.0;
    l.element_fertig(Element::zuruecksetzen);
    if (l.halt == Halt::versuch_gescheitert) l.halt = Halt::keiner;
    ++t.versuch_nr;
    t.versuch_start = l.jetzt();
    m.zentrum_x = m.zentrum_y = p.stadt_abmessung / 2.0f;
    m.plan_vorhanden = false;
    m.n_wege = 0;
    m.n_fluesse = 0;
    m.haus_naechster = 1;
    m.mauer_vorhanden = false;
    m.mauer_n_punkte = 0;
    m.n_tuerme = 0;
    for (auto& f : m.plaetze)
        f.n_punkte = 0;
    for (auto& f : m.parks)
        f.n_punkte = 0;
    l.z.neu_saeen();
    t.n_wege_aus_stadt = 0;
    if (l.abbruch()) return false;

    double beginn = l.jetzt();
    fluesse_erzeugen(l);
    t.zeiten.fluesse += l.jetzt() - beginn;
    if (l.abbruch()) return false;

    t.letzter_strassenweg = m.n_fluesse + angefragte_strassen;
    m.mauer_vorhanden = false;
    t.mitte_berechnet = false;
    l.status({Statusart::versuch, t.versuch_nr});
    bau.kern_erreicht = false;

    beginn = l.jetzt();
    strassen_erzeugen(l, t, bau);
    t.zeiten.strassen += l.jetzt() - beginn - t.zeit_mauer - t.zeit_parks;
    return !l.abbruch();
}

} // namespace

void stadtmitte_berechnen(Stadtmodell& m) {
    double sx = 0.0, sy = 0.0, sb = 0.0;
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        if (weg.ist_fluss != 0 || weg.n_punkte <= 2) continue;
        for (int k = 1; k <= weg.n_punkte; ++k) {
            sx += static_cast<double>(weg.breite) * weg.px(k);
            sy += static_cast<double>(weg.breite) * weg.py(k);
            sb += weg.breite;
        }
    }
    if (sb > 0.0) {
        m.zentrum_x = static_cast<float>(sx / sb);
        m.zentrum_y = static_cast<float>(sy / sb);
    }
}

namespace {

// Where a ray from (x, y) along (dx, dy) leaves the map square [0, a]^2;
// false when (x, y) is outside or the ray has no length.
bool kartenrand_treffen(float a, float x, float y, float dx, float dy, float& rx, float& ry) {
    if (x < 0.0f || y < 0.0f || x > a || y > a) return false;
    float t = 1e30f;
    if (dx > 0.0f) t = minimum(t, (a - x) / dx);
    if (dx < 0.0f) t = minimum(t, -x / dx);
    if (dy > 0.0f) t = minimum(t, (a - y) / dy);
    if (dy < 0.0f) t = minimum(t, -y / dy);
    if (!(t < 1e29f)) return false;
    rx = std::clamp(x + t * dx, 0.0f, a);
    ry = std::clamp(y + t * dy, 0.0f, a);
    return true;
}

// Whether end `k` (1 or n) of a way reached the map edge: it lies beyond
// it, or heads for it and is within one and a half of its last step of it
// (a walk stops before its head leaves the map).
bool am_kartenrand(const Weg& w, int k, float a) {
    const float x = w.px(k), y = w.py(k);
    if (x <= 0.0f || y <= 0.0f || x >= a || y >= a) return true;
    const int j = k == 1 ? 2 : k - 1;
    const float schritt = abstand(x, y, w.px(j), w.py(j));
    float rx = 0.0f, ry = 0.0f;
    if (!kartenrand_treffen(a, x, y, x - w.px(j), y - w.py(j), rx, ry)) return false;
    return abstand(x, y, rx, ry) < 1.5f * schritt + 0.5f;
}

// Distance of the segments a-b and c-d (0 when they cross).
float strecken_abstand(float ax, float ay, float bx, float by, float cx, float cy, float dx,
                       float dy) {
    if (strecken_schnitt(ax, ay, bx, by, cx, cy, dx, dy).gefunden) return 0.0f;
    return minimum(
        minimum(strecke_abstand(ax, ay, cx, cy, dx, dy), strecke_abstand(bx, by, cx, cy, dx, dy)),
        minimum(strecke_abstand(cx, cy, ax, ay, bx, by), strecke_abstand(dx, dy, ax, ay, bx, by)));
}

// Whether a new piece a-b of way w would run into something: across another
// way or the wall, or within `rand` of a building or tower. A town that was
// larger than the map reached the edge among its houses.
bool stoesst_an(const Stadtmodell& m, int w, float ax, float ay, float bx, float by, float rand) {
    const float x0 = minimum(ax, bx) - rand, x1 = maximum(ax, bx) + rand;
    const float y0 = minimum(ay, by) - rand, y1 = maximum(ay, by) + rand;
    for (int v : m.wege_nummern()) {
        if (v == w) continue;
        const Weg& weg = m.weg(v);
        if (weg.x_max < x0 || weg.x_min > x1 || weg.y_max < y0 || weg.y_min > y1) continue;
        for (int k = 1; k < weg.n_punkte; ++k)
            if (strecken_schnitt(ax, ay, bx, by, weg.px(k), weg.py(k), weg.px(k + 1), weg.py(k + 1))
                    .gefunden)
                return true;
    }
    for (int i = 1; i < m.mauer_n_punkte; ++i)
        if (strecken_schnitt(ax, ay, bx, by, m.mauer_px(i), m.mauer_py(i), m.mauer_px(i + 1),
                             m.mauer_py(i + 1))
                .gefunden)
            return true;
    for (int b : m.haus_nummern()) {
        const Haus& h = m.haus(b);
        if (h.rund == 1) {
            if (strecke_abstand(h.x, h.y, ax, ay, bx, by) < h.breite / 2.0f + rand) return true;
            continue;
        }
        float hx0 = h.ecke_x[1], hx1 = hx0, hy0 = h.ecke_y[1], hy1 = hy0;
        for (int c = 2; c <= 4; ++c) {
            hx0 = minimum(hx0, h.ecke_x[c]);
            hx1 = maximum(hx1, h.ecke_x[c]);
            hy0 = minimum(hy0, h.ecke_y[c]);
            hy1 = maximum(hy1, h.ecke_y[c]);
        }
        if (hx1 < x0 || hx0 > x1 || hy1 < y0 || hy0 > y1) continue;
        for (int c = 1; c <= 4; ++c) {
            const int d = c % 4 + 1;
            if (strecken_abstand(ax, ay, bx, by, h.ecke_x[c], h.ecke_y[c], h.ecke_x[d],
                                 h.ecke_y[d]) < rand)
                return true;
        }
    }
    for (int t : m.turm_nummern()) {
        const Turm& turm = m.turm(t);
        if (turm.art == 0) continue;
        float r = turm.radius;
        for (int c = 1; c <= 4; ++c)
            r = maximum(r, abstand(turm.mx, turm.my, turm.x[ix(c)], turm.y[ix(c)]));
        if (strecke_abstand(turm.mx, turm.my, ax, ay, bx, by) < r + rand) return true;
    }
    return false;
}

// Brings an end of way w that reached the edge before fitting back onto it:
// cut where it leaves the map, or extended along its last direction. An
// extension that would run into something (a bridge nobody built, the wall, a
// house) is left out.
void bis_zum_rand(Stadtmodell& m, int w, bool anfang, float a) {
    Weg& weg = m.weg(w);
    const int n = weg.n_punkte;
    if (n < 2) return;
    std::vector<float> xs(static_cast<std::size_t>(n)), ys(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        const int q = anfang ? n + 1 - k : k; // walk towards the end in question
        xs[ix(k) - 1] = weg.px(q);
        ys[ix(k) - 1] = weg.py(q);
    }
    const auto drinnen = [&](std::size_t i) {
        return xs[i] >= 0.0f && ys[i] >= 0.0f && xs[i] <= a && ys[i] <= a;
    };
    std::size_t letzter = xs.size() - 1;
    if (!drinnen(letzter)) {
        // Cut where the run of points outside at this end begins.
        std::size_t i = letzter;
        while (i > 0 && !drinnen(i))
            --i;
        if (!drinnen(i)) return;
        float rx = 0.0f, ry = 0.0f;
        if (!kartenrand_treffen(a, xs[i], ys[i], xs[i + 1] - xs[i], ys[i + 1] - ys[i], rx, ry))
            return;
        xs.resize(i + 2);
        ys.resize(i + 2);
        xs[i + 1] = rx;
        ys[i + 1] = ry;
    } else {
        // The last direction over a few metres, so a short last step does not steer it.
        std::size_t j = letzter;
        while (j > 0 && abstand(xs[j], ys[j], xs[letzter], ys[letzter]) < 2.0f)
            --j;
        const float dx = xs[letzter] - xs[j], dy = ys[letzter] - ys[j];
        float rx = 0.0f, ry = 0.0f;
        if (!kartenrand_treffen(a, xs[letzter], ys[letzter], dx, dy, rx, ry)) return;
        if (abstand(rx, ry, xs[letzter], ys[letzter]) < 0.01f) return;
        if (stoesst_an(m, w, xs[letzter], ys[letzter], rx, ry, weg.breite + 0.5f)) return;
        if (static_cast<int>(xs.size()) >= m.weg_punkte_max + 9) {
            xs.back() = rx;
            ys.back() = ry;
        } else {
            xs.push_back(rx);
            ys.push_back(ry);
        }
    }
    const int neu = static_cast<int>(xs.size());
    if (anfang) {
        // Points were dropped or added before point 1: links move with them.
        const int versatz = neu - n;
        std::unordered_map<std::int16_t, Verbindungen> verschoben;
        for (const auto& [k, v] : weg.verbindungen) {
            const int nk = k + versatz;
            if (nk >= 1 && nk <= neu) verschoben[static_cast<std::int16_t>(nk)] = v;
        }
        weg.verbindungen.swap(verschoben);
    }
    for (int k = 1; k <= neu; ++k) {
        const std::size_t i = anfang ? xs.size() - ix(k) : ix(k) - 1;
        weg.punkt_setzen(k, xs[i], ys[i]);
    }
    weg.n_punkte = static_cast<std::int16_t>(neu);
}

} // namespace

void karte_einpassen(Lauf& l) {
    Stadtmodell& m = l.m;
    const float a = m.stadt_abmessung;
    const float h = a / 2.0f;
    float x_lo = 1000000.0f, y_lo = 1000000.0f, x_hi = -1000000.0f, y_hi = -1000000.0f;
    auto nimm = [&](float x, float y) {
        x_lo = minimum(x_lo, x);
        x_hi = maximum(x_hi, x);
        y_lo = minimum(y_lo, y);
        y_hi = maximum(y_hi, y);
    };
    for (int b : m.haus_nummern()) {
        const Haus& haus = m.haus(b);
        if (haus.rund == 0) {
            for (int c = 1; c <= 4; ++c)
                nimm(haus.ecke_x[c], haus.ecke_y[c]);
        } else {
            nimm(haus.x - haus.breite / 2.0f, haus.y - haus.breite / 2.0f);
            nimm(haus.x + haus.breite / 2.0f, haus.y + haus.breite / 2.0f);
        }
    }
    for (int i : m.mauer_nummern())
        nimm(m.mauer_px(i), m.mauer_py(i));
    for (int s = 1; s <= std::min<int>(m.n_plaetze, static_cast<int>(m.plaetze.size()) - 1); ++s) {
        const Flaeche& fl = m.platz(s);
        for (int k = 1; k <= fl.n_punkte; ++k)
            nimm(fl.px(k), fl.py(k));
    }
    if (x_lo > x_hi) return; // nothing to place
    // The town's extent goes to the middle of the square; only a town
    // reaching beyond 95 % of the half side is shrunk, to 90 %.
    const float mx = (x_lo + x_hi) / 2.0f, my = (y_lo + y_hi) / 2.0f;
    const float ueberhang = maximum(x_hi - x_lo, y_hi - y_lo) / 2.0f / h;
    const float f = ueberhang > 0.95f ? 0.9f / ueberhang : 1.0f;
    m.karten_faktor = ueberhang > 0.95f ? f : ueberhang;

    // Which way ends reached the edge, before they move.
    std::vector<std::uint8_t> am_rand(ix(m.n_wege) + 1, 0);
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        if (weg.n_punkte < 2) continue;
        am_rand[ix(w)] = static_cast<std::uint8_t>((am_kartenrand(weg, 1, a) ? 1 : 0) |
                                                   (am_kartenrand(weg, weg.n_punkte, a) ? 2 : 0));
    }

    auto sx = [&](float& c) { c = h + (c - mx) * f; };
    auto sy = [&](float& c) { c = h + (c - my) * f; };
    for (int w : m.wege_nummern()) {
        Weg& weg = m.weg(w);
        for (int k = 1; k <= weg.n_punkte; ++k) {
            sx(weg.x[ix(k)]);
            sy(weg.y[ix(k)]);
        }
    }
    for (int b : m.haus_nummern()) {
        Haus& haus = m.haus(b);
        for (int c = 1; c <= 4; ++c) {
            sx(haus.ecke_x[c]);
            sy(haus.ecke_y[c]);
        }
        sx(haus.x);
        sy(haus.y);
        if (haus.rund == 1) haus.breite *= f;
    }
    for (int i : m.mauer_nummern()) {
        sx(m.mauer_px(i));
        sy(m.mauer_py(i));
    }
    for (auto* flaechen : {&m.plaetze, &m.parks}) {
        for (Flaeche& fl : *flaechen) {
            for (int k = 1; k <= fl.n_punkte; ++k) {
                sx(fl.x[ix(k)]);
                sy(fl.y[ix(k)]);
            }
        }
    }
    for (int t : m.turm_nummern()) {
        Turm& turm = m.turm(t);
        sx(turm.mx);
        sy(turm.my);
        for (int c = 1; c <= 4; ++c) {
            sx(turm.x[ix(c)]);
            sy(turm.y[ix(c)]);
        }
        if (turm.form == 1.0f) turm.radius *= f;
    }
    sx(m.zentrum_x);
    sy(m.zentrum_y);

    // Boxes follow the moved coordinates (the edge test below reads them),
    // so a fitted map and the same map loaded from a file have the same boxes.
    rahmen_bauen(m, weg_rand(l.p));
    for (int w : m.wege_nummern()) {
        const std::uint8_t r = am_rand[ix(w)];
        if (r & 1) bis_zum_rand(m, w, true, a);
        if (r & 2) bis_zum_rand(m, w, false, a);
        if (r != 0) weg_rahmen(m, weg_rand(l.p), w);
    }
    // Hosts take this as "the map was shrunk by karten_faktor".
    if (f < 1.0f) l.element_fertig(Element::alles);
}

bool modell_endlich(const Stadtmodell& m) {
    for (int w : m.wege_nummern())
        if (!weg_endlich(m.weg(w))) return false;
    for (int b : m.haus_nummern()) {
        const Haus& h = m.haus(b);
        if (!std::isfinite(h.x) || !std::isfinite(h.y) || !std::isfinite(h.breite)) return false;
        for (int c = 1; c <= 4; ++c)
            if (!std::isfinite(h.ecke_x[c]) || !std::isfinite(h.ecke_y[c])) return false;
    }
    for (int i : m.mauer_nummern())
        if (!std::isfinite(m.mauer_px(i)) || !std::isfinite(m.mauer_py(i))) return false;
    for (const auto* flaechen : {&m.plaetze, &m.parks})
        for (const Flaeche& f : *flaechen)
            for (int k = 1; k <= f.n_punkte; ++k)
                if (!std::isfinite(f.px(k)) || !std::isfinite(f.py(k))) return false;
    return true;
}

Nummernzahlen nummernzahlen(const Stadtmodell& m) {
    return {m.n_nummer_wege, m.n_nummer_haeuser, m.n_nummer_plaetze, m.n_nummer_parks};
}

Laufbericht stadt_generieren(Lauf& l) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    Treiberstand t;
    const double start = l.jetzt();
    const int angefragte_strassen = p.wege_anzahl;
    Strassenbau bau; // kept over the attempts, so its memory is reused
    long long haus_kandidaten = 0;
    auto ende = [&](Laufende e) {
        t.zeiten.gesamt = l.jetzt() - start;
        Laufbericht b;
        b.ende = e;
        b.status = l.letzter_status;
        b.versuche = t.versuch_nr;
        b.bruecken = bau.n_bruecken;
        b.tore = m.mauer_vorhanden ? t.tore : 0;
        b.haus_kandidaten = haus_kandidaten;
        b.nummern = nummernzahlen(m);
        b.zeiten = t.zeiten;
        return b;
    };
    try {
        for (;;) {
            if (versuch_ausfuehren(l, t, bau, angefragte_strassen)) break;
            if (l.halt == Halt::versuch_gescheitert && t.versuch_nr >= stadt_versuche_max)
                l.anhalten(Halt::unmoeglich, {Statusart::versuche_erschoepft, t.versuch_nr});
            if (l.halt == Halt::versuch_gescheitert) continue;
            if (l.halt == Halt::unmoeglich || l.halt == Halt::rechenfehler) {
                l.status(l.haltstatus);
                return ende(Laufende::fehler);
            }
            abbruch_melden(l);
            return ende(Laufende::abgebrochen);
        }

        // Streets grown after the wall may pass towers left in its gaps.
        if (m.mauer_vorhanden) tuerme_auf_wegen_entfernen(l);
        double beginn = l.jetzt();
        plaetze_setzen(l);
        t.zeiten.plaetze += l.jetzt() - beginn;
        beginn = l.jetzt();
        strassen_eingrenzen(l, t.letzter_strassenweg);
        plaetze_eingrenzen(l);
        parks_eingrenzen(l);
        t.zeiten.eingrenzen += l.jetzt() - beginn;

        beginn = l.jetzt();
        l.status({Statusart::gebaeude});
        m.haus_naechster = 1;
        Gebaeudestufe stufe;
        while (m.haus_naechster <= p.n_gebaude && !l.abbruch()) {
            if (!haus_platzieren(l, stufe)) break;
            l.fortschritt(static_cast<float>(m.haus_naechster) / static_cast<float>(p.n_gebaude) *
                          100.0f);
            l.nachgeben();
            l.element_fertig(Element::haus, m.haus_naechster);
            ++m.haus_naechster;
        }
        t.zeiten.gebaeude += l.jetzt() - beginn;
        haus_kandidaten = stufe.kandidaten;
        const bool aufgegeben = stufe.aufgegeben;

        if (l.abbruch()) {
            abbruch_melden(l);
            return ende(Laufende::abgebrochen);
        }
        if (!modell_endlich(m)) {
            rechenfehler(l, Ergebnis::fehler(Fehlerart::kein_plan,
                                             Meldung(Meldungsart::koordinate_keine_zahl)));
            l.status(l.haltstatus);
            return ende(Laufende::fehler);
        }
        m.plan_vorhanden = true;
        l.fortschritt(100.0f);
        beginn = l.jetzt();
        karte_einpassen(l);
        t.zeiten.einpassen += l.jetzt() - beginn;
        beginn = l.jetzt();
        elemente_nummerieren(l);
        t.zeiten.nummerierung += l.jetzt() - beginn;
        if (aufgegeben) {
            // The stage found no room for the rest: say so with the result.
            l.status({Statusart::fertig_aufgegeben, m.haus_naechster - 1, p.n_gebaude});
        } else {
            l.status({Statusart::fertig});
        }
        return ende(Laufende::fertig);
    } catch (const std::bad_alloc&) {
        rechenfehler(l,
                     Ergebnis::fehler(Fehlerart::kein_plan, Meldung(Meldungsart::speicher_karte)));
    } catch (const std::exception& e) {
        rechenfehler(l,
                     Ergebnis::fehler(Fehlerart::kein_plan, Meldung(Meldungsart::text, e.what())));
    }
    m.plan_vorhanden = false;
    l.status(l.haltstatus);
    return ende(Laufende::fehler);
}

Ergebnis Laufbericht::ergebnis() const {
    // The status as the message, but for a fault its own message, without
    // the status line's lead-in.
    const auto fehler = [&](Fehlerart art) {
        return Ergebnis::fehler(art, status.art == Statusart::rechenfehler && !status.meldung.leer()
                                         ? status.meldung
                                         : status_meldung(status));
    };
    switch (ende) {
    case Laufende::fertig:
        return {};
    case Laufende::abgelehnt:
        return fehler(Fehlerart::bedienung);
    case Laufende::abgebrochen:
        return fehler(Fehlerart::abbruch);
    case Laufende::fehler:
        break;
    }
    return fehler(Fehlerart::kein_plan);
}

Laufbericht stadtplan_erstellen(const Laufauftrag& auftrag, Stadtmodell& m, Uhr& uhr, Wirt& wirt) {
    // The front's own code ran up to here (the GUI toolkit's included).
    vektorzustand_leeren();
    Zufall z = auftrag.startwert ? Zufall(*auftrag.startwert, uhr) : Zufall(uhr);
    Parameter p;
    z.neu_saeen();
    if (Ergebnis e = parameter_einlesen(auftrag.steuerwerte, z, p, m); !e.gut()) {
        Laufbericht bericht;
        bericht.ende = Laufende::abgelehnt;
        bericht.status = {Statusart::meldung, e};
        bericht.nummern = auftrag.nummern;
        return bericht;
    }
    m.n_nummer_wege = static_cast<std::int16_t>(auftrag.nummern.wege);
    m.n_nummer_haeuser = static_cast<std::int16_t>(auftrag.nummern.haeuser);
    m.n_nummer_plaetze = static_cast<std::int16_t>(auftrag.nummern.plaetze);
    m.n_nummer_parks = static_cast<std::int16_t>(auftrag.nummern.parks);
    wirt.element_fertig(Element::zuruecksetzen, 0);
    vektorzustand_leeren();
    z.neu_saeen();
    Lauf l(p, m, z, uhr, wirt);
    return stadt_generieren(l);
}

} // namespace tarvello
