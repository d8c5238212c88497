// The two languages the program speaks to its user, and a text in both.
#pragma once

namespace tarvello {

enum class Sprache { deutsch = 0, englisch = 1 };

// One text in both languages: the entry of every catalogue and caption
// table, and the wording of a front's own message (core/meldung.h).
struct Wortpaar {
    const char* de = "";
    const char* en = "";
    constexpr const char* in(Sprache s) const { return s == Sprache::deutsch ? de : en; }
};

} // namespace tarvello
