// The command line as a whole, read before any Qt application exists: main
// must know which front to start, whether a command draws (a
// QGuiApplication) and which language to speak. A command's words are read
// once, by the command's own option table; the command then works from that.
#pragma once

#include <QString>
#include <QStringList>

#include "cli/befehlszeile.h"
#include "core/sprache.h"

namespace tarvello {

struct Aufruf {
    enum class Front {
        fenster,   // no words, or one naming a map, settings or palette file
        hilfe,     // -h, --help or help
        version,   // -v or --version
        befehl,    // a command, read by its table
        unbekannt, // a first word that is none of these
    };
    Front front = Front::fenster;
    QString wort;          // the first word after the program
    Befehlsaufruf befehl;  // Front::befehl: its arguments as read
    bool zeichnet = false; // the command draws pictures or prints
    Sprache sprache{};     // --lang, else the locale's
};

// Reads the program's arguments (argumente[0] is the program). Nothing is
// reported here: a parse fault waits in `befehl` for the command to word it
// in the language found.
Aufruf aufruf_lesen(const QStringList& argumente);

} // namespace tarvello
