#include "areas/fuellpunkte.h"

#include <algorithm>
#include <cmath>

#include "core/funktionen.h"
#include "core/vektorzustand.h"
#include "core/wirt.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"

namespace tarvello {

namespace {

// The pool stops a little short of its capacity: a vertex adds at most two.
constexpr int pool_grenze = 29990;
// Rows times outline vertices, and edge tests of candidate points: far above
// any area a run makes, they bound the work of an outline read from a file
// whose spacing is tiny or whose points lie on one line (rows that store no
// point never fill the pool).
constexpr double arbeit_max = 8.0e6;
constexpr double kantentests_max = 1.5e9;

} // namespace

void flaeche_fuellpunkte(const float* xs, const float* ys, int n, float abstand_reihe,
                         float ausdehnung_x, float ausdehnung_y, float x_min, float y_min,
                         float x_max, float y_max, float rand, Fuellpunkte& pool, Wirt* wirt,
                         double* kantentests_rest) {
    pool.n = 0;
    pool.fuell_abstand = 0.0f;
    if (abstand_reihe == 0.0f) return;
    if (pool.x.size() < static_cast<std::size_t>(fuellpunkte_max + 1)) {
        pool.x.assign(fuellpunkte_max + 1, 0.0f);
        pool.y.assign(fuellpunkte_max + 1, 0.0f);
        pool.art.assign(fuellpunkte_max + 1, 0);
    }

    const float fenster_x1 = x_min - rand, fenster_x2 = x_max + rand;
    const float fenster_y1 = y_min - rand, fenster_y2 = y_max + rand;

    const float reihen_x = ausdehnung_x / abstand_reihe / 3.0f;
    const float reihen_y = ausdehnung_y / abstand_reihe / 3.0f;
    double reihen = runden(reihen_y > reihen_x ? reihen_y : reihen_x);
    // A row further in than the outline's own diagonal lies outside it,
    // however wide the margin around the box (a huge building elsewhere on
    // a loaded map widens every box).
    float ox1 = xs[1], ox2 = xs[1], oy1 = ys[1], oy2 = ys[1];
    for (int k = 2; k <= n; ++k) {
        ox1 = std::min(ox1, xs[k]);
        ox2 = std::max(ox2, xs[k]);
        oy1 = std::min(oy1, ys[k]);
        oy2 = std::max(oy2, ys[k]);
    }
    reihen = std::min(reihen,
                      std::hypot(static_cast<double>(ox2) - ox1, static_cast<double>(oy2) - oy1) /
                              std::fabs(static_cast<double>(abstand_reihe)) +
                          1.0);
    reihen = std::min(reihen, arbeit_max / std::max(1, n));
    // An outline enclosing nothing (its points on one line) has no inside
    // for a point to fall in.
    double flaeche = 0;
    for (int k = 1; k <= n - 1; ++k)
        flaeche += static_cast<double>(xs[k]) * ys[k + 1] - static_cast<double>(xs[k + 1]) * ys[k];
    const double box = (static_cast<double>(ox2) - ox1) * (static_cast<double>(oy2) - oy1);
    if (!(std::fabs(flaeche) > 1e-9 * box)) reihen = 0;
    // NaN and negative counts give no rows.
    const int n_reihen = reihen > 0.0 ? static_cast<int>(reihen) : 0;

    pool.n = 1;
    double kantentests = 0;
    const double budget =
        kantentests_rest ? std::min(kantentests_max, *kantentests_rest) : kantentests_max;
    // What was spent comes off the shared budget however the loop ends.
    struct Abrechnung {
        double* rest;
        const double& verbraucht;
        ~Abrechnung() {
            if (rest) *rest -= verbraucht;
        }
    } abrechnung{kantentests_rest, kantentests};
    for (int r = 1; r <= n_reihen; ++r) {
        if (pool.n > pool_grenze) break;
        if (r > 1 && wirt) {
            wirt->fortschritt(static_cast<float>(r) * 100.0f / static_cast<float>(n_reihen));
            // A stopped drawing stops here too; the pool is then unfinished
            // and not used.
            const bool halt = wirt->nachgeben();
            vektorzustand_leeren();
            if (halt) {
                pool.n = 0;
                return;
            }
        }
        const float versatz = abstand_reihe * static_cast<float>(r);
        bool vorher_gespeichert = false;
        for (int k = 2; k <= n - 1; ++k) {
            if (r == 1 && k < n - 2) {
                const float d = abstand(xs[k], ys[k], xs[k + 1], ys[k + 1]);
                if (d > pool.fuell_abstand) pool.fuell_abstand = d;
            }
            const float a_vor = winkel_aus(xs[k] - xs[k - 1], ys[k] - ys[k - 1]);
            const float a_nach = winkel_aus(xs[k + 1] - xs[k], ys[k + 1] - ys[k]);
            const float m = (a_vor + a_nach) / 2.0f;
            bool gespeichert = false;
            for (const float seite : {pi / 2.0f, -pi / 2.0f}) {
                const float px = xs[k] + versatz * std::cos(m + seite);
                const float py = ys[k] + versatz * std::sin(m + seite);
                if (!(px > fenster_x1 && px < fenster_x2 && py > fenster_y1 && py < fenster_y2))
                    continue;
                kantentests += n;
                if (kantentests > budget) return;
                if (!punkt_in_polygon(px, py, xs, ys, n)) continue;
                const auto i = static_cast<std::size_t>(pool.n);
                pool.x[i] = px;
                pool.y[i] = py;
                pool.art[i] = (vorher_gespeichert && k > 2) ? 1 : 0;
                ++pool.n;
                gespeichert = true;
            }
            vorher_gespeichert = gespeichert;
            if (pool.n > pool_grenze) break;
        }
    }
}

} // namespace tarvello
