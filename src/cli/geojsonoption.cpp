#include "cli/geojsonoption.h"

#include <cstdio>

#include "cli/befehlszeile.h"
#include "files/geojson.h"

namespace tarvello {

void geojson_option_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption(
        {"geojson",
         sprachtext({"Den Stadtplan als GeoJSON-DATEI speichern: jede Straße, jeden Fluss, jedes "
                     "Mauerstück, jeden Turm, jedes Tor, Gebäude, jeden Platz und Park, in Metern, "
                     "y zeigt kartenaufwärts.",
                     "Save the map as GeoJSON FILE: every street, river, wall stretch, tower, "
                     "gate, building, square and park, in metres with y up the map."}),
         sprachtext({"DATEI", "FILE"})});
}

Ergebnis geojson_option_lesen(const QCommandLineParser& parser, std::optional<QString>& datei) {
    if (!parser.isSet("geojson")) return {};
    const QStringList werte = parser.values("geojson");
    if (werte.size() > 1) return bedienungsfehler(mehrfach("geojson"));
    if (werte.first().trimmed().isEmpty())
        return bedienungsfehler(
            wortmeldung({"--geojson braucht einen Dateinamen", "--geojson needs a file name"}));
    // The GeoJSON holds the whole map in map metres, never a section.
    for (const char* name : {"matrix", "zoom", "view"})
        if (parser.isSet(name))
            std::fprintf(stderr, "%s\n",
                         qPrintable(sprachtext({"Hinweis: --%1 gilt nicht für die GeoJSON-Datei.",
                                                "Note: --%1 does not apply to the GeoJSON file."})
                                        .arg(QLatin1String(name))));
    datei = werte.first();
    return {};
}

Ergebnis geojson_schreiben(const std::optional<QString>& datei, const Stadtmodell& modell,
                           const Kartenkopf& kopf) {
    if (!datei) return {};
    return geojson_speichern(*datei, modell, kopf);
}

} // namespace tarvello
