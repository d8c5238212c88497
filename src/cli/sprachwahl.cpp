#include "cli/sprachwahl.h"

#include <algorithm>
#include <cstdlib>

namespace tarvello {

Sprache sprache_aus_gebietsschema(const char* language, const char* lc_all, const char* lc_messages,
                                  const char* lang) {
    std::string_view wert;
    if (language) {
        wert = language;
        wert.remove_prefix(std::min(wert.find_first_not_of(':'), wert.size()));
        wert = wert.substr(0, wert.find(':'));
    }
    for (const char* v : {lc_all, lc_messages, lang}) {
        if (!wert.empty()) break;
        if (v) wert = v;
    }
    return wert.starts_with("de") ? Sprache::deutsch : Sprache::englisch;
}

Sprache sprache_der_umgebung() {
    return sprache_aus_gebietsschema(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                     std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::optional<Sprache> sprache_aus_kuerzel(std::string_view kuerzel) {
    if (kuerzel == "de") return Sprache::deutsch;
    if (kuerzel == "en") return Sprache::englisch;
    return std::nullopt;
}

} // namespace tarvello
