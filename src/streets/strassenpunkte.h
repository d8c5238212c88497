// The street points of the junction search: a uniform grid over the points of
// the streets, and beside it the newest points of the street being walked.
// Those lie round the head at every step, and the search passes over a
// street's own last points anyway; kept out of the grid they cost it nothing.
// They go into the grid as the walk moves on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/punktraster.h"

namespace tarvello {

// Points of its own within this many indices of the head never stop a street.
inline constexpr int eigene_nachbarn = 20;

// A point of the grid; ways and point indices fit the model's 16 bits.
struct Strassenpunkt {
    float x, y;
    std::int16_t weg, punkt;
};

class Strassenpunkte {
  public:
    // Covers [x0, x0 + seite]^2 with cells of at least `zelle_min`, at most
    // `max_zellen` along a side; points beyond it go to the border cells.
    void neu(float x0, float seite, float zelle_min, int max_zellen = 512) {
        q_ = Quadratzellen::anlegen(x0, seite, zelle_min, max_zellen);
        kehrwert_ = 1.0f / q_.zelle;
        kopf_.assign(q_.anzahl(), 0);
        bloecke_.clear();
        frei_.clear();
        anzahl_ = 0;
        frisch_von_ = frisch_bis_ = 0;
        frisch_weg_ = 0;
    }

    // Point `punkt` of way `weg` (of half-width `breite`) at (x, y). A point
    // of another way than the newest points', or not beyond them, sends them
    // all into the grid first.
    void einfuegen(int weg, int punkt, float x, float y, float breite) {
        if (weg != frisch_weg_ ||
            (frisch_von_ != frisch_bis_ && punkt <= frisch(frisch_bis_ - 1).punkt)) {
            while (frisch_von_ != frisch_bis_)
                ins_raster(frisch(frisch_von_++));
            frisch_weg_ = weg;
        }
        if (static_cast<std::size_t>(weg) >= breiten_.size())
            breiten_.resize(static_cast<std::size_t>(weg) + 64, 0.0f);
        breiten_[static_cast<std::size_t>(weg)] = breite;
        frisch_[frisch_bis_++ % frisch_platz] = {x, y, static_cast<std::int16_t>(weg),
                                                 static_cast<std::int16_t>(punkt)};
        // Those the next steps may meet move on; at most eigene_nachbarn + 1
        // points stay, as their indices rise.
        while (frisch(frisch_von_).punkt < punkt - eigene_nachbarn)
            ins_raster(frisch(frisch_von_++));
    }

    // Removes the entry of (weg, punkt) stored at (x, y).
    void entfernen(int weg, int punkt, float x, float y) {
        if (weg == frisch_weg_) {
            for (unsigned i = frisch_bis_; i-- != frisch_von_;) {
                if (frisch(i).punkt == punkt) {
                    for (; i + 1 != frisch_bis_; ++i)
                        frisch_[i % frisch_platz] = frisch(i + 1);
                    --frisch_bis_;
                    return;
                }
            }
        }
        // A street is taken out newest point first; its points are then the
        // last ones of their cells, in the cell's newest block.
        std::uint32_t& kopf = kopf_[index(stelle(x), stelle(y))];
        for (std::uint32_t k = kopf; k != 0; k = bloecke_[k - 1].weiter()) {
            Block& b = bloecke_[k - 1];
            for (std::uint32_t i = b.anzahl(); i-- > 0;) {
                if (b.e[i].weg != weg || b.e[i].punkt != punkt) continue;
                // The cell's newest entry takes its place.
                Block& neuester = bloecke_[kopf - 1];
                b.e[i] = neuester.e[neuester.anzahl() - 1];
                --neuester.kette;
                if (neuester.anzahl() == 0) {
                    frei_.push_back(kopf);
                    kopf = neuester.weiter();
                }
                --anzahl_;
                return;
            }
        }
    }

    // Calls f(const Strassenpunkt&) for every entry in the cells that touch
    // the square of half side r round (x, y), and for the newest points,
    // except (some of) the points of `weg` within eigene_nachbarn indices of
    // `punkt`. The caller checks the distance.
    template <class F> void umkreis(float x, float y, float r, int weg, int punkt, F&& f) const {
        const int x1 = stelle(x - r), x2 = stelle(x + r), y1 = stelle(y - r), y2 = stelle(y + r);
        const std::uint32_t* zeile = kopf_.data() + index(x1, y1);
        const std::size_t n = static_cast<std::size_t>(q_.n);
        for (int cy = y1; cy <= y2; ++cy, zeile += n)
            for (const std::uint32_t* z = zeile; z <= zeile + (x2 - x1); ++z)
                for (std::uint32_t k = *z; k != 0;) {
                    const Block& b = bloecke_[k - 1];
                    for (std::uint32_t i = 0; i < b.anzahl(); ++i)
                        f(b.e[i]);
                    k = b.weiter();
                }
        // The newest points are in index order: those of `weg` within reach
        // of `punkt` are one run.
        unsigned a = frisch_von_, b = frisch_bis_;
        if (weg != frisch_weg_) {
            for (; a != b; ++a)
                f(frisch(a));
            return;
        }
        for (; a != b && frisch(a).punkt < punkt - eigene_nachbarn; ++a)
            f(frisch(a));
        for (; b != a && frisch(b - 1).punkt > punkt + eigene_nachbarn; --b)
            f(frisch(b - 1));
    }

    // The half-width a way's points came with: the search needs no more of
    // most ways it passes.
    float breite(int weg) const { return breiten_[static_cast<std::size_t>(weg)]; }

    std::size_t anzahl() const { return anzahl_ + (frisch_bis_ - frisch_von_); }

  private:
    // Room for the newest points (a power of two).
    static constexpr unsigned frisch_platz = 32;
    static_assert(frisch_platz > eigene_nachbarn + 1);

    // A cache line of a cell's entries; the cell's blocks are chained
    // newest first.
    struct alignas(64) Block {
        static constexpr std::uint32_t platz = 5;
        Strassenpunkt e[platz];
        std::uint32_t kette = 0; // next block (1-based, 0: none) << 3 | entries used
        std::uint32_t anzahl() const { return kette & 7u; }
        std::uint32_t weiter() const { return kette >> 3; }
    };
    static_assert(sizeof(Block) == 64);

    // The cell along one axis, as zellenstelle() counts it but with the
    // reciprocal: every search and entry here agree on it.
    int stelle(float v) const {
        const float c = (v - q_.x0) * kehrwert_;
        if (!(c >= 0.0f)) return 0;
        if (c >= static_cast<float>(q_.n - 1)) return q_.n - 1;
        return static_cast<int>(c);
    }
    std::size_t index(int cx, int cy) const { return q_.index(cx, cy); }

    const Strassenpunkt& frisch(unsigned i) const { return frisch_[i % frisch_platz]; }

    void ins_raster(const Strassenpunkt& p) {
        std::uint32_t& kopf = kopf_[index(stelle(p.x), stelle(p.y))];
        if (kopf == 0 || bloecke_[kopf - 1].anzahl() == Block::platz) {
            std::uint32_t k;
            if (!frei_.empty()) {
                k = frei_.back();
                frei_.pop_back();
            } else {
                bloecke_.emplace_back();
                k = static_cast<std::uint32_t>(bloecke_.size());
            }
            bloecke_[k - 1].kette = kopf << 3;
            kopf = k;
        }
        Block& b = bloecke_[kopf - 1];
        b.e[b.anzahl()] = p;
        ++b.kette;
        ++anzahl_;
    }

    Quadratzellen q_;
    float kehrwert_ = 1.0f;
    std::vector<std::uint32_t> kopf_; // per cell: its newest block (1-based), 0 when empty
    std::vector<Block> bloecke_;
    std::vector<std::uint32_t> frei_; // emptied blocks, for reuse
    std::vector<float> breiten_;      // per way
    std::size_t anzahl_ = 0;          // entries in the cells
    // The newest points of way frisch_weg_, by rising index: the running
    // counts frisch_von_ .. frisch_bis_ taken modulo the room.
    std::array<Strassenpunkt, frisch_platz> frisch_{};
    unsigned frisch_von_ = 0, frisch_bis_ = 0;
    int frisch_weg_ = 0;
};

} // namespace tarvello
