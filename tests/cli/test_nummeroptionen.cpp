#include "cli/nummeroptionen.h"

#include <gtest/gtest.h>

using namespace tarvello;

namespace {

struct Gelesen {
    bool gut = false;
    QString fehler;
};

Gelesen lesen(const QStringList& optionen, Stadtmodell& m) {
    QCommandLineParser parser;
    nummer_optionen_hinzufuegen(parser);
    Gelesen e;
    if (!parser.parse(QStringList{"tarvello"} + optionen)) {
        e.fehler = parser.errorText();
        return e;
    }
    const tarvello::Ergebnis r = nummer_optionen_lesen(parser, m);
    e.gut = r.gut();
    e.fehler = QString::fromStdString(r.englisch());
    return e;
}

} // namespace

TEST(Nummeroptionen, SetztDieVierZaehler) {
    Stadtmodell m;
    m.n_nummer_parks = 9; // a count not given on the command line becomes 0
    const Gelesen e =
        lesen({"--number-streets", "12", "--number-buildings=10000", "--number-squares", "100"}, m);
    ASSERT_TRUE(e.gut) << e.fehler.toStdString();
    EXPECT_EQ(m.n_nummer_wege, 12);
    EXPECT_EQ(m.n_nummer_haeuser, 10000);
    EXPECT_EQ(m.n_nummer_plaetze, 100);
    EXPECT_EQ(m.n_nummer_parks, 0);
}

TEST(Nummeroptionen, WerteUeberDerGrenzeWerdenAbgelehnt) {
    const struct {
        QStringList optionen;
        const char* teil;
    } faelle[] = {
        {{"--number-streets", "10001"}, "--number-streets: 10001 is outside 0..10000"},
        {{"--number-buildings", "20000"}, "--number-buildings: 20000 is outside 0..10000"},
        {{"--number-squares", "101"}, "--number-squares: 101 is outside 0..100"},
        {{"--number-parks", "-1"}, "--number-parks: -1 is outside 0..100"},
        {{"--number-parks", "zwei"}, "--number-parks: 'zwei' is not a whole number"},
    };
    for (const auto& f : faelle) {
        Stadtmodell m;
        m.n_nummer_wege = 5;
        const Gelesen e = lesen(QStringList{"--number-streets", "7"} + f.optionen, m);
        EXPECT_FALSE(e.gut) << f.teil;
        EXPECT_EQ(e.fehler.toStdString(), f.teil);
        EXPECT_FALSE(e.fehler.contains('\n'));
        EXPECT_EQ(m.n_nummer_wege, 5) << "the model stays as it was";
    }
}
