// Counts the buildings that paint over a street's white body, on one A4
// sheet and on a picture of the same scale, for maps generated in process.
//
//   druckpruefer PRESETS SEEDS [--dpi D] [--min N] [--pixels P]   e.g. 8,10 31-38
//
// Prints one line per map and the totals: buildings, and those with at
// least N pixels (2) on a street's white body, on the sheet and the picture
// (P pixels square; without it the sheet's map square at D dpi).
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/uhr.h"
#include "core/vorlagen.h"
#include "core/wirt.h"
#include "generator/treiber.h"
#include "karten/druckbild.h"

using namespace tarvello;

namespace {

// "8,10" or "31-38" or "0-3,9".
std::vector<long> liste_lesen(const char* text) {
    std::vector<long> werte;
    std::string s(text);
    std::size_t pos = 0;
    while (pos <= s.size()) {
        const std::size_t ende = std::min(s.find(',', pos), s.size());
        const std::string teil = s.substr(pos, ende - pos);
        const std::size_t strich = teil.find('-', 1);
        const long von = std::strtol(teil.c_str(), nullptr, 10);
        const long bis =
            strich == std::string::npos ? von : std::strtol(teil.c_str() + strich + 1, nullptr, 10);
        for (long v = von; v <= bis; ++v)
            werte.push_back(v);
        pos = ende + 1;
    }
    return werte;
}

// Per cent of `von`, 0 of nothing.
double prozent(long teil, long von) {
    return von > 0 ? 100.0 * static_cast<double>(teil) / static_cast<double>(von) : 0.0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // fonts
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: druckpruefer PRESETS SEEDS [--dpi D] [--min N] [--pixels P]\n");
        return 2;
    }
    int dpi = 300, pixel_min = 2, bildseite = 0;
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--dpi") == 0) dpi = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--min") == 0) pixel_min = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--pixels") == 0) bildseite = std::atoi(argv[i + 1]);
    }
    long gebaeude = 0, druck = 0, bild = 0;
    for (long vorlage : liste_lesen(argv[1])) {
        long g_v = 0, d_v = 0, b_v = 0;
        for (long startwert : liste_lesen(argv[2])) {
            Steuerwerte s = start_steuerwerte();
            vorlage_anwenden(s, static_cast<int>(vorlage));
            Stadtmodell m;
            Wirt wirt;
            stadtplan_erstellen({s, static_cast<std::uint64_t>(startwert), {}}, m, system_uhr(),
                                wirt);
            const Druckbildbefund d = haeuser_ueber_strassen(m, Zielart::drucker, dpi, pixel_min);
            const Druckbildbefund b =
                haeuser_ueber_strassen(m, Zielart::bild, dpi, pixel_min, bildseite);
            std::printf("preset %ld seed %ld: buildings %d, print %d (%ld px), picture %d (%ld px)",
                        vorlage, startwert, d.gebaeude, d.ueber_strasse, d.pixel, b.ueber_strasse,
                        b.pixel);
            for (int h : d.beispiele)
                std::printf(" #%d", h);
            std::printf(" karten_faktor %.3f\n", static_cast<double>(m.karten_faktor));
            g_v += d.gebaeude;
            d_v += d.ueber_strasse;
            b_v += b.ueber_strasse;
        }
        std::printf("preset %ld: %ld buildings, print %ld (%.1f %%), picture %ld (%.1f %%)\n",
                    vorlage, g_v, d_v, prozent(d_v, g_v), b_v, prozent(b_v, g_v));
        gebaeude += g_v;
        druck += d_v;
        bild += b_v;
    }
    std::printf("all: %ld buildings, print %ld (%.1f %%), picture %ld (%.1f %%)\n", gebaeude, druck,
                prozent(druck, gebaeude), bild, prozent(bild, gebaeude));
    return druck > 0 ? 1 : 0;
}
