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

bool farben_aus_optionen(const QCommandLineParser& parser, Druckfarben& farben, QString& fehler) {
    if (!parser.isSet("palette")) {
        farben = farben_laden();
        return true;
    }
    Druckfarben f = Druckfarben::standard();
    if (const Dateiergebnis e = palette_laden(parser.value("palette"), f)) {
        fehler = e->meldung();
        return false;
    }
    farben = f;
    return true;
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
        if (parser.values(name).size() > 1) {
            fehler_melden(QStringLiteral("--%1 is given more than once").arg(name));
            return bedienfehler;
        }
    if (parser.isSet("store") && !parser.isSet("load")) {
        fehler_melden("--store needs --load FILE");
        return bedienfehler;
    }

    Druckfarben farben = farben_laden();
    if (parser.isSet("load")) {
        if (const Dateiergebnis e = palette_laden(parser.value("load"), farben)) {
            fehler_melden(e->meldung());
            return dateifehler;
        }
    }
    if (parser.isSet("store")) {
        QString fehler;
        if (!farben_speichern(farben, fehler)) {
            fehler_melden(fehler);
            return dateifehler;
        }
    }
    if (parser.isSet("save")) {
        if (const Dateiergebnis e = palette_speichern(parser.value("save"), farben)) {
            fehler_melden(e->meldung());
            return dateifehler;
        }
    }
    if (!parser.isSet("save") && !parser.isSet("store")) auflisten(farben);
    return ok;
}

} // namespace tarvello
