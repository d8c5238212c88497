#include <gtest/gtest.h>

#include <type_traits>

#include "core/ergebnis.h"

using namespace tarvello;

// `if (e)` or `!e` would read as "on success" to some and "on error" to
// others: neither may compile, nor may a result turn into a bool elsewhere.
template <class T>
concept verneinbar = requires(T t) {
    !t;
};
static_assert(!std::is_convertible_v<Ergebnis, bool>);
static_assert(!std::is_constructible_v<bool, Ergebnis>);
static_assert(!verneinbar<Ergebnis>);

TEST(Ergebnis, ErfolgUndFehlerLesenSichWieSieHeissen) {
    const Ergebnis gut;
    EXPECT_TRUE(gut.gut());
    EXPECT_EQ(gut.art(), Fehlerart::keiner);
    EXPECT_EQ(gut.text(Sprache::deutsch), "");

    const Ergebnis e =
        Ergebnis::fehler(Fehlerart::abbruch, "Stadtplan abgebrochen", "City Map Aborted");
    EXPECT_FALSE(e.gut());
    EXPECT_EQ(e.art(), Fehlerart::abbruch);
    EXPECT_EQ(e.text(Sprache::deutsch), "Stadtplan abgebrochen");
    EXPECT_EQ(e.text(Sprache::englisch), "City Map Aborted");
}

TEST(Ergebnis, VorsatzBehaeltDieArtUndLaesstErfolgStehen) {
    const Ergebnis e =
        Ergebnis::fehler(Fehlerart::bedienung, "a: b", "c: d").mit_vorsatz("--set: ");
    EXPECT_EQ(e.art(), Fehlerart::bedienung);
    EXPECT_EQ(e.deutsch(), "--set: a: b");
    EXPECT_EQ(e.englisch(), "--set: c: d");
    EXPECT_TRUE(Ergebnis().mit_vorsatz("--set: ").gut());
    EXPECT_EQ(Ergebnis().mit_vorsatz("--set: ").englisch(), "");
}

TEST(ErgebnisDeathTest, EinFehlerOhneArtIstEinProgrammfehler) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH((void)Ergebnis::fehler(Fehlerart::keiner, "x", "x"), "kind 'keiner'");
}
