#include "core/zufall.h"

#include <cmath>

namespace tarvello {

namespace {

// splitmix64: a good 64-bit mixer and a fine generator on its own.
std::uint64_t mischen(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

} // namespace

Zufall::Zufall(Uhr& uhr) : uhr_(&uhr) {
    zustand_ = mischen(uhr_->ticks() ^ 0x5DEECE66Dull);
}

Zufall::Zufall(std::uint64_t startwert, Uhr& uhr) : uhr_(&uhr) {
    startwert_setzen(startwert);
}

void Zufall::startwert_setzen(std::uint64_t startwert) {
    startwert_ = startwert;
    zaehler_ = 0;
    zustand_ = mischen(startwert);
}

void Zufall::neu_saeen() {
    const std::uint64_t quelle = startwert_ ? ++zaehler_ : uhr_->ticks();
    zustand_ = mischen(zustand_ ^ mischen(quelle));
}

int Zufall::zufall_ganz(int a, int b) {
    neu_saeen();
    return static_cast<int>(std::floor(static_cast<float>(b - a + 1) * rnd())) + a;
}

} // namespace tarvello
