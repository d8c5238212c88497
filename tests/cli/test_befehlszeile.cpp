// The one mapping from results to exit codes and the command line's words
// for the end of a drawing.
#include <gtest/gtest.h>

#include "cli/befehlszeile.h"

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
        EXPECT_EQ(exitcode(Ergebnis::fehler(f.art, "x")), f.code) << static_cast<int>(f.art);
    EXPECT_EQ(melden(Ergebnis()), 0);
}

TEST(Befehlszeile, ZeichnungsendeInWortenDerBefehlszeile) {
    const Ergebnis abbruch = Ergebnis::fehler(Fehlerart::abbruch, "");
    const Ergebnis kein_plan = Ergebnis::fehler(Fehlerart::kein_plan, "");
    EXPECT_EQ(zeichnung_bewerten(abbruch).englisch(), "image export aborted");
    EXPECT_EQ(zeichnung_bewerten(abbruch, "a.pdf").englisch(),
              "printing aborted; a.pdf was not written");
    EXPECT_EQ(zeichnung_bewerten(kein_plan).englisch(), "there is no map to draw");
    EXPECT_EQ(zeichnung_bewerten(kein_plan, "a.pdf").englisch(), "there is no map to print");
    EXPECT_EQ(zeichnung_bewerten(abbruch).art(), Fehlerart::abbruch);
    EXPECT_EQ(zeichnung_bewerten(kein_plan).art(), Fehlerart::kein_plan);
    // A fault of the target keeps its words; success stays success.
    const Ergebnis datei = Ergebnis::fehler(Fehlerart::datei, "cannot write a.png: Disk full");
    EXPECT_EQ(zeichnung_bewerten(datei, "a.pdf").englisch(), datei.englisch());
    EXPECT_TRUE(zeichnung_bewerten(Ergebnis()).gut());
}
