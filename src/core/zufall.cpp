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

std::uint64_t startwert_ziehen() {
    Zufall uhrzufall;
    return uhrzufall.roh64() >> 16;
}

std::optional<std::uint64_t> startwert_lesen(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::uint64_t wert = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto ziffer = static_cast<std::uint64_t>(c - '0');
        if (wert > (UINT64_MAX - ziffer) / 10) return std::nullopt;
        wert = wert * 10 + ziffer;
    }
    return wert;
}

} // namespace tarvello
