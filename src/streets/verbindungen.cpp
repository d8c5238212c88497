#include "streets/verbindungen.h"

namespace tarvello {

namespace {

// Whether (w1, p1) takes another entry naming way w2: not when its last entry
// already names w2, and not when it holds ten links.
bool nimmt_auf(const Stadtmodell& m, int w1, int p1, int w2) {
    const Verbindungen* v = m.weg(w1).verbindungen_bei(p1);
    if (v == nullptr) return true;
    if (v->n > 0 && v->weg[ix(v->n)] == w2) return false;
    return v->n < verbindungen_max;
}

void eintragen(Stadtmodell& m, int w1, int p1, int w2, int p2) {
    Verbindungen& v = m.weg(w1).verbindungen[static_cast<std::int16_t>(p1)];
    ++v.n;
    v.weg[ix(v.n)] = static_cast<std::int16_t>(w2);
    v.punkt[ix(v.n)] = static_cast<std::int16_t>(p2);
}

} // namespace

void verbindung_hinzufuegen(Stadtmodell& m, int w1, int p1, int w2, int p2) {
    // A link is stored at both ends or not at all, so the network can be
    // walked across it in either direction.
    if (!nimmt_auf(m, w1, p1, w2) || !nimmt_auf(m, w2, p2, w1)) return;
    eintragen(m, w1, p1, w2, p2);
    eintragen(m, w2, p2, w1, p1);
}

void weg_zuruecksetzen(Stadtmodell& m, int w) {
    Weg& weg = m.weg(w);
    for (const auto& [p, eigene] : weg.verbindungen) {
        for (int j = 1; j <= eigene.n; ++j) {
            const int v = eigene.weg[ix(j)];
            const int q = eigene.punkt[ix(j)];
            if (v == w) continue; // a link to itself goes away with the way
            Weg& andere = m.weg(v);
            auto it = andere.verbindungen.find(static_cast<std::int16_t>(q));
            if (it == andere.verbindungen.end()) continue;
            Verbindungen& dort = it->second;
            for (int l = 1; l <= dort.n; ++l) {
                if (dort.weg[ix(l)] == w && dort.punkt[ix(l)] == p) {
                    for (int r = l; r < dort.n; ++r) {
                        dort.weg[ix(r)] = dort.weg[ix(r + 1)];
                        dort.punkt[ix(r)] = dort.punkt[ix(r + 1)];
                    }
                    --dort.n;
                    break;
                }
            }
            if (dort.n == 0) andere.verbindungen.erase(it);
        }
    }
    weg.verbindungen.clear();
    weg.n_punkte = 0;
}

} // namespace tarvello
