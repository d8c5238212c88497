#include "core/ergebnis.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tarvello {

Ergebnis Ergebnis::fehler(Fehlerart art, Meldung meldung) {
    if (art == Fehlerart::keiner || meldung.leer()) {
        // A fault without a kind would read as success, one without words
        // would show nothing: a programming error either way.
        std::fputs(art == Fehlerart::keiner ? "tarvello: internal error: a fault of kind 'keiner'\n"
                                            : "tarvello: internal error: a fault without words\n",
                   stderr);
        std::abort();
    }
    Ergebnis e;
    e.art_ = art;
    e.meldung_ = std::move(meldung);
    return e;
}

Ergebnis Ergebnis::fehler(Fehlerart art, std::string deutsch, std::string englisch) {
    return fehler(art, Meldung(Wortpaar{deutsch.c_str(), englisch.c_str()}));
}

Ergebnis Ergebnis::mit_vorsatz(std::string_view vorsatz) const {
    if (gut()) return *this;
    return fehler(art_, Meldung(Meldungsart::vorsatz, vorsatz, meldung_));
}

} // namespace tarvello
