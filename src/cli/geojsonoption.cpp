#include "cli/geojsonoption.h"

#include <cstdio>

#include "cli/befehlszeile.h"
#include "files/geojson.h"

namespace tarvello {

void geojson_option_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption(
        {"geojson",
         sprachtext("Den Stadtplan als GeoJSON-DATEI speichern: jede Straße, jeden Fluss, jedes "
                    "Mauerstück, jeden Turm, jedes Tor, Gebäude, jeden Platz und Park, in Grad "
                    "(WGS 84) um --geo-origin.",
                    "Save the map as GeoJSON FILE: every street, river, wall stretch, tower, "
                    "gate, building, square and park, in degrees (WGS 84) around --geo-origin."),
         sprachtext("DATEI", "FILE")});
}

Ergebnis geojson_option_lesen(const QCommandLineParser& parser, std::optional<QString>& datei) {
    if (!parser.isSet("geojson")) return {};
    const QStringList werte = parser.values("geojson");
    if (werte.size() > 1) return bedienungsfehler(mehrfach("geojson"));
    if (werte.first().trimmed().isEmpty())
        return bedienungsfehler({QStringLiteral("--geojson braucht einen Dateinamen"),
                                 QStringLiteral("--geojson needs a file name")});
    // The GeoJSON holds the whole map in map metres, never a section.
    for (const char* name : {"matrix", "zoom", "view"})
        if (parser.isSet(name))
            std::fprintf(stderr, "%s\n",
                         qPrintable(sprachtext("Hinweis: --%1 gilt nicht für die GeoJSON-Datei.",
                                               "Note: --%1 does not apply to the GeoJSON file.")
                                        .arg(QLatin1String(name))));
    datei = werte.first();
    return {};
}

void geo_optionen_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption(
        {"geo-origin",
         sprachtext("Die Mitte des Stadtplans liegt bei BREITE,LÄNGE in Grad (WGS 84; 0,0). "
                    "Meter werden gleichabständig um diesen Punkt zu Grad.",
                    "The map's centre lies at LAT,LON in degrees (WGS 84; 0,0). Metres become "
                    "degrees by an equirectangular projection about that point."),
         sprachtext("BREITE,LÄNGE", "LAT,LON")});
    parser.addOption(
        {"world-file",
         sprachtext("Neben jede PNG- und BMP-Grafik eine Weltdatei (.pgw, .bmpw) in denselben "
                    "Grad wie die GeoJSON-Datei schreiben.",
                    "Write a world file (.pgw, .bmpw) beside each PNG and BMP picture, in the "
                    "same degrees as the GeoJSON file.")});
}

Ergebnis geo_optionen_lesen(const QCommandLineParser& parser, const Bildwunsch& bilder,
                            Georeferenz& geo) {
    if (parser.values("geo-origin").size() > 1) return bedienungsfehler(mehrfach("geo-origin"));
    if (parser.isSet("geo-origin") && !geoursprung_lesen(parser.value("geo-origin"), geo.ursprung))
        return bedienungsfehler(
            Worte{QStringLiteral("--geo-origin: '%1' ist nicht BREITE,LÄNGE mit |BREITE| <= 85 "
                                 "und |LÄNGE| <= 180"),
                  QStringLiteral("--geo-origin: '%1' is not LAT,LON with |LAT| <= 85 and |LON| "
                                 "<= 180")}
                .arg(parser.value("geo-origin")));
    geo.weltdatei = parser.isSet("world-file");
    if (!geo.weltdatei) return {};
    bool raster = false;
    for (const Exportdatei& d : bilder.dateien) {
        if (d.format == Bildformat::svg) continue;
        // A world file lies beside a file; a stream has no beside.
        if (d.datei == QLatin1String("-"))
            return bedienungsfehler({QStringLiteral("--world-file braucht eine Grafikdatei, "
                                                    "nicht die Standardausgabe"),
                                     QStringLiteral("--world-file needs a picture file, not "
                                                    "standard output")});
        raster = true;
    }
    if (!raster)
        return bedienungsfehler({QStringLiteral("--world-file braucht --png oder --bmp"),
                                 QStringLiteral("--world-file needs --png or --bmp")});
    return {};
}

Ergebnis geojson_schreiben(const std::optional<QString>& datei, const Stadtmodell& modell,
                           const Kartenkopf& kopf, const Georeferenz& geo) {
    if (!datei) return {};
    return geojson_speichern(*datei, modell, kopf, geo.ursprung);
}

Ergebnis weltdateien_schreiben(const Georeferenz& geo, const Bildwunsch& bilder,
                               const Stadtmodell& modell) {
    if (!geo.weltdatei) return {};
    const float s = modell.stadt_abmessung;
    const Geoabbildung abbildung(geo.ursprung, static_cast<double>(s));
    const Bildausschnitt a = bildausschnitt(bilder, s);
    const int n = bilder.optionen.export_matrix, pixel = bilder.optionen.export_pixel;
    for (const Exportdatei& d : bilder.dateien) {
        if (d.format == Bildformat::svg) continue;
        for (int zeile = 1; zeile <= n; ++zeile)
            for (int spalte = 1; spalte <= n; ++spalte) {
                const QString bild = export_dateiname(d.datei, d.format, n, spalte, zeile);
                if (Ergebnis e = weltdatei_speichern(weltdatei_name(bild), abbildung,
                                                     bildraster(s, a, n, pixel, zeile, spalte));
                    !e.gut())
                    return e;
            }
    }
    return {};
}

} // namespace tarvello
