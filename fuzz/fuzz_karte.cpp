// libFuzzer target for the city map reader (.qls): any bytes, and what is
// accepted is written back and read again.
#include <cstdio>
#include <cstdlib>

#include "arbeitsdatei.h"
#include "pruefung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string_view inhalt(reinterpret_cast<const char*>(daten), groesse);
    const std::string fehler =
        tarvello::pruefung::karte(inhalt, tarvello::pruefung::arbeitsdatei());
    if (!fehler.empty()) {
        std::fprintf(stderr, "%s\n", fehler.c_str());
        std::abort();
    }
    return 0;
}
