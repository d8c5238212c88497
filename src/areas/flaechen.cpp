#include "areas/flaechen.h"

#include <algorithm>

namespace tarvello {

namespace {

void umriss_uebernehmen(const Umrisssuche& u, Flaeche& f) {
    const auto n = static_cast<std::size_t>(std::max<int>(u.umriss_n_punkte, 0));
    if (f.x.size() < n + 1) {
        f.x.resize(n + 1, 0.0f);
        f.y.resize(n + 1, 0.0f);
    }
    std::copy(u.umriss_x.begin() + 1, u.umriss_x.begin() + static_cast<std::ptrdiff_t>(n) + 1,
              f.x.begin() + 1);
    std::copy(u.umriss_y.begin() + 1, u.umriss_y.begin() + static_cast<std::ptrdiff_t>(n) + 1,
              f.y.begin() + 1);
    f.n_punkte = u.umriss_n_punkte;
    f.wert = u.umriss_min_breite;
}

// Shared scheme of both stages. A search is repeated until a random draw
// above `annahme` or a loop large enough for `groesse_rel` stops it.
void flaechen_setzen(Lauf& l, Umrisssuche& u, std::vector<Flaeche>& flaechen, int anzahl,
                     float annahme, float groesse_rel, bool nur_gefundene) {
    u.benutzt_loeschen();
    const int n = std::min(anzahl, static_cast<int>(flaechen.size()) - 1);
    const float punkte_max = static_cast<float>(std::max(l.p.weg_punkte_max, 1));
    for (int i = 1; i <= n && !l.abbruch; ++i) {
        l.fortschritt(static_cast<float>(i) * 100.0f / static_cast<float>(n));
        for (;;) {
            flaeche_umriss_suchen(l, u);
            if (l.abbruch) break;
            const bool zufall = l.rnd() > annahme;
            if (zufall || static_cast<float>(u.umriss_n_roh) * 3.0f / punkte_max > groesse_rel)
                break;
        }
        // A stopped run keeps the areas it has.
        if (l.abbruch) break;
        if (u.umriss_gefunden || !nur_gefundene) umriss_uebernehmen(u, flaechen[ix(i)]);
    }
}

void eingrenzen(std::vector<Flaeche>& flaechen, int anzahl, float rand, Lauf* l) {
    const int n = std::min(anzahl, static_cast<int>(flaechen.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        if (l != nullptr) {
            l->fortschritt(static_cast<float>(i) / static_cast<float>(n) * 100.0f);
            l->nachgeben();
        }
        Flaeche& f = flaechen[ix(i)];
        const int k_max = std::min({static_cast<int>(f.n_punkte), static_cast<int>(f.x.size()) - 1,
                                    static_cast<int>(f.y.size()) - 1});
        float x_min = 1e9f, y_min = 1e9f, x_max = -1e9f, y_max = -1e9f;
        for (int k = 1; k <= k_max; ++k) {
            const auto s = static_cast<std::size_t>(k);
            x_min = std::min(x_min, f.x[s]);
            x_max = std::max(x_max, f.x[s]);
            y_min = std::min(y_min, f.y[s]);
            y_max = std::max(y_max, f.y[s]);
        }
        f.x_min = x_min - rand;
        f.y_min = y_min - rand;
        f.x_max = x_max + rand;
        f.y_max = y_max + rand;
    }
}

} // namespace

void parks_setzen(Lauf& l, Umrisssuche& u) {
    l.status({Statusart::parks});
    flaechen_setzen(l, u, l.m.parks, l.p.n_parks, 0.7f, l.p.parks_groesse_rel, true);
    l.element_fertig(Element::parks);
}

void plaetze_setzen(Lauf& l, Umrisssuche& u) {
    l.status({Statusart::plaetze});
    flaechen_setzen(l, u, l.m.plaetze, l.p.n_plaetze, 0.9f, l.p.plaetze_groesse_rel, false);
    l.element_fertig(Element::plaetze);
}

void parks_setzen(Lauf& l) {
    Umrisssuche u;
    parks_setzen(l, u);
}

void plaetze_setzen(Lauf& l) {
    Umrisssuche u;
    plaetze_setzen(l, u);
}

float flaechen_rand(const Parameter& p) {
    return p.haus_seitenverhaeltnis_max * p.haus_gxy_max + p.weg_halbbreite_max;
}

void plaetze_eingrenzen(Stadtmodell& m, const Parameter& p) {
    eingrenzen(m.plaetze, m.n_plaetze, flaechen_rand(p), nullptr);
}

void parks_eingrenzen(Stadtmodell& m, const Parameter& p) {
    eingrenzen(m.parks, m.n_parks, flaechen_rand(p), nullptr);
}

void plaetze_eingrenzen(Lauf& l) {
    l.status({Statusart::plaetze_eingrenzen});
    eingrenzen(l.m.plaetze, l.m.n_plaetze, flaechen_rand(l.p), &l);
}

void parks_eingrenzen(Lauf& l) {
    l.status({Statusart::parks_eingrenzen});
    eingrenzen(l.m.parks, l.m.n_parks, flaechen_rand(l.p), &l);
}

} // namespace tarvello
