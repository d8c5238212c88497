// Shared pieces of the command-line front: exit codes, the options that
// choose control states (--preset, --settings, --set) and output helpers.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/steuerwerte.h"
#include "core/version.h"

namespace tarvello {

enum Exitcode : int { ok = 0, dateifehler = 1, bedienfehler = 2, abgebrochen = 3 };

// Adds --preset, --settings and --set to a parser.
void steuer_optionen_hinzufuegen(QCommandLineParser& parser);

// Builds the control states a command uses: the start state (preset 8), or
// the preset / settings file given, then every --set in order. On error
// returns false with a one-line message; code (when given) receives the exit
// code: dateifehler when the settings file cannot be read, else bedienfehler.
bool steuerwerte_aus_optionen(const QCommandLineParser& parser, Steuerwerte& s, QString& fehler,
                              Exitcode* code = nullptr);

// Parses an integer option strictly; false with a message on bad input.
bool ganzzahl_lesen(const QString& text, const QString& option, long long min, long long max,
                    long long& wert, QString& fehler);

// Parses a command's arguments and answers --help. Returns the exit code
// when the command is done already (help shown, or bad options reported),
// nothing when it should go on. With `ohne_argumente` any positional
// argument is refused.
std::optional<int> befehl_parsen(QCommandLineParser& parser, const QStringList& argumente,
                                 bool ohne_argumente);

// One line on stderr.
void fehler_melden(const QString& text);

} // namespace tarvello
