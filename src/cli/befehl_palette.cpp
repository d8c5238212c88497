#include "cli/befehl_palette.h"

#include <cstdio>

#include "cli/ausgabeziel.h"
#include "cli/befehlszeile.h"
#include "files/farbspeicher.h"

namespace tarvello {

namespace {

// Short names of the colour table's entries, for the listing.
const struct {
    const char* deutsch;
    const char* englisch;
} farbnamen[n_druckfarben] = {
    {"große Straßen", "big streets"},
    {"mittlere Straßen", "medium streets"},
    {"kleine Straßen", "small streets"},
    {"Straßenrahmen", "street outline"},
    {"Gebäude", "buildings"},
    {"Hintergrund", "background"},
    {"Straßennummern", "street labels"},
    {"Gebäudenummern", "building labels"},
    {"Schnittmarken", "crop marks"},
    {"Flüsse", "rivers"},
    {"Parks", "parks"},
    {"Plätze", "squares"},
    {"Parknummern", "park labels"},
    {"Platznummern", "square labels"},
    {"Stadtmauer", "city wall"},
    {"Mauertürme", "wall towers"},
};

void auflisten(const Druckfarben& f) {
    for (int i = 0; i < n_druckfarben; ++i) {
        const QRgb c = f.farbe[static_cast<std::size_t>(i)];
        std::printf("%2d  %3d %3d %3d  %8lld  %s\n", i, qRed(c), qGreen(c), qBlue(c), farbwert(c),
                    qPrintable(sprachtext({farbnamen[i].deutsch, farbnamen[i].englisch})));
    }
}

} // namespace

void palette_option_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"palette",
                      sprachtext({"Mit den Farben der Farbpalette DATEI (.qlf) statt der "
                                  "gespeicherten Farben zeichnen.",
                                  "Draw with the colours of palette FILE (.qlf) instead of the "
                                  "stored colours."}),
                      sprachtext({"DATEI", "FILE"})});
}

Ergebnis farben_lesen(const std::optional<QString>& palette, Druckfarben& farben) {
    if (!palette) {
        farben = farben_laden();
        return {};
    }
    Druckfarben f = Druckfarben::standard();
    if (Ergebnis e = palette_laden(*palette, f); !e.gut()) return e;
    farben = f;
    return {};
}

namespace {

void optionen(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        sprachtext({"Zeigt die gespeicherten Zeichenfarben, speichert sie als Farbpalette (.qlf) "
                    "oder lädt eine.",
                    "Shows the stored drawing colours, saves them as a palette file (.qlf) or "
                    "loads one."}));
    hilfe_option_hinzufuegen(parser);
    sprach_option_hinzufuegen(parser);
    const QString datei = sprachtext({"DATEI", "FILE"});
    parser.addOption({"save",
                      sprachtext({"Die Farben als Farbpalette DATEI schreiben.",
                                  "Write the colours as palette FILE."}),
                      datei});
    parser.addOption({"load",
                      sprachtext({"Die Farbpalette DATEI lesen und ihre Farben auflisten.",
                                  "Read palette FILE and list its colours."}),
                      datei});
    parser.addOption({"store", sprachtext({"Mit --load: die Farbpalette zu den gespeicherten "
                                           "Standardfarben machen.",
                                           "With --load: make the palette the stored default "
                                           "colours."})});
}

int ausfuehren(const Befehlsaufruf& aufruf) {
    if (const auto ende = vorab_erledigt(aufruf, true)) return *ende;
    const QCommandLineParser& parser = *aufruf.parser;
    for (const char* name : {"save", "load"})
        if (parser.values(name).size() > 1) return melden(bedienungsfehler(mehrfach(name)));
    if (parser.isSet("store") && !parser.isSet("load"))
        return melden(bedienungsfehler(
            wortmeldung({"--store braucht --load DATEI", "--store needs --load FILE"})));

    if (Ergebnis e = ausgaben_pruefen({wert_von(parser, "save")}); !e.gut()) return melden(e);

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

} // namespace

const Befehl palette_befehl{"palette", optionen, ausfuehren, nullptr};

} // namespace tarvello
