// How the files layer words a fault of a file: the file, the line and what
// is wrong there, and the description of a value a message names.
#pragma once

#include <QString>
#include <string_view>

#include "core/ergebnis.h"
#include "files/worte.h"

namespace tarvello {

// What the reader and the writer record about a fault of a file. zeile is
// the line of the fault (1-based), 0 when the fault concerns the whole file.
struct Dateifehler {
    QString datei;
    int zeile = 0;
    Worte text;

    // "FILE: line N: text" or "FILE: text" ("Zeile" in German), on one line.
    QString meldung(Sprache s) const;
    // The fault as a result of kind `art` (Fehlerart::datei unless said),
    // worded by meldung() in both languages.
    Ergebnis ergebnis(Fehlerart art = Fehlerart::datei) const;
};

// The words of a result for Qt in one language (empty on success).
inline QString qtext(const Ergebnis& e, Sprache s) {
    return QString::fromStdString(e.text(s));
}

// What a value stands for, for messages only: text (English) may hold %1 and
// %2, replaced by a and b when the message is built. The German words come
// from beschreibung_deutsch.
struct Was {
    const char* text;
    long long a = 0;
    long long b = 0;
    Worte beschreiben() const;
};

// The German words of a value description of the files (a Was text, looked
// up by its English words); null when there are none, as for the name of a
// control, which reads the same in both languages.
const char* beschreibung_deutsch(std::string_view englisch);

// Words the reader and the writers share.
Worte ein_ordner();
Worte nicht_schreibbar(const QString& grund);
Worte nicht_endlich(const Was& was);

} // namespace tarvello
