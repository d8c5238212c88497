// A uniform grid over way points (or wall points) for the proximity tests of
// the generator: instead of walking every point of every way, a test looks
// only at the cells around the head. Points outside the covered square go to
// the border cells, so a query near or beyond the border still sees them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tarvello {

struct Rasterpunkt {
    float x, y;
    std::int32_t weg; // way (or 0 for wall points)
    std::int32_t punkt;
};

// The cell (0..n-1) that v falls in, counting cells of width `zelle` from v0;
// values beyond either end go to the end cells, NaN to the first.
inline int zellenstelle(float v, float v0, float zelle, int n) {
    const float c = (v - v0) / zelle;
    if (!(c >= 0.0f)) return 0;
    if (c >= static_cast<float>(n - 1)) return n - 1;
    return static_cast<int>(c);
}

// The cells of a square grid over [x0, x0 + seite]^2: values outside it go
// to the border cells (NaN to the first), so a query near or beyond the
// border still finds them.
struct Quadratzellen {
    float x0 = 0, zelle = 1;
    int n = 0; // cells along a side

    // Cells of at least zelle_min, at most max_zellen along a side.
    static Quadratzellen anlegen(float x0, float seite, float zelle_min, int max_zellen) {
        Quadratzellen q;
        q.x0 = x0;
        int n = max_zellen;
        if (zelle_min > 0.0f) n = std::min(n, std::max(1, static_cast<int>(seite / zelle_min)));
        q.n = std::max(1, n);
        q.zelle = seite / static_cast<float>(q.n);
        if (!(q.zelle > 0.0f)) q.zelle = 1.0f;
        return q;
    }
    int stelle(float v) const { return zellenstelle(v, x0, zelle, n); }
    std::size_t index(int cx, int cy) const {
        return static_cast<std::size_t>(cy) * static_cast<std::size_t>(n) +
               static_cast<std::size_t>(cx);
    }
    std::size_t anzahl() const { return static_cast<std::size_t>(n) * static_cast<std::size_t>(n); }
    bool operator==(const Quadratzellen&) const = default;
};

class Punktraster {
  public:
    // Covers [x0, x0 + seite]^2 with cells of at least `zelle_min`, at most
    // `max_zellen` cells along a side.
    void neu(float x0, float seite, float zelle_min, int max_zellen = 512) {
        const Quadratzellen q = Quadratzellen::anlegen(x0, seite, zelle_min, max_zellen);
        if (q == q_ && !zellen_.empty()) {
            leeren(); // same layout: keep the cells' memory
        } else {
            q_ = q;
            zellen_.assign(q_.anzahl(), {});
            anzahl_ = 0;
        }
    }

    void leeren() {
        for (auto& z : zellen_)
            z.clear();
        anzahl_ = 0;
    }

    void einfuegen(int weg, int punkt, float x, float y) {
        zellen_[index(zelle(x), zelle(y))].push_back({x, y, weg, punkt});
        ++anzahl_;
    }

    // Removes the entry of (weg, punkt) stored at (x, y).
    void entfernen(int weg, int punkt, float x, float y) {
        auto& z = zellen_[index(zelle(x), zelle(y))];
        for (std::size_t i = 0; i < z.size(); ++i) {
            if (z[i].weg == weg && z[i].punkt == punkt) {
                z[i] = z.back();
                z.pop_back();
                --anzahl_;
                return;
            }
        }
    }

    // Calls f(const Rasterpunkt&) for every entry in the cells that touch the
    // square of half side r round (x, y). The caller checks the distance.
    template <class F> void umkreis(float x, float y, float r, F&& f) const {
        const int x1 = zelle(x - r), x2 = zelle(x + r), y1 = zelle(y - r), y2 = zelle(y + r);
        for (int cy = y1; cy <= y2; ++cy)
            for (int cx = x1; cx <= x2; ++cx)
                for (const Rasterpunkt& p : zellen_[index(cx, cy)])
                    f(p);
    }

    // The same, ending as soon as f returns true; returns whether it did.
    template <class F> bool suchen(float x, float y, float r, F&& f) const {
        const int x1 = zelle(x - r), x2 = zelle(x + r), y1 = zelle(y - r), y2 = zelle(y + r);
        for (int cy = y1; cy <= y2; ++cy)
            for (int cx = x1; cx <= x2; ++cx)
                for (const Rasterpunkt& p : zellen_[index(cx, cy)])
                    if (f(p)) return true;
        return false;
    }

    std::size_t anzahl() const { return anzahl_; }
    bool leer() const { return zellen_.empty(); }

  private:
    int zelle(float v) const { return q_.stelle(v); }
    std::size_t index(int cx, int cy) const { return q_.index(cx, cy); }

    Quadratzellen q_;
    std::vector<std::vector<Rasterpunkt>> zellen_;
    std::size_t anzahl_ = 0;
};

} // namespace tarvello

namespace tarvello {

// The same kind of grid for entries that do not change once it is built:
// all entries in one array, cell by cell, which keeps a query's entries
// close together in memory. Collect each entry at its place with sammeln(),
// then bauen(). The grid covers the box of the collected places, so its
// cells stay small however far the map reaches; queries outside the box
// look at the border cells. An entry carries whatever its queries read, so
// that they need not look anything up elsewhere.
template <class T> class Zellenfeld {
  public:
    void sammeln(float x, float y, const T& eintrag) {
        orte_.push_back({x, y});
        roh_.push_back(eintrag);
    }
    // Room for n more entries, so that collecting many does not copy them
    // again and again.
    void vormerken(std::size_t n) {
        orte_.reserve(orte_.size() + n);
        roh_.reserve(roh_.size() + n);
    }

    // Builds the grid with square cells of at least zelle_min and at most
    // max_zellen cells in all.
    void bauen(float zelle_min, std::size_t max_zellen = std::size_t{1} << 20) {
        float x_lo = 0, x_hi = 0, y_lo = 0, y_hi = 0;
        bool erster = true;
        for (const Ort& p : orte_) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
            if (erster) {
                x_lo = x_hi = p.x;
                y_lo = y_hi = p.y;
                erster = false;
            }
            x_lo = std::min(x_lo, p.x);
            x_hi = std::max(x_hi, p.x);
            y_lo = std::min(y_lo, p.y);
            y_hi = std::max(y_hi, p.y);
        }
        x0_ = x_lo;
        y0_ = y_lo;
        const double bx = static_cast<double>(x_hi) - x_lo, by = static_cast<double>(y_hi) - y_lo;
        double zelle = std::max(static_cast<double>(zelle_min), 1e-3);
        // Widen the cells until the grid fits its budget.
        while ((bx / zelle + 1.0) * (by / zelle + 1.0) > static_cast<double>(max_zellen))
            zelle *= 1.25;
        zelle_ = static_cast<float>(zelle);
        nx_ = std::max(1, static_cast<int>(bx / zelle) + 1);
        ny_ = std::max(1, static_cast<int>(by / zelle) + 1);
        const std::size_t zellen = static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_);
        anfang_.assign(zellen + 1, 0);
        for (const Ort& p : orte_)
            ++anfang_[index(zelle_x(p.x), zelle_y(p.y)) + 1];
        for (std::size_t i = 1; i <= zellen; ++i)
            anfang_[i] += anfang_[i - 1];
        eintraege_.resize(roh_.size());
        std::vector<std::uint32_t> pos(anfang_.begin(), anfang_.end() - 1);
        for (std::size_t i = 0; i < roh_.size(); ++i)
            eintraege_[pos[index(zelle_x(orte_[i].x), zelle_y(orte_[i].y))]++] = roh_[i];
        roh_.clear();
        roh_.shrink_to_fit();
        orte_.clear();
        orte_.shrink_to_fit();
    }

    template <class F> void umkreis(float x, float y, float r, F&& f) const {
        if (anfang_.empty()) return;
        const int x1 = zelle_x(x - r), x2 = zelle_x(x + r), y1 = zelle_y(y - r),
                  y2 = zelle_y(y + r);
        for (int cy = y1; cy <= y2; ++cy) {
            const std::size_t von = anfang_[index(x1, cy)], bis = anfang_[index(x2, cy) + 1];
            for (std::size_t i = von; i < bis; ++i)
                f(eintraege_[i]);
        }
    }

    // The same, ending as soon as f returns true; returns whether it did.
    // Rows are visited from the query's own row outwards, where a hit is
    // most likely.
    template <class F> bool suchen(float x, float y, float r, F&& f) const {
        return suchen_im_rahmen(x - r, y - r, x + r, y + r, y, f);
    }

    // The same for the cells that touch the box [x_lo, x_hi] x [y_lo, y_hi],
    // rows from the one holding y outwards.
    template <class F>
    bool suchen_im_rahmen(float x_lo, float y_lo, float x_hi, float y_hi, float y, F&& f) const {
        if (anfang_.empty()) return false;
        const int x1 = zelle_x(x_lo), x2 = zelle_x(x_hi), y1 = zelle_y(y_lo), y2 = zelle_y(y_hi);
        const int mitte = std::clamp(zelle_y(y), y1, y2);
        auto zeile = [&](int cy) {
            const std::size_t von = anfang_[index(x1, cy)], bis = anfang_[index(x2, cy) + 1];
            for (std::size_t i = von; i < bis; ++i)
                if (f(eintraege_[i])) return true;
            return false;
        };
        if (zeile(mitte)) return true;
        for (int d = 1; mitte - d >= y1 || mitte + d <= y2; ++d) {
            if (mitte - d >= y1 && zeile(mitte - d)) return true;
            if (mitte + d <= y2 && zeile(mitte + d)) return true;
        }
        return false;
    }

    std::size_t anzahl() const { return eintraege_.size(); }

  private:
    struct Ort {
        float x, y;
    };
    int zelle_x(float v) const { return zellenstelle(v, x0_, zelle_, nx_); }
    int zelle_y(float v) const { return zellenstelle(v, y0_, zelle_, ny_); }
    std::size_t index(int cx, int cy) const {
        return static_cast<std::size_t>(cy) * static_cast<std::size_t>(nx_) +
               static_cast<std::size_t>(cx);
    }

    float x0_ = 0, y0_ = 0, zelle_ = 1;
    int nx_ = 0, ny_ = 0;
    std::vector<std::uint32_t> anfang_;
    std::vector<T> eintraege_;
    std::vector<T> roh_;
    std::vector<Ort> orte_;
};

// Points of ways (or of the wall) by their coordinates.
class Punktfeld : public Zellenfeld<Rasterpunkt> {
  public:
    void sammeln(int weg, int punkt, float x, float y) {
        Zellenfeld::sammeln(x, y, {x, y, weg, punkt});
    }
};

// A uniform grid over boxes (buildings): each entry is listed, with its box,
// in every cell its box touches, so a query looks only at the cells its own
// box touches and passes over boxes that miss it without touching the
// entry's own data. Two boxes that meet share at least one cell; an entry
// may come up more than once in one query, and entries come up in no
// particular order.
//
// The building stage asks it about random places all over the town, so it
// is kept small: a cell is one index into a pool of cache-line blocks,
// chained when a cell holds more. An entry carries whatever a query reads
// of it (T), so that a hit need not look anything up elsewhere.
template <class T> class Rahmenfeld {
  public:
    // Covers [x0, x0 + seite]^2 with cells of at least zelle_min, at most
    // max_zellen along a side; boxes beyond it go to the border cells.
    void neu(float x0, float seite, float zelle_min, int max_zellen = 512) {
        q_ = Quadratzellen::anlegen(x0, seite, zelle_min, max_zellen);
        kopf_.assign(q_.anzahl(), 0);
        bloecke_.clear();
    }

    void einfuegen(const T& inhalt, float x_lo, float y_lo, float x_hi, float y_hi) {
        const int x1 = zelle(x_lo), x2 = zelle(x_hi), y1 = zelle(y_lo), y2 = zelle(y_hi);
        for (int cy = y1; cy <= y2; ++cy) {
            for (int cx = x1; cx <= x2; ++cx) {
                std::uint32_t& kopf = kopf_[index(cx, cy)];
                if (kopf == 0 || bloecke_[kopf - 1].anzahl() == Block::platz) {
                    bloecke_.emplace_back();
                    bloecke_.back().kette = kopf << 2;
                    kopf = static_cast<std::uint32_t>(bloecke_.size());
                }
                Block& b = bloecke_[kopf - 1];
                b.e[b.anzahl()] = {x_lo, y_lo, x_hi, y_hi, inhalt};
                ++b.kette;
            }
        }
    }

    // Calls f(const T&) for the entries of every cell the box touches, ending
    // as soon as f returns true; returns whether it did.
    template <class F> bool suchen(float x_lo, float y_lo, float x_hi, float y_hi, F&& f) const {
        return durchlaufen(x_lo, y_lo, x_hi, y_hi, [&](const Eintrag& e) { return f(e.inhalt); });
    }

    // The same for only the entries whose boxes meet the query's box
    // (touching counts as meeting).
    template <class F>
    bool suchen_treffend(float x_lo, float y_lo, float x_hi, float y_hi, F&& f) const {
        return durchlaufen(x_lo, y_lo, x_hi, y_hi, [&](const Eintrag& e) {
            return !(x_lo > e.x_hi || e.x_lo > x_hi || y_lo > e.y_hi || e.y_lo > y_hi) &&
                   f(e.inhalt);
        });
    }

  private:
    struct Eintrag {
        float x_lo, y_lo, x_hi, y_hi;
        T inhalt;
    };
    // As many entries as fill a cache line beside the chain word, at least one.
    struct alignas(64) Block {
        static constexpr std::uint32_t platz =
            sizeof(Eintrag) * 3 + 4 <= 64 ? 3 : (sizeof(Eintrag) * 2 + 4 <= 64 ? 2 : 1);
        Eintrag e[platz];
        std::uint32_t kette = 0; // next block of the cell (1-based, 0: none) << 2 | entries used
        std::uint32_t anzahl() const { return kette & 3u; }
        std::uint32_t weiter() const { return kette >> 2; }
    };

    template <class F>
    bool durchlaufen(float x_lo, float y_lo, float x_hi, float y_hi, F&& f) const {
        if (kopf_.empty()) return false;
        const int x1 = zelle(x_lo), x2 = zelle(x_hi), y1 = zelle(y_lo), y2 = zelle(y_hi);
        for (int cy = y1; cy <= y2; ++cy)
            for (int cx = x1; cx <= x2; ++cx)
                for (std::uint32_t k = kopf_[index(cx, cy)]; k != 0;) {
                    const Block& b = bloecke_[k - 1];
                    for (std::uint32_t i = 0; i < b.anzahl(); ++i)
                        if (f(b.e[i])) return true;
                    k = b.weiter();
                }
        return false;
    }
    int zelle(float v) const { return q_.stelle(v); }
    std::size_t index(int cx, int cy) const { return q_.index(cx, cy); }

    Quadratzellen q_;
    std::vector<std::uint32_t> kopf_; // per cell: its newest block (1-based), 0 when empty
    std::vector<Block> bloecke_;
};

// Boxes carrying a number each (towers).
using Rahmenraster = Rahmenfeld<std::int32_t>;

} // namespace tarvello
