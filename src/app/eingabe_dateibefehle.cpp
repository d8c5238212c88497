// The main window's file commands: maps, settings, GeoJSON and printing,
// each with its file dialog and a variant that takes the file name.
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "app/anzeigen.h"
#include "app/eingabe.h"
#include "app/fensterwirt.h"
#include "files/einstellungsdatei.h"
#include "files/geojson.h"
#include "files/kartendatei.h"
#include "render/druckausgabe.h"

namespace tarvello {

namespace {

// A file or drawing error on the status line, in both languages so that a
// language switch words it again.
Status meldung_status(const Ergebnis& e) {
    return {Statusart::meldung, e};
}

} // namespace

bool Eingabe::fehler_zeigen(const Ergebnis& e) {
    if (e.gut()) return false;
    status_setzen(meldung_status(e));
    fortschritt_setzen(0);
    warnung(qtext(e, sprache_));
    return true;
}

// File dialogs show their filters in German only, as the files are named.
namespace {
QString mit_endung(QString datei, const char* endung) {
    if (!datei.isEmpty() && QFileInfo(datei).suffix().isEmpty()) datei += endung;
    return datei;
}
} // namespace

void Eingabe::stadtplan_laden() {
    if (beschaeftigt()) return;
    const QString datei = QFileDialog::getOpenFileName(
        this, QString(), kartendatei_, QString(kartendatei_filter) + ";;alle Dateien (*)");
    if (datei.trimmed().isEmpty()) return;
    karte_laden_aus(datei);
}

bool Eingabe::karte_laden_aus(const QString& datei) {
    if (beschaeftigt()) return false;
    kartendatei_ = datei;
    dateiarbeit_ = true;
    abbruch_ = false;
    bedienung_schalten();
    Fensterwirt wirt(*this);
    Kartenkopf kopf;
    const Ergebnis e = tarvello::stadtplan_laden(datei, daten_.modell, kopf, &wirt);
    dateiarbeit_ = false;
    const bool abgebrochen = abbruch_;
    abbruch_ = false;
    bedienung_schalten();
    schliessen_falls_verlangt();
    if (abgebrochen && !e.gut()) {
        status_setzen({Statusart::anwender_abbruch});
        return false;
    }
    if (fehler_zeigen(e)) return false;
    stadtname_setzen(kopf.stadtname);
    nord_setzen(kopf.nord);
    karte_geladen();
    return true;
}

void Eingabe::stadtplan_speichern_unter() {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return;
    const QString datei = mit_endung(
        QFileDialog::getSaveFileName(this, QString(), kartendatei_, kartendatei_filter), ".qls");
    if (datei.trimmed().isEmpty()) return;
    karte_speichern_als(datei);
}

bool Eingabe::karte_speichern_als(const QString& datei) {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return false;
    kartendatei_ = datei;
    dateiarbeit_ = true;
    abbruch_ = false;
    bedienung_schalten();
    Fensterwirt wirt(*this);
    const Ergebnis e =
        tarvello::stadtplan_speichern(datei, daten_.modell, Kartenkopf{stadtname(), nord()}, &wirt);
    dateiarbeit_ = false;
    const bool abgebrochen = abbruch_;
    abbruch_ = false;
    bedienung_schalten();
    schliessen_falls_verlangt();
    if (abgebrochen && !e.gut()) {
        status_setzen({Statusart::anwender_abbruch});
        return false;
    }
    return !fehler_zeigen(e);
}

void Eingabe::geojson_exportieren() {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return;
    // Beside the map file when there is one.
    QString vorschlag;
    if (!kartendatei_.isEmpty()) {
        const QFileInfo karte(kartendatei_);
        vorschlag = karte.dir().filePath(karte.completeBaseName() + ".geojson");
    }
    const QString datei = mit_endung(
        QFileDialog::getSaveFileName(this, QString(), vorschlag, geojson_filter), ".geojson");
    if (datei.trimmed().isEmpty()) return;
    geojson_exportieren_als(datei);
}

bool Eingabe::geojson_exportieren_als(const QString& datei) {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return false;
    return !fehler_zeigen(geojson_speichern(datei, daten_.modell, Kartenkopf{stadtname(), nord()}));
}

void Eingabe::stadtplan_drucken() {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return;
    if (!drucker_) {
        drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        drucker_->setPageOrientation(QPageLayout::Landscape);
    }
    // Cancelling the dialog prints nothing.
    QPrintDialog dialog(drucker_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    drucken_auf(*drucker_);
}

bool Eingabe::drucken_auf(QPrinter& drucker) {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return false;
    Ergebnis e;
    const bool gelaufen = arbeit_ausfuehren([&](Wirt& wirt) {
        const Zeichenauftrag auftrag{daten_.modell, daten_.farben, daten_.druckoptionen, {}, &wirt,
                                     stadtname(),   nord()};
        e = tarvello::stadtplan_drucken(auftrag, drucker);
    });
    if (!gelaufen) return false;
    switch (e.art()) {
    case Fehlerart::keiner:
        return true;
    case Fehlerart::abbruch:
        status_setzen({Statusart::anwender_abbruch});
        return false;
    case Fehlerart::kein_plan:
        return false;
    default:
        fehler_zeigen(e);
        return false;
    }
}

void Eingabe::einstellungen_laden() {
    if (beschaeftigt()) return;
    const QString datei =
        QFileDialog::getOpenFileName(this, QString(), einstellungsdatei_,
                                     QString(einstellungsdatei_filter) + ";;alle Dateien (*)");
    if (datei.trimmed().isEmpty()) return;
    einstellungen_laden_aus(datei);
}

bool Eingabe::einstellungen_laden_aus(const QString& datei) {
    if (beschaeftigt()) return false;
    einstellungsdatei_ = datei;
    Steuerwerte s = steuerwerte_;
    if (fehler_zeigen(tarvello::einstellungen_laden(datei, s))) return false;
    einstellungen_geladen(s);
    return true;
}

void Eingabe::einstellungen_speichern() {
    if (beschaeftigt()) return;
    if (einstellungsdatei_.isEmpty()) {
        einstellungen_speichern_unter();
        return;
    }
    einstellungen_speichern_als(einstellungsdatei_);
}

void Eingabe::einstellungen_speichern_unter() {
    if (beschaeftigt()) return;
    const QString datei = mit_endung(
        QFileDialog::getSaveFileName(this, QString(), einstellungsdatei_, einstellungsdatei_filter),
        ".qle");
    if (datei.trimmed().isEmpty()) return;
    einstellungen_speichern_als(datei);
}

bool Eingabe::einstellungen_speichern_als(const QString& datei) {
    if (beschaeftigt()) return false;
    einstellungsdatei_ = datei;
    if (fehler_zeigen(tarvello::einstellungen_speichern(datei, steuerwerte_))) return false;
    einstellungen_geaendert_ = false;
    bedienung_schalten();
    return true;
}

} // namespace tarvello
