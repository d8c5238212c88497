// What the map writer and the map reader share: the layout constants of the
// file and the encoding of the town name.
#pragma once

#include <QByteArray>
#include <QString>

#include "core/meldung.h"

namespace tarvello {

inline constexpr int nord_knoepfe = 12;
// Progress and yields every so many elements: often enough to stay
// responsive, rarely enough to cost nothing.
inline constexpr int melde_takt = 64;
// Whole-number floats (the map size, tower shapes) are written as integers
// up to this size.
inline constexpr float ganzzahl_float_max = 1e15f;

// The messages naming the parts of a square or a park.
struct Flaechenworte {
    Meldungsart wort, woerter, anzahl, kapazitaet, nummer, punktzahl, punkte, breitenwert, x, y;
};
inline constexpr Flaechenworte platz_worte{
    Meldungsart::wort_platz,         Meldungsart::wort_plaetze,
    Meldungsart::was_anzahl_plaetze, Meldungsart::was_kapazitaet_plaetze,
    Meldungsart::was_nummer_platz,   Meldungsart::was_punktzahl_platz,
    Meldungsart::was_punkte_platz,   Meldungsart::was_breitenwert_platz,
    Meldungsart::was_x_punkt_platz,  Meldungsart::was_y_punkt_platz};
inline constexpr Flaechenworte park_worte{
    Meldungsart::wort_park,        Meldungsart::wort_parks,
    Meldungsart::was_anzahl_parks, Meldungsart::was_kapazitaet_parks,
    Meldungsart::was_nummer_park,  Meldungsart::was_punktzahl_park,
    Meldungsart::was_punkte_park,  Meldungsart::was_breitenwert_park,
    Meldungsart::was_x_punkt_park, Meldungsart::was_y_punkt_park};

// A town name read from a map file: UTF-8 when its bytes are valid UTF-8,
// else Windows-1252.
QString stadtname_lesen(const QByteArray& roh);

// The bytes of a town name for a map file: Windows-1252, which programs on
// Windows read, when every character has a byte there and those bytes read
// back as the name (a name such as "Ã¶" would read as UTF-8); else UTF-8.
QByteArray stadtname_schreiben(const QString& name);

} // namespace tarvello
