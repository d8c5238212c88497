// The river stage's grid against plain scans over every river point, while
// rivers are laid, thrown away and laid again: the same self touch, the same
// first contact with another river, the same fork-distance answer.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "core/funktionen.h"
#include "core/parameter.h"
#include "core/vorlagen.h"
#include "rivers/fluesse.h"

using namespace tarvello;

namespace {

bool selbst_alle(const Weg& w, int bis, float x, float y, float halbbreite) {
    for (int k = 1; k <= bis; ++k)
        if (abstand(x, y, w.px(k), w.py(k)) < 2.0f * halbbreite) return true;
    return false;
}

std::pair<int, int> kontakt_alle(const Stadtmodell& m, int r, float x, float y, float halbbreite) {
    for (int j = 1; j < r; ++j) {
        const Weg& wj = m.wege[static_cast<std::size_t>(j)];
        for (int k = 1; k <= wj.n_punkte; ++k)
            if (abstand(x, y, wj.px(k), wj.py(k)) < (wj.breite + halbbreite) / 2.0f) return {j, k};
    }
    return {0, 0};
}

bool zu_nah_alle(const Stadtmodell& m, int r, float x, float y, float halbbreite, float faktor) {
    for (int j = 1; j < r; ++j) {
        const Weg& wj = m.wege[static_cast<std::size_t>(j)];
        for (int k = 1; k <= wj.n_punkte; ++k)
            if (abstand(x, y, wj.px(k), wj.py(k)) < faktor * (wj.breite + halbbreite)) return true;
    }
    return false;
}

} // namespace

TEST(Flussraster, BeruehrungenWieDerVolleDurchlauf) {
    int selbst = 0, kontakte = 0, nah = 0, faelle = 0;
    for (std::uint64_t seed = 1; seed <= 25; ++seed) {
        TestUhr uhr;
        Zufall z(seed, uhr);
        Parameter p = parameter_umrechnen(start_steuerwerte());
        p.fluss_breite_max = 3.0f + z.rnd() * 40.0f;
        Stadtmodell m;
        m.dimensionieren(30, p.weg_punkte_max, 10, 0, 0);
        const float a = p.stadt_abmessung;
        Flussraster fr;
        fr.neu(p);
        int r = 1;
        int laeufe = 0;
        while (r <= 12 && laeufe < 60) {
            ++laeufe;
            Weg& weg = m.wege[static_cast<std::size_t>(r)];
            weg.n_punkte = 0;
            weg.breite = 0.5f + z.rnd() * p.fluss_breite_max;
            const float schritt = p.weg_schritt_faktor * weg.breite;
            // Some rivers start beyond the map, as the walk leaves it.
            float x = (z.rnd() * 1.4f - 0.2f) * a, y = (z.rnd() * 1.4f - 0.2f) * a;
            float wi = z.rnd() * 6.283f;
            const int punkte = 5 + static_cast<int>(z.rnd() * 300.0f);
            for (int i = 1; i <= punkte; ++i) {
                // A junction now and then: the point of an earlier river.
                if (r > 1 && z.rnd() < 0.01f) {
                    const Weg& j = m.wege[static_cast<std::size_t>(
                        1 + static_cast<int>(z.rnd() * static_cast<float>(r - 1)))];
                    if (j.n_punkte > 0) {
                        x = j.px(j.n_punkte);
                        y = j.py(j.n_punkte);
                    }
                }
                weg.punkt_setzen(i, x, y);
                fr.eintragen(r, i, x, y);
                wi += (z.rnd() - 0.5f) * 0.7f;
                x += schritt * std::cos(wi);
                y += schritt * std::sin(wi);
                if (i % 10 != 0) continue;
                // The head and points near it, as the walk asks.
                const float hx = x + (z.rnd() - 0.5f) * 4.0f * weg.breite;
                const float hy = y + (z.rnd() - 0.5f) * 4.0f * weg.breite;
                const int bis = i - static_cast<int>(z.rnd() * 10.0f);
                const bool s1 = fr.selbst_beruehrt(r, bis, hx, hy, weg.breite);
                ASSERT_EQ(s1, selbst_alle(weg, bis, hx, hy, weg.breite))
                    << seed << " " << r << " " << i;
                const auto k1 = fr.erster_kontakt(m, r, hx, hy, weg.breite);
                ASSERT_EQ(k1, kontakt_alle(m, r, hx, hy, weg.breite))
                    << seed << " " << r << " " << i;
                const float faktor = z.rnd() * 3.0f;
                const bool n1 = fr.zu_nah(m, r, hx, hy, weg.breite, faktor);
                ASSERT_EQ(n1, zu_nah_alle(m, r, hx, hy, weg.breite, faktor))
                    << seed << " " << r << " " << i;
                selbst += s1;
                kontakte += k1.first != 0;
                nah += n1;
                ++faelle;
            }
            if (z.rnd() < 0.3f) {
                // Thrown away: grown again under the same number.
                fr.verwerfen(weg, r);
                weg.n_punkte = 0;
                continue;
            }
            weg.n_punkte = static_cast<std::int16_t>(punkte);
            fr.behalten(weg);
            ++r;
        }
    }
    // Every answer occurs often enough for the comparison to mean something.
    EXPECT_GT(selbst, faelle / 20);
    EXPECT_LT(selbst, faelle * 19 / 20);
    EXPECT_GT(kontakte, faelle / 50);
    EXPECT_GT(nah, faelle / 20);
    EXPECT_LT(nah, faelle * 19 / 20);
}
