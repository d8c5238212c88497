// The one mapping from results to exit codes, the command line's words for
// the end of a drawing, the choice of its language and the one reading of
// the program's arguments.
#include <gtest/gtest.h>

#include "cli/aufruf.h"
#include "cli/befehlszeile.h"
#include "cli/sprachwahl.h"

using namespace tarvello;

TEST(Befehlszeile, JedeFehlerartHatIhrenExitcode) {
    EXPECT_EQ(exitcode(Ergebnis()), 0);
    const struct {
        Fehlerart art;
        int code;
    } faelle[] = {{Fehlerart::datei, 1},
                  {Fehlerart::bedienung, 2},
                  {Fehlerart::abbruch, 3},
                  {Fehlerart::kein_plan, 4}};
    for (const auto& f : faelle)
        EXPECT_EQ(exitcode(Ergebnis::fehler(f.art, "x", "x")), f.code) << static_cast<int>(f.art);
    EXPECT_EQ(melden(Ergebnis()), 0);
}

TEST(Befehlszeile, ZeichnungsendeInWortenDerBefehlszeile) {
    const Ergebnis abbruch =
        Ergebnis::fehler(Fehlerart::abbruch, Meldung(Meldungsart::grafikexport_abgebrochen));
    const Ergebnis kein_plan =
        Ergebnis::fehler(Fehlerart::kein_plan, Meldung(Meldungsart::zeichnen_kein_plan));
    EXPECT_EQ(zeichnung_bewerten(abbruch).englisch(), "image export aborted");
    EXPECT_EQ(zeichnung_bewerten(abbruch, "a.pdf").englisch(),
              "printing aborted; a.pdf was not written");
    EXPECT_EQ(zeichnung_bewerten(kein_plan).englisch(), "there is no map to draw");
    EXPECT_EQ(zeichnung_bewerten(kein_plan, "a.pdf").englisch(), "there is no map to print");
    EXPECT_EQ(zeichnung_bewerten(abbruch, "a.pdf").deutsch(),
              "Druck abgebrochen; a.pdf wurde nicht geschrieben");
    EXPECT_EQ(zeichnung_bewerten(kein_plan).deutsch(), "es gibt keinen Stadtplan zum Zeichnen");
    EXPECT_EQ(zeichnung_bewerten(abbruch).art(), Fehlerart::abbruch);
    EXPECT_EQ(zeichnung_bewerten(kein_plan).art(), Fehlerart::kein_plan);
    // A fault of the target keeps its words; success stays success.
    const Ergebnis datei =
        Ergebnis::fehler(Fehlerart::datei, "a.png kann nicht geschrieben werden: Disk full",
                         "cannot write a.png: Disk full");
    EXPECT_EQ(zeichnung_bewerten(datei, "a.pdf").englisch(), datei.englisch());
    EXPECT_EQ(zeichnung_bewerten(datei, "a.pdf").deutsch(), datei.deutsch());
    EXPECT_TRUE(zeichnung_bewerten(Ergebnis()).gut());
}

TEST(Befehlszeile, SpracheDesGebietsschemas) {
    constexpr Sprache de = Sprache::deutsch;
    constexpr Sprache en = Sprache::englisch;
    const struct {
        const char *language, *lc_all, *lc_messages, *lang;
        Sprache sprache;
    } faelle[] = {
        {nullptr, nullptr, nullptr, nullptr, en},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", de},
        {nullptr, nullptr, nullptr, "de", de},
        {nullptr, nullptr, nullptr, "C.UTF-8", en},
        {nullptr, nullptr, nullptr, "en_GB", en},
        // The first one set and not empty decides.
        {nullptr, nullptr, "en_US.UTF-8", "de_DE.UTF-8", en},
        {nullptr, "de_AT.UTF-8", "en_US.UTF-8", "en_US", de},
        {"", "", "", "de_CH", de},
        {"en", "de_DE.UTF-8", nullptr, nullptr, en},
        // LANGUAGE lists languages: the first counts.
        {"de_DE:en", nullptr, nullptr, "C", de},
        {"en_GB:de", "de_DE.UTF-8", nullptr, nullptr, en},
        {":de", nullptr, nullptr, nullptr, de},
        {":", nullptr, nullptr, "de_DE", de},
        // Only a beginning "de" is German.
        {nullptr, nullptr, nullptr, "nl_DE.UTF-8", en},
        {nullptr, "POSIX", nullptr, "de_DE", en},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(sprache_aus_gebietsschema(f.language, f.lc_all, f.lc_messages, f.lang), f.sprache)
            << (f.language ? f.language : "-") << " " << (f.lc_all ? f.lc_all : "-") << " "
            << (f.lc_messages ? f.lc_messages : "-") << " " << (f.lang ? f.lang : "-");

    EXPECT_EQ(sprache_aus_kuerzel("de"), de);
    EXPECT_EQ(sprache_aus_kuerzel("en"), en);
    EXPECT_FALSE(sprache_aus_kuerzel("DE").has_value());
    EXPECT_FALSE(sprache_aus_kuerzel("de_DE").has_value());
    EXPECT_FALSE(sprache_aus_kuerzel("").has_value());
}

TEST(Befehlszeile, AufrufEinmalGelesen) {
    constexpr Sprache de = Sprache::deutsch;
    constexpr Sprache en = Sprache::englisch;
    const Sprache umgebung = sprache_der_umgebung();
    using F = Aufruf::Front;
    const struct {
        QStringList woerter;
        F front;
        Sprache sprache;
        bool zeichnet;
    } faelle[] = {
        {{}, F::fenster, umgebung, false},
        {{"a.QLS"}, F::fenster, umgebung, false},
        {{"--lang", "de", "--help"}, F::unbekannt, de, false},
        {{"help", "--lang=de"}, F::hilfe, de, false},
        {{"-v"}, F::version, umgebung, false},
        // The last --lang counts; nothing after "--" is an option, nor a
        // value of another option.
        {{"render", "--lang=de", "--lang", "en", "a.qls"}, F::befehl, en, true},
        {{"render", "--lang", "fr"}, F::befehl, umgebung, true},
        {{"generate", "--", "--lang=de"}, F::befehl, umgebung, false},
        {{"generate", "--title", "--lang", "de"}, F::befehl, umgebung, false},
        // An unknown option does not stop the reading.
        {{"generate", "--bogus", "--lang", "de", "--svg=a.svg"}, F::befehl, de, true},
        {{"name", "--lang", "de"}, F::befehl, de, false},
    };
    for (const auto& f : faelle) {
        const Aufruf a = aufruf_lesen(QStringList{"tarvello"} + f.woerter);
        const std::string was = f.woerter.join(' ').toStdString();
        EXPECT_EQ(a.front, f.front) << was;
        EXPECT_EQ(a.sprache, f.sprache) << was;
        EXPECT_EQ(a.zeichnet, f.zeichnet) << was;
    }
    const Aufruf a = aufruf_lesen({"tarvello", "generate", "--png", "a.png", "x"});
    EXPECT_TRUE(a.befehl.gelesen);
    EXPECT_EQ(a.befehl.argumente, QStringList({"tarvello generate", "--png", "a.png", "x"}));
    EXPECT_EQ(a.befehl.parser->positionalArguments(), QStringList{"x"});
}

TEST(Befehlszeile, ParsefehlerVonQtAufDeutsch) {
    const struct {
        const char *qt, *deutsch;
    } faelle[] = {
        {"Unknown option 'bogus'.", "Unbekannte Option 'bogus'."},
        {"Unknown options: a, b.", "Unbekannte Optionen: a, b."},
        {"Missing value after '--pdf'.", "Fehlender Wert nach '--pdf'."},
        {"Unexpected value after '--quiet'.", "Unerwarteter Wert nach '--quiet'."},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(parsefehler_text(f.qt, Sprache::deutsch), QString::fromUtf8(f.deutsch));
        EXPECT_EQ(parsefehler_text(f.qt, Sprache::englisch), QString::fromUtf8(f.qt));
    }
    // An unknown wording stays as Qt made it.
    EXPECT_EQ(parsefehler_text("Something else.", Sprache::deutsch), "Something else.");
}
