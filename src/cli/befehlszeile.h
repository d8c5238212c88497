// Shared pieces of the command-line front: what a command is and its
// arguments as read once, the language it speaks, exit codes and how results
// map to them, the options that choose control states (--preset, --settings,
// --set) and output helpers.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/ergebnis.h"
#include "core/steuerwerte.h"
#include "core/version.h"
#include "files/worte.h"

namespace tarvello {

struct Befehlsaufruf;

// A command of the command line: its word, its option table and its run
// over the options read.
struct Befehl {
    const char* name;
    // Fills a parser with the command's options, described in the command
    // line's language; the descriptions only show in the help.
    void (*optionen)(QCommandLineParser& parser);
    int (*ausfuehren)(const Befehlsaufruf& aufruf);
    // Whether the options read ask for drawing, which needs a
    // QGuiApplication; null: never.
    bool (*zeichnet)(const QCommandLineParser& parser);
};

// A command's arguments, read once by its option table.
struct Befehlsaufruf {
    const Befehl* befehl = nullptr;
    QStringList argumente; // "tarvello NAME", then the words after the command
    std::unique_ptr<QCommandLineParser> parser;
    bool gelesen = false; // false: parser->errorText() says why
};

// Reads a command's arguments (argumente[0] names it, as above) with its
// option table.
Befehlsaufruf befehl_lesen(const Befehl& befehl, const QStringList& argumente);

// The exit codes of every command.
enum Exitcode : int {
    ok = 0,
    dateifehler = 1,    // a file could not be read or written
    bedienfehler = 2,   // usage: a bad command, option or value
    abgebrochen = 3,    // aborted by the user or a time limit
    kein_stadtplan = 4, // the run could not make a town
};

// The language of every message and help text of the command line. main
// sets it before the command runs: from the locale, or from --lang.
Sprache befehlssprache();
void befehlssprache_setzen(Sprache s);
// The words in the command line's language.
QString sprachtext(const char* deutsch, const char* englisch);

// The language --lang asks for among the options read (the last one given);
// nothing when it is not given or neither de nor en.
std::optional<Sprache> sprache_aus_optionen(const QCommandLineParser& parser);
// Adds -h and --help, described in the command line's language.
void hilfe_option_hinzufuegen(QCommandLineParser& parser);
// Adds --lang to a parser; vorab_erledigt refuses a value other than de or en.
void sprach_option_hinzufuegen(QCommandLineParser& parser);

// The exit code of a result: the one mapping from Fehlerart to exit code.
int exitcode(const Ergebnis& e);

// A failed result as one line on stderr ("tarvello: " and its words in the
// command line's language); returns its exit code. Success prints nothing
// and returns ok.
int melden(const Ergebnis& e);

// A usage fault (Fehlerart::bedienung) with these words.
Ergebnis bedienungsfehler(const Worte& text);

// "--NAME is given more than once" as a usage fault's words.
Worte mehrfach(const char* name);

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
Ergebnis ganzzahl_lesen(const QString& text, const Worte& option, long long min, long long max,
                        long long& wert);
inline Ergebnis ganzzahl_lesen(const QString& text, const QString& option, long long min,
                               long long max, long long& wert) {
    return ganzzahl_lesen(text, Worte{option, option}, min, max, wert);
}

// The value of --seed into `startwert`; Fehlerart::bedienung when it is not
// a whole number >= 0 (startwert is then unchanged).
Ergebnis startwert_lesen(const QCommandLineParser& parser, std::uint64_t& startwert);

// Adds --timeout SECONDS with the description given.
void zeitlimit_option_hinzufuegen(QCommandLineParser& parser, const QString& beschreibung);

// The value of --timeout into `sekunden` (unchanged when it is not given):
// a number with 0 < SECONDS <= 10000000, else Fehlerart::bedienung naming
// the value and that range.
Ergebnis zeitlimit_lesen(const QCommandLineParser& parser, double& sekunden);

// Answers what a command's read arguments settle before its work, in the
// command line's language: a parse fault, --help, a bad --lang and, with
// `ohne_argumente`, any positional argument. Returns the exit code when the
// command is done already, nothing when it should go on.
std::optional<int> vorab_erledigt(const Befehlsaufruf& aufruf, bool ohne_argumente);

// The value of an option that is set (the last one given), else nothing.
std::optional<QString> wert_von(const QCommandLineParser& parser, const QString& name);

// One line on stderr: "tarvello: " and the text.
void fehler_melden(const QString& text);

// Qt's wording of a parse fault (an unknown option, a missing value) in the
// language; Qt words them in English only.
QString parsefehler_text(const QString& qt_text, Sprache s);

} // namespace tarvello
