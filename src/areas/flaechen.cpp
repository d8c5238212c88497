#include "areas/flaechen.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "geometry/geometrie.h"

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

// A point inside the outline x, y (points 1..n, the last repeating the
// first) by the crossing parity: the middle of the widest inside stretch of
// the horizontal through the middle of its box. False for an outline without
// area there.
bool innenpunkt(const float* x, const float* y, int n, float& px, float& py) {
    if (n < 4) return false;
    float y_min = y[1], y_max = y[1];
    for (int i = 2; i <= n; ++i) {
        y_min = std::min(y_min, y[i]);
        y_max = std::max(y_max, y[i]);
    }
    const float h = (y_min + y_max) / 2.0f;
    thread_local std::vector<float> schnitte;
    schnitte.clear();
    // The same half-open rule as punkt_in_polygon.
    for (int i = 1; i < n; ++i) {
        float xa = x[i], ya = y[i], xb = x[i + 1], yb = y[i + 1];
        if (yb < ya) {
            std::swap(xa, xb);
            std::swap(ya, yb);
        }
        if (ya <= h && h < yb) schnitte.push_back(((yb - h) * xa + (h - ya) * xb) / (yb - ya));
    }
    std::sort(schnitte.begin(), schnitte.end());
    float beste = 0.0f;
    bool gefunden = false;
    for (std::size_t k = 0; k + 1 < schnitte.size(); k += 2) {
        const float mitte = (schnitte[k] + schnitte[k + 1]) / 2.0f;
        if (schnitte[k + 1] - schnitte[k] > beste && punkt_in_polygon(mitte, h, x, y, n)) {
            beste = schnitte[k + 1] - schnitte[k];
            px = mitte;
            py = h;
            gefunden = true;
        }
    }
    return gefunden;
}

// Whether two outlines cover each other: a point inside one lies inside the
// other. Neighbours that share a street do not.
struct Innen {
    bool da = false;
    float x = 0, y = 0;
};
bool decken_sich(const float* ax, const float* ay, int an, Innen ai, const float* bx,
                 const float* by, int bn, Innen bi) {
    return (ai.da && punkt_in_polygon(ai.x, ai.y, bx, by, bn)) ||
           (bi.da && punkt_in_polygon(bi.x, bi.y, ax, ay, an));
}

// Shared scheme of both stages. A search is repeated until a random draw
// above `annahme` or a loop large enough for `groesse_rel` stops it.
void flaechen_setzen(Lauf& l, Umrisssuche& u, std::vector<Flaeche>& flaechen, int anzahl,
                     float annahme, float groesse_rel, bool nur_gefundene) {
    u.benutzt_loeschen();
    const int n = std::min(anzahl, static_cast<int>(flaechen.size()) - 1);
    const float punkte_max = static_cast<float>(std::max(l.p.weg_punkte_max, 1));
    for (int i = 1; i <= n && !l.abbruch(); ++i) {
        l.fortschritt(static_cast<float>(i) * 100.0f / static_cast<float>(n));
        for (;;) {
            flaeche_umriss_suchen(l, u);
            if (l.abbruch()) break;
            const bool zufall = l.rnd() > annahme;
            if (zufall || static_cast<float>(u.umriss_n_roh) * 3.0f / punkte_max > groesse_rel)
                break;
        }
        // A stopped run keeps the areas it has.
        if (l.abbruch()) break;
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
    // A square never takes a loop that covers a park (or lies inside one),
    // or it would paint over the park.
    struct Park {
        const Flaeche* f;
        Innen innen;
    };
    std::vector<Park> parks;
    const int n_parks = std::min<int>(l.m.n_parks, static_cast<int>(l.m.parks.size()) - 1);
    for (int i = 1; i <= n_parks; ++i) {
        const Flaeche& f = l.m.park(i);
        if (f.n_punkte < 4) continue;
        Park park{&f, {}};
        park.innen.da = innenpunkt(f.x.data(), f.y.data(), f.n_punkte, park.innen.x, park.innen.y);
        parks.push_back(park);
    }
    auto vorher = std::move(u.zulassen);
    if (!parks.empty()) {
        u.zulassen = [&parks](const std::vector<float>& x, const std::vector<float>& y, int n) {
            Innen innen;
            innen.da = innenpunkt(x.data(), y.data(), n, innen.x, innen.y);
            for (const Park& p : parks)
                if (decken_sich(x.data(), y.data(), n, innen, p.f->x.data(), p.f->y.data(),
                                p.f->n_punkte, p.innen))
                    return false;
            return true;
        };
    }
    flaechen_setzen(l, u, l.m.plaetze, l.p.n_plaetze, 0.9f, l.p.plaetze_groesse_rel, false);
    u.zulassen = std::move(vorher);
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

void plaetze_eingrenzen(Stadtmodell& m, float rand) {
    eingrenzen(m.plaetze, m.n_plaetze, rand, nullptr);
}

void parks_eingrenzen(Stadtmodell& m, float rand) {
    eingrenzen(m.parks, m.n_parks, rand, nullptr);
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
