// How fast the building stage could be at best: preset 13 with 10000 and
// 20000 buildings, once with the real tests, then with every candidate's test
// outcomes replayed from a log instead of worked out. The replay makes the
// same candidates and the same map, so its time is what drawing the
// candidates alone costs, whatever index the tests use.
//
// Built by bench/kandidatenschranke.sh with the CMake option
// TARVELLO_KANDIDATEN_LOG, which builds the log into the building stage.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "areas/gebaeude.h"
#include "core/vorlagen.h"
#include "generator/treiber.h"

using namespace tarvello;

namespace {

struct Lauf13 {
    double sekunden = 0;
    long long kandidaten = 0;
    int gebaeude = 0;
};

Lauf13 einmal(const char* n_gebaude) {
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, 13);
    if (!s.setzen("Combo_n_gebaude", n_gebaude).gut()) std::abort();
    Stadtmodell m;
    Wirt w;
    kandidatenlog().stelle = 0;
    const auto t0 = std::chrono::steady_clock::now();
    const Laufbericht b = stadtplan_erstellen({s, 1, {}}, m, system_uhr(), w);
    Lauf13 r;
    r.sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.kandidaten = b.haus_kandidaten;
    r.gebaeude = m.haus_naechster - 1;
    return r;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    // List indices of Combo_n_gebaude: 25 = 10000, 28 = 20000.
    const char* stufen[2] = {"25", "28"};
    double echt[2] = {}, frei[2] = {};
    long long kandidaten[2] = {};
    Kandidatenlog& log = kandidatenlog();
    for (int i = 0; i < 2; ++i) {
        log.modus = Kandidatenlog::Modus::aufnehmen;
        log.sperren.clear();
        std::vector<double> t;
        const Lauf13 r = einmal(stufen[i]);
        t.push_back(r.sekunden);
        kandidaten[i] = r.kandidaten;
        log.modus = Kandidatenlog::Modus::aus;
        for (int n = 0; n < 2; ++n)
            t.push_back(einmal(stufen[i]).sekunden);
        echt[i] = median(t);
        log.modus = Kandidatenlog::Modus::abspielen;
        std::vector<double> u;
        for (int n = 0; n < 3; ++n) {
            const Lauf13 e = einmal(stufen[i]);
            if (e.kandidaten != r.kandidaten || e.gebaeude != r.gebaeude ||
                log.stelle != log.sperren.size()) {
                std::printf("replay went astray\n");
                return 1;
            }
            u.push_back(e.sekunden);
        }
        frei[i] = median(u);
    }
    std::printf("preset 13, seed 1     candidates   total s   total s with free tests\n");
    std::printf("10000 buildings     %11lld   %7.3f   %7.3f\n", kandidaten[0], echt[0], frei[0]);
    std::printf("20000 buildings     %11lld   %7.3f   %7.3f\n", kandidaten[1], echt[1], frei[1]);
    std::printf("20000 / 10000       %11.2f   %7.2f   %7.2f\n",
                static_cast<double>(kandidaten[1]) / static_cast<double>(kandidaten[0]),
                echt[1] / echt[0], frei[1] / frei[0]);
    return 0;
}
