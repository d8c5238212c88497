#include "generator/nummerierung.h"

#include <algorithm>
#include <vector>

#include "core/zahlen.h"

namespace tarvello {

namespace {

std::int16_t begrenzt(std::int16_t anzahl, int vorhanden) {
    return static_cast<std::int16_t>(std::clamp<int>(anzahl, 0, std::max(vorhanden, 0)));
}

// Draws 1..n uniformly.
int ziehen(Lauf& l, int n) {
    const int i = static_cast<int>(ganz(l.rnd() * static_cast<float>(n) + 1.0f));
    return std::clamp(i, 1, n);
}

// Squares and parks: any element not numbered yet, placed or not.
void flaechen_nummerieren(Lauf& l, std::vector<Flaeche>& flaechen, int n, int anzahl, float basis) {
    for (int k = 1; k <= anzahl; ++k) {
        int s = 0;
        do {
            s = ziehen(l, n);
        } while (flaechen[ix(s)].nummer != 0);
        flaechen[ix(s)].nummer = static_cast<std::int16_t>(k);
        l.fortschritt(basis + static_cast<float>(k) / static_cast<float>(anzahl) * 25.0f);
    }
}

} // namespace

void elemente_nummerieren(Lauf& l) {
    Stadtmodell& m = l.m;
    const Parameter& p = l.p;
    const int n_wege = std::min<int>(m.n_wege, m.wege_kapazitaet());
    const int n_haeuser = std::min<int>(m.haus_naechster - 1, m.haeuser_kapazitaet());
    const int n_plaetze = std::min<int>(m.n_plaetze, static_cast<int>(m.plaetze.size()) - 1);
    const int n_parks = std::min<int>(m.n_parks, static_cast<int>(m.parks.size()) - 1);

    // Numbers of an earlier labelling would make the draws below skip
    // elements for ever; every element starts unnumbered.
    for (int w = 1; w <= m.wege_kapazitaet(); ++w)
        m.weg(w).nummer = 0;
    for (int b = 1; b <= m.haeuser_kapazitaet(); ++b)
        m.haus(b).nummer = 0;
    for (Flaeche& f : m.plaetze)
        f.nummer = 0;
    for (Flaeche& f : m.parks)
        f.nummer = 0;

    int strassen = 0;
    for (int w = 1; w <= n_wege; ++w)
        if (m.weg(w).ist_fluss == 0) ++strassen;
    m.n_nummer_wege = begrenzt(m.n_nummer_wege, strassen);
    m.n_nummer_haeuser = begrenzt(m.n_nummer_haeuser, n_haeuser);
    m.n_nummer_plaetze = begrenzt(m.n_nummer_plaetze, n_plaetze);
    m.n_nummer_parks = begrenzt(m.n_nummer_parks, n_parks);

    l.status({Statusart::nummerierung});

    // Streets, wide ones preferred.
    const float nenner = p.weg_halbbreite_max + 1.0f - p.weg_halbbreite_min;
    for (int k = 1; k <= m.n_nummer_wege; ++k) {
        for (;;) {
            Weg& weg = m.weg(ziehen(l, n_wege));
            if (weg.ist_fluss != 0 || weg.nummer != 0) continue;
            float wahrsch = (weg.breite + 1.0f - p.weg_halbbreite_min) / nenner;
            // Widths outside the range would never be taken: take them as they come.
            if (!(wahrsch > 0.0f)) wahrsch = 1.0f;
            if (l.rnd() < wahrsch) {
                weg.nummer = static_cast<std::int16_t>(k);
                break;
            }
        }
        l.fortschritt(static_cast<float>(k) / static_cast<float>(m.n_nummer_wege) * 25.0f);
    }

    // Buildings, large ones preferred, small ones now and then.
    for (int k = 1; k <= m.n_nummer_haeuser; ++k) {
        for (;;) {
            Haus& haus = m.haus(ziehen(l, n_haeuser));
            if (haus.nummer != 0) continue;
            const float wahrsch = ((haus.breite + haus.laenge) / 2.0f + 1.0f - p.haus_gxy_min) /
                                  (p.haus_gxy_spanne + 1.0f);
            const bool gross = l.rnd() < wahrsch;
            const bool dennoch = l.rnd() > 0.985f;
            if (gross || dennoch) {
                haus.nummer = static_cast<std::int16_t>(k);
                break;
            }
        }
        l.fortschritt(25.0f +
                      static_cast<float>(k) / static_cast<float>(m.n_nummer_haeuser) * 25.0f);
    }

    flaechen_nummerieren(l, m.plaetze, n_plaetze, m.n_nummer_plaetze, 50.0f);
    flaechen_nummerieren(l, m.parks, n_parks, m.n_nummer_parks, 75.0f);
}

} // namespace tarvello
