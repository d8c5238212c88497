#include "files/dateifehler.h"

#include <QDir>

namespace tarvello {

Meldung Dateifehler::meldung() const {
    const std::string name = zeichen(QDir::toNativeSeparators(datei));
    if (zeile > 0) return Meldung(Meldungsart::datei_zeile, name, zeile, text);
    return Meldung(Meldungsart::datei_ganz, name, text);
}

QString Dateifehler::meldung(Sprache s) const {
    return QString::fromStdString(worten(meldung(), s));
}

Ergebnis Dateifehler::ergebnis(Fehlerart art) const {
    return Ergebnis::fehler(art, meldung());
}

} // namespace tarvello
