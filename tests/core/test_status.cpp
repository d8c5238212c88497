// Every status kind is worded in both languages, with its arguments filled in.
#include "core/status.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

std::size_t vorkommen(const std::string& text, const std::string& teil) {
    std::size_t n = 0;
    for (std::size_t i = text.find(teil); i != std::string::npos; i = text.find(teil, i + 1))
        ++n;
    return n;
}

TEST(Status, JedeArtIstInBeidenSprachenFormuliert) {
    for (int i = 0; i < statusarten; ++i) {
        Status s{static_cast<Statusart>(i), 71, 93};
        s.meldung = Meldung(Meldungsart::text, "Panne");
        const std::string de = status_text(s, Sprache::deutsch);
        const std::string en = status_text(s, Sprache::englisch);
        SCOPED_TRACE(en);
        EXPECT_FALSE(de.empty());
        EXPECT_FALSE(en.empty());
        EXPECT_EQ(de.find('%'), std::string::npos) << de;
        EXPECT_EQ(en.find('%'), std::string::npos);
        // Both languages use the same arguments.
        for (const char* argument : {"71", "93", "Panne"})
            EXPECT_EQ(vorkommen(de, argument), vorkommen(en, argument)) << de << " / " << argument;
    }
}

TEST(Status, WortlauteMitZahlenUndText) {
    const Status teilweise{Statusart::fertig_aufgegeben, 14, 200};
    EXPECT_EQ(status_text(teilweise, Sprache::englisch),
              "City Map Finished! Only 14 of 200 buildings placed");
    EXPECT_EQ(status_text(teilweise, Sprache::deutsch),
              "Stadtplan erstellt! Nur 14 von 200 Gebäuden platziert");
    EXPECT_EQ(status_text({Statusart::fluesse, 3}, Sprache::deutsch), "Flüsse (Versuch 3) ...");
    // A text holding a place marker is not filled in again.
    EXPECT_EQ(status_text({Statusart::rechenfehler, "%1 %2 %t"}, Sprache::englisch),
              "Arithmetic fault: %1 %2 %t");
    EXPECT_EQ(status_text({}, Sprache::deutsch), "");
    // A fault carrying both wordings is worded in the language asked for.
    const Status fehler{Statusart::rechenfehler,
                        Ergebnis::fehler(Fehlerart::kein_plan, "kein Platz", "no room")};
    EXPECT_EQ(status_text(fehler, Sprache::deutsch), "Rechenfehler: kein Platz");
    EXPECT_EQ(status_text(fehler, Sprache::englisch), "Arithmetic fault: no room");
}

} // namespace
} // namespace tarvello
