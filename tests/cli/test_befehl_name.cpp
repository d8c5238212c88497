#include "cli/aufruf.h"

#include "names/namensform.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace tarvello;

namespace {

struct Lauf {
    int code = -1;
    std::vector<std::string> zeilen; // stdout
    std::string fehler;              // stderr
};

Lauf ausfuehren(const QStringList& optionen) {
    std::ostringstream aus;
    std::ostringstream err;
    auto* alt_aus = std::cout.rdbuf(aus.rdbuf());
    auto* alt_err = std::cerr.rdbuf(err.rdbuf());
    Lauf lauf;
    const Aufruf aufruf = aufruf_lesen(QStringList{"tarvello", "name"} + optionen);
    lauf.code = aufruf.befehl.befehl->ausfuehren(aufruf.befehl);
    std::cout.rdbuf(alt_aus);
    std::cerr.rdbuf(alt_err);
    std::istringstream in(aus.str());
    for (std::string z; std::getline(in, z);)
        lauf.zeilen.push_back(z);
    lauf.fehler = err.str();
    return lauf;
}

} // namespace

TEST(BefehlName, ZwanzigNamenAusDreiWoertern) {
    const Lauf lauf = ausfuehren({"--words", "3", "--syllables", "7", "--count", "20"});
    EXPECT_EQ(lauf.code, 0);
    EXPECT_TRUE(lauf.fehler.empty()) << lauf.fehler;
    ASSERT_EQ(lauf.zeilen.size(), 20u);
    for (const auto& name : lauf.zeilen)
        EXPECT_TRUE(namensform(name, 3));
}

TEST(BefehlName, VorgabenEinNameMitEinBisZweiWoertern) {
    for (int i = 0; i < 20; ++i) {
        const Lauf lauf = ausfuehren({});
        EXPECT_EQ(lauf.code, 0);
        ASSERT_EQ(lauf.zeilen.size(), 1u);
        const auto n = woerter_von(lauf.zeilen[0]).size();
        EXPECT_TRUE(n == 1 || n == 2) << lauf.zeilen[0];
    }
}

TEST(BefehlName, StartwertMachtWiederholbar) {
    const QStringList optionen{"--seed", "4711", "--count", "10", "--mood", "80", "--words", "2-3"};
    const Lauf a = ausfuehren(optionen);
    const Lauf b = ausfuehren(optionen);
    EXPECT_EQ(a.code, 0);
    ASSERT_EQ(a.zeilen.size(), 10u);
    EXPECT_EQ(a.zeilen, b.zeilen);
    const Lauf c =
        ausfuehren({"--seed", "4712", "--count", "10", "--mood", "80", "--words", "2-3"});
    EXPECT_NE(a.zeilen, c.zeilen);
    const Lauf d =
        ausfuehren({"--seed", "4711", "--count", "10", "--mood", "10", "--words", "2-3"});
    EXPECT_NE(a.zeilen, d.zeilen); // the mood changes the letters
}

TEST(BefehlName, FalscheEingabenEndenMitCodeZwei) {
    const std::vector<QStringList> schlecht = {
        {"--colour", "red"},  {"--words", "4"},     {"--words", "0"},      {"--syllables", "4-7"},
        {"--syllables", "8"}, {"--syllables", "x"}, {"--mood", "101"},     {"--mood", "-1"},
        {"--mood", "half"},   {"--count", "0"},     {"--count", "100001"}, {"--count", "3.5"},
        {"--seed", "-5"},     {"--seed", "abc"},    {"--words"},           {"extra"},
    };
    for (const auto& optionen : schlecht) {
        const Lauf lauf = ausfuehren(optionen);
        const std::string text = optionen.join(' ').toStdString();
        EXPECT_EQ(lauf.code, 2) << text;
        EXPECT_TRUE(lauf.zeilen.empty()) << text;
        ASSERT_FALSE(lauf.fehler.empty()) << text;
        // Exactly one line.
        EXPECT_EQ(lauf.fehler.find('\n'), lauf.fehler.size() - 1) << lauf.fehler;
    }
}

TEST(BefehlName, GrenzenDerWerteSindErlaubt) {
    for (const QStringList& optionen :
         {QStringList{"--mood", "0"}, QStringList{"--mood", "100"},
          QStringList{"--syllables", "  5"}, QStringList{"--syllables", "5-7"},
          QStringList{"--count", "100000", "--words", "1", "--syllables", "1"},
          QStringList{"--seed", "18446744073709551615"}}) {
        const Lauf lauf = ausfuehren(optionen);
        EXPECT_EQ(lauf.code, 0) << optionen.join(' ').toStdString() << ": " << lauf.fehler;
        EXPECT_FALSE(lauf.zeilen.empty());
    }
}
