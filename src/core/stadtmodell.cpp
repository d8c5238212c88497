#include "core/stadtmodell.h"

namespace tarvello {

void Stadtmodell::dimensionieren(int wege_max, int punkte_max, int haeuser_max, int plaetze_anzahl,
                                 int parks_anzahl) {
    wege.assign(static_cast<std::size_t>(wege_max) + 1, Weg{});
    n_wege = 0;
    n_fluesse = 0;
    weg_punkte_max = static_cast<std::int16_t>(punkte_max);
    haeuser.assign(static_cast<std::size_t>(haeuser_max) + 1, Haus{});
    haus_naechster = 1;
    n_plaetze = static_cast<std::int16_t>(plaetze_anzahl);
    n_parks = static_cast<std::int16_t>(parks_anzahl);
    plaetze.assign(static_cast<std::size_t>(plaetze_anzahl) + 2, Flaeche{});
    parks.assign(static_cast<std::size_t>(parks_anzahl) + 2, Flaeche{});
    mauer_x.assign(1, 0.0f);
    mauer_y.assign(1, 0.0f);
    mauer_flag.assign(1, 0);
    mauer_n_punkte = 0;
    mauer_vorhanden = false;
    tuerme.assign(tuerme_anfang + 1, Turm{});
    n_tuerme = 0;
    plan_vorhanden = false;
    karten_faktor = 1.0f;
}

} // namespace tarvello
