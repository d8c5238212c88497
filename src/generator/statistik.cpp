#include "generator/statistik.h"

namespace tarvello {

Zaehlung zaehlen(const Stadtmodell& m) {
    Zaehlung z;
    int eintraege = 0;
    for (int w : m.wege_nummern()) {
        const Weg& weg = m.weg(w);
        if (weg.ist_fluss != 0) {
            ++z.fluesse;
            z.fluss_punkte += weg.n_punkte;
        } else {
            ++z.strassen;
            z.strassen_punkte += weg.n_punkte;
        }
        for (const auto& [punkt, v] : weg.verbindungen)
            eintraege += v.n;
    }
    z.verbindungen = eintraege / 2;
    for (int b : m.haus_nummern()) {
        ++z.gebaeude;
        if (m.haus(b).rund == 1) ++z.rundbauten;
    }
    for (int s = 1; s <= m.n_plaetze && s < static_cast<int>(m.plaetze.size()); ++s)
        if (m.platz(s).n_punkte > 0) ++z.plaetze;
    for (int s = 1; s <= m.n_parks && s < static_cast<int>(m.parks.size()); ++s)
        if (m.park(s).n_punkte > 0) ++z.parks;
    z.mauer_punkte = m.mauer_n_punkte;
    z.tuerme = m.n_tuerme;
    return z;
}

} // namespace tarvello
