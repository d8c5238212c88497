// The one uniform random generator of a run. Re-seeding mixes the clock into
// the current state (never replaces the state by a function of the clock), so
// two re-seeds within one clock tick still give different numbers. With a
// user-given seed every re-seed mixes a counter instead of the clock, which
// makes a whole run repeatable.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/uhr.h"

namespace tarvello {

class Zufall {
  public:
    // Seeded from the clock; re-seeds mix the clock.
    explicit Zufall(Uhr& uhr = system_uhr());
    // Fixed seed; re-seeds mix a counter, the clock is never read.
    Zufall(std::uint64_t startwert, Uhr& uhr = system_uhr());

    // Uniform float in [0, 1) (24 random bits, so 1.0f is never returned).
    // Inline: the building stage draws tens of millions of these.
    float rnd() { return static_cast<float>(roh64() >> 40) * (1.0f / 16777216.0f); }

    // "Re-seed from the timer".
    void neu_saeen();

    // Switch to the fixed-seed mode with the given seed.
    void startwert_setzen(std::uint64_t startwert);
    std::optional<std::uint64_t> startwert() const { return startwert_; }

    // Re-seeds, then Int((b - a + 1) * Rnd) + a: an integer in a..b.
    int zufall_ganz(int a, int b);

    // A fresh 64-bit value (splitmix64), also for drawing a seed to report.
    std::uint64_t roh64() {
        zustand_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = zustand_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

  private:
    std::uint64_t zustand_ = 0;
    std::uint64_t zaehler_ = 0;
    std::optional<std::uint64_t> startwert_;
    Uhr* uhr_;
};

// A seed drawn from the clock, short enough to read out and type in.
std::uint64_t startwert_ziehen();

// A typed seed (blanks already trimmed): an optional '+' and decimal digits,
// 0 to 2^64 - 1; nothing for any other text.
std::optional<std::uint64_t> startwert_lesen(std::string_view text);

} // namespace tarvello
