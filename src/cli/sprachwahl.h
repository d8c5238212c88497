// Which language the command line speaks: the locale's, unless --lang says
// otherwise.
#pragma once

#include <optional>
#include <string_view>

#include "core/sprache.h"

namespace tarvello {

// The language of the locale variables (null when unset). The first of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set and not empty decides;
// LANGUAGE may list several languages separated by colons, and its first
// entry counts. A value beginning with "de" gives German, any other English,
// and so does no value at all.
Sprache sprache_aus_gebietsschema(const char* language, const char* lc_all, const char* lc_messages,
                                  const char* lang);

// sprache_aus_gebietsschema of this process's environment.
Sprache sprache_der_umgebung();

// The value of --lang: "de" or "en"; nothing for any other.
std::optional<Sprache> sprache_aus_kuerzel(std::string_view kuerzel);

} // namespace tarvello
