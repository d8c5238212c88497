#include "app/fensterwirt.h"

#include <QCoreApplication>

#include "app/eingabe.h"
#include "app/vorschau.h"

namespace tarvello {

Fensterwirt::Fensterwirt(Eingabe& fenster, int takt_ms) : fenster_(fenster), takt_ms_(takt_ms) {}

Fensterwirt::~Fensterwirt() {
    // What the last round drew is shown once the work is over.
    fenster_.vorschau()->neues_zeigen();
}

void Fensterwirt::status(const Status& status) {
    if (art_ != status.art) neue_art_ = true;
    art_ = status.art;
    fenster_.status_setzen(status);
}

void Fensterwirt::fortschritt(float prozent) {
    if (!neue_art_ && prozent < fenster_.fortschritt()) return;
    neue_art_ = false;
    fenster_.fortschritt_setzen(prozent);
}

void Fensterwirt::element_fertig(Element art, int index) {
    fenster_.vorschau()->element_zeichnen(art, index);
}

bool Fensterwirt::nachgeben() {
    // Some stages yield millions of times a second; reading the clock at
    // every yield would cost a fifth of the run, so it is read at every 16th.
    // The first yield always processes events, so the window shows the start
    // of the run at once.
    if (zaehler_++ % 16 != 0) return fenster_.abbruch_angefordert();
    if (!uhr_.isValid() || uhr_.elapsed() >= takt_ms_) {
        fenster_.vorschau()->neues_zeigen();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        uhr_.start();
        ++runden_;
    }
    return fenster_.abbruch_angefordert();
}

} // namespace tarvello
