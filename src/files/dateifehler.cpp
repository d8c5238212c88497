#include "files/dateifehler.h"

#include <QDir>

namespace tarvello {

QString Dateifehler::meldung(Sprache s) const {
    const QString name = QDir::toNativeSeparators(datei);
    if (zeile > 0)
        return (s == Sprache::deutsch ? QStringLiteral("%1: Zeile %2: %3")
                                      : QStringLiteral("%1: line %2: %3"))
            .arg(name)
            .arg(zeile)
            .arg(text.in(s));
    return QStringLiteral("%1: %2").arg(name, text.in(s));
}

Ergebnis Dateifehler::ergebnis(Fehlerart art) const {
    return Worte{meldung(Sprache::deutsch), meldung(Sprache::englisch)}.ergebnis(art);
}

Worte Was::beschreiben() const {
    const auto fuellen = [&](const char* muster) {
        QString s = QString::fromUtf8(muster);
        if (s.contains(QLatin1String("%2"))) return s.arg(a).arg(b);
        if (s.contains(QLatin1String("%1"))) return s.arg(a);
        return s;
    };
    const char* deutsch = beschreibung_deutsch(text);
    return {fuellen(deutsch ? deutsch : text), fuellen(text)};
}

Worte ein_ordner() {
    return {QStringLiteral("ist ein Ordner, keine Datei"),
            QStringLiteral("is a folder, not a file")};
}
Worte nicht_schreibbar(const QString& grund) {
    return Worte{QStringLiteral("kann nicht geschrieben werden (%1)"),
                 QStringLiteral("cannot be written (%1)")}
        .arg(grund);
}
Worte nicht_endlich(const Was& was) {
    return Worte{QStringLiteral("%1 ist keine endliche Zahl; es wurde nichts geschrieben"),
                 QStringLiteral("%1 is not a finite number; nothing was written")}
        .arg(was.beschreiben());
}

} // namespace tarvello
