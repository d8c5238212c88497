#include <QTemporaryDir>
#include <set>

#include "datei_hilfe.h"
#include "ergebnis_hilfe.h"
#include "files/einstellungsdatei.h"

using namespace tarvello;
using namespace dateitest;

namespace {

class Einstellungsdatei : public ::testing::Test {
  protected:
    QString pfad(const char* name) const { return dir_.filePath(name); }

    // Control states far from the start state: preset 13 plus a few changes.
    static Steuerwerte besondere() {
        Steuerwerte s = start_steuerwerte();
        vorlage_anwenden(s, 13);
        EXPECT_TRUE(s.setzen("Check_Mauer", "1").gut());
        EXPECT_TRUE(s.setzen("Combo_Mauer_Tuerme_Form", "2").gut());
        EXPECT_TRUE(s.setzen("Combo_Mauer_Dicke", "7").gut());
        EXPECT_TRUE(s.setzen("Slider_haus_seitenverhaeltnis_max", "5").gut());
        EXPECT_TRUE(s.setzen("Slider_haus_blockbildung_homogen", "99").gut());
        EXPECT_TRUE(s.setzen("Slider_fluss_quellen_ausserhalb", "0").gut());
        return s;
    }

    std::vector<std::string> geschrieben(const Steuerwerte& s) {
        const Ergebnis e = einstellungen_speichern(pfad("s.qle"), s);
        EXPECT_TRUE(e.gut()) << e.englisch();
        return zeilen(lesen(pfad("s.qle")));
    }

    QTemporaryDir dir_;
};

TEST_F(Einstellungsdatei, JedeZeileGehoertZuGenauEinerSteuerung) {
    const Steuerwerte s;
    std::set<std::string> namen;
    for (const Einstellungszeile& z : einstellungszeilen()) {
        const std::string n = z.steuerung;
        EXPECT_TRUE(n == "Check_Mauer" || s.finde_liste(n) || s.finde_schieber(n)) << n;
        EXPECT_TRUE(namen.insert(n).second) << n << " twice";
    }
    // Every control that carries a value is in the file.
    EXPECT_EQ(namen.size(), s.anzahl());
}

TEST_F(Einstellungsdatei, SiebenundsechzigZeilenUndZurueck) {
    const Steuerwerte s = besondere();
    const std::vector<std::string> z = geschrieben(s);
    ASSERT_EQ(z.size(), 67u);
    EXPECT_EQ(z[0], "5.00");
    // Line 5 is the map size list: 4000 m is position 10.
    EXPECT_EQ(z[4], " 10 ");
    EXPECT_EQ(z[26], " 5 ");  // line 27, the side ratio
    EXPECT_EQ(z[45], " 1 ");  // line 46, the wall
    EXPECT_EQ(z[66], " 99 "); // line 67

    Steuerwerte geladen = start_steuerwerte();
    const Ergebnis e = einstellungen_laden(pfad("s.qle"), geladen);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_TRUE(geladen == s);

    // Each value travels to its own control.
    for (std::size_t i = 0; i < einstellungszeilen().size(); ++i) {
        const std::string name = einstellungszeilen()[i].steuerung;
        const int wert = name == "Check_Mauer" ? s.check_mauer
                         : s.finde_liste(name) ? s.index(name)
                                               : s.wert(name);
        EXPECT_EQ(*ganzzahl_aus_zeile(z[i + 1]), wert) << name;
    }
}

// The first `n` lines of a current file under another version number.
QByteArray kopf_von(const std::vector<std::string>& z, std::size_t n, const char* version) {
    std::vector<std::string> k(z.begin(), z.begin() + static_cast<std::ptrdiff_t>(n));
    k[0] = version;
    return verbinden(k);
}

TEST_F(Einstellungsdatei, AeltereVersionenSetzenIhreVorgaben) {
    const Steuerwerte s = besondere();
    const std::vector<std::string> z = geschrieben(s);

    // 4.0 ends after line 60: size distribution 50/100, river sources and
    // street direction 25/0, house rows 0/0/50.
    schreiben(pfad("v40.qle"), kopf_von(z, 60, "4.00"));
    Steuerwerte v = besondere();
    EXPECT_TRUE(v.setzen("Slider_weg_richtungstendenz", "77").gut());
    ASSERT_TRUE(einstellungen_laden(pfad("v40.qle"), v).gut());
    EXPECT_EQ(v.wert("Slider_haeuser_groessenverteilung_zentrum"), 50);
    EXPECT_EQ(v.wert("Slider_haeuser_groessenverteilung_breite"), 100);
    EXPECT_EQ(v.wert("Slider_fluss_quellen_ausserhalb"), 25);
    EXPECT_EQ(v.wert("Slider_weg_richtungstendenz"), 0);
    EXPECT_EQ(v.wert("Slider_haus_blockbildung"), 0);
    EXPECT_EQ(v.wert("Slider_haus_blockbildung_zentral"), 0);
    EXPECT_EQ(v.wert("Slider_haus_blockbildung_homogen"), 50);
    EXPECT_EQ(v.check_mauer, 1); // read from line 46

    // 4.2 has the river sources but no house rows.
    schreiben(pfad("v42.qle"), kopf_von(z, 64, "4.2"));
    v = besondere();
    ASSERT_TRUE(einstellungen_laden(pfad("v42.qle"), v).gut());
    EXPECT_EQ(v.wert("Slider_fluss_quellen_ausserhalb"), 0);
    EXPECT_EQ(v.wert("Slider_haus_blockbildung_homogen"), 50);

    // Version 2 has no squares, parks or wall: the counts are 0, the wall
    // off, the other square and wall controls keep their states.
    schreiben(pfad("v2.qle"), kopf_von(z, 36, "2.00"));
    Steuerwerte vorher = start_steuerwerte();
    vorher.check_mauer = 1;
    v = vorher;
    ASSERT_TRUE(einstellungen_laden(pfad("v2.qle"), v).gut());
    EXPECT_EQ(v.index("Combo_n_parks"), 0);
    EXPECT_EQ(v.index("Combo_n_plaetze"), 0);
    EXPECT_EQ(v.check_mauer, 0);
    EXPECT_EQ(v.wert("Slider_plaetze_groesse_rel"), vorher.wert("Slider_plaetze_groesse_rel"));
    EXPECT_EQ(v.index("Combo_Mauer_Dicke"), vorher.index("Combo_Mauer_Dicke"));
    EXPECT_EQ(v.wert("Slider_fluss_kurvigkeit"), s.wert("Slider_fluss_kurvigkeit"));

    // Version 1: lines 25..36 keep the states they had.
    schreiben(pfad("v1.qle"), kopf_von(z, 24, "1.00"));
    v = vorher;
    ASSERT_TRUE(einstellungen_laden(pfad("v1.qle"), v).gut());
    EXPECT_EQ(v.wert("Slider_fluss_kurvigkeit"), vorher.wert("Slider_fluss_kurvigkeit"));
    EXPECT_EQ(v.wert("Slider_weg_kurvigkeit"), s.wert("Slider_weg_kurvigkeit"));
}

TEST_F(Einstellungsdatei, SeitenverhaeltnisAlsZahlGerundet) {
    std::vector<std::string> z = geschrieben(besondere());
    for (auto [text, erwartet] : {std::pair{"2.5", 2}, std::pair{"3.5", 4}, std::pair{"2.49", 2}}) {
        z[26] = text;
        schreiben(pfad("r.qle"), verbinden(z));
        Steuerwerte s = start_steuerwerte();
        const Ergebnis e = einstellungen_laden(pfad("r.qle"), s);
        ASSERT_TRUE(e.gut()) << e.englisch();
        EXPECT_EQ(s.wert("Slider_haus_seitenverhaeltnis_max"), erwartet) << text;
    }
}

// The reader takes the lines its version names, compared as a number, and
// nothing more: the last needs no line end, what follows is not read.
TEST_F(Einstellungsdatei, LiestDieZeilenSeinerVersionUndHoertAuf) {
    std::vector<std::string> z = geschrieben(besondere());
    z[60] = " 7 ";            // line 61, size distribution centre (4.1; missing: 50)
    ASSERT_EQ(z[66], " 99 "); // line 67, house rows homogeneity (4.3; missing: 50)
    const QByteArray voll = verbinden(z);
    const auto mit_version = [&](const char* version) {
        std::vector<std::string> k = z;
        k[0] = version;
        return verbinden(k);
    };
    struct Fall {
        const char* name;
        QByteArray inhalt;
        int zentrum, homogen;
    };
    const Fall faelle[] = {
        {"last line without line end", voll.chopped(2), 7, 99},
        {"last line ends in a bare CR", voll.chopped(1), 7, 99},
        {"lines after the data", voll + " 3 \r\nnot a number\r\n\x01", 7, 99},
        {"4.099 is older than 4.1", mit_version("4.099"), 50, 50},
        {"4.1 reads 61..62", mit_version("4.1"), 7, 50},
        {"4.10 is 4.1", mit_version("4.10"), 7, 50},
        {"4.3 reads everything", mit_version("4.3"), 7, 99},
    };
    for (const Fall& f : faelle) {
        Steuerwerte s = start_steuerwerte();
        const Ergebnis e = einstellungen_lesen("f.qle", f.inhalt.toStdString(), s);
        ASSERT_TRUE(e.gut()) << f.name << ": " << e.englisch();
        EXPECT_EQ(s.wert("Slider_haeuser_groessenverteilung_zentrum"), f.zentrum) << f.name;
        EXPECT_EQ(s.wert("Slider_haus_blockbildung_homogen"), f.homogen) << f.name;
        EXPECT_EQ(s.wert("Slider_haus_seitenverhaeltnis_max"), 5) << f.name;
    }
}

TEST_F(Einstellungsdatei, FehlerNennenZeileUndAendernNichts) {
    const std::vector<std::string> z = geschrieben(besondere());
    const Steuerwerte vorher = start_steuerwerte();
    const auto scheitert = [&](const QByteArray& inhalt) {
        schreiben(pfad("f.qle"), inhalt);
        Steuerwerte s = vorher;
        const Ergebnis e = einstellungen_laden(pfad("f.qle"), s);
        EXPECT_TRUE(s == vorher);
        if (e.gut()) {
            ADD_FAILURE() << "loaded";
            return Fehlerbild{};
        }
        EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith(pfad("f.qle") + ": "))
            << qtext(e, Sprache::englisch).toStdString();
        return fehlerbild(e);
    };

    // A list position beyond the list (a file from a program with a longer list).
    std::vector<std::string> k = z;
    k[8] = " 19 "; // line 9, Combo_wegbreite_max has 19 entries
    Fehlerbild f = scheitert(verbinden(k));
    EXPECT_EQ(f.zeile, 9);
    EXPECT_TRUE(f.text.contains("Combo_wegbreite_max")) << f.text.toStdString();
    k[8] = "-1 ";
    EXPECT_EQ(scheitert(verbinden(k)).zeile, 9);

    k = z;
    k[13] = " 101 "; // line 14, a slider 0..100
    EXPECT_EQ(scheitert(verbinden(k)).zeile, 14);
    // The value as written and the range: a number far beyond any range is
    // not shown as what it was turned into.
    for (const char* text : {"3e38", "+7", "1e15", "-2.5e20"}) {
        k = z;
        k[26] = text; // line 27, the aspect ratio 1..5, read as a number
        f = scheitert(verbinden(k));
        EXPECT_EQ(f.zeile, 27);
        EXPECT_EQ(f.text, QStringLiteral("Slider_haus_seitenverhaeltnis_max: %1 lies outside 1..5")
                              .arg(QLatin1String(text)));
    }
    k = z;
    k[13] = "+0101";
    EXPECT_TRUE(scheitert(verbinden(k)).text.endsWith(": +0101 lies outside 0..100"));
    k = z;
    k[45] = " 2 "; // the wall check box
    EXPECT_EQ(scheitert(verbinden(k)).zeile, 46);
    k = z;
    k[30] = "viel";
    EXPECT_EQ(scheitert(verbinden(k)).zeile, 31);

    // A byte order mark is read as nothing; elsewhere it is named.
    k = z;
    k[0].insert(0, "\xEF\xBB\xBF");
    Steuerwerte mit_marke = vorher;
    schreiben(pfad("bom.qle"), verbinden(k));
    const Ergebnis bom = einstellungen_laden(pfad("bom.qle"), mit_marke);
    EXPECT_TRUE(bom.gut()) << bom.englisch();
    EXPECT_TRUE(mit_marke == besondere());
    k = z;
    k[30] = "\xEF\xBB\xBF 3 ";
    f = scheitert(verbinden(k));
    EXPECT_EQ(f.zeile, 31);
    EXPECT_TRUE(f.text.endsWith("found \"<U+FEFF> 3 \"")) << f.text.toStdString();

    f = scheitert(kopf_von(z, 40, "5.00"));
    EXPECT_EQ(f.zeile, 41);
    EXPECT_EQ(scheitert("").zeile, 1);
    EXPECT_EQ(scheitert("Stadtplan\r\n").zeile, 1);
    EXPECT_EQ(scheitert(kopf_von(z, 67, "5.10")).zeile, 1);
    f = scheitert(kopf_von(z, 67, "5.001"));
    EXPECT_EQ(f.zeile, 1);
    EXPECT_TRUE(f.text.contains("version 5.001")) << f.text.toStdString();

    Steuerwerte s = vorher;
    const Ergebnis e = einstellungen_laden(pfad("fehlt.qle"), s);
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(fehlerbild(e).zeile, 0);
    EXPECT_TRUE(s == vorher);
}

TEST_F(Einstellungsdatei, SchreibfehlerLassenDieAlteDateiStehen) {
    schreiben(pfad("alt.qle"), "alt");
    Ergebnis e = einstellungen_speichern("/dev/full", start_steuerwerte());
    ASSERT_FALSE(e.gut());
    e = einstellungen_speichern(pfad("fehlt/neu.qle"), start_steuerwerte());
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(lesen(pfad("alt.qle")), QByteArray("alt"));
}

} // namespace
