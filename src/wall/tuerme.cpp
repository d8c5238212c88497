#include "wall/tuerme.h"

#include <algorithm>
#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/punktraster.h"

namespace tarvello {

int turm_setzen(Stadtmodell& m, Turmbau& tb, float x, float y, float groesse, std::uint8_t form,
                float winkel) {
    if (tb.n >= tuerme_max) return 0;
    const int t = ++tb.n;
    const auto i = static_cast<std::size_t>(t);
    if (m.tuerme.size() <= i) m.tuerme.resize(std::max(i + 1, 2 * m.tuerme.size()));
    if (tb.groesse.size() <= i) tb.groesse.resize(std::max(i + 1, 2 * tb.groesse.size()), 0.0f);
    Turm& turm = m.turm(t);
    turm = Turm{};
    turm.form = static_cast<float>(form);
    turm.art = 1;
    turm.mx = x;
    turm.my = y;
    tb.groesse[ix(t)] = groesse;
    if (form == 1) {
        turm.radius = groesse;
    } else if (form == 2) {
        for (int c = 1; c <= 4; ++c) {
            const float a = winkel + static_cast<float>(2 * c - 1) * pi / 4.0f;
            turm.x[ix(c)] = x + groesse * std::cos(a);
            turm.y[ix(c)] = y + groesse * std::sin(a);
        }
    }
    return t;
}

float turmabstand_wuerfeln(Lauf& l) {
    const float abstand_mittel = l.p.Mauer_Tuerme_Abstand;
    return abstand_mittel + (l.rnd() - 0.5f) * abstand_mittel * l.p.Mauer_Turmabstand_Variation;
}

float turm_ausdehnung(const Turm& turm, float groesse) {
    if (turm.form == 1.0f) return turm.radius;
    if (turm.form == 2.0f) return groesse;
    return 0.0f;
}

void turmabstand_pruefen(Stadtmodell& m, const Turmbau& tb) {
    const int n = std::min<int>({m.n_tuerme, tb.n, static_cast<int>(m.tuerme.size()) - 1});
    auto reichweite = [&](int t) { return turm_ausdehnung(m.turm(t), tb.groesse[ix(t)]); };
    // Whether a tower goes depends only on it and the tower visited, so
    // looking only at the towers within reach (from a grid) removes the same
    // towers as comparing every pair, which a long wall could not afford.
    Punktfeld feld;
    float reichweite_max = 0.0f;
    for (int t = 1; t <= n; ++t) {
        if (m.turm(t).art != 1) continue;
        feld.sammeln(0, t, m.turm(t).mx, m.turm(t).my);
        reichweite_max = maximum(reichweite_max, reichweite(t));
    }
    feld.bauen(maximum(2.4f * reichweite_max, 1.0f));
    for (int runde = 0; runde < 2; ++runde)
        for (int t1 = 1; t1 <= n; ++t1) {
            if (tb.ist_tor(t1) != (runde == 0)) continue;
            const Turm& a = m.turm(t1);
            if (a.art != 1) continue;
            const float r1 = reichweite(t1);
            const float suche = 1.2f * (r1 + reichweite_max) * 1.001f + 1e-3f;
            feld.umkreis(a.mx, a.my, suche, [&](const Rasterpunkt& q) {
                const int t2 = q.punkt;
                if (t2 == t1) return;
                Turm& b = m.turm(t2);
                if (b.art != 1) return;
                if (1.2f * (reichweite(t2) + r1) > abstand(a.mx, a.my, b.mx, b.my)) b.art = 0;
            });
        }
}

} // namespace tarvello
