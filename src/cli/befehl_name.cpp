#include "cli/befehl_name.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <iostream>
#include <optional>
#include <string>

#include "cli/befehlszeile.h"
#include "core/stadtname.h"
#include "core/zufall.h"

namespace tarvello {

namespace {

constexpr long long hoechste_anzahl = 100000;

// Bad input, reported under the command's own name.
int fehler(const std::string& text) {
    const Ergebnis e = Ergebnis::fehler(Fehlerart::bedienung, text);
    std::cerr << "tarvello name: " << e.englisch() << '\n';
    return exitcode(e);
}

std::string liste_als_text(std::span<const std::string_view> eintraege) {
    std::string text;
    for (std::string_view e : eintraege) {
        while (!e.empty() && e.front() == ' ')
            e.remove_prefix(1);
        if (!text.empty()) text += ", ";
        text += e;
    }
    return text;
}

const char* hilfe_text =
    "Usage: tarvello name [--words RANGE] [--syllables RANGE] [--mood 0..100] [--count N] "
    "[--seed N]\n"
    "Invents random town names, one per line.\n"
    "  --words RANGE      words per name (default 1-2)\n"
    "  --syllables RANGE  syllables per word (default 1-3)\n"
    "  --mood 0..100      from lovely (0) to ominous (100) (default 50)\n"
    "  --count N          number of names (default 1)\n"
    "  --seed N           repeatable names\n";

} // namespace

int befehl_name(const QStringList& argumente) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption opt_hilfe(QStringList{"h", "help"}, "Show this help.");
    const QCommandLineOption opt_woerter("words", "Words per name.", "RANGE");
    const QCommandLineOption opt_silben("syllables", "Syllables per word.", "RANGE");
    const QCommandLineOption opt_stimmung("mood", "Lovely (0) to ominous (100).", "0..100");
    const QCommandLineOption opt_anzahl("count", "Number of names.", "N");
    const QCommandLineOption opt_startwert("seed", "Seed for repeatable names.", "N");
    parser.addOptions(
        {opt_hilfe, opt_woerter, opt_silben, opt_stimmung, opt_anzahl, opt_startwert});

    QStringList args = argumente;
    if (args.isEmpty()) args << "tarvello name";
    if (!parser.parse(args)) return fehler(parser.errorText().toStdString());
    if (!parser.positionalArguments().isEmpty())
        return fehler("unexpected argument \"" +
                      parser.positionalArguments().first().toStdString() + "\"");
    if (parser.isSet(opt_hilfe)) {
        std::cout << hilfe_text << std::flush;
        return 0;
    }

    Bereich woerter = bereich_lesen(woerter_eintraege[woerter_start_index]);
    if (parser.isSet(opt_woerter)) {
        const std::string text = parser.value(opt_woerter).toStdString();
        const auto b = bereich_aus_liste(text, woerter_eintraege);
        if (!b)
            return fehler("bad value for --words: \"" + text +
                          "\" (one of: " + liste_als_text(woerter_eintraege) + ")");
        woerter = *b;
    }

    Bereich silben = bereich_lesen(silben_eintraege[silben_start_index]);
    if (parser.isSet(opt_silben)) {
        const std::string text = parser.value(opt_silben).toStdString();
        const auto b = bereich_aus_liste(text, silben_eintraege);
        if (!b)
            return fehler("bad value for --syllables: \"" + text +
                          "\" (one of: " + liste_als_text(silben_eintraege) + ")");
        silben = *b;
    }

    int regler = (regler_duester_min + regler_duester_max) / 2;
    if (parser.isSet(opt_stimmung)) {
        bool ok = false;
        regler = parser.value(opt_stimmung).trimmed().toInt(&ok);
        if (!ok || regler < regler_duester_min || regler > regler_duester_max)
            return fehler("bad value for --mood: \"" + parser.value(opt_stimmung).toStdString() +
                          "\" (a whole number from 0 to 100)");
    }

    long long anzahl = 1;
    if (parser.isSet(opt_anzahl)) {
        bool ok = false;
        anzahl = parser.value(opt_anzahl).trimmed().toLongLong(&ok);
        if (!ok || anzahl < 1 || anzahl > hoechste_anzahl)
            return fehler("bad value for --count: \"" + parser.value(opt_anzahl).toStdString() +
                          "\" (a whole number from 1 to 100000)");
    }

    std::optional<std::uint64_t> startwert;
    if (parser.isSet(opt_startwert)) {
        const QString text = parser.value(opt_startwert).trimmed();
        startwert = startwert_lesen(text.toStdString());
        if (!startwert || text.startsWith('+'))
            return fehler("bad value for --seed: \"" + parser.value(opt_startwert).toStdString() +
                          "\" (a whole number from 0 to 18446744073709551615)");
    }

    Zufall zufall = startwert ? Zufall(*startwert) : Zufall();
    const float stimmung = stimmung_aus_regler(regler);
    std::string ausgabe;
    for (long long i = 0; i < anzahl; ++i) {
        ausgabe +=
            stadtname_erzeugen(zufall, woerter.min, woerter.max, silben.min, silben.max, stimmung);
        ausgabe += '\n';
    }
    std::cout << ausgabe << std::flush;
    return 0;
}

} // namespace tarvello
