// The status line of a run and of a file, print or export operation as a
// value: what is happening (the kind) with its numbers or text. The
// generator, the files layer and the renderer hand it to their host
// (Wirt::status) and never word it; the fronts word it with status_text in the
// language they show, so the window can word the last status again when its
// language changes. Every wording lives in the catalogue of meldungen.cpp.
#pragma once

#include <string>
#include <utility>

#include "core/ergebnis.h"
#include "core/meldung.h"
#include "core/steuerwerte.h"

namespace tarvello {

enum class Statusart {
    meldung, // its message (a file error, a refused parameter set); no
             // message is an empty status line
    versuch, // zahl: the attempt of the town
    fluesse, // zahl: the attempt of the river system
    strassen,
    stadtmauer,
    parks,
    plaetze,
    strassen_eingrenzen,
    plaetze_eingrenzen,
    parks_eingrenzen,
    gebaeude,
    gebaeude_aufgegeben, // zahl of von buildings placed, no room for the rest
    nummerierung,
    fertig,
    fertig_aufgegeben, // as gebaeude_aufgegeben, with the finished map
    abgebrochen,       // the run stopped without a map
    anwender_abbruch,  // the user pressed Abort
    rechenfehler,      // meldung: what went wrong
    speichern,         // a map file is being written
    gespeichert,
    laden, // a map file is being read
    geladen,
    drucke_blatt,      // zahl of von sheets
    exportiere_grafik, // zahl of von pictures
    druck_fertig,
    export_fertig,
    park_prozessieren,  // zahl: the park being labelled
    platz_prozessieren, // zahl: the square being labelled
    // The run could make no town (zahl: its attempts):
    fluesse_verfehlen_mitte, // no river system came near the centre
    versuche_erschoepft      // no attempt of the town succeeded
};
inline constexpr int statusarten = static_cast<int>(Statusart::versuche_erschoepft) + 1;

struct Status {
    Status() = default;
    Status(Statusart a, int z = 0, int v = 0) : art(a), zahl(z), von(v) {}
    Status(Statusart a, Meldung m) : art(a), meldung(std::move(m)) {}
    // A text that reads the same in both languages.
    Status(Statusart a, std::string t) : art(a), meldung(Meldungsart::text, t) {}
    Status(Statusart a, const char* t) : Status(a, std::string(t)) {}
    // A fault's message, so a front switching its language words it again.
    Status(Statusart a, const Ergebnis& e) : art(a), meldung(e.meldung()) {}

    Statusart art = Statusart::meldung;
    int zahl = 0;    // attempt, sheet, park or square number, buildings placed
    int von = 0;     // sheets or pictures in all, buildings asked for
    Meldung meldung; // the fault or message

    bool operator==(const Status&) const = default;
};

// The status as a message.
Meldung status_meldung(const Status& status);
// The status worded in the language, UTF-8.
std::string status_text(const Status& status, Sprache sprache);

} // namespace tarvello
