// Replays the maps of the fuzz corpora (fuzz/corpus/zeichnen/ and karte/)
// through the drawing fuzz target's check with the normal compiler: every
// map the reader accepts, hostile ones among them, is drawn as a picture,
// an SVG and a one-page PDF, completely and well within the time limit.
#include <QDir>
#include <gtest/gtest.h>

#include "pruefung.h"
#include "zeichnung.h"

namespace {

using namespace std::chrono_literals;
using tarvello::pruefung::Zeichenbericht;
using tarvello::pruefung::Zeitgrenze;

// The limit is far above what any of them takes: one that is stopped by it
// fails instead of passing quietly.
constexpr Zeitgrenze reichlich{60s, 10s};

struct Zaehlung {
    int dateien = 0;
    int angenommen = 0;
    int saaten = 0, saaten_angenommen = 0; // maps the program wrote
};

Zaehlung abspielen(const char* ziel) {
    const QDir ordner(QStringLiteral(TARVELLO_KORPUS "/") + QLatin1String(ziel));
    Zaehlung z;
    for (const QFileInfo& datei : ordner.entryInfoList(QDir::Files, QDir::Name)) {
        const QByteArray inhalt = tarvello::pruefung::datei_lesen(datei.filePath());
        Zeichenbericht bericht;
        const std::string fehler =
            tarvello::pruefung::zeichnen(tarvello::pruefung::als_text(inhalt), reichlich, &bericht);
        EXPECT_EQ(fehler, "") << ziel << "/" << datei.fileName().toStdString();
        EXPECT_EQ(bericht.gestoppt, 0) << ziel << "/" << datei.fileName().toStdString();
        ++z.dateien;
        z.angenommen += bericht.angenommen ? 1 : 0;
        if (datei.fileName().startsWith(QLatin1String("saat_"))) {
            ++z.saaten;
            z.saaten_angenommen += bericht.angenommen ? 1 : 0;
        }
    }
    return z;
}

TEST(Zeichenkorpus, JedeGeleseneKarteWirdGanzGezeichnet) {
    // The drawing corpus: small maps, which read, and hostile ones (a huge
    // round building, an edge of 1e9 m, a square on one line), which are
    // drawn or refused.
    const Zaehlung z = abspielen("zeichnen");
    EXPECT_GE(z.dateien, 6);
    EXPECT_GE(z.saaten, 3);
    EXPECT_EQ(z.saaten_angenommen, z.saaten);
    // The reader's corpus: what it accepts is drawn too.
    const Zaehlung k = abspielen("karte");
    EXPECT_GE(k.angenommen, 3);
}

// The check notices a drawing stopped by its host and a sheet that fails.
TEST(Zeichenkorpus, PruefungErkenntAbbruchUndFehler) {
    const QByteArray karte =
        tarvello::pruefung::datei_lesen(QStringLiteral(TARVELLO_KORPUS "/zeichnen/saat_rund.qls"));
    ASSERT_FALSE(karte.isEmpty());
    Zeichenbericht bericht;
    // No time at all: every drawing stops at once, which is fine.
    EXPECT_EQ(
        tarvello::pruefung::zeichnen(tarvello::pruefung::als_text(karte), {0ms, 10s}, &bericht),
        "");
    EXPECT_TRUE(bericht.angenommen);
    EXPECT_EQ(bericht.gestoppt, 3);
    // Bytes that do not read are not drawn.
    EXPECT_EQ(tarvello::pruefung::zeichnen("kein Plan", reichlich, &bericht), "");
    EXPECT_FALSE(bericht.angenommen);

    // A picture that cannot be completed is reported.
    struct Kaputt : tarvello::pruefung::Speicherbild {
        using Speicherbild::Speicherbild;
        tarvello::Ergebnis blatt_beenden(int z, int s) override {
            static_cast<void>(Speicherbild::blatt_beenden(z, s));
            return tarvello::Ergebnis::fehler(tarvello::Fehlerart::datei, "voll", "full");
        }
    };
    tarvello::Stadtmodell m;
    tarvello::Kartenkopf k;
    ASSERT_TRUE(
        tarvello::stadtplan_lesen("x.qls", tarvello::pruefung::als_text(karte), m, k).gut());
    const tarvello::Druckfarben f = tarvello::Druckfarben::standard();
    const tarvello::Druckoptionen o;
    tarvello::pruefung::Zeitwirt wirt(60s);
    const tarvello::Zeichenauftrag auftrag{m, f, o, {}, &wirt};
    Kaputt ziel(100, tarvello::Zielart::bild);
    const std::string fehler =
        tarvello::pruefung::zeichnung_pruefen("PNG", auftrag, ziel, wirt, reichlich, bericht);
    EXPECT_NE(fehler.find("full"), std::string::npos) << fehler;
}

} // namespace
