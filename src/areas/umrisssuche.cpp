#include "areas/umrisssuche.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"

namespace tarvello {

namespace {

constexpr std::size_t tabelle = static_cast<std::size_t>(flaeche_punkte_max) + 1;

// Int(r * n + 1), kept inside 1..n where float rounding would reach n + 1.
int waehlen(float r, int n) {
    const int k = static_cast<int>(ganz(r * static_cast<float>(n) + 1.0f));
    return std::clamp(k, 1, std::max(n, 1));
}

// Points of a way that can be read: never past its count or its tables.
int lesbare_punkte(const Weg& w) {
    const auto n = std::min({static_cast<std::size_t>(std::max<int>(w.n_punkte, 0)),
                             w.x.empty() ? 0 : w.x.size() - 1, w.y.empty() ? 0 : w.y.size() - 1});
    return static_cast<int>(n);
}

float weg_breite(const Stadtmodell& m, int w) {
    return m.weg(w).breite;
}

// Places the ways 1..n_wege of a new search in verknuepft; each way's points
// are marked when a walk first comes onto it.
void verknuepfungen_anlegen(const Stadtmodell& m, Umrisssuche& u, int n_wege) {
    u.verknuepft_anfang.resize(ix(n_wege) + 1);
    u.verknuepft_suche.resize(ix(n_wege) + 1, 0);
    if (++u.suche_nummer == 0) { // wrapped: no way may look marked
        std::fill(u.verknuepft_suche.begin(), u.verknuepft_suche.end(), 0u);
        u.suche_nummer = 1;
    }
    std::size_t punkte = 0;
    for (int w = 1; w <= n_wege; ++w) {
        u.verknuepft_anfang[ix(w)] = punkte;
        punkte += ix(lesbare_punkte(m.weg(w))) + 1;
    }
    if (u.verknuepft.size() < punkte) u.verknuepft.resize(punkte);
}

// Marks the points of way w that carry links, once per search.
void verknuepfungen_erfassen(const Weg& weg, Umrisssuche& u, int w) {
    if (u.verknuepft_suche[ix(w)] == u.suche_nummer) return;
    u.verknuepft_suche[ix(w)] = u.suche_nummer;
    const int n = lesbare_punkte(weg);
    std::uint8_t* punkt = u.verknuepft.data() + u.verknuepft_anfang[ix(w)];
    std::fill(punkt, punkt + n + 1, std::uint8_t{0});
    for (const auto& eintrag : weg.verbindungen)
        if (eintrag.first >= 1 && eintrag.first <= n) punkt[eintrag.first] = 1;
}

enum class Ausgang { geschlossen, gescheitert, zu_lang };

int richtung_ziehen(Lauf& l) {
    return l.rnd() <= 0.5f ? 1 : -1;
}

// One random walk; on success the loop is in gang_x/gang_y, points 1..n.
Ausgang gehen(Lauf& l, Umrisssuche& u, int n_wege, int punkte_max, int wege_max, int& n) {
    const Stadtmodell& m = l.m;
    auto weg_von = [&](int w) -> const Weg& { return m.weg(w); };

    // Start way: a way that already bounds an area is taken with 5 % chance.
    // The draws are bounded for the case that every way is used.
    int e = waehlen(l.rnd(), n_wege);
    for (int zug = 0; zug < 1000; ++zug) {
        if (u.weg_benutzt[ix(e)] != 1 || l.rnd() > 0.95f) break;
        e = waehlen(l.rnd(), n_wege);
    }
    const int p0 = waehlen(l.rnd(), weg_von(e).n_punkte);
    if (p0 > lesbare_punkte(weg_von(e))) return Ausgang::gescheitert;

    int w = e, p = p0;
    verknuepfungen_erfassen(weg_von(e), u, e);
    n = 1;
    u.gang_x[1] = weg_von(e).px(p0);
    u.gang_y[1] = weg_von(e).py(p0);
    u.besuchte_wege.clear();
    u.besuchte_wege.push_back(static_cast<std::int16_t>(e));
    int d = richtung_ziehen(l);

    for (;;) {
        p += d;
        const Weg& weg = weg_von(w);
        if (p < 1 || p > lesbare_punkte(weg)) return Ausgang::gescheitert; // off a way end
        if (n >= punkte_max) return Ausgang::zu_lang;
        ++n;
        u.gang_x[ix(n)] = weg.px(p);
        u.gang_y[ix(n)] = weg.py(p);

        if (w == e && p == p0) {
            // Closed. A loop that runs back over its own points is a walk
            // there and back, not the rim of an area.
            if (deckungsgleiche_paare(u.gang_x.data(), u.gang_y.data(), n - 1, u.schluessel) >
                umriss_deckung_max)
                return Ausgang::gescheitert;
            return Ausgang::geschlossen;
        }

        const Verbindungen* v = u.verknuepft[u.verknuepft_anfang[ix(w)] + ix(p)] != 0
                                    ? weg.verbindungen_bei(p)
                                    : nullptr;
        const int c = v != nullptr ? std::min<int>(v->n, verbindungen_max) : 0;
        if (l.rnd() > 0.5f && c >= 1) {
            const auto k = static_cast<std::size_t>(waehlen(l.rnd(), c));
            const int w2 = v->weg[k];
            const int p2 = v->punkt[k];
            // A link into a way or point that does not exist (left from an
            // earlier attempt) leads nowhere.
            if (w2 < 1 || w2 > n_wege || p2 < 1 || p2 > lesbare_punkte(weg_von(w2)))
                return Ausgang::gescheitert;
            if (n >= punkte_max || static_cast<int>(u.besuchte_wege.size()) >= wege_max)
                return Ausgang::zu_lang;
            ++n;
            u.gang_x[ix(n)] = weg_von(w2).px(p2);
            u.gang_y[ix(n)] = weg_von(w2).py(p2);
            d = richtung_ziehen(l);
            u.besuchte_wege.push_back(static_cast<std::int16_t>(w2));
            w = w2;
            p = p2;
            verknuepfungen_erfassen(weg_von(w), u, w);
        }
    }
}

} // namespace

Umrisssuche::Umrisssuche()
    : umriss_x(tabelle, 0.0f), umriss_y(tabelle, 0.0f), umriss_marke(tabelle, 0),
      weg_benutzt(static_cast<std::size_t>(umriss_wege_max) + 1, 0), gang_x(tabelle, 0.0f),
      gang_y(tabelle, 0.0f) {
    besuchte_wege.reserve(64);
}

void Umrisssuche::benutzt_loeschen() {
    std::fill(weg_benutzt.begin(), weg_benutzt.end(), std::uint8_t{0});
}

std::int64_t deckungsgleiche_paare(const float* xs, const float* ys, int n,
                                   std::vector<std::uint64_t>& schluessel) {
    // Sorting the points groups equal ones: a group of k equal points gives
    // k (k - 1) ordered pairs, less the pairs of direct neighbours. This keeps
    // long loops at n log n instead of comparing every pair.
    schluessel.clear();
    for (int i = 1; i <= n; ++i) {
        const float x = xs[i], y = ys[i];
        if (std::isnan(x) || std::isnan(y)) continue; // never equal to anything
        // Adding +0 turns -0 into +0, so the bit patterns agree where == does.
        const auto bx = std::bit_cast<std::uint32_t>(x + 0.0f);
        const auto by = std::bit_cast<std::uint32_t>(y + 0.0f);
        schluessel.push_back((static_cast<std::uint64_t>(bx) << 32) | by);
    }
    std::sort(schluessel.begin(), schluessel.end());
    std::int64_t paare = 0;
    for (std::size_t a = 0; a < schluessel.size();) {
        std::size_t b = a + 1;
        while (b < schluessel.size() && schluessel[b] == schluessel[a])
            ++b;
        const auto k = static_cast<std::int64_t>(b - a);
        paare += k * (k - 1);
        a = b;
    }
    for (int i = 1; i < n; ++i)
        if (xs[i] == xs[i + 1] && ys[i] == ys[i + 1]) paare -= 2;
    return paare;
}

void umriss_vereinfachen(Umrisssuche& u, int n_durchgaenge) {
    auto& x = u.umriss_x;
    auto& y = u.umriss_y;
    int n = u.umriss_n_punkte;
    float x_min = 1e8f, y_min = 1e8f, x_max = -1e8f, y_max = -1e8f;
    for (int i = 1; i <= n; ++i) {
        const auto s = static_cast<std::size_t>(i);
        x_min = minimum(x_min, x[s]);
        x_max = maximum(x_max, x[s]);
        y_min = minimum(y_min, y[s]);
        y_max = maximum(y_max, y[s]);
    }
    const float kurz = abstand(x_min, y_min, x_max, y_max) / 20.0f;

    for (int durchgang = 1;; ++durchgang) {
        if (durchgang > 2 * n_durchgaenge + 1 || n < 60) break;
        std::fill(u.umriss_marke.begin(), u.umriss_marke.end(), std::uint8_t{0});
        for (int h = 2; h <= n - 1; h += 2) {
            const auto s = static_cast<std::size_t>(h);
            if (abstand(x[s - 1], y[s - 1], x[s], y[s]) >= kurz ||
                abstand(x[s], y[s], x[s + 1], y[s + 1]) >= kurz)
                continue;
            const float a1 = winkel_aus(x[s + 1] - x[s], y[s + 1] - y[s]);
            float a0 = winkel_aus(x[s] - x[s - 1], y[s] - y[s - 1]);
            if (std::fabs(a0) < 1e-6f) a0 = 1e-6f;
            if (std::fabs(a1 / a0 - 1.0f) < 0.067f) u.umriss_marke[s] = umriss_marke_weg;
        }
        int neu = 0;
        for (int i = 1; i <= n; ++i) {
            const auto s = static_cast<std::size_t>(i);
            if (u.umriss_marke[s] == umriss_marke_weg) continue;
            ++neu;
            x[ix(neu)] = x[s];
            y[ix(neu)] = y[s];
        }
        const double anteil = static_cast<double>(neu) / static_cast<double>(n);
        n = neu;
        u.umriss_n_punkte = static_cast<std::int16_t>(n);
        if (anteil > 0.9) break;
    }
}

void flaeche_umriss_suchen(Lauf& l, Umrisssuche& u) {
    const Parameter& p = l.p;
    const Stadtmodell& m = l.m;
    ++u.n_suchen;
    u.umriss_gefunden = false;

    // The street count here includes the rivers, as the driver's way range does.
    const float wege = static_cast<float>(p.n_fluesse_max + m.n_fluesse + p.wege_anzahl);
    const int n_durchgaenge = ganz_begrenzt(std::pow(p.weg_aufloesung, 1.41f) * wege / 100.0f) + 1;

    const int n_wege = std::min<int>(m.n_wege, m.wege_kapazitaet());
    if (n_wege < 1) return;
    if (u.weg_benutzt.size() < static_cast<std::size_t>(n_wege) + 1)
        u.weg_benutzt.resize(static_cast<std::size_t>(n_wege) + 1, 0);
    verknuepfungen_anlegen(m, u, n_wege);
    const int punkte_max = std::clamp(u.punkte_max, 1, flaeche_punkte_max);
    const int wege_max = std::clamp(u.wege_max, 1, umriss_wege_max);

    for (int versuch = 1; versuch <= umriss_versuche_max; ++versuch) {
        l.nachgeben();
        if (l.abbruch()) return;
        l.z.neu_saeen();
        u.umriss_gefunden = false;
        int n = 0;
        const Ausgang a = gehen(l, u, n_wege, punkte_max, wege_max, n);
        if (a == Ausgang::zu_lang) ++u.n_zu_lang;
        if (a != Ausgang::geschlossen) continue;
        if (u.zulassen && !u.zulassen(u.gang_x, u.gang_y, n)) {
            ++u.n_abgelehnt;
            continue;
        }

        u.umriss_gefunden = true;
        // The smallest width is taken over the ways of this loop only, not
        // over every walk of the search, and it stays with the outline when a
        // later search fails: it is the fill row spacing of that outline.
        u.umriss_min_breite = 100000.0f;
        for (const std::int16_t w : u.besuchte_wege) {
            u.weg_benutzt[ix(w)] = 1;
            u.umriss_min_breite = std::min(u.umriss_min_breite, weg_breite(m, w));
        }
        std::swap(u.umriss_x, u.gang_x);
        std::swap(u.umriss_y, u.gang_y);
        u.umriss_n_roh = u.umriss_n_punkte = static_cast<std::int16_t>(n);
        umriss_vereinfachen(u, n_durchgaenge);
        return;
    }
}

} // namespace tarvello
