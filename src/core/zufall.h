// The one uniform random generator of a run. Re-seeding mixes the clock into
// the current state (never replaces the state by a function of the clock), so
// two re-seeds within one clock tick still give different numbers. With a
// user-given seed every re-seed mixes a counter instead of the clock, which
// makes a whole run repeatable.
#pragma once

#include <cstdint>
#include <optional>

#include "core/uhr.h"

namespace tarvello {

class Zufall {
  public:
    // Seeded from the clock; re-seeds mix the clock.
    explicit Zufall(Uhr& uhr = system_uhr());
    // Fixed seed; re-seeds mix a counter, the clock is never read.
    Zufall(std::uint64_t startwert, Uhr& uhr = system_uhr());

    // Uniform float in [0, 1) (24 random bits, so 1.0f is never returned).
    float rnd();

    // "Re-seed from the timer".
    void neu_saeen();

    // Switch to the fixed-seed mode with the given seed.
    void startwert_setzen(std::uint64_t startwert);
    std::optional<std::uint64_t> startwert() const { return startwert_; }

    // Re-seeds, then Int((b - a + 1) * Rnd) + a: an integer in a..b.
    int zufall_ganz(int a, int b);

    // A fresh 64-bit value, for drawing a seed to report to the user.
    std::uint64_t roh64();

  private:
    std::uint64_t zustand_ = 0;
    std::uint64_t zaehler_ = 0;
    std::optional<std::uint64_t> startwert_;
    Uhr* uhr_;
};

} // namespace tarvello
