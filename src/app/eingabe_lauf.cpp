// The main window as host of long work: a generation run, the work of the
// file commands and exports, Abort, the status line and the progress bar.
#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include "app/anzeigen.h"
#include "app/eingabe.h"
#include "app/fensterwirt.h"
#include "app/vorschau.h"
#include "core/uhr.h"
#include "core/zufall.h"

namespace tarvello {

// --- status --------------------------------------------------------------------

void Eingabe::status_setzen(const Status& status) {
    letzter_status_ = status;
    status_->text_setzen(QString::fromStdString(tarvello::status_text(letzter_status_, sprache_)));
}

QString Eingabe::status_text() const {
    return status_->voller_text();
}

void Eingabe::fortschritt_setzen(float prozent) {
    fortschritt_->setzen(prozent);
}

float Eingabe::fortschritt() const {
    return fortschritt_->prozent();
}

// --- runs ------------------------------------------------------------------------

void Eingabe::lauf_starten() {
    if (beschaeftigt()) return;
    std::uint64_t startwert = 0;
    const QString text = startwert_->text().trimmed();
    const bool ziehen = text.isEmpty() || startwert_gezogen_;
    if (ziehen) {
        startwert = startwert_ziehen();
    } else {
        const std::optional<std::uint64_t> gelesen = startwert_lesen(text.toStdString());
        if (!gelesen) {
            warnung(text_startwert_ungueltig.in(sprache_));
            return;
        }
        startwert = *gelesen;
    }

    // The field shows the seed of the run while it works, not the last one.
    startwert_->setText(QString::number(startwert));
    startwert_gezogen_ = ziehen;
    // A drawn seed is shown in grey: the next Start draws a new one unless
    // the user edits it.
    startwert_->setStyleSheet(ziehen ? "color: gray;" : QString());

    laeuft_ = true;
    abbruch_ = false;
    bedienung_schalten();
    status_setzen({});
    fortschritt_setzen(0);

    const Laufbericht bericht = [&] {
        // The host shows the run's last elements when it ends, before any message.
        Fensterwirt wirt(*this);
        return stadtplan_erstellen({steuerwerte_, startwert, nummernzahlen(daten_.modell)},
                                   daten_.modell, system_uhr(), wirt);
    }();
    laeuft_ = false;
    letztes_ende_ = bericht.ende;
    letzter_startwert_ = startwert;
    if (bericht.ende == Laufende::fehler || bericht.ende == Laufende::abgelehnt) {
        status_setzen({Statusart::meldung, bericht.ergebnis()});
        warnung(qtext(bericht.ergebnis(), sprache_));
    }
    bedienung_schalten();
    emit lauf_beendet(bericht.ende);

    if (schliessen_nach_lauf_) {
        schliessen_nach_lauf_ = false;
        close();
    }
}

void Eingabe::lauf_abbrechen() {
    if (!beschaeftigt() || abbruch_) return;
    abbruch_ = true;
    status_setzen({Statusart::anwender_abbruch});
    fortschritt_setzen(0);
    bedienung_schalten();
}

void Eingabe::karte_geladen() {
    if (daten_.modell.mauer_parameter == 1) {
        const QSignalBlocker sperre(check_mauer_);
        check_mauer_->setChecked(true);
        steuerwerte_.check_mauer = 1;
    }
    vorschau_->zuruecksetzen();
    vorschau_->zeichnen();
    bedienung_schalten();
}

void Eingabe::schliessen_falls_verlangt() {
    if (!schliessen_nach_lauf_) return;
    // The window was closed while a file was read or written; its caller is
    // still on the stack, so close once control is back in the event loop.
    schliessen_nach_lauf_ = false;
    QTimer::singleShot(0, this, &Eingabe::close);
}

bool Eingabe::arbeit_ausfuehren(const std::function<void(Wirt&)>& arbeit) {
    if (beschaeftigt()) return false;
    dateiarbeit_ = true;
    abbruch_ = false;
    bedienung_schalten();
    {
        Fensterwirt wirt(*this);
        arbeit(wirt);
    }
    dateiarbeit_ = false;
    abbruch_ = false;
    bedienung_schalten();
    schliessen_falls_verlangt();
    return true;
}

} // namespace tarvello
