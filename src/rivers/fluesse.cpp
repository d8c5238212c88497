#include "rivers/fluesse.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/gang.h"
#include "geometry/geometrie.h"

namespace tarvello {

float erste_zweigbreite(float eltern, float symetrie, float rnd) {
    return ((0.25f - 0.25f * symetrie) * rnd + 0.707f) * eltern;
}

float zweite_zweigbreite(float eltern, float erste) {
    const float rest = eltern * eltern - erste * erste;
    return rest > 0.0f ? std::sqrt(rest) : 0.0f;
}

bool muenden_erlaubt(float breite, float andere, float symetrie) {
    const float aehnlich = 1.0f - std::fabs(breite - andere) / (breite + andere);
    return aehnlich > 0.9f * symetrie;
}

namespace {

// Tables that live for one attempt, one entry per river.
struct Flusstabellen {
    std::vector<std::uint8_t> zweige;
    std::vector<float> erster_zweig_breite;
    std::vector<int> eltern;
    std::vector<FlussEnde> ende;

    explicit Flusstabellen(int n)
        : zweige(static_cast<std::size_t>(n) + 1, 0),
          erster_zweig_breite(static_cast<std::size_t>(n) + 1, 0.0f),
          eltern(static_cast<std::size_t>(n) + 1, 0),
          ende(static_cast<std::size_t>(n) + 1, FlussEnde::gabel) {}
};

// How one walk ended.
struct Gangende {
    int i = 1;                 // one past the last stored point
    bool selbst = false;       // touched its own earlier course
    bool verworfen = false;    // touched another river without flowing into it
    bool muendet = false;      // flowed into another river
    bool draussen = false;     // left the map
    bool gabelt = false;       // ended inside the map to fork
    bool gabel_zu_nah = false; // ... but too near another river
    bool zentrum = false;      // the head came into the central zone
};

// Heading of a way's last segment; 0 for a way of a single point.
float letzte_richtung(const Weg& w) {
    const int n = w.n_punkte;
    if (n < 2) return 0.0f;
    return winkel_aus(w.px(n) - w.px(n - 1), w.py(n) - w.py(n - 1));
}

bool im_randzehntel(float x, float y, float a) {
    return x <= 0.1f * a || y <= 0.1f * a || x >= 0.9f * a || y >= 0.9f * a;
}

// Contact of the head with the earlier rivers 1..r-1: flows into the river met
// (storing the junction as point i + 1) or marks the walk thrown away.
void andere_fluesse_pruefen(Lauf& l, const Gang& g, Flussraster& fr, int r, Gangende& e,
                            bool alle) {
    const Parameter& p = l.p;
    const auto [j, k] = alle ? fr.anderer_kontakt(l.m, r, g.pos_x, g.pos_y, g.halbbreite)
                             : fr.erster_kontakt(l.m, r, g.pos_x, g.pos_y, g.halbbreite);
    if (j == 0) return;
    const Weg& wj = l.m.weg(j);
    if (muenden_erlaubt(g.halbbreite, wj.breite, p.fluss_verzweigung_symetrie) &&
        static_cast<double>(l.rnd()) > p.fluss_inselbildung) {
        e.muendet = true;
        e.i += 1;
        l.m.weg(r).punkt_setzen(e.i, wj.px(k), wj.py(k));
        fr.eintragen(r, e.i, wj.px(k), wj.py(k));
    } else {
        e.verworfen = true;
    }
}

// Walks river r from the head in g until it ends. Without darf_gabeln
// (a source outside the map, or too narrow to fork) the river runs on until
// it leaves the map, meets a river or reaches its length limit. The head is
// stored as point `ab`; a walk that goes on from a river's end (`ab` > 1)
// keeps clear of every other river, not only the earlier ones.
Gangende fluss_laufen(Lauf& l, Gang& g, Flussraster& fr, int r, int c, bool darf_gabeln,
                      int ab = 1) {
    const Parameter& p = l.p;
    Weg& weg = l.m.weg(r);
    const float a = p.stadt_abmessung;
    const float mitte = a / 2.0f;
    const float zone = p.fluss_zentral * mitte;
    // The last point a walk stores is at most grenze + 1 (a junction), well
    // inside the way's capacity of weg_punkte_max + 10.
    const int grenze = std::min<int>(p.weg_punkte_max, l.m.weg_punkte_max) - 5;
    const float gabel_wahrsch =
        p.fluss_verzweigungshaeufigkeit * 100.0f / static_cast<float>(p.weg_punkte_max);

    Gangende e;
    e.i = ab;
    while (true) {
        l.nachgeben();
        weg.punkt_setzen(e.i, g.pos_x, g.pos_y);
        fr.eintragen(r, e.i, g.pos_x, g.pos_y);

        g.richtung += (l.rnd() - 0.5f) * g.rauschen;
        g.pos_x += g.schritt * std::cos(g.richtung);
        g.pos_y += g.schritt * std::sin(g.richtung);

        if (abstand(g.pos_x, g.pos_y, mitte, mitte) < zone) e.zentrum = true;

        e.selbst = fr.selbst_beruehrt(r, e.i - c, g.pos_x, g.pos_y, g.halbbreite);
        // A river that touched itself is thrown away whatever else happens in
        // this round, so the other rivers need no look.
        if (!e.selbst && 2 * e.i > c) andere_fluesse_pruefen(l, g, fr, r, e, ab > 1);

        if (g.pos_x < 0.0f || g.pos_y < 0.0f || g.pos_x > a || g.pos_y > a) e.draussen = true;

        e.i += 1;
        if (e.i > grenze || l.abbruch() || e.selbst || e.verworfen || e.muendet || e.draussen)
            break;

        if (darf_gabeln && e.i > 3 * c && l.rnd() < gabel_wahrsch) {
            e.gabelt = true;
            e.gabel_zu_nah = fr.zu_nah(l.m, r, weg.px(e.i - 1), weg.py(e.i - 1), g.halbbreite,
                                       p.fluss_quelle_abstand * 5.0f);
            break;
        }
    }
    return e;
}

// Sets the head, heading and width of river r (> 1) at the end of a parent
// that may still fork; returns the parent.
int zweig_ansetzen(Lauf& l, Gang& g, Flusstabellen& t, int r) {
    const float a = l.p.stadt_abmessung;
    int eltern = 1;
    float ex = 0.0f, ey = 0.0f;
    while (true) {
        const int gezogen = static_cast<int>(ganz(l.rnd() * static_cast<float>(r - 1) + 1.0f));
        eltern = std::clamp(gezogen, 1, r - 1);
        const Weg& w = l.m.weg(eltern);
        ex = w.px(w.n_punkte);
        ey = w.py(w.n_punkte);
        if (t.zweige[ix(eltern)] > 1) continue;
        // A fork near the edge is taken only once in a hundred draws.
        if (l.rnd() <= 0.99f && im_randzehntel(ex, ey, a)) continue;
        break;
    }
    const std::size_t pe = ix(eltern);
    t.zweige[pe] += 1;
    g.pos_x = ex;
    g.pos_y = ey;
    g.richtung = letzte_richtung(l.m.weg(eltern)) + pi / 2.0f * (l.rnd() - 0.5f);

    const float b_eltern = l.m.weg(eltern).breite;
    float breite = 0.0f;
    if (t.zweige[pe] == 1) {
        breite = erste_zweigbreite(b_eltern, l.p.fluss_verzweigung_symetrie, l.rnd());
        t.erster_zweig_breite[pe] = breite;
    } else {
        breite = zweite_zweigbreite(b_eltern, t.erster_zweig_breite[pe]);
    }
    l.m.weg(r).breite = breite;
    return eltern;
}

// The first river enters from a random point of the map edge, at least 2 %
// of the side from a corner, heading for the map centre.
void muendung_ansetzen(Lauf& l, Gang& g) {
    const float a = l.p.stadt_abmessung;
    l.m.weg(1).breite = l.p.fluss_breite_max;
    const int seite = std::min(4, static_cast<int>(ganz(l.rnd() * 4.0f + 1.0f)));
    const float t = (l.rnd() * 0.96f + 0.02f) * a;
    switch (seite) {
    case 1:
        g.pos_x = 0.0f, g.pos_y = t;
        break;
    case 2:
        g.pos_x = a, g.pos_y = t;
        break;
    case 3:
        g.pos_x = t, g.pos_y = 0.0f;
        break;
    default:
        g.pos_x = t, g.pos_y = a;
        break;
    }
    g.richtung = winkel_aus(g.pos_x - a / 2.0f, g.pos_y - a / 2.0f) + pi;
    if (g.richtung > 2.0f * pi) g.richtung -= 2.0f * pi;
}

} // namespace

void Flussraster::neu(const Parameter& p) {
    const float a = p.stadt_abmessung;
    punkte_.neu(-0.25f * a, 1.5f * a, maximum(4.0f, 2.0f * p.fluss_breite_max));
    eingetragen_ = 0;
    breite_max_ = 0.0f;
}

void Flussraster::eintragen(int r, int k, float x, float y) {
    punkte_.einfuegen(r, k, x, y);
    eingetragen_ = std::max(eingetragen_, k);
}

void Flussraster::verwerfen(const Weg& w, int r) {
    for (int k = 1; k <= eingetragen_; ++k)
        punkte_.entfernen(r, k, w.px(k), w.py(k));
    eingetragen_ = 0;
}

void Flussraster::behalten(const Weg& w) {
    eingetragen_ = 0;
    breite_max_ = maximum(breite_max_, w.breite);
}

bool Flussraster::selbst_beruehrt(int r, int bis, float x, float y, float halbbreite) const {
    const float grenze = 2.0f * halbbreite;
    return punkte_.suchen(x, y, grenze, [&](const Rasterpunkt& q) {
        return q.weg == r && q.punkt <= bis && abstand(x, y, q.x, q.y) < grenze;
    });
}

std::pair<int, int> Flussraster::kontakt(const Stadtmodell& m, int ausser, int bis, float x,
                                         float y, float halbbreite) const {
    int j_best = 0, k_best = 0;
    punkte_.umkreis(x, y, (breite_max_ + halbbreite) / 2.0f, [&](const Rasterpunkt& q) {
        if (q.weg == ausser || q.weg < 1 || q.weg > bis) return;
        if (j_best != 0 && (q.weg > j_best || (q.weg == j_best && q.punkt > k_best))) return;
        const Weg& wj = m.weg(q.weg);
        if (q.punkt > wj.n_punkte) return;
        if (abstand(x, y, q.x, q.y) < (wj.breite + halbbreite) / 2.0f) {
            j_best = q.weg;
            k_best = q.punkt;
        }
    });
    return {j_best, k_best};
}

void Flussraster::verwerfen_ab(const Weg& w, int r, int von) {
    for (int k = von; k <= eingetragen_; ++k)
        punkte_.entfernen(r, k, w.px(k), w.py(k));
    eingetragen_ = 0;
}

bool Flussraster::zu_nah(const Stadtmodell& m, int r, float x, float y, float halbbreite,
                         float faktor) const {
    return punkte_.suchen(x, y, faktor * (breite_max_ + halbbreite), [&](const Rasterpunkt& q) {
        if (q.weg >= r || q.weg < 1) return false;
        const Weg& wj = m.weg(q.weg);
        if (q.punkt > wj.n_punkte) return false;
        return abstand(x, y, q.x, q.y) < faktor * (wj.breite + halbbreite);
    });
}

namespace {

// The walk's step, noise and distances for a river of half width `breite`.
void flussgang_einrichten(Lauf& l, Gang& g, float breite) {
    const Parameter& p = l.p;
    g.halbbreite = breite;
    g.abstand_min = 2.0f * g.halbbreite;
    g.schritt = p.weg_schritt_faktor * g.halbbreite;
    g.rauschen = std::pow(p.fluss_breite_max / g.halbbreite, 0.5f) * (p.weg_aufloesung + 1.0f) *
                 p.fluss_kurvigkeit * pi * g.schritt * std::sqrt(200.0f / p.stadt_abmessung) /
                 (g.halbbreite / 10.0f + 5.0f);
}

enum class Flussausgang { behalten, verworfen, abgebrochen };

// River r of an attempt: starts it at the mouth (the first) or at the end of
// an earlier river, walks it, and keeps it or throws it away.
Flussausgang fluss_bauen(Lauf& l, Gang& g, Flusstabellen& t, Flussraster& fr, FlussBericht& bericht,
                         int r, bool& zentrum_erreicht) {
    const Parameter& p = l.p;
    const std::size_t ri = ix(r);
    Weg& weg = l.m.weg(r);
    l.fortschritt(static_cast<float>(r) * 100.0f / static_cast<float>(p.n_fluesse_max));
    weg.ist_fluss = 1;
    weg.n_punkte = 0;
    weg.verbindungen.clear(); // a street of an earlier attempt may have left links
    const bool quelle_ausserhalb = l.rnd() < p.fluss_quellen_ausserhalb;

    int eltern = 0;
    if (r == 1) {
        muendung_ansetzen(l, g);
    } else {
        eltern = zweig_ansetzen(l, g, t, r);
    }

    weg.breite = flussbreite_begrenzen(weg.breite);
    flussgang_einrichten(l, g, weg.breite);
    t.erster_zweig_breite[ri] = 0.0f;
    t.zweige[ri] = kann_gabeln(weg.breite) ? 0 : 2;
    t.eltern[ri] = eltern;
    // Own points skipped in the self test: those within reach of the head anyway.
    const int c = static_cast<int>(runden(4.0f * g.halbbreite / g.schritt));

    const Gangende e = fluss_laufen(l, g, fr, r, c, !quelle_ausserhalb && t.zweige[ri] < 2);
    if (l.abbruch()) return Flussausgang::abgebrochen;

    // A river that touched itself is always thrown away; one that touched
    // another river is kept when it flowed into a river or left the map.
    const bool angenommen =
        e.i > 1 && !e.gabel_zu_nah && !e.selbst && (!e.verworfen || e.muendet || e.draussen);
    if (!angenommen) {
        bericht.verworfen += 1;
        t.zweige[ri] = 0;
        if (eltern > 0) t.zweige[ix(eltern)] -= 1;
        fr.verwerfen(weg, r);
        weg.n_punkte = 0;
        return Flussausgang::verworfen;
    }

    if (e.muendet || e.draussen) t.zweige[ri] = 2;
    t.ende[ri] = e.muendet    ? FlussEnde::muendet
                 : e.draussen ? FlussEnde::draussen
                 : e.gabelt   ? FlussEnde::gabel
                              : FlussEnde::laenge;
    weg.n_punkte = static_cast<std::int16_t>(e.i - 1);
    fr.behalten(weg);
    if (e.zentrum) zentrum_erreicht = true;
    return Flussausgang::behalten;
}

float flusslaenge(const Weg& w) {
    float s = 0.0f;
    for (int k = 1; k < w.n_punkte; ++k)
        s += abstand(w.px(k), w.py(k), w.px(k + 1), w.py(k + 1));
    return s;
}

// Whether river r's end is open: it ends inside the map with no branch.
bool offenes_ende(const Stadtmodell& m, const Flusstabellen& t, int r) {
    const FlussEnde e = t.ende[ix(r)];
    if (e != FlussEnde::gabel && e != FlussEnde::laenge) return false;
    for (int j = r + 1; j <= m.n_fluesse; ++j)
        if (t.eltern[ix(j)] == r) return false;
    return true;
}

// Walks river r on from its open end, without forking, until it leaves the
// map; a walk that meets a river or itself is taken back and tried again.
bool hauptlauf_verlaengern(Lauf& l, Gang& g, Flusstabellen& t, Flussraster& fr, int r) {
    Weg& weg = l.m.weg(r);
    const int n0 = weg.n_punkte;
    if (n0 < 2) return false;
    const float ex = weg.px(n0), ey = weg.py(n0);
    const float richtung = letzte_richtung(weg);
    for (int versuch = 0; versuch < hauptlauf_versuche_max; ++versuch) {
        g.pos_x = ex;
        g.pos_y = ey;
        g.richtung = richtung;
        flussgang_einrichten(l, g, weg.breite);
        const int c = static_cast<int>(runden(4.0f * g.halbbreite / g.schritt));
        const Gangende e = fluss_laufen(l, g, fr, r, c, false, n0);
        if (l.abbruch()) {
            fr.verwerfen_ab(weg, r, n0);
            weg.punkt_setzen(n0, ex, ey);
            weg.n_punkte = static_cast<std::int16_t>(n0);
            return false;
        }
        if (e.draussen && !e.selbst && !e.verworfen && !e.muendet) {
            weg.n_punkte = static_cast<std::int16_t>(e.i - 1);
            t.ende[ix(r)] = FlussEnde::draussen;
            t.zweige[ix(r)] = 2;
            fr.behalten(weg);
            return true;
        }
        fr.verwerfen_ab(weg, r, n0);
        weg.punkt_setzen(n0, ex, ey);
    }
    weg.n_punkte = static_cast<std::int16_t>(n0);
    return false;
}

// Takes river r (a branch with no branches of its own) out of the system;
// the later rivers move up one place.
void fluss_entfernen(Stadtmodell& m, Flusstabellen& t, std::vector<std::uint8_t>& haupt, int r) {
    const int n = m.n_fluesse;
    const int eltern = t.eltern[ix(r)];
    // The parent's end had branches, so it is open: one fewer started there.
    if (eltern > 0 && t.zweige[ix(eltern)] > 0) t.zweige[ix(eltern)] -= 1;
    for (int j = r; j < n; ++j) {
        std::swap(m.weg(j), m.weg(j + 1));
        const std::size_t a = ix(j), b = ix(j + 1);
        t.zweige[a] = t.zweige[b];
        t.erster_zweig_breite[a] = t.erster_zweig_breite[b];
        t.eltern[a] = t.eltern[b] > r ? t.eltern[b] - 1 : t.eltern[b];
        t.ende[a] = t.ende[b];
        haupt[a] = haupt[b];
    }
    Weg& frei = m.weg(n);
    frei.n_punkte = 0;
    frei.verbindungen.clear();
    m.n_fluesse = static_cast<std::int16_t>(n - 1);
    m.n_wege = m.n_fluesse;
}

// The finished system: the main course (from the mouth on, at each fork the
// wider branch) runs off the map, and branches ending in open land that are
// too short to read as brooks are dropped.
void flusssystem_abschliessen(Lauf& l, Gang& g, Flusstabellen& t, Flussraster& fr,
                              FlussBericht& bericht) {
    Stadtmodell& m = l.m;
    if (m.n_fluesse < 1) return;
    std::vector<std::uint8_t> haupt(ix(m.n_fluesse) + 1, 0);
    int r = 1;
    for (;;) {
        haupt[ix(r)] = 1;
        int weiter = 0;
        for (int j = r + 1; j <= m.n_fluesse; ++j)
            if (t.eltern[ix(j)] == r && (weiter == 0 || m.weg(j).breite > m.weg(weiter).breite))
                weiter = j;
        if (weiter == 0) break;
        r = weiter;
    }
    if (offenes_ende(m, t, r))
        bericht.hauptlauf_verlaengert = hauptlauf_verlaengern(l, g, t, fr, r);
    if (l.abbruch()) return;

    // Rivers another one flows into stay.
    std::vector<std::uint8_t> gespeist(ix(m.n_fluesse) + 1, 0);
    for (int j = 1; j <= m.n_fluesse; ++j) {
        const Weg& w = m.weg(j);
        if (t.ende[ix(j)] != FlussEnde::muendet || w.n_punkte < 1) continue;
        const float x = w.px(w.n_punkte), y = w.py(w.n_punkte);
        for (int z = 1; z <= m.n_fluesse; ++z) {
            if (z == j) continue;
            const Weg& wz = m.weg(z);
            for (int k = 1; k <= wz.n_punkte; ++k)
                if (wz.px(k) == x && wz.py(k) == y) gespeist[ix(z)] = 1;
        }
    }
    const float bach = bach_laenge(l.p);
    for (int j = m.n_fluesse; j >= 2; --j) {
        if (haupt[ix(j)] || gespeist[ix(j)] || !offenes_ende(m, t, j)) continue;
        if (flusslaenge(m.weg(j)) >= bach) continue;
        fluss_entfernen(m, t, haupt, j);
        gespeist.erase(gespeist.begin() + static_cast<long>(ix(j)));
        ++bericht.bachlos;
    }
    for (int j = 1; j <= m.n_fluesse; ++j)
        if (haupt[ix(j)]) bericht.hauptlauf_ende = j;
}

// The report of the final attempt: the tables of its rivers.
void bericht_abschliessen(Lauf& l, const Flusstabellen& t, FlussBericht& bericht,
                          bool zentrum_erreicht) {
    const Stadtmodell& m = l.m;
    bericht.zentrum_erreicht = zentrum_erreicht;
    const std::size_t n = ix(m.n_fluesse) + 1;
    bericht.eltern.assign(t.eltern.begin(), t.eltern.begin() + static_cast<long>(n));
    bericht.zweige.assign(t.zweige.begin(), t.zweige.begin() + static_cast<long>(n));
    bericht.ende.assign(t.ende.begin(), t.ende.begin() + static_cast<long>(n));
    for (int k : m.fluss_nummern())
        l.element_fertig(Element::weg, k);
}

} // namespace

FlussBericht fluesse_wachsen(Lauf& l) {
    const Parameter& p = l.p;
    Stadtmodell& m = l.m;
    FlussBericht bericht;

    // Rivers asked for, within the way tables and the stage's own limit.
    const int anzahl = std::min({p.n_fluesse_max - 1, fluesse_max, m.wege_kapazitaet()});
    if (anzahl < 1) {
        m.n_fluesse = 0;
        return bericht;
    }

    Flusstabellen t(anzahl);
    Flussraster fr;
    Gang g; // the walk of the river being grown
    int versuch = 1;
    while (true) {
        l.z.neu_saeen();
        fr.neu(p);
        bool zentrum_erreicht = false;
        bericht.versuche = versuch;
        l.status({Statusart::fluesse, versuch});

        int r = 1;
        int verworfen_in_folge = 0;
        while (r <= anzahl) {
            // No end left that may fork: the river system is complete.
            if (r > 1 && std::all_of(t.zweige.begin() + 1, t.zweige.begin() + r,
                                     [](std::uint8_t z) { return z >= 2; })) {
                break;
            }
            const Flussausgang ausgang = fluss_bauen(l, g, t, fr, bericht, r, zentrum_erreicht);
            if (ausgang == Flussausgang::abgebrochen) {
                m.n_fluesse = static_cast<std::int16_t>(r - 1);
                m.n_wege = m.n_fluesse;
                return bericht;
            }
            // A river thrown away is drawn again, with new random numbers,
            // until no place is left for it: the system ends with the rivers
            // it has.
            if (ausgang == Flussausgang::behalten) {
                r += 1;
                verworfen_in_folge = 0;
                continue;
            }
            ++verworfen_in_folge;
            bericht.verworfen_in_folge_max =
                std::max(bericht.verworfen_in_folge_max, verworfen_in_folge);
            if (verworfen_in_folge >= fluss_verwerfen_max) break;
        }

        m.n_fluesse = static_cast<std::int16_t>(r - 1);
        m.n_wege = m.n_fluesse;
        l.nachgeben();

        if (zentrum_erreicht && !l.abbruch()) flusssystem_abschliessen(l, g, t, fr, bericht);
        if (zentrum_erreicht || l.abbruch()) {
            bericht_abschliessen(l, t, bericht, zentrum_erreicht);
            return bericht;
        }
        // Rivers that keep missing the central zone: the run cannot make a town.
        if (versuch >= fluss_versuche_max) {
            bericht_abschliessen(l, t, bericht, zentrum_erreicht);
            bericht.aufgegeben = true;
            l.anhalten(Halt::unmoeglich, {Statusart::fluesse_verfehlen_mitte, versuch});
            return bericht;
        }
        versuch += 1;
    }
}

float bach_laenge(const Parameter& p) {
    return maximum(bach_laenge_min, 0.05f * p.stadt_abmessung);
}

void fluesse_erzeugen(Lauf& l) {
    fluesse_wachsen(l);
}

} // namespace tarvello
