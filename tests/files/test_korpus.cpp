// Replays the fuzz corpus (fuzz/corpus/<target>/) through the fuzz targets'
// checks with the normal compiler: every file the fuzzers kept, crashes they
// found among them, must be read or refused cleanly, and what is read must
// write back to the same bytes.
#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "files/datei_hilfe.h"
#include "files/ergebnis_hilfe.h"
#include "pruefung.h"

namespace {

using Pruefung = std::string (*)(std::string_view, const QString&, bool*);

struct Ergebnis {
    int dateien = 0;
    int angenommen = 0;
};

// Runs every file of one corpus folder.
Ergebnis abspielen(const char* ziel, Pruefung pruefen) {
    const QDir ordner(QStringLiteral(TARVELLO_KORPUS "/") + QLatin1String(ziel));
    QTemporaryDir arbeit;
    EXPECT_TRUE(arbeit.isValid());
    const QString arbeitsdatei = arbeit.filePath(QStringLiteral("zurueck"));
    Ergebnis e;
    for (const QFileInfo& datei : ordner.entryInfoList(QDir::Files, QDir::Name)) {
        const QByteArray inhalt = tarvello::pruefung::datei_lesen(datei.filePath());
        EXPECT_EQ(inhalt.size(), datei.size()) << datei.fileName().toStdString();
        bool angenommen = false;
        const std::string fehler =
            pruefen(tarvello::pruefung::als_text(inhalt), arbeitsdatei, &angenommen);
        EXPECT_EQ(fehler, "") << ziel << "/" << datei.fileName().toStdString();
        ++e.dateien;
        e.angenommen += angenommen ? 1 : 0;
    }
    return e;
}

// Each corpus holds files the program wrote, which are read and written
// back, and many it refuses.
TEST(Korpus, KartendateienWerdenGelesenOderSauberAbgelehnt) {
    const Ergebnis e = abspielen("karte", tarvello::pruefung::karte);
    EXPECT_GE(e.dateien, 20);
    EXPECT_GE(e.angenommen, 3);
    EXPECT_LT(e.angenommen, e.dateien);
}

TEST(Korpus, EinstellungsdateienWerdenGelesenOderSauberAbgelehnt) {
    const Ergebnis e = abspielen("einstellungen", tarvello::pruefung::einstellungen);
    EXPECT_GE(e.dateien, 20);
    EXPECT_GE(e.angenommen, 3);
    EXPECT_LT(e.angenommen, e.dateien);
}

TEST(Korpus, PalettendateienWerdenGelesenOderSauberAbgelehnt) {
    const Ergebnis e = abspielen("palette", tarvello::pruefung::palette);
    EXPECT_GE(e.dateien, 15);
    EXPECT_GE(e.angenommen, 2);
    EXPECT_LT(e.angenommen, e.dateien);
}

// The checks themselves catch what they are meant to catch.
TEST(Korpus, PruefungErkenntFehler) {
    QTemporaryDir arbeit;
    const QString datei = arbeit.filePath(QStringLiteral("zurueck"));
    // A refused file passes with a clean message; so does a good file.
    EXPECT_EQ(tarvello::pruefung::palette("kein Palette\r\n", datei), "");
    std::string gut;
    for (int i = 0; i < 16; ++i) {
        gut += ' ';
        gut += std::to_string(i * 1000);
        gut += " \r\n";
    }
    EXPECT_EQ(tarvello::pruefung::palette(gut, datei), "");
    // A message that spans lines or misses the file name is reported.
    const auto fehler = [](const char* name, const char* text,
                           tarvello::Fehlerart art = tarvello::Fehlerart::datei) {
        return tarvello::Dateifehler{name, 2, tarvello::Worte{QString::fromUtf8(text) + "!", text}}
            .ergebnis(art);
    };
    EXPECT_EQ(tarvello::pruefung::meldung_pruefen(fehler("eingabe.qlf", "ab"), "eingabe.qlf"), "");
    EXPECT_NE(tarvello::pruefung::meldung_pruefen(fehler("eingabe.qlf", "a\nb"), "eingabe.qlf"),
              "");
    EXPECT_NE(tarvello::pruefung::meldung_pruefen(fehler("anders.qlf", "ab"), "eingabe.qlf"), "");
    EXPECT_NE(tarvello::pruefung::meldung_pruefen(
                  fehler("eingabe.qlf", "ab", tarvello::Fehlerart::bedienung), "eingabe.qlf"),
              "");
    // So is a message with no German words.
    EXPECT_NE(tarvello::pruefung::meldung_pruefen(
                  tarvello::Worte{"eingabe.qlf: ab", "eingabe.qlf: ab"}.ergebnis(
                      tarvello::Fehlerart::datei),
                  "eingabe.qlf"),
              "");
    // A scratch file that cannot be written makes an accepted file fail.
    EXPECT_NE(tarvello::pruefung::palette(gut, arbeit.filePath(QStringLiteral("fehlt/x"))), "");
}

// What the fuzzers found, one case each.

// The lines of a saved hand-made map, to be edited.
std::vector<std::string> handkarte_zeilen(const QTemporaryDir& ordner) {
    const QString datei = ordner.filePath(QStringLiteral("hand.qls"));
    const tarvello::Ergebnis e =
        tarvello::stadtplan_speichern(datei, dateitest::handmodell(), {QStringLiteral("Hand"), 2});
    EXPECT_TRUE(e.gut()) << e.englisch();
    return dateitest::zeilen(dateitest::lesen(datei));
}

std::string rundreise(const std::vector<std::string>& zeilen, const QTemporaryDir& ordner) {
    const QByteArray inhalt = dateitest::verbinden(zeilen);
    return tarvello::pruefung::karte(tarvello::pruefung::als_text(inhalt),
                                     ordner.filePath(QStringLiteral("zurueck")));
}

TEST(Fundstuecke, WagenruecklaufImStadtnamenWirdLeerzeichen) {
    QTemporaryDir ordner;
    std::vector<std::string> z = handkarte_zeilen(ordner);
    z[2] = "Alt\rstadt";
    const QByteArray inhalt = dateitest::verbinden(z);
    tarvello::Stadtmodell m;
    tarvello::Kartenkopf k;
    ASSERT_TRUE(
        tarvello::stadtplan_lesen("x.qls", tarvello::pruefung::als_text(inhalt), m, k).gut());
    EXPECT_EQ(k.stadtname, QStringLiteral("Alt stadt"));
    EXPECT_EQ(rundreise(z, ordner), "");
}

TEST(Fundstuecke, TurmformUndKartengroesseAlsGanzeZahlGelesen) {
    QTemporaryDir ordner;
    std::vector<std::string> z = handkarte_zeilen(ordner);
    // The last tower has no shape; 1.5 is written as 2, a square tower,
    // whose four corners must then follow.
    ASSERT_EQ(z.back(), " 0 ");
    z.back() = "1.5";
    for (int i = 0; i < 8; ++i)
        z.push_back(std::to_string(10 + i));
    const QByteArray inhalt = dateitest::verbinden(z);
    tarvello::Stadtmodell m;
    tarvello::Kartenkopf k;
    const tarvello::Ergebnis e =
        tarvello::stadtplan_lesen("x.qls", tarvello::pruefung::als_text(inhalt), m, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(m.tuerme[3].form, 2.0f);
    EXPECT_EQ(m.tuerme[3].x[4], 16.0f);
    EXPECT_EQ(rundreise(z, ordner), "");

    // Without the corners the file is refused.
    z.resize(z.size() - 8);
    EXPECT_FALSE(tarvello::stadtplan_lesen(
                     "x.qls", tarvello::pruefung::als_text(dateitest::verbinden(z)), m, k)
                     .gut());

    // The map size (line 4) likewise: 12.5 reads as 12, and a size too large
    // to be written back is refused.
    z = handkarte_zeilen(ordner);
    z[3] = "12.5";
    const QByteArray zwoelf = dateitest::verbinden(z);
    ASSERT_TRUE(
        tarvello::stadtplan_lesen("x.qls", tarvello::pruefung::als_text(zwoelf), m, k).gut());
    EXPECT_EQ(m.stadt_abmessung, 12.0f);
    z[3] = "1e20";
    const tarvello::Ergebnis gross = tarvello::stadtplan_lesen(
        "x.qls", tarvello::pruefung::als_text(dateitest::verbinden(z)), m, k);
    ASSERT_FALSE(gross.gut());
    EXPECT_EQ(dateitest::fehlerbild(gross).zeile, 4);
    EXPECT_EQ(m.stadt_abmessung, 12.0f) << "a refused file changed the model";
}

// More buildings than a run can make (a 16-bit count) are refused before
// any table is sized, however long the file.
TEST(Fundstuecke, HoechstensSoVieleGebaeudeWieEinLaufMacht) {
    QTemporaryDir ordner;
    std::vector<std::string> z = handkarte_zeilen(ordner);
    // Line of the building count: after the header (20 lines), the two way
    // counts and half-widths, and the three ways.
    const tarvello::Stadtmodell hand = dateitest::handmodell();
    std::size_t zeile = 20 + 4;
    for (int w = 1; w <= hand.n_wege; ++w)
        zeile += 4 + 2 * static_cast<std::size_t>(hand.wege[static_cast<std::size_t>(w)].n_punkte);
    ASSERT_EQ(z[zeile], " 3 ");
    std::vector<std::string> viele(z.begin(), z.begin() + static_cast<long>(zeile));
    viele.push_back(" 32768 ");
    for (int b = 0; b < 32768; ++b) {
        viele.push_back(" 0 ");
        viele.push_back(" 2 "); // a shape that carries no coordinates
    }
    viele.push_back(" 0 "); // no squares, no parks, no wall
    viele.push_back(" 30000 ");
    viele.push_back(" 0 ");
    viele.push_back(" 30000 ");
    viele.push_back(" 0 ");
    tarvello::Stadtmodell m;
    tarvello::Kartenkopf k;
    QByteArray inhalt = dateitest::verbinden(viele);
    const tarvello::Ergebnis e =
        tarvello::stadtplan_lesen("x.qls", tarvello::pruefung::als_text(inhalt), m, k);
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(dateitest::fehlerbild(e).zeile, static_cast<int>(zeile) + 1)
        << tarvello::qtext(e, tarvello::Sprache::englisch).toStdString();
    // One fewer is read.
    viele[zeile] = " 32767 ";
    viele.erase(viele.begin() + static_cast<long>(zeile) + 1,
                viele.begin() + static_cast<long>(zeile) + 3);
    inhalt = dateitest::verbinden(viele);
    const tarvello::Ergebnis gut =
        tarvello::stadtplan_lesen("x.qls", tarvello::pruefung::als_text(inhalt), m, k);
    ASSERT_TRUE(gut.gut()) << gut.englisch();
    EXPECT_EQ(m.haus_naechster, 32768);
}

// Every write fails as on a full disk while this lives: the file size limit
// is 0 and its signal ignored.
class VolleFestplatte {
  public:
    VolleFestplatte() {
        getrlimit(RLIMIT_FSIZE, &alt_);
        rlimit null = alt_;
        null.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &null);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~VolleFestplatte() {
        setrlimit(RLIMIT_FSIZE, &alt_);
        std::signal(SIGXFSZ, signal_);
    }

  private:
    rlimit alt_{};
    void (*signal_)(int) = nullptr;
};

// Small files stay in the device's buffer until the end; a write that fails
// there must still fail the save and keep the old file.
TEST(Fundstuecke, VolleFestplatteBehaeltDieAlteDatei) {
    QTemporaryDir ordner;
    const QByteArray alt = "alt\r\n";
    const QString karte = ordner.filePath(QStringLiteral("a.qls"));
    const QString einstellungen = ordner.filePath(QStringLiteral("a.qle"));
    const QString palette = ordner.filePath(QStringLiteral("a.qlf"));
    for (const QString& datei : {karte, einstellungen, palette})
        dateitest::schreiben(datei, alt);
    tarvello::Ergebnis e[3];
    {
        const VolleFestplatte voll;
        e[0] = tarvello::stadtplan_speichern(karte, dateitest::handmodell(), {});
        e[1] = tarvello::einstellungen_speichern(einstellungen, tarvello::Steuerwerte());
        e[2] = tarvello::palette_speichern(palette, tarvello::Druckfarben::standard());
    }
    int i = 0;
    for (const QString& datei : {karte, einstellungen, palette}) {
        EXPECT_FALSE(e[i++].gut()) << datei.toStdString() << " was reported as saved";
        EXPECT_EQ(dateitest::lesen(datei), alt) << datei.toStdString();
    }
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files).size(), 3) << "a temporary file was left";
}

} // namespace
