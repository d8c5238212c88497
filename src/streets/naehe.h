// Where on the map a point of a fixed set may be near: a coarse grid whose
// cells are marked when they or one of their eight neighbours hold a point.
// A search of a reach well under a cell whose own cell is unmarked has
// nothing to find, which spares most steps of the street walk the look at
// the river grid.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/punktraster.h"

namespace tarvello {

class Naehe {
  public:
    // Covers [x0, x0 + seite]^2 with cells of at least `zelle_min`; points
    // beyond it mark the border cells.
    void neu(float x0, float seite, float zelle_min) {
        q_ = Quadratzellen::anlegen(x0, seite, zelle_min, 1024);
        marken_.assign(q_.anzahl(), 0);
    }

    void markieren(float x, float y) {
        const int cx = q_.stelle(x), cy = q_.stelle(y);
        for (int j = cy - 1; j <= cy + 1; ++j)
            for (int i = cx - 1; i <= cx + 1; ++i)
                if (i >= 0 && j >= 0 && i < q_.n && j < q_.n) marken_[q_.index(i, j)] = 1;
    }

    // False only when no marked point lies within r of (x, y). A reach of a
    // cell or more, or a grid never laid, answers true.
    bool vielleicht(float x, float y, float r) const {
        // Points within r of each other then lie in the same or neighbouring
        // cells, rounding included.
        if (marken_.empty() || !(r <= 0.9f * q_.zelle)) return true;
        return marken_[q_.index(q_.stelle(x), q_.stelle(y))] != 0;
    }

  private:
    Quadratzellen q_;
    std::vector<std::uint8_t> marken_;
};

} // namespace tarvello
