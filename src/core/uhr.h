// Clocks used by the generator: seconds for time-outs and a fine tick for
// mixing into the random generator. Tests replace the clock to make time-outs
// happen (or never happen) on demand.
#pragma once

#include <cstdint>

namespace tarvello {

class Uhr {
  public:
    virtual ~Uhr() = default;
    // Seconds since an arbitrary start, monotonic.
    virtual double sekunden() = 0;
    // A fine-grained tick (nanoseconds on the real clock) used for re-seeding.
    virtual std::uint64_t ticks() = 0;
};

// The real monotonic clock of the machine.
class SystemUhr final : public Uhr {
  public:
    double sekunden() override;
    std::uint64_t ticks() override;
};

// A clock that only moves when told to; for tests.
class TestUhr final : public Uhr {
  public:
    double zeit = 0.0;
    std::uint64_t tick = 0;
    double sekunden() override { return zeit; }
    std::uint64_t ticks() override { return tick; }
};

// The process-wide real clock.
Uhr& system_uhr();

} // namespace tarvello
