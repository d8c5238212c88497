#include "core/status.h"

namespace tarvello {

// The status wordings follow Statusart in the catalogue.
static_assert(static_cast<int>(Meldungsart::status_versuche_erschoepft) -
                      static_cast<int>(Meldungsart::status_meldung) + 1 ==
                  statusarten,
              "one status message per status kind, in the order of Statusart");

Meldung status_meldung(const Status& status) {
    const auto art = static_cast<Meldungsart>(static_cast<int>(Meldungsart::status_meldung) +
                                              static_cast<int>(status.art));
    return Meldung(art, status.zahl, status.von, status.meldung);
}

std::string status_text(const Status& status, Sprache sprache) {
    return worten(status_meldung(status), sprache);
}

} // namespace tarvello
