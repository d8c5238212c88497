// Where the sixteen drawing colours come from and go to: the per-user
// settings store (application "systemqlsettings", section "werte", keys
// "farbe0".."farbe15", "nix" meaning the default colour) and the palette
// file (.qlf, sixteen lines, one packed colour value each).
//
// Files and the store hold packed values as the window system's RGB function
// builds them: red in the low byte, then green, then blue (white 16777215).
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <string_view>

#include "files/druckfarben.h"
#include "files/textdatei.h"

namespace tarvello {

inline constexpr const char* farbspeicher_anwendung = "systemqlsettings";
inline constexpr const char* farbspeicher_organisation = "tarvello";
inline constexpr const char* farbspeicher_abschnitt = "werte";
inline constexpr const char* farbspeicher_leer = "nix";
inline constexpr const char* palettendatei_filter = "Stadtplan-Farbpaletten (*.qlf)";
inline constexpr long long farbwert_max = 0xFFFFFF;

// Packed value (red low) to colour and back.
QRgb farbe_aus_wert(long long wert);
long long farbwert(QRgb farbe);

// "farbe0" .. "farbe15".
QString farbschluessel(int index);

// The user's settings store; tests point QStandardPaths at a test location.
std::unique_ptr<QSettings> farbspeicher_oeffnen();

// Start-up: every colour from the store; "nix" (or no entry) gives the
// default, any other text its leading number (0 when no digits lead). A
// number outside 0..16777215 is no colour and also gives the default.
Druckfarben farben_laden(QSettings& speicher);
Druckfarben farben_laden();

// Stores all sixteen colours as decimal text; a Fehlerart::datei naming the
// store when it cannot be written.
Ergebnis farben_speichern(QSettings& speicher, const Druckfarben& farben);
Ergebnis farben_speichern(const Druckfarben& farben);

// Writes the palette file; on failure (Fehlerart::datei, naming the file)
// the old file is left as it was.
Ergebnis palette_speichern(const QString& datei, const Druckfarben& farben,
                           Dateisystem& dateisystem = echtes_dateisystem());
// Sixteen colours, all or none: on any fault (Fehlerart::datei, naming the
// file and the line) `farben` is left as it was.
Ergebnis palette_laden(const QString& datei, Druckfarben& farben);
// The same from the bytes of a palette file already in memory; datei only
// names them in messages.
Ergebnis palette_lesen(const QString& datei, std::string_view inhalt, Druckfarben& farben);

} // namespace tarvello
