// The text form of numbers in the map, settings and palette files: integers
// with a sign space, floats rounded to a few decimals with a decimal point in
// any locale, and the readers of both.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvello {

// " 5 " for 5, "-5 " for -5.
void ganzzahl_anhaengen(std::string& s, long long wert);
// The value rounded to `stellen` decimals, halves to even, without trailing
// zeros and with a decimal point ("12.5", "-3.25", "100"). A value that is not
// finite appends nothing and returns false.
bool gleitzahl_anhaengen(std::string& s, float wert, int stellen);

// Whole number with an optional sign, spaces around it ignored.
std::optional<long long> ganzzahl_aus_zeile(std::string_view text);
// Decimal number (a point, an exponent allowed), spaces around it ignored,
// as the nearest float; nothing for text that is no finite float. A text
// written from a float reads back as that float wherever floats lie further
// apart than the written steps, and as a float written back as the same text
// elsewhere, so save - load - save gives the same file.
std::optional<float> gleitzahl_aus_zeile(std::string_view text);
// The value gleitzahl_aus_zeile reads from the text gleitzahl_anhaengen writes
// for it with two decimals, without making the text; a value that is not
// finite stays as it is.
float gleitzahl_wie_geschrieben(float wert);

// The text without the spaces, tabs and carriage returns around it.
std::string_view beschneiden(std::string_view t);

} // namespace tarvello
