#include "cli/befehl_palette.h"

#include <cstdio>

#include "cli/befehlszeile.h"
#include "files/farbspeicher.h"

namespace tarvello {

namespace {

// Short English names of the colour table's entries, for the listing.
const char* const farbnamen[n_druckfarben] = {
    "big streets", "medium streets", "small streets", "street outline",
    "buildings",   "background",     "street labels", "building labels",
    "crop marks",  "rivers",         "parks",         "squares",
    "park labels", "square labels",  "city wall",     "wall towers",
};

void auflisten(const Druckfarben& f) {
    for (int i = 0; i < n_druckfarben; ++i) {
        const QRgb c = f.farbe[static_cast<std::size_t>(i)];
        std::printf("%2d  %3d %3d %3d  %8lld  %s\n", i, qRed(c), qGreen(c), qBlue(c), farbwert(c),
                    farbnamen[i]);
    }
}

} // namespace

void palette_option_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"palette",
                      "Draw with the colours of palette FILE (.qlf) instead of the "
                      "stored colours.",
                      "FILE"});
}

Ergebnis farben_aus_optionen(const QCommandLineParser& parser, Druckfarben& farben) {
    if (!parser.isSet("palette")) {
        farben = farben_laden();
        return {};
    }
    Druckfarben f = Druckfarben::standard();
    if (Ergebnis e = palette_laden(parser.value("palette"), f); !e.gut()) return e;
    farben = f;
    return {};
}

int befehl_palette(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows the stored drawing colours, saves them as a palette file (.qlf) or loads one.");
    parser.addHelpOption();
    parser.addOption({"save", "Write the colours as palette FILE.", "FILE"});
    parser.addOption({"load", "Read palette FILE and list its colours.", "FILE"});
    parser.addOption({"store", "With --load: make the palette the stored default colours."});
    if (const auto ende = befehl_parsen(parser, argumente, true)) return *ende;
    for (const char* name : {"save", "load"})
        if (parser.values(name).size() > 1)
            return melden(
                bedienungsfehler(QStringLiteral("--%1 is given more than once").arg(name)));
    if (parser.isSet("store") && !parser.isSet("load"))
        return melden(bedienungsfehler("--store needs --load FILE"));

    Druckfarben farben = farben_laden();
    if (parser.isSet("load"))
        if (Ergebnis e = palette_laden(parser.value("load"), farben); !e.gut()) return melden(e);
    if (parser.isSet("store"))
        if (Ergebnis e = farben_speichern(farben); !e.gut()) return melden(e);
    if (parser.isSet("save"))
        if (Ergebnis e = palette_speichern(parser.value("save"), farben); !e.gut())
            return melden(e);
    if (!parser.isSet("save") && !parser.isSet("store")) auflisten(farben);
    return ok;
}

} // namespace tarvello
