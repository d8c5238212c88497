// The catalogue: every message the layers below the fronts give, worded in
// German and in English, and the one function that words a message.
#include <iterator>
#include <string_view>

#include "core/meldung.h"

namespace tarvello {

namespace {

struct Eintrag {
    Meldungsart art;
    Wortpaar worte;
};

constexpr Eintrag katalog[] = {
    {Meldungsart::text, "%1", "%1"},
    {Meldungsart::eigene_worte, "%1", "%2"},
    {Meldungsart::vorsatz, "%1%2", "%1%2"},
    {Meldungsart::status_meldung, "%3", "%3"},
    {Meldungsart::status_versuch, "Stadt Versuch Nr. %1 ...", "City Attempt No. %1 ..."},
    {Meldungsart::status_fluesse, "Flüsse (Versuch %1) ...", "Rivers (Attempt %1) ..."},
    {Meldungsart::status_strassen, "Straßen und Wege ...", "Streets ..."},
    {Meldungsart::status_stadtmauer, "Stadtmauer ...", "City Wall ..."},
    {Meldungsart::status_parks, "Parks ...", "Parks ..."},
    {Meldungsart::status_plaetze, "Plätze ...", "Squares ..."},
    {Meldungsart::status_strassen_eingrenzen, "Straßen eingrenzen ...", "Bound Streets ..."},
    {Meldungsart::status_plaetze_eingrenzen, "Plätze eingrenzen ...", "Bound Squares ..."},
    {Meldungsart::status_parks_eingrenzen, "Parks eingrenzen ...", "Bound Parks ..."},
    {Meldungsart::status_gebaeude, "Gebäude ...", "Buildings ..."},
    {Meldungsart::status_gebaeude_aufgegeben, "Nur %1 von %2 Gebäuden platziert",
     "Only %1 of %2 buildings placed"},
    {Meldungsart::status_nummerierung, "Nummerierung ...", "Labelling ..."},
    {Meldungsart::status_fertig, "Stadtplan erstellt!", "City Map Finished!"},
    {Meldungsart::status_fertig_aufgegeben, "Stadtplan erstellt! Nur %1 von %2 Gebäuden platziert",
     "City Map Finished! Only %1 of %2 buildings placed"},
    {Meldungsart::status_abgebrochen, "Stadtplan abgebrochen", "City Map Aborted"},
    {Meldungsart::status_anwender_abbruch, "Abbruch durch Anwender", "User Abort"},
    {Meldungsart::status_rechenfehler, "Rechenfehler: %3", "Arithmetic fault: %3"},
    {Meldungsart::status_speichern, "Stadtplan speichern ...", "Saving City Map ..."},
    {Meldungsart::status_gespeichert, "Stadtplan gespeichert", "City Map Saved"},
    {Meldungsart::status_laden, "Stadtplan laden ...", "Loading City Map ..."},
    {Meldungsart::status_geladen, "Stadtplan geladen", "City Map Loaded"},
    {Meldungsart::status_drucke_blatt, "Drucke Blatt %1 von %2", "Printing Sheet %1 of %2"},
    {Meldungsart::status_exportiere_grafik, "Exportiere Grafik %1 von %2", "Export Image %1 of %2"},
    {Meldungsart::status_druck_fertig, "Druck abgeschlossen!", "City Map Printed!"},
    {Meldungsart::status_export_fertig, "Grafikexport abgeschlossen!", "Image Export Completed!"},
    {Meldungsart::status_park_prozessieren, "Prozessiere Park Nr. %1", "Process Park No. %1"},
    {Meldungsart::status_platz_prozessieren, "Prozessiere Platz Nr. %1", "Process Square No. %1"},
    {Meldungsart::status_fluesse_verfehlen_mitte,
     "Kein Stadtplan: In %1 Versuchen kam kein Fluss nahe genug an die Stadtmitte "
     "(Combo_fluss_breite_max, Combo_fluss_zentral)",
     "No city map: in %1 attempts no river came near enough to the town centre "
     "(Combo_fluss_breite_max, Combo_fluss_zentral)"},
    {Meldungsart::status_versuche_erschoepft, "Kein Stadtplan nach %1 Versuchen",
     "No city map after %1 attempts"},
    {Meldungsart::weg_keine_zahl, "Weg %1 hat eine Koordinate, die keine Zahl ist",
     "street %1 has a coordinate that is not a number"},
    {Meldungsart::koordinate_keine_zahl, "eine Koordinate der Karte ist keine Zahl",
     "a coordinate of the map is not a number"},
    {Meldungsart::speicher_karte, "zu wenig Speicher für diese Karte",
     "not enough memory for this map"},
    {Meldungsart::datei_zeile, "%1: Zeile %2: %3", "%1: line %2: %3"},
    {Meldungsart::datei_ganz, "%1: %2", "%1: %2"},
    {Meldungsart::ein_ordner, "ist ein Ordner, keine Datei", "is a folder, not a file"},
    {Meldungsart::nicht_schreibbar, "kann nicht geschrieben werden (%1)", "cannot be written (%1)"},
    {Meldungsart::nicht_endlich, "%1 ist keine endliche Zahl; es wurde nichts geschrieben",
     "%1 is not a finite number; nothing was written"},
    {Meldungsart::kein_dateiname, "kein Dateiname angegeben", "no file name given"},
    {Meldungsart::schreiben_abgebrochen, "das Schreiben wurde abgebrochen", "writing was aborted"},
    {Meldungsart::nicht_oeffenbar, "kann nicht geöffnet werden (%1)", "cannot be opened (%1)"},
    {Meldungsart::zu_gross, "ist zu groß", "is too large"},
    {Meldungsart::nicht_lesbar, "kann nicht gelesen werden (%1)", "cannot be read (%1)"},
    {Meldungsart::beim_lesen_veraendert, "wurde verändert, während es gelesen wurde",
     "changed while it was read"},
    {Meldungsart::datei_leer, "die Datei ist leer", "the file is empty"},
    {Meldungsart::datei_endet_vor, "die Datei endet, wo %1 folgen sollte",
     "the file ends where %1 should follow"},
    {Meldungsart::datei_endet_in, "die Datei endet mitten in %1 (die Zeile hat kein Zeilenende)",
     "the file ends inside %1 (the line has no line end)"},
    {Meldungsart::erwartet_ganzzahl, "erwartet: %1 (eine ganze Zahl), gefunden: %2",
     "expected %1 (a whole number), found %2"},
    {Meldungsart::erwartet_zahl, "erwartet: %1 (eine Zahl), gefunden: %2",
     "expected %1 (a number), found %2"},
    {Meldungsart::zahl_ausserhalb, "%1 ist %2, außerhalb von %3..%4", "%1 is %2, outside %3..%4"},
    {Meldungsart::zahl_jenseits, "%1 ist %2, jenseits von %3", "%1 is %2, beyond %3"},
    {Meldungsart::zu_wenig_platz, "%1: der Rest der Datei (%2 Bytes) kann nicht so viele fassen",
     "%1: the rest of the file (%2 bytes) cannot hold that many"},
    {Meldungsart::unerwarteter_inhalt, "unerwarteter Inhalt nach dem Ende der Daten: %1",
     "unexpected content after the end of the data: %1"},
    {Meldungsart::neueres_programm,
     "von einem neueren Programm geschrieben (Version %1); dieses liest Versionen bis %2",
     "written by a newer program (version %1); this one reads versions up to %2"},
    {Meldungsart::nicht_gespeichert, "nicht gespeichert: %1", "not saved: %1"},
    {Meldungsart::zu_viele_wege, "die Karte hat %1 Wege in Tabellen für %2",
     "the map has %1 ways in tables for %2"},
    {Meldungsart::weg_punkte_tabelle, "Weg %1 hat %2 Punkte in Tabellen für weniger",
     "way %1 has %2 points in tables for fewer"},
    {Meldungsart::zu_viele_gebaeude, "die Karte hat %1 Gebäude in Tabellen für %2",
     "the map has %1 buildings in tables for %2"},
    {Meldungsart::zu_viele_flaechen, "die Karte hat %1 %2 in Tabellen für weniger",
     "the map has %1 %2 in tables for fewer"},
    {Meldungsart::flaeche_punkte_tabelle, "%1 %2 hat %3 Punkte in Tabellen für weniger",
     "%1 %2 has %3 points in tables for fewer"},
    {Meldungsart::mauer_punkte_tabelle, "die Mauer hat %1 Punkte in Tabellen für weniger",
     "the wall has %1 points in tables for fewer"},
    {Meldungsart::mauer_tuerme_tabelle, "die Mauer hat %1 Türme in Tabellen für weniger",
     "the wall has %1 towers in tables for fewer"},
    {Meldungsart::speichern_abgebrochen,
     "das Speichern wurde abgebrochen; die Datei blieb unverändert",
     "saving was aborted; the file was not changed"},
    {Meldungsart::laden_abgebrochen, "das Laden wurde abgebrochen; der Stadtplan blieb unverändert",
     "loading was aborted; the map was not changed"},
    {Meldungsart::keine_stadtplandatei,
     "keine Stadtplandatei: die erste Zeile enthält keine Versionsnummer",
     "not a city map file: the first line holds no version number"},
    {Meldungsart::kartengroesse_ausserhalb, "die Kartengröße ist %1 m, außerhalb von %2..%3 m",
     "the map size is %1 m, outside %2..%3 m"},
    {Meldungsart::misst_mehr, "%1 misst %2 m, mehr als %3 m", "%1 measures %2 m, more than %3 m"},
    {Meldungsart::seite_gebaeude, "eine Seite von Gebäude %1", "a side of building %1"},
    {Meldungsart::seite_turm, "eine Seite von Turm %1", "a side of tower %1"},
    {Meldungsart::breitenwert, "%1 ist %2; ein Breitenwert ist 0 oder mindestens %3",
     "%1 is %2; a width value is 0 or at least %3"},
    {Meldungsart::ausdehnung, "die Ausdehnung von %1 %2", "the extent of %1 %2"},
    {Meldungsart::stadtname_zu_lang, "der Stadtname hat %1 Zeichen, höchstens %2 sind erlaubt",
     "the town name has %1 characters, at most %2 are allowed"},
    {Meldungsart::zu_viele_punkte, "die Karte hat mehr als %1 Punkte",
     "the map has more than %1 points"},
    {Meldungsart::wort_platz, "Platz", "square"},
    {Meldungsart::wort_park, "Park", "park"},
    {Meldungsart::wort_plaetze, "Plätze", "squares"},
    {Meldungsart::wort_parks, "Parks", "parks"},
    {Meldungsart::wort_fluss, "Fluss", "river"},
    {Meldungsart::wort_strasse, "Straße", "street"},
    {Meldungsart::wort_gebaeude, "Gebäude", "building"},
    {Meldungsart::wort_mauer, "die Mauer", "the wall"},
    {Meldungsart::wort_turm, "Turm", "tower"},
    {Meldungsart::wort_tor, "Tor", "gate"},
    {Meldungsart::wort_kopf, "der Kopf", "the header"},
    {Meldungsart::element_nummer, "%1 %2", "%1 %2"},
    {Meldungsart::bild_zu_gross, "zu wenig Speicher für ein Bild von %1 x %1 Pixeln",
     "not enough memory for a picture of %1 x %1 pixels"},
    {Meldungsart::bild_nicht_kodierbar, "das Bild kann nicht kodiert werden",
     "the picture cannot be encoded"},
    {Meldungsart::pdf_nicht_begonnen, "das PDF-Dokument kann nicht begonnen werden",
     "cannot start the PDF document"},
    {Meldungsart::pdf_keine_seite, "dem PDF-Dokument kann keine Seite angefügt werden",
     "cannot add a page to the PDF document"},
    {Meldungsart::drucker_nicht_druckbar, "auf %1 kann nicht gedruckt werden",
     "cannot print on %1"},
    {Meldungsart::druck_fehlgeschlagen, "der Druck auf %1 ist fehlgeschlagen",
     "printing on %1 failed"},
    {Meldungsart::seite_zu_klein, "die Seite ist zu klein, um den Stadtplan darauf zu drucken",
     "the page is too small to print the map on"},
    {Meldungsart::export_nicht_schreibbar, "%1 kann nicht geschrieben werden: %2",
     "cannot write %1: %2"},
    {Meldungsart::keine_gewoehnliche_datei, "keine gewöhnliche Datei", "not a regular file"},
    {Meldungsart::geojson_kein_plan, "%1: nicht geschrieben: es gibt keinen Stadtplan",
     "%1: not written: there is no city map"},
    {Meldungsart::geojson_nicht_endlich,
     "%1: nicht geschrieben: ein Wert von %2 ist keine endliche Zahl",
     "%1: not written: a value of %2 is not a finite number"},
    {Meldungsart::keine_einstellungsdatei,
     "keine Stadteinstellungsdatei: die erste Zeile enthält keine Versionsnummer",
     "not a city settings file: the first line holds no version number"},
    {Meldungsart::steuerelement_unbekannt, "das Steuerelement %1 ist unbekannt",
     "the control %1 is unknown"},
    {Meldungsart::listenposition_ausserhalb, "%1: Position %2 liegt außerhalb der Liste (%3..%4)",
     "%1: position %2 lies outside the list (%3..%4)"},
    {Meldungsart::steuerwert_ausserhalb, "%1: %2 liegt außerhalb von %3..%4",
     "%1: %2 lies outside %3..%4"},
    {Meldungsart::farben_nicht_gespeichert, "%1: die Farben konnten nicht gespeichert werden",
     "%1: the colours could not be stored"},
    {Meldungsart::einstellungsspeicher, "Einstellungsspeicher", "settings store"},
    {Meldungsart::was_flaechen, "%1 Flächen", "%1 areas"},
    {Meldungsart::was_gebaeude, "%1 Gebäude", "%1 buildings"},
    {Meldungsart::was_tuerme, "%1 Türme", "%1 towers"},
    {Meldungsart::was_mauerpunkte, "%1 Mauerpunkte", "%1 wall points"},
    {Meldungsart::was_wege, "%1 Wege", "%1 ways"},
    {Meldungsart::was_punkte_park, "%2 Punkte von Park %1", "%2 points of park %1"},
    {Meldungsart::was_punkte_platz, "%2 Punkte von Platz %1", "%2 points of square %1"},
    {Meldungsart::was_punkte_weg, "%2 Punkte von Weg %1", "%2 points of way %1"},
    {Meldungsart::was_farbe, "Farbe %1", "colour %1"},
    {Meldungsart::was_nordknopf, "Nordknopf %1", "north button %1"},
    {Meldungsart::was_nummerierte_gebaeude, "die Anzahl nummerierter Gebäude",
     "the count of numbered buildings"},
    {Meldungsart::was_nummerierte_parks, "die Anzahl nummerierter Parks",
     "the count of numbered parks"},
    {Meldungsart::was_nummerierte_plaetze, "die Anzahl nummerierter Plätze",
     "the count of numbered squares"},
    {Meldungsart::was_nummerierte_wege, "die Anzahl nummerierter Wege",
     "the count of numbered ways"},
    {Meldungsart::was_kennung_mauerpunkt, "die Kennung von Mauerpunkt %1",
     "the flag of wall point %1"},
    {Meldungsart::was_halbbreite_weg, "die halbe Breite von Weg %1", "the half-width of way %1"},
    {Meldungsart::was_art_turm, "die Art von Turm %1", "the kind of tower %1"},
    {Meldungsart::was_groesste_halbbreite, "die größte halbe Wegbreite", "the largest half-width"},
    {Meldungsart::was_kartenfaktor, "der Kartenfaktor", "the map factor"},
    {Meldungsart::was_kartengroesse, "die Kartengröße", "the map size"},
    {Meldungsart::was_nummer_gebaeude, "die Nummer von Gebäude %1",
     "the number label of building %1"},
    {Meldungsart::was_nummer_park, "die Nummer von Park %1", "the number label of park %1"},
    {Meldungsart::was_nummer_platz, "die Nummer von Platz %1", "the number label of square %1"},
    {Meldungsart::was_nummer_weg, "die Nummer von Weg %1", "the number label of way %1"},
    {Meldungsart::was_anzahl_gebaeude, "die Anzahl der Gebäude", "the number of buildings"},
    {Meldungsart::was_anzahl_parks, "die Anzahl der Parks", "the number of parks"},
    {Meldungsart::was_punktzahl_park, "die Punktzahl von Park %1",
     "the number of points of park %1"},
    {Meldungsart::was_punktzahl_platz, "die Punktzahl von Platz %1",
     "the number of points of square %1"},
    {Meldungsart::was_punktzahl_weg, "die Punktzahl von Weg %1", "the number of points of way %1"},
    {Meldungsart::was_anzahl_plaetze, "die Anzahl der Plätze", "the number of squares"},
    {Meldungsart::was_anzahl_tuerme, "die Anzahl der Türme", "the number of towers"},
    {Meldungsart::was_anzahl_mauerpunkte, "die Anzahl der Mauerpunkte",
     "the number of wall points"},
    {Meldungsart::was_anzahl_wege, "die Anzahl der Wege", "the number of ways"},
    {Meldungsart::was_kapazitaet_parks, "die Punktkapazität der Parks",
     "the point capacity of the parks"},
    {Meldungsart::was_kapazitaet_plaetze, "die Punktkapazität der Plätze",
     "the point capacity of the squares"},
    {Meldungsart::was_kapazitaet_wege, "die Punktkapazität der Wege",
     "the point capacity of the ways"},
    {Meldungsart::was_radius_gebaeude, "der Radius von Gebäude %1", "the radius of building %1"},
    {Meldungsart::was_radius_turm, "der Radius von Turm %1", "the radius of tower %1"},
    {Meldungsart::was_flusskennung_weg, "die Flusskennung von Weg %1", "the river flag of way %1"},
    {Meldungsart::was_form_gebaeude, "die Form von Gebäude %1", "the shape of building %1"},
    {Meldungsart::was_form_turm, "die Form von Turm %1", "the shape of tower %1"},
    {Meldungsart::was_kleinste_halbbreite, "die kleinste halbe Wegbreite",
     "the smallest half-width"},
    {Meldungsart::was_stadtname, "der Stadtname", "the town name"},
    {Meldungsart::was_version, "die Version", "the version"},
    {Meldungsart::was_mauerkennung, "die Mauerkennung", "the wall flag"},
    {Meldungsart::was_mauerdicke, "die Mauerdicke", "the wall thickness"},
    {Meldungsart::was_breitenwert_park, "der Breitenwert von Park %1",
     "the width value of park %1"},
    {Meldungsart::was_breitenwert_platz, "der Breitenwert von Platz %1",
     "the width value of square %1"},
    {Meldungsart::was_x_gebaeude, "x von Gebäude %1", "x of building %1"},
    {Meldungsart::was_x_ecke_gebaeude, "x von Ecke %2 von Gebäude %1",
     "x of corner %2 of building %1"},
    {Meldungsart::was_x_ecke_turm, "x von Ecke %2 von Turm %1", "x of corner %2 of tower %1"},
    {Meldungsart::was_x_punkt_park, "x von Punkt %2 von Park %1", "x of point %2 of park %1"},
    {Meldungsart::was_x_punkt_platz, "x von Punkt %2 von Platz %1", "x of point %2 of square %1"},
    {Meldungsart::was_x_punkt_weg, "x von Punkt %2 von Weg %1", "x of point %2 of way %1"},
    {Meldungsart::was_x_turm, "x von Turm %1", "x of tower %1"},
    {Meldungsart::was_x_mauerpunkt, "x von Mauerpunkt %1", "x of wall point %1"},
    {Meldungsart::was_y_gebaeude, "y von Gebäude %1", "y of building %1"},
    {Meldungsart::was_y_ecke_gebaeude, "y von Ecke %2 von Gebäude %1",
     "y of corner %2 of building %1"},
    {Meldungsart::was_y_ecke_turm, "y von Ecke %2 von Turm %1", "y of corner %2 of tower %1"},
    {Meldungsart::was_y_punkt_park, "y von Punkt %2 von Park %1", "y of point %2 of park %1"},
    {Meldungsart::was_y_punkt_platz, "y von Punkt %2 von Platz %1", "y of point %2 of square %1"},
    {Meldungsart::was_y_punkt_weg, "y von Punkt %2 von Weg %1", "y of point %2 of way %1"},
    {Meldungsart::was_y_turm, "y von Turm %1", "y of tower %1"},
    {Meldungsart::was_y_mauerpunkt, "y von Mauerpunkt %1", "y of wall point %1"},
};

constexpr bool in_reihenfolge() {
    for (int i = 0; i < meldungsarten; ++i)
        if (static_cast<int>(katalog[i].art) != i) return false;
    return true;
}
static_assert(std::size(katalog) == meldungsarten && in_reihenfolge(),
              "one wording per message, in the order of Meldungsart");

// The highest %n of a wording; the German and the English one of a message
// name the same values (the front's own words excepted, which hold one each).
constexpr int hoechste_stelle(std::string_view t) {
    int n = 0;
    for (std::size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i] == '%' && t[i + 1] >= '1' && t[i + 1] <= '9' && t[i + 1] - '0' > n)
            n = t[i + 1] - '0';
    return n;
}
constexpr bool gleiche_stellen() {
    for (const Eintrag& e : katalog)
        if (e.art != Meldungsart::eigene_worte &&
            hoechste_stelle(e.worte.de) != hoechste_stelle(e.worte.en))
            return false;
    return true;
}
static_assert(gleiche_stellen(), "both wordings of a message name the same values");

} // namespace

std::string worten(const Meldung& meldung, Sprache sprache) {
    if (meldung.leer()) return {};
    const std::string_view muster = katalog[static_cast<int>(meldung.art_)].worte.in(sprache);
    std::string r;
    r.reserve(muster.size() + 32);
    for (std::size_t i = 0; i < muster.size(); ++i) {
        if (muster[i] == '%' && i + 1 < muster.size() && muster[i + 1] >= '1' &&
            muster[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(muster[i + 1] - '1');
            if (n < meldung.teile_.size()) {
                const auto& teil = meldung.teile_[n];
                r += teil.innen.empty() ? teil.text : worten(teil.innen.front(), sprache);
                ++i;
                continue;
            }
        }
        r += muster[i];
    }
    return r;
}

} // namespace tarvello
