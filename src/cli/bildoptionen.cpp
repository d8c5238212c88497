#include "cli/bildoptionen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStorageInfo>
#include <QStringList>
#include <cmath>

#include "cli/ausgabeziel.h"
#include "cli/befehlszeile.h"
#include "files/druckfarben.h"
#include "render/exportpruefung.h"

namespace tarvello {

namespace {

Ergebnis zahl_lesen(const QString& text, const QString& option, double& wert) {
    bool gut = false;
    const double v = text.trimmed().toDouble(&gut); // always with a decimal point
    if (!gut || !std::isfinite(v))
        return bedienungsfehler(Worte{QStringLiteral("%1: '%2' ist keine Zahl"),
                                      QStringLiteral("%1: '%2' is not a number")}
                                    .arg(option, text));
    wert = v;
    return {};
}

} // namespace

Ergebnis bild_optionen_lesen(const QCommandLineParser& p, Bildwunsch& w) {
    const struct {
        const char* name;
        Bildformat format;
    } formate[] = {{"png", Bildformat::png}, {"bmp", Bildformat::bmp}, {"svg", Bildformat::svg}};
    for (const auto& f : formate) {
        if (!p.isSet(f.name)) continue;
        const QStringList werte = p.values(f.name);
        if (werte.size() > 1) return bedienungsfehler(mehrfach(f.name));
        if (werte.first().trimmed().isEmpty())
            return bedienungsfehler(Worte{QStringLiteral("--%1 braucht einen Dateinamen"),
                                          QStringLiteral("--%1 needs a file name")}
                                        .arg(QString::fromLatin1(f.name)));
        w.dateien.push_back({f.format, werte.first()});
    }

    if (w.dateien.empty()) {
        // A PDF has its own use of these (the print options check them).
        const bool pdf = p.optionNames().contains(QStringLiteral("pdf"));
        // Beside a GeoJSON these are only noted (cli/geojsonoption.h).
        const bool geojson = p.optionNames().contains(QStringLiteral("geojson"));
        for (const char* name :
             {"pixels", "matrix", "zoom", "view", "outline-only", "labels", "label-size"}) {
            const QLatin1String n(name);
            if (pdf && (n == "outline-only" || n == "labels" || n == "label-size")) continue;
            if (geojson && (n == "matrix" || n == "zoom" || n == "view")) continue;
            if (p.isSet(name))
                return bedienungsfehler(
                    Worte{QStringLiteral("--%1 braucht --png, --bmp oder --svg"),
                          QStringLiteral("--%1 needs --png, --bmp or --svg")}
                        .arg(QString::fromLatin1(name)));
        }
        return {};
    }

    const struct {
        const char* name;
        long long min, max;
        int Druckoptionen::*feld;
    } ganzzahlen[] = {{"pixels", 100, 10000, &Druckoptionen::export_pixel},
                      {"matrix", 1, 5, &Druckoptionen::export_matrix},
                      {"label-size", 0, 500, &Druckoptionen::export_schriftgroesse}};
    for (const auto& g : ganzzahlen) {
        if (!p.isSet(g.name)) continue;
        long long n = 0;
        if (Ergebnis e = ganzzahl_lesen(p.value(g.name), QStringLiteral("--%1").arg(g.name), g.min,
                                        g.max, n);
            !e.gut())
            return e;
        w.optionen.*g.feld = static_cast<int>(n);
    }
    w.optionen.export_nur_umriss = p.isSet("outline-only");
    if (p.isSet("labels"))
        if (Ergebnis e = beschriftung_lesen(p.value("labels"), w.optionen); !e.gut()) return e;

    // Every file a picture or a matrix of them is written to, before the run.
    // A name that is only a folder ("sub/") would write a hidden "sub/.png",
    // and a folder would get a picture beside it.
    const int n = w.optionen.export_matrix;
    for (const Exportdatei& d : w.dateien) {
        if (direktes_ziel(d.datei)) {
            // A stream or device takes one picture as it is named.
            if (n > 1)
                return bedienungsfehler(
                    Worte{QStringLiteral("--%1 %2 nimmt nur ein Bild auf, nicht --matrix %3"),
                          QStringLiteral("--%1 %2 takes one picture only, not --matrix %3")}
                        .arg(bildformat_endung(d.format).mid(1), d.datei)
                        .arg(QString::number(n)));
            continue;
        }
        const QString erste = export_dateiname(d.datei, d.format, 1, 1, 1);
        if (QFileInfo(erste).completeBaseName().isEmpty())
            return bedienungsfehler(Worte{QStringLiteral("--%1: '%2' nennt keine Datei (nur %3)"),
                                          QStringLiteral("--%1: '%2' names no file (only %3)")}
                                        .arg(QFileInfo(erste).suffix(), d.datei, erste));
        if (QFileInfo(d.datei).isDir())
            return bedienungsfehler(Worte{QStringLiteral("--%1: %2 ist ein Ordner, keine Datei"),
                                          QStringLiteral("--%1: %2 is a folder, not a file")}
                                        .arg(bildformat_endung(d.format).mid(1), d.datei));
        for (int spalte = 1; spalte <= n; ++spalte)
            for (int zeile = 1; zeile <= n; ++zeile)
                if (Ergebnis e =
                        ausgabe_pruefen(export_dateiname(d.datei, d.format, n, spalte, zeile));
                    !e.gut())
                    return e;
    }

    // Pictures that cannot fit into memory are refused before the run and
    // before anything is allocated; BMP files too large for the free space
    // on their drive are a write fault found early.
    const qint64 speicher = verfuegbarer_speicher();
    for (const Exportdatei& d : w.dateien) {
        const auto hindernis = [&](qint64 platz, qint64 frei) {
            return Worte{export_hindernis(w.optionen.export_pixel, w.optionen.export_matrix,
                                          d.format, platz, frei, Sprache::deutsch),
                         export_hindernis(w.optionen.export_pixel, w.optionen.export_matrix,
                                          d.format, platz, frei, Sprache::englisch)};
        };
        if (const Worte h = hindernis(-1, speicher); !h.englisch.isEmpty())
            return bedienungsfehler(
                Worte{QStringLiteral("%1: %2"), QStringLiteral("%1: %2")}.arg(d.datei).arg(h));
        if (direktes_ziel(d.datei)) continue;
        const QStorageInfo laufwerk(QFileInfo(d.datei).absolutePath());
        if (!laufwerk.isValid()) continue;
        if (const Worte h = hindernis(laufwerk.bytesAvailable(), -1); !h.englisch.isEmpty())
            return Worte{QStringLiteral("%1: %2"), QStringLiteral("%1: %2")}
                .arg(d.datei)
                .arg(h)
                .ergebnis(Fehlerart::datei);
    }

    if (p.isSet("zoom")) {
        double z = 0;
        if (Ergebnis e = zahl_lesen(p.value("zoom"), "--zoom", z); !e.gut()) return e;
        if (z < 1.0 || z > 10.0)
            return bedienungsfehler(Worte{QStringLiteral("--zoom: %1 liegt außerhalb von 1..10"),
                                          QStringLiteral("--zoom: %1 is outside 1..10")}
                                        .arg(p.value("zoom").trimmed()));
        w.zoom = static_cast<float>(z);
    }
    if (p.isSet("view")) {
        if (!w.zoom)
            return bedienungsfehler(
                {QStringLiteral("--view braucht --zoom (bei Zoom 1 ist der ganze Stadtplan zu "
                                "sehen)"),
                 QStringLiteral("--view needs --zoom (at zoom 1 the whole map is shown)")});
        const QStringList xy = p.value("view").split(',');
        double x = 0, y = 0;
        if (xy.size() != 2)
            return bedienungsfehler(Worte{QStringLiteral("--view: '%1' ist nicht X,Y"),
                                          QStringLiteral("--view: '%1' is not X,Y")}
                                        .arg(p.value("view")));
        if (Ergebnis e = zahl_lesen(xy[0], "--view", x); !e.gut()) return e;
        if (Ergebnis e = zahl_lesen(xy[1], "--view", y); !e.gut()) return e;
        w.view_x = static_cast<float>(x);
        w.view_y = static_cast<float>(y);
    }
    return {};
}

std::vector<QString> bilddateien(const Bildwunsch& w) {
    std::vector<QString> namen;
    const int n = w.optionen.export_matrix;
    for (const Exportdatei& d : w.dateien)
        for (int spalte = 1; spalte <= n; ++spalte)
            for (int zeile = 1; zeile <= n; ++zeile)
                namen.push_back(export_dateiname(d.datei, d.format, n, spalte, zeile));
    return namen;
}

Ergebnis beschriftung_lesen(const QString& text, Druckoptionen& o) {
    o.kennzeichnung_wege = o.kennzeichnung_haeuser = false;
    o.kennzeichnung_plaetze = o.kennzeichnung_parks = false;
    const QStringList teile = text.split(',');
    for (const QString& roh : teile) {
        const QString teil = roh.trimmed().toLower();
        if (teil == "streets") {
            o.kennzeichnung_wege = true;
        } else if (teil == "buildings") {
            o.kennzeichnung_haeuser = true;
        } else if (teil == "squares") {
            o.kennzeichnung_plaetze = true;
        } else if (teil == "parks") {
            o.kennzeichnung_parks = true;
        } else if (teil == "all" && teile.size() == 1) {
            o.kennzeichnung_wege = o.kennzeichnung_haeuser = true;
            o.kennzeichnung_plaetze = o.kennzeichnung_parks = true;
        } else if (teil == "none" && teile.size() == 1) {
        } else {
            return bedienungsfehler(
                Worte{QStringLiteral("--labels: '%1' ist keines von streets, buildings, squares, "
                                     "parks (oder all / none allein)"),
                      QStringLiteral("--labels: '%1' is not one of streets, buildings, squares, "
                                     "parks (or all / none alone)")}
                    .arg(roh.trimmed()));
        }
    }
    return {};
}

void bild_optionen_hinzufuegen(QCommandLineParser& parser) {
    const QString datei = sprachtext("DATEI", "FILE");
    parser.addOption({"png",
                      sprachtext("Den Stadtplan als PNG-Grafik DATEI speichern (eine Matrix hängt "
                                 "_Spalte_Zeile an).",
                                 "Save the map as PNG picture FILE (a matrix adds _column_row)."),
                      datei});
    parser.addOption({"bmp",
                      sprachtext("Den Stadtplan als 24-Bit-BMP-Grafik DATEI speichern.",
                                 "Save the map as 24-bit BMP picture FILE."),
                      datei});
    parser.addOption({"svg",
                      sprachtext("Den Stadtplan als SVG-Zeichnung DATEI speichern.",
                                 "Save the map as SVG drawing FILE."),
                      datei});
    parser.addOption({"pixels",
                      sprachtext("Breite und Höhe jeder Grafik, 100..10000 (1200).",
                                 "Width and height of each picture, 100..10000 (1200)."),
                      "N"});
    parser.addOption({"matrix",
                      sprachtext("Den Ausschnitt in N x N Grafiken teilen, 1..5 (1).",
                                 "Divide the section into N x N pictures, 1..5 (1)."),
                      "N"});
    parser.addOption({"zoom",
                      sprachtext("Den Ausschnitt exportieren, den eine Z-fach vergrößerte "
                                 "Vorschau zeigt, 1..10 (mittig).",
                                 "Export the section a preview zoomed Z times shows, 1..10 "
                                 "(centred)."),
                      "Z"});
    parser.addOption({"view",
                      sprachtext("Punkt des Stadtplans an der linken oberen Ecke des Ausschnitts "
                                 "(mit --zoom).",
                                 "Map point at the section's top-left corner (with --zoom)."),
                      "X,Y"});
    parser.addOption({"outline-only", sprachtext("Gebäude nur als Umriss zeichnen.",
                                                 "Draw buildings as outlines only.")});
    parser.addOption({"labels",
                      sprachtext("Kennzeichnung: streets,buildings,squares,parks, all oder none "
                                 "(all).",
                                 "Number labels: streets,buildings,squares,parks, all or none "
                                 "(all)."),
                      sprachtext("LISTE", "LIST")});
    parser.addOption({"label-size",
                      sprachtext("Schriftgröße der Kennzeichnung in Punkt; 0 = aus der "
                                 "Grafikgröße, 12 bei 1200 Pixeln (0).",
                                 "Label size in points; 0 = from the picture size, 12 at 1200 "
                                 "pixels (0)."),
                      "N"});
}

Bildausschnitt bildausschnitt(const Bildwunsch& w, float s) {
    Bildausschnitt a;
    if (w.zoom) {
        a.zoom = *w.zoom;
        if (w.view_x) {
            a.x = *w.view_x;
            a.y = *w.view_y;
        } else {
            a.x = a.y = s / 2.0f - s / a.zoom / 2.0f;
        }
        bildausschnitt_begrenzen(a, s);
    }
    return a;
}

Ergebnis bilder_zeichnen(const Bildwunsch& w, const Stadtmodell& modell, Wirt* wirt,
                         const Druckfarben* farbwahl) {
    if (w.dateien.empty()) return {};
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Ergebnis::fehler(Fehlerart::datei, "Grafiken zeichnen braucht eine QGuiApplication",
                                "drawing pictures needs a QGuiApplication");
    if (modell.stadt_abmessung <= 0.0f)
        return zeichnung_bewerten(Ergebnis::fehler(Fehlerart::kein_plan, "", ""));

    const Bildausschnitt a = bildausschnitt(w, modell.stadt_abmessung);
    const Druckfarben farben = farbwahl ? *farbwahl : Druckfarben::standard();
    Zeichenauftrag auftrag{modell, farben, w.optionen, a, wirt};
    return zeichnung_bewerten(bilder_exportieren(auftrag, w.dateien));
}

} // namespace tarvello
