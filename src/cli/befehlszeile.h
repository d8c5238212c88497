// Shared pieces of the command-line front: exit codes and how results map to
// them, the options that choose control states (--preset, --settings,
// --set) and output helpers.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "core/ergebnis.h"
#include "core/steuerwerte.h"
#include "core/version.h"

namespace tarvello {

// The exit codes of every command.
enum Exitcode : int {
    ok = 0,
    dateifehler = 1,    // a file could not be read or written
    bedienfehler = 2,   // usage: a bad command, option or value
    abgebrochen = 3,    // aborted by the user or a time limit
    kein_stadtplan = 4, // the run could not make a town
};

// The exit code of a result: the one mapping from Fehlerart to exit code.
int exitcode(const Ergebnis& e);

// A failed result as one line on stderr ("tarvello: " and its English
// words); returns its exit code. Success prints nothing and returns ok.
int melden(const Ergebnis& e);

// A usage fault (Fehlerart::bedienung) with these words.
Ergebnis bedienungsfehler(const QString& text);

// How the command line words the end of a drawing, in one place: a fault of
// the target keeps its words; an abort and a missing map are worded here.
// pdf names the PDF being printed; empty for pictures.
Ergebnis zeichnung_bewerten(const Ergebnis& zeichnung, const QString& pdf = {});

// Adds --preset, --settings and --set to a parser.
void steuer_optionen_hinzufuegen(QCommandLineParser& parser);

// Builds the control states a command uses: the start state (preset 8), or
// the preset / settings file given, then every --set in order. On failure
// `s` is unusable and the result says why: Fehlerart::datei when the
// settings file cannot be read, else bedienung.
Ergebnis steuerwerte_aus_optionen(const QCommandLineParser& parser, Steuerwerte& s);

// Parses an integer option strictly. On success `wert` holds it; on bad
// input (Fehlerart::bedienung naming the option) `wert` is unchanged.
Ergebnis ganzzahl_lesen(const QString& text, const QString& option, long long min, long long max,
                        long long& wert);

// The value of --seed into `startwert`; Fehlerart::bedienung when it is not
// a whole number >= 0 (startwert is then unchanged).
Ergebnis startwert_lesen(const QCommandLineParser& parser, std::uint64_t& startwert);

// Parses a command's arguments and answers --help. Returns the exit code
// when the command is done already (help shown, or bad options reported),
// nothing when it should go on. With `ohne_argumente` any positional
// argument is refused.
std::optional<int> befehl_parsen(QCommandLineParser& parser, const QStringList& argumente,
                                 bool ohne_argumente);

// One line on stderr.
void fehler_melden(const QString& text);

} // namespace tarvello
