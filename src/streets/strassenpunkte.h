// The street points of the junction search: a uniform grid over the points of
// the streets, and beside it the newest points of the street being walked.
// Those lie round the head at every step, and the search passes over a
// street's own last points anyway; kept out of the grid they cost it nothing.
// They go into the grid as the walk moves on.
#pragma once

#include <cstddef>
#include <vector>

#include "geometry/punktraster.h"

namespace tarvello {

// Points of its own within this many indices of the head never stop a street.
inline constexpr int eigene_nachbarn = 20;

class Strassenpunkte {
  public:
    // Covers [x0, x0 + seite]^2 with cells of at least `zelle_min`, at most
    // `max_zellen` along a side; points beyond it go to the border cells.
    void neu(float x0, float seite, float zelle_min, int max_zellen = 512) {
        const Quadratzellen q = Quadratzellen::anlegen(x0, seite, zelle_min, max_zellen);
        if (q == q_ && !zellen_.empty()) {
            for (auto& z : zellen_)
                z.clear(); // same layout: keep the cells' memory
        } else {
            q_ = q;
            zellen_.assign(q_.anzahl(), {});
        }
        anzahl_ = 0;
        frisch_.clear();
        frisch_anfang_ = 0;
        frisch_weg_ = 0;
    }

    // A point of another way than the newest points', or not beyond them,
    // sends them all into the grid first.
    void einfuegen(int weg, int punkt, float x, float y) {
        if (weg != frisch_weg_ ||
            (frisch_anfang_ < frisch_.size() && punkt <= frisch_.back().punkt)) {
            while (frisch_anfang_ < frisch_.size())
                ins_raster(frisch_[frisch_anfang_++]);
            frisch_weg_ = weg;
        }
        if (frisch_anfang_ == frisch_.size()) {
            frisch_.clear();
            frisch_anfang_ = 0;
        } else if (frisch_anfang_ >= 64) {
            frisch_.erase(frisch_.begin(), frisch_.begin() + static_cast<long>(frisch_anfang_));
            frisch_anfang_ = 0;
        }
        frisch_.push_back({x, y, weg, punkt});
        // Those the next steps may meet move on.
        while (frisch_[frisch_anfang_].punkt < punkt - eigene_nachbarn)
            ins_raster(frisch_[frisch_anfang_++]);
    }

    // Removes the entry of (weg, punkt) stored at (x, y).
    void entfernen(int weg, int punkt, float x, float y) {
        if (weg == frisch_weg_) {
            for (std::size_t i = frisch_.size(); i-- > frisch_anfang_;) {
                if (frisch_[i].punkt == punkt) {
                    frisch_.erase(frisch_.begin() + static_cast<long>(i));
                    return;
                }
            }
        }
        // A street is taken out newest point first; its points are then the
        // last ones of their cells.
        auto& z = zellen_[q_.index(q_.stelle(x), q_.stelle(y))];
        for (std::size_t i = z.size(); i-- > 0;) {
            if (z[i].weg == weg && z[i].punkt == punkt) {
                z[i] = z.back();
                z.pop_back();
                --anzahl_;
                return;
            }
        }
    }

    // Calls f(const Rasterpunkt&) for every entry in the cells that touch the
    // square of half side r round (x, y), and for the newest points, except
    // (some of) the points of `weg` within eigene_nachbarn indices of
    // `punkt`. The caller checks the distance.
    template <class F> void umkreis(float x, float y, float r, int weg, int punkt, F&& f) const {
        const int x1 = q_.stelle(x - r), x2 = q_.stelle(x + r), y1 = q_.stelle(y - r),
                  y2 = q_.stelle(y + r);
        const std::vector<Rasterpunkt>* zeile = zellen_.data() + q_.index(x1, y1);
        const std::size_t n = static_cast<std::size_t>(q_.n);
        for (int cy = y1; cy <= y2; ++cy, zeile += n)
            for (const std::vector<Rasterpunkt>* z = zeile; z <= zeile + (x2 - x1); ++z)
                for (const Rasterpunkt& p : *z)
                    f(p);
        // The newest points are in index order: those of `weg` within reach
        // of `punkt` are one run.
        std::size_t a = frisch_anfang_, b = frisch_.size();
        if (weg != frisch_weg_) {
            for (; a < b; ++a)
                f(frisch_[a]);
            return;
        }
        for (; a < b && frisch_[a].punkt < punkt - eigene_nachbarn; ++a)
            f(frisch_[a]);
        for (; b > a && frisch_[b - 1].punkt > punkt + eigene_nachbarn; --b)
            f(frisch_[b - 1]);
    }

    std::size_t anzahl() const { return anzahl_ + frisch_.size() - frisch_anfang_; }

  private:
    void ins_raster(const Rasterpunkt& p) {
        zellen_[q_.index(q_.stelle(p.x), q_.stelle(p.y))].push_back(p);
        ++anzahl_;
    }

    Quadratzellen q_;
    std::vector<std::vector<Rasterpunkt>> zellen_;
    std::size_t anzahl_ = 0; // entries in the cells
    // The newest points of way frisch_weg_, by rising index, from frisch_anfang_ on.
    std::vector<Rasterpunkt> frisch_;
    std::size_t frisch_anfang_ = 0;
    int frisch_weg_ = 0;
};

} // namespace tarvello
