#include "cli/befehl_name.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <iostream>
#include <optional>
#include <string>

#include "cli/befehlszeile.h"
#include "cli/sprachwahl.h"
#include "core/zufall.h"
#include "names/stadtname.h"

namespace tarvello {

namespace {

constexpr long long hoechste_anzahl = 100000;

// Bad input, reported under the command's own name.
int fehler(const std::string& deutsch, const std::string& englisch) {
    const Ergebnis e = Ergebnis::fehler(Fehlerart::bedienung, deutsch, englisch);
    std::cerr << "tarvello name: " << e.text(befehlssprache()) << '\n';
    return exitcode(e);
}

// A bad value of an option: what the option takes, in both languages.
int falscher_wert(const char* option, const std::string& wert, const std::string& erlaubt_de,
                  const std::string& erlaubt_en) {
    const std::string kopf = std::string(option) + ": \"" + wert + "\" (";
    return fehler("falscher Wert für " + kopf + erlaubt_de + ")",
                  "bad value for " + kopf + erlaubt_en + ")");
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

const char* hilfe_text_en =
    "Usage: tarvello name [--words RANGE] [--syllables RANGE] [--mood 0..100] [--count N] "
    "[--seed N]\n"
    "Invents random town names, one per line.\n"
    "  --words RANGE      words per name (default 1-2)\n"
    "  --syllables RANGE  syllables per word (default 1-3)\n"
    "  --mood 0..100      from lovely (0) to ominous (100) (default 50)\n"
    "  --count N          number of names (default 1)\n"
    "  --seed N           repeatable names\n"
    "  --lang de|en       language of the messages (default: the locale's)\n";

const char* hilfe_text_de =
    "Aufruf: tarvello name [--words BEREICH] [--syllables BEREICH] [--mood 0..100] [--count N] "
    "[--seed N]\n"
    "Erfindet zufällige Stadtnamen, einen je Zeile.\n"
    "  --words BEREICH      Wörter je Name (sonst 1-2)\n"
    "  --syllables BEREICH  Silben je Wort (sonst 1-3)\n"
    "  --mood 0..100        von lieblich (0) bis düster (100) (sonst 50)\n"
    "  --count N            Anzahl der Namen (sonst 1)\n"
    "  --seed N             wiederholbare Namen\n"
    "  --lang de|en         Sprache der Meldungen (sonst die des Gebietsschemas)\n";

void optionen(QCommandLineParser& parser) {
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    // The help is hilfe_text; these descriptions are not shown.
    parser.addOptions({{{"h", "help"}, "Show this help."},
                       {"words", "Words per name.", "RANGE"},
                       {"syllables", "Syllables per word.", "RANGE"},
                       {"mood", "Lovely (0) to ominous (100).", "0..100"},
                       {"count", "Number of names.", "N"},
                       {"seed", "Seed for repeatable names.", "N"},
                       {"lang", "Language of the messages.", "LANG"}});
}

int ausfuehren(const Befehlsaufruf& aufruf) {
    const QCommandLineParser& parser = *aufruf.parser;
    const QString opt_hilfe = "help", opt_woerter = "words", opt_silben = "syllables",
                  opt_stimmung = "mood", opt_anzahl = "count", opt_startwert = "seed",
                  opt_sprache = "lang";
    if (!aufruf.gelesen) {
        const QString qt = parser.errorText();
        return fehler(parsefehler_text(qt, Sprache::deutsch).toStdString(), qt.toStdString());
    }
    if (!parser.positionalArguments().isEmpty()) {
        const std::string arg = parser.positionalArguments().first().toStdString();
        return fehler("unerwartetes Argument \"" + arg + "\"",
                      "unexpected argument \"" + arg + "\"");
    }
    if (parser.isSet(opt_hilfe)) {
        std::cout << (befehlssprache() == Sprache::deutsch ? hilfe_text_de : hilfe_text_en)
                  << std::flush;
        return 0;
    }
    if (parser.isSet(opt_sprache) && !sprache_aus_kuerzel(parser.value(opt_sprache).toStdString()))
        return falscher_wert("--lang", parser.value(opt_sprache).toStdString(), "de oder en",
                             "de or en");

    Bereich woerter = bereich_lesen(woerter_eintraege[woerter_start_index]);
    if (parser.isSet(opt_woerter)) {
        const std::string text = parser.value(opt_woerter).toStdString();
        const auto b = bereich_aus_liste(text, woerter_eintraege);
        if (!b)
            return falscher_wert("--words", text, "eines von: " + liste_als_text(woerter_eintraege),
                                 "one of: " + liste_als_text(woerter_eintraege));
        woerter = *b;
    }

    Bereich silben = bereich_lesen(silben_eintraege[silben_start_index]);
    if (parser.isSet(opt_silben)) {
        const std::string text = parser.value(opt_silben).toStdString();
        const auto b = bereich_aus_liste(text, silben_eintraege);
        if (!b)
            return falscher_wert("--syllables", text,
                                 "eines von: " + liste_als_text(silben_eintraege),
                                 "one of: " + liste_als_text(silben_eintraege));
        silben = *b;
    }

    int regler = (regler_duester_min + regler_duester_max) / 2;
    if (parser.isSet(opt_stimmung)) {
        bool ok = false;
        regler = parser.value(opt_stimmung).trimmed().toInt(&ok);
        if (!ok || regler < regler_duester_min || regler > regler_duester_max)
            return falscher_wert("--mood", parser.value(opt_stimmung).toStdString(),
                                 "eine ganze Zahl von 0 bis 100", "a whole number from 0 to 100");
    }

    long long anzahl = 1;
    if (parser.isSet(opt_anzahl)) {
        bool ok = false;
        anzahl = parser.value(opt_anzahl).trimmed().toLongLong(&ok);
        if (!ok || anzahl < 1 || anzahl > hoechste_anzahl)
            return falscher_wert("--count", parser.value(opt_anzahl).toStdString(),
                                 "eine ganze Zahl von 1 bis 100000",
                                 "a whole number from 1 to 100000");
    }

    std::optional<std::uint64_t> startwert;
    if (parser.isSet(opt_startwert)) {
        const QString text = parser.value(opt_startwert).trimmed();
        startwert = startwert_lesen(text.toStdString());
        if (!startwert || text.startsWith('+'))
            return falscher_wert("--seed", parser.value(opt_startwert).toStdString(),
                                 "eine ganze Zahl von 0 bis 18446744073709551615",
                                 "a whole number from 0 to 18446744073709551615");
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

} // namespace

const Befehl name_befehl{"name", optionen, ausfuehren, nullptr};

} // namespace tarvello
