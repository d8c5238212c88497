// How the files layer reports a fault of a file: the file, the line and the
// message of what is wrong there; and the conversions between the messages
// and Qt's text.
#pragma once

#include <QString>

#include "core/ergebnis.h"
#include "core/meldung.h"

namespace tarvello {

// What the reader and the writer record about a fault of a file. zeile is
// the line of the fault (1-based), 0 when the fault concerns the whole file.
struct Dateifehler {
    QString datei;
    int zeile = 0;
    Meldung text;

    // "FILE: line N: text" or "FILE: text" ("Zeile" in German).
    Meldung meldung() const;
    // The same worded in the language, on one line.
    QString meldung(Sprache s) const;
    // The fault as a result of kind `art` (Fehlerart::datei unless said).
    Ergebnis ergebnis(Fehlerart art = Fehlerart::datei) const;
};

// The words of a result for Qt in one language (empty on success).
inline QString qtext(const Ergebnis& e, Sprache s) {
    return QString::fromStdString(e.text(s));
}

// A text of Qt as a value of a message, in UTF-8.
inline std::string zeichen(const QString& text) {
    return text.toStdString();
}

// A number as a value of a message, formatted as QString::arg formats it.
inline std::string zahltext(double wert, char format = 'g', int stellen = -1) {
    return zeichen(QStringLiteral("%1").arg(wert, 0, format, stellen));
}

// Messages the reader and the writers share.
inline Meldung ein_ordner() {
    return Meldung(Meldungsart::ein_ordner);
}
inline Meldung nicht_schreibbar(const QString& grund) {
    return Meldung(Meldungsart::nicht_schreibbar, zeichen(grund));
}
inline Meldung nicht_endlich(const Meldung& was) {
    return Meldung(Meldungsart::nicht_endlich, was);
}

} // namespace tarvello
