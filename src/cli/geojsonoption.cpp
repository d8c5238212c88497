#include "cli/geojsonoption.h"

#include <cstdio>

#include "cli/befehlszeile.h"
#include "files/geojson.h"

namespace tarvello {

void geojson_option_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"geojson",
                      "Save the map as GeoJSON FILE: every street, river, wall stretch, tower, "
                      "gate, building, square and park, in metres with y up the map.",
                      "FILE"});
}

Ergebnis geojson_option_pruefen(const QCommandLineParser& parser) {
    if (!parser.isSet("geojson")) return {};
    const QStringList werte = parser.values("geojson");
    if (werte.size() > 1) return bedienungsfehler("--geojson is given more than once");
    if (werte.first().trimmed().isEmpty()) return bedienungsfehler("--geojson needs a file name");
    // The GeoJSON holds the whole map in map metres, never a section.
    for (const char* name : {"matrix", "zoom", "view"})
        if (parser.isSet(name))
            std::fprintf(stderr, "Note: --%s does not apply to the GeoJSON file.\n", name);
    return {};
}

Ergebnis geojson_option_ausfuehren(const QCommandLineParser& parser, const Stadtmodell& modell,
                                   const Kartenkopf& kopf) {
    if (!parser.isSet("geojson")) return {};
    return geojson_speichern(parser.value("geojson"), modell, kopf);
}

} // namespace tarvello
