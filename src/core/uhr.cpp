#include "core/uhr.h"

#include <chrono>

namespace tarvello {

double SystemUhr::sekunden() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::uint64_t SystemUhr::ticks() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

Uhr& system_uhr() {
    static SystemUhr uhr;
    return uhr;
}

} // namespace tarvello
