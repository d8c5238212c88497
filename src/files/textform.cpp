#include "files/textform.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tarvello {

namespace {

bool leerzeichen(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The text of fest_formatieren for a v whose value times 10^stellen is
// exact in a double and below 2^53 (any float with up to six decimals short
// of 2^53 / 10^stellen): that product rounded to a whole number, halves to
// even, is the digits the general conversion writes. Written backwards so
// that it ends at `ende`; returns its start, or nullptr for other v.
char* fest_schnell(char* ende, double v, int stellen) {
    constexpr double zehner[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};
    if (stellen < 0 || stellen > 6) return nullptr;
    const double a = std::fabs(v) * zehner[stellen];
    if (!(a < 9007199254740992.0)) return nullptr; // 2^53; also NaN
    auto n = static_cast<std::uint64_t>(a);
    const double rest = a - static_cast<double>(n); // exact below 2^53
    if (rest > 0.5 || (rest == 0.5 && (n & 1u) != 0)) ++n;
    // The decimals without trailing zeros, then the whole part.
    char* z = ende;
    int nachkomma = stellen;
    while (nachkomma > 0 && n % 10 == 0) {
        n /= 10;
        --nachkomma;
    }
    const bool punkt = nachkomma > 0;
    for (; nachkomma > 0; --nachkomma) {
        *--z = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (punkt) *--z = '.';
    do {
        *--z = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    // No "-0": a negative value rounding to zero is written "0".
    if (std::signbit(v) && !(z[0] == '0' && z + 1 == ende)) *--z = '-';
    return z;
}

// Decimal text of v rounded to `stellen` places, halves to even (to_chars
// rounds the exact binary value), trailing zeros removed.
std::size_t fest_formatieren(char* puffer, std::size_t groesse, double v, int stellen) {
    auto r = std::to_chars(puffer, puffer + groesse, v, std::chars_format::fixed, stellen);
    char* ende = r.ptr;
    if (stellen > 0) {
        while (ende[-1] == '0')
            --ende;
        if (ende[-1] == '.') --ende;
    }
    std::size_t n = static_cast<std::size_t>(ende - puffer);
    if (n == 2 && puffer[0] == '-' && puffer[1] == '0') {
        puffer[0] = '0';
        n = 1;
    }
    return n;
}

} // namespace

std::string_view beschneiden(std::string_view t) {
    while (!t.empty() && leerzeichen(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && leerzeichen(t.back()))
        t.remove_suffix(1);
    return t;
}

void ganzzahl_anhaengen(std::string& s, long long wert) {
    char puffer[24];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, wert);
    if (wert >= 0) s += ' ';
    s.append(puffer, r.ptr);
    s += ' ';
}

bool gleitzahl_anhaengen(std::string& s, float wert, int stellen) {
    if (!std::isfinite(wert)) return false;
    char puffer[80]; // the largest float has 39 digits before the point
    char* const ende = puffer + sizeof puffer;
    if (const char* anfang = fest_schnell(ende, static_cast<double>(wert), stellen))
        s.append(anfang, static_cast<std::size_t>(ende - anfang));
    else
        s.append(puffer,
                 fest_formatieren(puffer, sizeof puffer, static_cast<double>(wert), stellen));
    return true;
}

std::optional<long long> ganzzahl_aus_zeile(std::string_view text) {
    text = beschneiden(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty() || text.front() == '+') return std::nullopt;
    long long wert = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), wert);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    return wert;
}

std::optional<float> gleitzahl_aus_zeile(std::string_view text) {
    text = beschneiden(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty() || !(text.front() == '-' || text.front() == '.' ||
                          (text.front() >= '0' && text.front() <= '9')))
        return std::nullopt; // no "nan", "inf"
    double d = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), d);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(d) || std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(d);
}

float gleitzahl_wie_geschrieben(float wert) {
    if (!std::isfinite(wert)) return wert;
    // A float times 100 is exact in a double; rounding it to a whole number,
    // halves to even, is what writing two decimals does. The quotient by 100
    // is the double nearest the written text, as reading it finds.
    const double geschrieben = std::nearbyint(static_cast<double>(wert) * 100.0) / 100.0;
    // The text of a value rounding to zero is "0", never "-0".
    if (geschrieben == 0.0) return 0.0f;
    return static_cast<float>(geschrieben);
}

} // namespace tarvello
