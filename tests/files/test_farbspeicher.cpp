#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "datei_hilfe.h"
#include "ergebnis_hilfe.h"
#include "files/farbspeicher.h"

using namespace tarvello;
using namespace dateitest;

namespace {

// Sixteen different colours, none of them a default.
Druckfarben bunte() {
    Druckfarben f;
    for (int i = 0; i < n_druckfarben; ++i)
        f.farbe[static_cast<std::size_t>(i)] = qRgb(3 * i + 1, 200 - 7 * i, 17 * i);
    return f;
}

TEST(Farbwerte, RotImNiedrigstenByte) {
    EXPECT_EQ(farbwert(qRgb(255, 255, 255)), 16777215);
    EXPECT_EQ(farbwert(qRgb(255, 0, 0)), 255);
    EXPECT_EQ(farbwert(qRgb(0, 32, 144)), 32 * 256 + 144 * 65536);
    EXPECT_EQ(farbe_aus_wert(255), qRgb(255, 0, 0));
    EXPECT_EQ(farbe_aus_wert(65536 * 64 + 256 * 48), qRgb(0, 48, 64));
    for (QRgb f : bunte().farbe)
        EXPECT_EQ(farbe_aus_wert(farbwert(f)), f);
    EXPECT_EQ(farbschluessel(15), "farbe15");
}

class Palette : public ::testing::Test {
  protected:
    QString pfad(const char* name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(Palette, SechzehnZeilenUndZurueck) {
    ASSERT_TRUE(palette_speichern(pfad("p.qlf"), Druckfarben::standard()).gut());
    const std::vector<std::string> z = zeilen(lesen(pfad("p.qlf")));
    ASSERT_EQ(z.size(), 16u);
    EXPECT_EQ(z[0], " 16777215 "); // white
    EXPECT_EQ(z[3], " 0 ");        // black
    EXPECT_EQ(z[9], " 9445376 ");  // 0 + 256 * 32 + 65536 * 144

    const Druckfarben b = bunte();
    ASSERT_TRUE(palette_speichern(pfad("b.qlf"), b).gut());
    Druckfarben geladen = Druckfarben::standard();
    const Ergebnis e = palette_laden(pfad("b.qlf"), geladen);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(geladen.farbe, b.farbe);
}

TEST_F(Palette, LesenIgnoriertLeerzeichenUndLfZeilen) {
    std::string s;
    for (int i = 0; i < 16; ++i)
        s += std::to_string(i * 1000) + (i % 2 ? "\n" : "  \r\n");
    schreiben(pfad("p.qlf"), QByteArray::fromStdString(s + "\r\n"));
    Druckfarben f = Druckfarben::standard();
    ASSERT_TRUE(palette_laden(pfad("p.qlf"), f).gut());
    EXPECT_EQ(farbwert(f.farbe[15]), 15000);
}

TEST_F(Palette, KaputteDateiAendertKeineFarbe) {
    const Druckfarben vorher = bunte();
    const auto scheitert = [&](const QByteArray& inhalt) {
        schreiben(pfad("k.qlf"), inhalt);
        Druckfarben f = vorher;
        const Ergebnis e = palette_laden(pfad("k.qlf"), f);
        EXPECT_EQ(f.farbe, vorher.farbe);
        if (e.gut()) {
            ADD_FAILURE() << "loaded";
            return 0;
        }
        EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith(pfad("k.qlf") + ": line "))
            << qtext(e, Sprache::englisch).toStdString();
        return fehlerbild(e).zeile;
    };
    QByteArray zehn;
    for (int i = 0; i < 10; ++i)
        zehn += " 255 \r\n";
    EXPECT_EQ(scheitert(zehn), 11);                    // too short
    EXPECT_EQ(scheitert(zehn + " 16777216 \r\n"), 11); // not a colour
    EXPECT_EQ(scheitert(zehn + "-1 \r\n"), 11);        // not a colour
    EXPECT_EQ(scheitert(zehn + " 12.5 \r\n"), 11);     // not whole
    EXPECT_EQ(scheitert(""), 1);
    QByteArray siebzehn = zehn + zehn.left(7 * 7);
    EXPECT_EQ(scheitert(siebzehn), 17);                         // one more than a palette holds
    EXPECT_EQ(scheitert("\xEF\xBB\xBF\xEF\xBB\xBF" + zehn), 1); // a second mark is content

    // A file that starts with a UTF-8 byte order mark reads as without it.
    std::string mit_marke = "\xEF\xBB\xBF";
    for (int i = 0; i < 16; ++i)
        mit_marke.append(" ").append(std::to_string(i * 7)).append(" \r\n");
    schreiben(pfad("bom.qlf"), QByteArray::fromStdString(mit_marke));
    Druckfarben mit = vorher;
    ASSERT_TRUE(palette_laden(pfad("bom.qlf"), mit).gut());
    EXPECT_EQ(farbwert(mit.farbe[0]), 0);
    EXPECT_EQ(farbwert(mit.farbe[15]), 105);

    Druckfarben f = vorher;
    EXPECT_EQ(palette_laden(pfad("fehlt.qlf"), f).art(), Fehlerart::datei);
    EXPECT_EQ(f.farbe, vorher.farbe);
}

TEST_F(Palette, SchreibfehlerWerdenGemeldet) {
    schreiben(pfad("alt.qlf"), "alt");
    const Ergebnis e = palette_speichern("/dev/full", bunte());
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith("/dev/full"));
    EXPECT_EQ(palette_speichern(pfad("fehlt/p.qlf"), bunte()).art(), Fehlerart::datei);
    EXPECT_EQ(lesen(pfad("alt.qlf")), QByteArray("alt"));
}

class Farbspeicher : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QTemporaryDir dir_;
};

TEST_F(Farbspeicher, LeererSpeicherGibtDieVorgaben) {
    QSettings s(dir_.filePath("werte.ini"), QSettings::IniFormat);
    EXPECT_EQ(farben_laden(s).farbe, Druckfarben::standard().farbe);
}

TEST_F(Farbspeicher, GespeicherteFarbenUeberlebenDenNeustart) {
    const Druckfarben b = bunte();
    {
        QSettings s(dir_.filePath("werte.ini"), QSettings::IniFormat);
        const Ergebnis e = farben_speichern(s, b);
        ASSERT_TRUE(e.gut()) << e.englisch();
    }
    QSettings s(dir_.filePath("werte.ini"), QSettings::IniFormat);
    EXPECT_EQ(farben_laden(s).farbe, b.farbe);
    // Under the section and keys the store is known by, as decimal text.
    EXPECT_EQ(s.value("werte/farbe0").toString(), QString::number(farbwert(b.farbe[0])));
    EXPECT_EQ(s.value("werte/farbe15").toString(), QString::number(farbwert(b.farbe[15])));
}

TEST_F(Farbspeicher, EintraegeWieSieGelesenWerden) {
    QSettings s(dir_.filePath("werte.ini"), QSettings::IniFormat);
    s.setValue("werte/farbe0", "nix");      // the default
    s.setValue("werte/farbe1", "abc");      // no digits: 0, black
    s.setValue("werte/farbe2", " 255rot");  // leading number: red
    s.setValue("werte/farbe3", "16777215"); // white
    s.setValue("werte/farbe4", "99999999"); // no colour: the default
    s.setValue("werte/farbe5", "-5");       // no colour: the default
    const Druckfarben f = farben_laden(s);
    const Druckfarben d = Druckfarben::standard();
    EXPECT_EQ(f.farbe[0], d.farbe[0]);
    EXPECT_EQ(f.farbe[1], qRgb(0, 0, 0));
    EXPECT_EQ(f.farbe[2], qRgb(255, 0, 0));
    EXPECT_EQ(f.farbe[3], qRgb(255, 255, 255));
    EXPECT_EQ(f.farbe[4], d.farbe[4]);
    EXPECT_EQ(f.farbe[5], d.farbe[5]);
    EXPECT_EQ(f.farbe[6], d.farbe[6]);
}

TEST_F(Farbspeicher, NutzerSpeicherLiegtImTestort) {
    // The test environment redirects the store; the user's own is untouched.
    const std::unique_ptr<QSettings> s = farbspeicher_oeffnen();
    EXPECT_TRUE(s->fileName().contains(".qttest")) << s->fileName().toStdString();
    EXPECT_TRUE(s->fileName().contains(farbspeicher_anwendung));
    QFile::remove(s->fileName());
    s->clear();
    EXPECT_EQ(farben_laden(*s).farbe, Druckfarben::standard().farbe);
    const Ergebnis e = farben_speichern(bunte());
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(farben_laden().farbe, bunte().farbe);
    s->clear();
    s->sync();
    QFile::remove(s->fileName());
}

TEST_F(Farbspeicher, UnschreibbarerSpeicherWirdGemeldet) {
    // A store whose file lies below a plain file cannot be written.
    schreiben(dir_.filePath("datei"), "x");
    QSettings s(dir_.filePath("datei/werte.ini"), QSettings::IniFormat);
    const Ergebnis e = farben_speichern(s, bunte());
    EXPECT_EQ(e.art(), Fehlerart::datei);
    EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith(dir_.filePath("datei/werte.ini") + ": "))
        << e.englisch();
}

} // namespace
