// A weighted draw among entries that drop out one by one: the building
// stage draws its anchors (a street point and a side) this way, among those
// still in play. Weights are whole numbers, so taking entries out leaves the
// sums exact however many go.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvello {

class Ankerwahl {
  public:
    // Entry i carries gewichte[i]; entries of weight 0 are never drawn.
    void anlegen(const std::vector<std::uint64_t>& gewichte) {
        n_ = gewichte.size();
        gewicht_ = gewichte;
        baum_.assign(n_ + 1, 0);
        lebend_ = 0;
        for (std::size_t i = 0; i < n_; ++i) {
            baum_[i + 1] += gewicht_[i];
            const std::size_t j = (i + 1) + ((i + 1) & (~(i + 1) + 1));
            if (j <= n_) baum_[j] += baum_[i + 1];
            if (gewicht_[i] > 0) ++lebend_;
        }
        summe_ = 0;
        for (std::uint64_t g : gewicht_)
            summe_ += g;
        stufe_ = 1;
        while (stufe_ * 2 <= n_)
            stufe_ *= 2;
    }

    // The entry whose share of the total holds zufall (64 uniform bits);
    // only when some entry is left.
    std::size_t ziehen(std::uint64_t zufall) const {
        std::uint64_t rest =
            static_cast<std::uint64_t>((static_cast<unsigned __int128>(zufall) * summe_) >> 64);
        std::size_t i = 0;
        for (std::size_t s = stufe_; s > 0; s /= 2) {
            if (i + s <= n_ && baum_[i + s] <= rest) {
                i += s;
                rest -= baum_[i];
            }
        }
        return i; // 0-based: the first entry whose prefix passes rest
    }

    // Takes entry i out of the draw (again is harmless).
    void entfernen(std::size_t i) {
        const std::uint64_t g = gewicht_[i];
        if (g == 0) return;
        gewicht_[i] = 0;
        summe_ -= g;
        --lebend_;
        for (std::size_t j = i + 1; j <= n_; j += j & (~j + 1))
            baum_[j] -= g;
    }

    bool im_spiel(std::size_t i) const { return gewicht_[i] > 0; }
    std::size_t lebend() const { return lebend_; }

  private:
    std::size_t n_ = 0, lebend_ = 0, stufe_ = 1;
    std::uint64_t summe_ = 0;
    std::vector<std::uint64_t> gewicht_;
    std::vector<std::uint64_t> baum_; // Fenwick sums, 1-based
};

} // namespace tarvello
