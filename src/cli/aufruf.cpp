#include "cli/aufruf.h"

#include <QCommandLineParser>

#include "cli/befehl_generate.h"
#include "cli/befehl_name.h"
#include "cli/befehl_palette.h"
#include "cli/befehl_params.h"
#include "cli/befehl_render.h"
#include "cli/sprachwahl.h"

namespace tarvello {

namespace {

const Befehl* const befehle[] = {&params_befehl, &name_befehl, &generate_befehl, &render_befehl,
                                 &palette_befehl};

// The program's own options, for words that name no command: the help and
// the unknown command are worded in the language --lang asks for.
void eigene_optionen(QCommandLineParser& parser) {
    parser.addOptions({{{"h", "help"}, {}}, {{"v", "version"}, {}}, {"lang", {}, "LANG"}});
}

const Befehl eigener_befehl{"", eigene_optionen, nullptr, nullptr};

// A single argument naming a map, settings or palette file (not a command).
bool ist_dateiargument(const QStringList& argumente) {
    if (argumente.size() != 2) return false;
    for (const char* endung : {".qls", ".qle", ".qlf"})
        if (argumente[1].endsWith(QLatin1String(endung), Qt::CaseInsensitive)) return true;
    return false;
}

} // namespace

Aufruf aufruf_lesen(const QStringList& argumente) {
    Aufruf a;
    a.sprache = sprache_der_umgebung();
    if (argumente.size() < 2 || ist_dateiargument(argumente)) return a;
    a.wort = argumente[1];
    for (const Befehl* b : befehle)
        if (a.wort == QLatin1String(b->name)) {
            a.front = Aufruf::Front::befehl;
            a.befehl = befehl_lesen(*b, QStringList{"tarvello " + a.wort} + argumente.mid(2));
            a.zeichnet = b->zeichnet && b->zeichnet(*a.befehl.parser);
        }
    if (a.front != Aufruf::Front::befehl) {
        // The first word counts as an argument here: "--lang de" alone asks
        // for German words on the unknown command "--lang".
        a.befehl = befehl_lesen(eigener_befehl, argumente);
        if (a.wort == "-h" || a.wort == "--help" || a.wort == "help")
            a.front = Aufruf::Front::hilfe;
        else if (a.wort == "-v" || a.wort == "--version")
            a.front = Aufruf::Front::version;
        else
            a.front = Aufruf::Front::unbekannt;
    }
    if (const auto s = sprache_aus_optionen(*a.befehl.parser)) a.sprache = *s;
    return a;
}

} // namespace tarvello
