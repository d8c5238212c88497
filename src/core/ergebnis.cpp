#include "core/ergebnis.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tarvello {

Ergebnis Ergebnis::fehler(Fehlerart art, std::string deutsch, std::string englisch) {
    if (art == Fehlerart::keiner) {
        // A fault without a kind would read as success: a programming error.
        std::fputs("tarvello: internal error: a fault of kind 'keiner'\n", stderr);
        std::abort();
    }
    Ergebnis e;
    e.art_ = art;
    e.deutsch_ = std::move(deutsch);
    e.englisch_ = std::move(englisch);
    return e;
}

Ergebnis Ergebnis::mit_vorsatz(std::string_view vorsatz) const {
    if (gut()) return *this;
    return fehler(art_, std::string(vorsatz) + deutsch_, std::string(vorsatz) + englisch_);
}

} // namespace tarvello
