#include "cli/nummeroptionen.h"

#include "cli/befehlszeile.h"
#include "generator/nummerierung.h"

namespace tarvello {

namespace {

struct Nummeroption {
    const char* name;
    const char* hilfe_de;
    const char* hilfe_en;
    int grenze;
};

const Nummeroption nummeroptionen[] = {
    {"number-streets", "N Straßen kennzeichnen, soweit vorhanden (0..10000, sonst 0).",
     "Label N streets, as far as there are (0..10000, default 0).", nummer_wege_max},
    {"number-buildings", "N Gebäude kennzeichnen, soweit vorhanden (0..10000, sonst 0).",
     "Label N buildings, as far as there are (0..10000, default 0).", nummer_haeuser_max},
    {"number-squares", "N Plätze kennzeichnen, soweit vorhanden (0..100, sonst 0).",
     "Label N squares, as far as there are (0..100, default 0).", nummer_plaetze_max},
    {"number-parks", "N Parks kennzeichnen, soweit vorhanden (0..100, sonst 0).",
     "Label N parks, as far as there are (0..100, default 0).", nummer_parks_max},
};

} // namespace

void nummer_optionen_hinzufuegen(QCommandLineParser& parser) {
    for (const Nummeroption& o : nummeroptionen)
        parser.addOption({QString::fromLatin1(o.name), sprachtext({o.hilfe_de, o.hilfe_en}), "N"});
}

Ergebnis nummer_optionen_lesen(const QCommandLineParser& parser, Stadtmodell& m) {
    long long werte[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const Nummeroption& o = nummeroptionen[i];
        const QString name = QString::fromLatin1(o.name);
        if (!parser.isSet(name)) continue;
        if (Ergebnis e = ganzzahl_lesen(parser.value(name), "--" + name, 0, o.grenze, werte[i]);
            !e.gut())
            return e;
    }
    m.n_nummer_wege = static_cast<std::int16_t>(werte[0]);
    m.n_nummer_haeuser = static_cast<std::int16_t>(werte[1]);
    m.n_nummer_plaetze = static_cast<std::int16_t>(werte[2]);
    m.n_nummer_parks = static_cast<std::int16_t>(werte[3]);
    return {};
}

} // namespace tarvello
