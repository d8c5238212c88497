// Buildings over streets at print width: on one A4 sheet at 300 dpi no
// building of a generated map paints over a street's white body, nor in a
// picture of a large town at 1200 pixels.
#include <gtest/gtest.h>

#include "core/uhr.h"
#include "core/vorlagen.h"
#include "core/wirt.h"
#include "generator/treiber.h"
#include "karten/druckbild.h"
#include "modellbau.h"

using namespace tarvello;

// The measure sees a building on a street, on paper and in the picture, and
// leaves one beside it alone.
TEST(Druckbild, FindetHausAufDerStrasse) {
    Stadtmodell m;
    m.dimensionieren(4, 10, 4, 1, 1);
    m.stadt_abmessung = 400.0f;
    m.weg_halbbreite_min = 1.0f;
    m.weg_halbbreite_max = 3.0f;
    weg_setzen(m, 1, 3.0f, false, {{-10.3f, 200.7f}, {410.2f, 201.3f}}, 4.0f);
    rechteck_haus(m, 100.3f, 199.1f, 108.7f, 207.9f); // on the centre line
    rechteck_haus(m, 200.3f, 230.1f, 208.7f, 238.9f); // well beside it
    for (const Zielart art : {Zielart::drucker, Zielart::bild}) {
        const Druckbildbefund b = haeuser_ueber_strassen(m, art);
        EXPECT_EQ(b.gebaeude, 2);
        EXPECT_EQ(b.ueber_strasse, 1);
        ASSERT_EQ(b.beispiele.size(), 1u);
        EXPECT_EQ(b.beispiele[0], 1);
    }
}

TEST(Druckbild, KeinHausUeberEinerStrasseImDruck) {
    for (const int vorlage : {3, 4, 8, 9, 10, 12, 13}) {
        Steuerwerte s = start_steuerwerte();
        ASSERT_TRUE(vorlage_anwenden(s, vorlage));
        Stadtmodell m;
        Wirt wirt;
        const Laufbericht r = stadtplan_erstellen({s, 31, {}}, m, system_uhr(), wirt);
        ASSERT_EQ(r.ende, Laufende::fertig) << vorlage;
        const Druckbildbefund b = haeuser_ueber_strassen(m, Zielart::drucker);
        EXPECT_GT(b.gebaeude, 0) << vorlage;
        EXPECT_EQ(b.ueber_strasse, 0) << "preset " << vorlage << ", e.g. building "
                                      << (b.beispiele.empty() ? 0 : b.beispiele[0]);
    }
}

// A large town at 1200 pixels: the streets, smoothed at their true width, lie
// clear of the houses. Houses are filled on whole pixels and may brush a
// street's smoothed edge with two of them; with lines rounded up to whole
// pixels, a dozen houses of this map each covered more.
TEST(Druckbild, KeinHausUeberEinerStrasseImBild) {
    Steuerwerte s = start_steuerwerte();
    ASSERT_TRUE(vorlage_anwenden(s, 11));
    Stadtmodell m;
    Wirt wirt;
    const Laufbericht r = stadtplan_erstellen({s, 31, {}}, m, system_uhr(), wirt);
    ASSERT_EQ(r.ende, Laufende::fertig);
    const Druckbildbefund b = haeuser_ueber_strassen(m, Zielart::bild, 300, 3, 1200);
    EXPECT_GT(b.gebaeude, 1000);
    EXPECT_EQ(b.ueber_strasse, 0) << "e.g. building " << (b.beispiele.empty() ? 0 : b.beispiele[0]);
}
