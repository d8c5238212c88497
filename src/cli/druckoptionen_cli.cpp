#include "cli/druckoptionen_cli.h"
#include "files/kartendatei.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include "cli/ausgabeziel.h"
#include "cli/befehlszeile.h"
#include "cli/bildoptionen.h"
#include "files/druckfarben.h"
#include "render/druckausgabe.h"

namespace tarvello {

namespace {

// The flags that switch an option off, and the option.
const struct {
    const char* name;
    bool Druckoptionen::*feld;
} abschalter[] = {
    {"no-crop-marks", &Druckoptionen::druck_schnittmarken},
    {"title-on-first-only", &Druckoptionen::druck_bezeichnung},
    {"scale-on-first-only", &Druckoptionen::druck_massstab},
    {"compass-on-first-only", &Druckoptionen::druck_kompass},
    {"grid-on-first-only", &Druckoptionen::druck_planquadrate},
};

// The options that only make sense with --pdf.
const char* const nur_mit_pdf[] = {"sheets",
                                   "section",
                                   "paper",
                                   "no-crop-marks",
                                   "title-on-first-only",
                                   "scale-on-first-only",
                                   "compass-on-first-only",
                                   "grid-on-first-only",
                                   "high-resolution"};

Ergebnis einmal(const QCommandLineParser& p, const char* name) {
    if (p.values(name).size() > 1) return bedienungsfehler(mehrfach(name));
    return {};
}

// "ROW,COL;ROW,COL..." into the sheet selection of an N x N tiling.
Ergebnis ausschnitt_lesen(const QString& text, int n, Druckoptionen& o) {
    o.blatt_auswahl.fill(0);
    int gewaehlt = 0;
    for (const QString& roh : text.split(';')) {
        const QString teil = roh.trimmed();
        if (teil.isEmpty()) continue;
        const QStringList rc = teil.split(',');
        long long zeile = 0, spalte = 0;
        if (rc.size() != 2)
            return bedienungsfehler(wortmeldung(
                {"--section: '%1' ist nicht ZEILE,SPALTE", "--section: '%1' is not ROW,COL"},
                teil));
        if (Ergebnis e = ganzzahl_lesen(rc[0], wortmeldung({"--section: Zeile", "--section: row"}),
                                        1, n, zeile);
            !e.gut())
            return e;
        if (Ergebnis e = ganzzahl_lesen(
                rc[1], wortmeldung({"--section: Spalte", "--section: column"}), 1, n, spalte);
            !e.gut())
            return e;
        o.blatt_gewaehlt(static_cast<int>(zeile), static_cast<int>(spalte)) = 1;
        ++gewaehlt;
    }
    if (gewaehlt == 0)
        return bedienungsfehler(
            wortmeldung({"--section: kein Blatt angegeben (ZEILE,SPALTE;ZEILE,SPALTE...)",
                         "--section: no sheet given (ROW,COL;ROW,COL...)"}));
    o.ausschnitt_modus = true;
    return {};
}

} // namespace

Ergebnis druck_optionen_lesen(const QCommandLineParser& p, Druckwunsch& w) {
    Druckoptionen& o = w.optionen;
    // Town name and north also go into a saved map: checked with or without a PDF.
    long long n = 0;
    for (const char* name : {"title", "north"})
        if (Ergebnis e = einmal(p, name); !e.gut()) return e;
    if (p.isSet("title")) {
        w.titel = p.value("title");
        if (w.titel->size() > stadtname_max)
            return bedienungsfehler(wortmeldung({"--title: %1", "--title: %1"},
                                                Meldung(Meldungsart::stadtname_zu_lang,
                                                        static_cast<long long>(w.titel->size()),
                                                        static_cast<long long>(stadtname_max))));
    }
    if (p.isSet("north")) {
        if (Ergebnis e = ganzzahl_lesen(p.value("north"), "--north", 0, 11, n); !e.gut()) return e;
        w.nord = static_cast<int>(n);
    }
    if (!p.isSet("pdf")) {
        for (const char* name : nur_mit_pdf)
            if (p.isSet(name))
                return bedienungsfehler(wortmeldung({"--%1 braucht --pdf", "--%1 needs --pdf"},
                                                    QString::fromLatin1(name)));
        return {};
    }
    for (const char* name : {"pdf", "sheets", "section", "paper"})
        if (Ergebnis e = einmal(p, name); !e.gut()) return e;
    w.datei = p.value("pdf");
    if (w.datei.trimmed().isEmpty())
        return bedienungsfehler(
            wortmeldung({"--pdf braucht einen Dateinamen", "--pdf needs a file name"}));
    if (Ergebnis e = ausgabe_pruefen(w.datei); !e.gut()) return e;
    if (p.isSet("sheets")) {
        if (Ergebnis e = ganzzahl_lesen(p.value("sheets"), "--sheets", 1, blaetter_max, n);
            !e.gut())
            return e;
        o.blaetter_je_seite = static_cast<int>(n);
    }
    if (p.isSet("section")) {
        if (!p.isSet("sheets"))
            return bedienungsfehler(
                wortmeldung({"--section braucht --sheets (wie viele Blätter je Seite)",
                             "--section needs --sheets (how many sheets per side)"}));
        if (Ergebnis e = ausschnitt_lesen(p.value("section"), o.blaetter_je_seite, o); !e.gut())
            return e;
    }
    if (p.isSet("paper")) {
        const auto papier = papier_aus_name(p.value("paper"));
        if (!papier)
            return bedienungsfehler(
                wortmeldung({"--paper: '%1' ist kein Papierformat (A4, A3, A5, Letter, "
                             "Legal, Tabloid, B5, ...)",
                             "--paper: '%1' is not a paper size (A4, A3, A5, Letter, "
                             "Legal, Tabloid, B5, ...)"},
                            p.value("paper")));
        w.papier = *papier;
    }
    for (const auto& a : abschalter)
        if (p.isSet(a.name)) o.*a.feld = false;
    o.gebaeude_hohe_aufloesung = p.isSet("high-resolution");
    o.gebaeude_nur_umriss = p.isSet("outline-only");
    if (p.isSet("labels"))
        if (Ergebnis e = beschriftung_lesen(p.value("labels"), o); !e.gut()) return e;
    if (p.isSet("label-size")) {
        const QString text = p.value("label-size").trimmed();
        bool gut = false;
        const int pt = text.toInt(&gut);
        if (!gut || (pt != 3 && pt != 4 && pt != 5 && pt != 6 && pt != 8 && pt != 10 && pt != 12))
            return bedienungsfehler(
                wortmeldung({"--label-size: '%1' ist keine Schriftgröße für den Druck (3, "
                             "4, 5, 6, 8, 10 oder 12)",
                             "--label-size: '%1' is not a print label size (3, 4, 5, 6, "
                             "8, 10 or 12)"},
                            text));
        o.nummer_schriftgroesse = pt;
    }
    return {};
}

void druck_optionen_hinzufuegen(QCommandLineParser& parser) {
    parser.addOption({"pdf",
                      sprachtext({"Den Stadtplan in die PDF-Datei DATEI drucken, eine Seite im "
                                  "Querformat je Blatt.",
                                  "Print the map into PDF FILE, one landscape page per sheet."}),
                      sprachtext({"DATEI", "FILE"})});
    parser.addOption({"sheets",
                      sprachtext({"Auf N x N Blätter zum Schneiden und Zusammensetzen drucken, "
                                  "1..20 (1).",
                                  "Print on N x N sheets to cut and join, 1..20 (1)."}),
                      "N"});
    parser.addOption({"section",
                      sprachtext({"Nur diese Blätter der N x N drucken (mit --sheets).",
                                  "Print only these sheets of the N x N (with --sheets)."}),
                      sprachtext({"ZEILE,SPALTE;ZEILE,SPALTE...", "ROW,COL;ROW,COL..."})});
    parser.addOption({"paper",
                      sprachtext({"Papierformat des PDF: A4, A3, Letter, ... (A4).",
                                  "Paper size of the PDF: A4, A3, Letter, ... (A4)."}),
                      "NAME"});
    parser.addOption({"title",
                      sprachtext({"Stadtname, über der Randleiste gedruckt.",
                                  "Town name printed above the side panel."}),
                      "TEXT"});
    parser.addOption({"north",
                      sprachtext({"Nordknopf 0..11 für die Kompassrose (0: oben; jeder weitere "
                                  "dreht Norden um 30 Grad gegen den Uhrzeigersinn).",
                                  "North button 0..11 for the compass rose (0: up; each further "
                                  "one turns north 30 degrees anticlockwise)."}),
                      "K"});
    parser.addOption({"no-crop-marks", sprachtext({"Keine Schnittmarken bei Drucken auf mehreren "
                                                   "Blättern.",
                                                   "No crop rectangle on tiled prints."})});
    parser.addOption({"title-on-first-only", sprachtext({"Die Bezeichnung nur auf Blatt 1.",
                                                         "The title only on sheet 1."})});
    parser.addOption({"scale-on-first-only", sprachtext({"Den Maßstab nur auf Blatt 1.",
                                                         "The scale bar only on sheet 1."})});
    parser.addOption({"compass-on-first-only", sprachtext({"Die Kompassrose nur auf Blatt 1.",
                                                           "The compass rose only on sheet 1."})});
    parser.addOption({"grid-on-first-only", sprachtext({"Die Planquadrate nur auf Blatt 1.",
                                                        "The sheet grid only on sheet 1."})});
    parser.addOption(
        {"high-resolution", sprachtext({"Gedruckte Gebäude viermal so fein schraffieren.",
                                        "Hatch printed buildings four times as "
                                        "finely."})});
}

Kartenkopf kartenkopf(const Druckwunsch& w, Kartenkopf vorgabe) {
    if (w.titel) vorgabe.stadtname = *w.titel;
    if (w.nord) vorgabe.nord = *w.nord;
    return vorgabe;
}

Ergebnis pdf_schreiben(const Druckwunsch& w, const Stadtmodell& modell, const Kartenkopf& kopf,
                       Wirt* wirt, const Druckfarben* farbwahl) {
    if (w.datei.isEmpty()) return {};
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Ergebnis::fehler(Fehlerart::datei, "Drucken braucht eine QGuiApplication",
                                "printing needs a QGuiApplication");
    if (modell.stadt_abmessung <= 0.0f)
        return zeichnung_bewerten(
            Ergebnis::fehler(Fehlerart::kein_plan, Meldung(Meldungsart::zeichnen_kein_plan)),
            w.datei);
    const Druckfarben farben = farbwahl ? *farbwahl : Druckfarben::standard();
    Zeichenauftrag auftrag{modell, farben, w.optionen, {}, wirt, kopf.stadtname, kopf.nord};
    return zeichnung_bewerten(pdf_drucken(auftrag, w.datei, w.papier), w.datei);
}

} // namespace tarvello
