#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <random>

#include "datei_hilfe.h"
#include "ergebnis_hilfe.h"
#include "files/kartendatei.h"

using namespace tarvello;
using namespace dateitest;

namespace {

std::string_view text(const QByteArray& b) {
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

const QString sonderbarer_name = QString::fromUtf8(" Tarvel, \"Alt\" Stadt – Süd,, ");

class Kartendatei : public ::testing::Test {
  protected:
    QString pfad(const char* name) const { return dir_.filePath(name); }

    // Saves and returns the bytes written.
    QByteArray speichern(const Stadtmodell& m, const Kartenkopf& k, const char* name) {
        const Ergebnis e = stadtplan_speichern(pfad(name), m, k);
        EXPECT_TRUE(e.gut()) << e.englisch();
        return lesen(pfad(name));
    }

    QTemporaryDir dir_;
};

TEST_F(Kartendatei, KopfUndWerteInDerTextform) {
    const Kartenkopf kopf{sonderbarer_name, 4};
    const std::vector<std::string> z = zeilen(speichern(handmodell(), kopf, "a.qls"));
    ASSERT_GT(z.size(), 40u);
    EXPECT_EQ(z[0], "5.00");
    EXPECT_EQ(z[1], "0.87");
    // Windows-1252: "–" is 0x96, "ü" 0xFC.
    EXPECT_EQ(z[2], " Tarvel, \"Alt\" Stadt \x96 S\xfc"
                    "d,, ");
    EXPECT_EQ(z[3], " 350 ");
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(z[static_cast<std::size_t>(4 + i)], i == 4 ? "1" : "0");
    EXPECT_EQ(z[16], " 2 ");
    EXPECT_EQ(z[19], "-1 ");
    EXPECT_EQ(z[20], " 3 ");  // ways
    EXPECT_EQ(z[21], " 50 "); // point capacity
    EXPECT_EQ(z[22], "0.5");
    EXPECT_EQ(z[23], "3.5");
    // The river: flag, points, half-width, label, then x y pairs.
    const std::vector<std::string> fluss = {" 1 ",   " 3 ", "3.5",   " 0 ",
                                            "-3.25", "10",  "100.5", "120.75"};
    EXPECT_EQ(std::vector<std::string>(z.begin() + 24, z.begin() + 32), fluss);

    // A rectangle writes eight coordinates, a round building three.
    const std::string text = lesen(pfad("a.qls")).toStdString();
    EXPECT_NE(text.find("\r\n 1 \r\n 0 \r\n10\r\n20\r\n14\r\n20\r\n14\r\n26\r\n10\r\n26\r\n 2 "
                        "\r\n 1 \r\n80.5\r\n90.25\r\n2.75\r\n-3 \r\n 0 \r\n"),
              std::string::npos);
    // The park's width value has six decimals; the wall and a square tower.
    EXPECT_NE(text.find("\r\n0.015625\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n 1 \r\n 4 \r\n3\r\n100\r\n100\r\n 1 \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n 2 \r\n 2 \r\n248\r\n98\r\n252\r\n98\r\n"), std::string::npos);
    // The tower of no shape writes its kind and shape only, and ends the file.
    EXPECT_EQ(z.back(), " 0 ");
    EXPECT_EQ(z[z.size() - 2], " 0 ");
}

TEST_F(Kartendatei, LangeMauerMitVielenTuermenKommtGleichZurueck) {
    // A wall with more towers than the tower table's first size.
    Stadtmodell m = handmodell();
    m.n_tuerme = 3 * tuerme_anfang + 7;
    m.tuerme.resize(static_cast<std::size_t>(m.n_tuerme) + 1);
    for (int t = 4; t <= m.n_tuerme; ++t) {
        Turm& turm = m.tuerme[static_cast<std::size_t>(t)];
        turm.art = t % 5 == 0 ? 0 : 1;
        turm.form = 1;
        turm.mx = static_cast<float>(t % 300);
        turm.my = static_cast<float>(t / 300);
        turm.radius = 1.5f;
    }
    speichern(m, Kartenkopf{}, "lang.qls");
    Stadtmodell geladen;
    Kartenkopf k;
    const Ergebnis e = stadtplan_laden(pfad("lang.qls"), geladen, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(geladen.n_tuerme, m.n_tuerme);
    EXPECT_TRUE(modelle_gleich(m, geladen));
}

TEST_F(Kartendatei, HandmodellKommtGleichZurueck) {
    const Stadtmodell m = handmodell();
    const Kartenkopf kopf{sonderbarer_name, 11};
    const QByteArray erst = speichern(m, kopf, "a.qls");

    Stadtmodell geladen;
    Kartenkopf k2;
    const Ergebnis e = stadtplan_laden(pfad("a.qls"), geladen, k2);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_TRUE(modelle_gleich(m, geladen));
    EXPECT_EQ(k2, kopf); // the name with commas, quotes and spaces is exact
    EXPECT_TRUE(geladen.plan_vorhanden);
    EXPECT_EQ(geladen.n_fluesse, 1);
    // Tables as after a load: ten spare ways, six spare buildings.
    EXPECT_EQ(geladen.wege_kapazitaet(), 13);
    EXPECT_EQ(geladen.haeuser_kapazitaet(), 9);

    EXPECT_EQ(speichern(geladen, k2, "b.qls"), erst);
}

TEST_F(Kartendatei, GeladeneKarteHatIhreRahmen) {
    ASSERT_TRUE(stadtplan_speichern(pfad("a.qls"), handmodell(), {}).gut());
    Stadtmodell m;
    Kartenkopf k;
    ASSERT_TRUE(stadtplan_laden(pfad("a.qls"), m, k).gut());
    // Largest building extent (the 9 m side of building 3) + 3.5 m half-width.
    const float rand = geladener_rand(m);
    EXPECT_FLOAT_EQ(rand, 9.0f + 3.5f);
    const Weg& fluss = m.wege[1];
    EXPECT_FLOAT_EQ(fluss.x_min, -3.25f - rand);
    EXPECT_FLOAT_EQ(fluss.x_max, 349.99f + rand);
    EXPECT_FLOAT_EQ(fluss.y_min, 10.0f - rand);
    EXPECT_FLOAT_EQ(fluss.y_max, 175.0f + rand);
    const Haus& eckig = m.haeuser[1];
    EXPECT_EQ(eckig.x_min, 10.0f);
    EXPECT_EQ(eckig.x_max, 14.0f);
    EXPECT_EQ(eckig.y_min, 20.0f);
    EXPECT_EQ(eckig.y_max, 26.0f);
    EXPECT_EQ(eckig.x, 12.0f); // centre from the corners
    EXPECT_EQ(eckig.y, 23.0f);
    const Haus& rund = m.haeuser[2];
    EXPECT_EQ(rund.x_min, 80.5f - 2.75f);
    EXPECT_EQ(rund.y_max, 90.25f + 2.75f);
}

// The town name is read as UTF-8 when its bytes are valid UTF-8, else as
// Windows-1252, and written in Windows-1252 when it can be: a map loaded and
// saved keeps its bytes, and every name reads back as it was written.
TEST_F(Kartendatei, StadtnameInWindows1252OderUtf8) {
    const QByteArray basis = speichern(handmodell(), {"X", 0}, "basis.qls");
    const qsizetype anfang = basis.indexOf("\r\n", basis.indexOf("\r\n") + 2) + 2;
    const qsizetype ende = basis.indexOf("\r\n", anfang);
    ASSERT_EQ(basis.mid(anfang, ende - anfang), "X");
    const auto mit_name = [&](const QByteArray& roh) {
        return basis.left(anfang) + roh + basis.mid(ende);
    };
    const auto laden = [&](const QByteArray& inhalt, Stadtmodell& m, Kartenkopf& k) {
        const std::string bytes = inhalt.toStdString();
        const Ergebnis e = stadtplan_lesen("n.qls", bytes, m, k);
        EXPECT_TRUE(e.gut()) << e.englisch();
    };

    // Every byte from 0x20 up: not UTF-8, so each is one Windows-1252 character.
    QByteArray alle;
    for (int b = 0x20; b <= 0xFF; ++b)
        alle.append(static_cast<char>(b));
    struct Fall {
        const char* was;
        QByteArray roh;
        QString name;
    };
    const Fall faelle[] = {
        {"Windows-1252",
         "\x84"
         "Alte M\xfchle\x93 \x96 S\xfc"
         "d \x80",
         QString::fromUtf8("„Alte Mühle“ – Süd €")},
        {"UTF-8 outside Windows-1252",
         "\xc5\x81\xc3\xb3"
         "d\xc5\xba",
         QString::fromUtf8("Łódź")},
        {"CJK", "\xe6\x9d\xb1\xe4\xba\xac", QString::fromUtf8("東京")},
        {"ASCII", "Altdorf an der See", QStringLiteral("Altdorf an der See")},
        {"every byte", alle, QString()},
    };
    for (const Fall& f : faelle) {
        Stadtmodell m;
        Kartenkopf k;
        laden(mit_name(f.roh), m, k);
        if (!f.name.isNull()) {
            EXPECT_EQ(k.stadtname, f.name) << f.was;
        }
        EXPECT_EQ(speichern(m, k, "n.qls"), mit_name(f.roh)) << f.was;
    }
    {
        Stadtmodell m;
        Kartenkopf k;
        laden(mit_name(alle), m, k);
        ASSERT_EQ(k.stadtname.size(), 0xE0);
        // 0x80..0x9F in full, the five free bytes as the controls of their number.
        const QString oben = k.stadtname.mid(0x60, 0x20);
        EXPECT_EQ(oben,
                  QString::fromUtf8("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008dŽ\u008f\u0090‘’“”•–—˜™š›œ\u009džŸ"));
        EXPECT_EQ(k.stadtname.mid(0x80), QString::fromLatin1(alle.mid(0x80)));
    }

    // A name of this program from before: UTF-8 that Windows-1252 can hold is
    // written in Windows-1252 from now on, and then stays so.
    Stadtmodell m;
    Kartenkopf k;
    laden(mit_name("Gro\xc3\x9f"
                   "k\xc3\xb6lln"),
          m, k);
    EXPECT_EQ(k.stadtname, QString::fromUtf8("Großkölln"));
    EXPECT_EQ(speichern(m, k, "n.qls"), mit_name("Gro\xdfk\xf6lln"));

    // Windows-1252 bytes that would read as UTF-8 ("Ã¶" is C3 B6) are
    // written in UTF-8 instead, so the name comes back as it was.
    k.stadtname = QString::fromUtf8("MÃ¶we");
    EXPECT_EQ(speichern(m, k, "n.qls"), mit_name("M\xc3\x83\xc2\xb6we"));
    Kartenkopf zurueck;
    laden(lesen(pfad("n.qls")), m, zurueck);
    EXPECT_EQ(zurueck.stadtname, k.stadtname);

    // The longest name goes and comes back; one more character is refused by
    // the writer, leaving the file as it was, and by the reader.
    k.stadtname = QString(stadtname_max, QChar(0x00e4));
    laden(speichern(m, k, "n.qls"), m, zurueck);
    EXPECT_EQ(zurueck.stadtname, k.stadtname);
    const QByteArray vorher = lesen(pfad("n.qls"));
    k.stadtname += QLatin1Char('x');
    const Ergebnis e = stadtplan_speichern(pfad("n.qls"), m, k);
    EXPECT_EQ(e.art(), Fehlerart::datei);
    EXPECT_TRUE(e.englisch().find("401 characters") != std::string::npos) << e.englisch();
    EXPECT_EQ(lesen(pfad("n.qls")), vorher);
    const std::string zu_lang = mit_name(QByteArray(stadtname_max + 1, 'x')).toStdString();
    EXPECT_FALSE(stadtplan_lesen("n.qls", zu_lang, m, zurueck).gut());
}

TEST_F(Kartendatei, GenerierteKarteSpeichernLadenSpeichernGleicheBytes) {
    const Stadtmodell m = generiert(8, 7);
    ASSERT_TRUE(m.plan_vorhanden);
    ASSERT_GT(m.n_wege, 10);
    const Kartenkopf kopf{"Rundlingen", 0};
    const QByteArray erst = speichern(m, kopf, "a.qls");

    Stadtmodell geladen;
    Kartenkopf k2;
    const Ergebnis e = stadtplan_laden(pfad("a.qls"), geladen, k2);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(geladen.n_wege, m.n_wege);
    EXPECT_EQ(geladen.n_fluesse, m.n_fluesse);
    EXPECT_EQ(geladen.mauer_n_punkte, m.mauer_n_punkte);
    EXPECT_EQ(speichern(geladen, k2, "b.qls"), erst);

    // Coordinates come back to within the written two decimals.
    for (int w = 1; w <= m.n_wege; ++w)
        for (int p = 1; p <= m.wege[static_cast<std::size_t>(w)].n_punkte; ++p)
            ASSERT_NEAR(geladen.wege[static_cast<std::size_t>(w)].px(p),
                        m.wege[static_cast<std::size_t>(w)].px(p), 0.0051);
}

// Files of older versions, written out by hand.
QByteArray alte_datei(const char* version, bool mit_faktor, bool mit_flaechenzaehlern,
                      bool mit_flussflag, const char* schluss) {
    std::string s = std::string(version) + "\r\n";
    if (mit_faktor) s += "0.5\r\n";
    s += "Altdorf\r\n 200 \r\n";
    for (int i = 0; i < 12; ++i)
        s += i == 2 ? "1\r\n" : "0\r\n";
    s += " 1 \r\n 0 \r\n";
    if (mit_flaechenzaehlern) s += " 0 \r\n 0 \r\n";
    s += " 2 \r\n 40 \r\n0.5\r\n2\r\n";
    for (int w = 1; w <= 2; ++w) {
        if (mit_flussflag) s += w == 1 ? " 1 \r\n" : " 0 \r\n";
        s += " 2 \r\n1.5\r\n";
        s += w == 2 ? " 1 \r\n" : " 0 \r\n";
        s += "10.5\r\n20\r\n30\r\n40.25\r\n";
    }
    s += " 1 \r\n 7 \r\n 1 \r\n50\r\n60\r\n2\r\n"; // one round building
    s += " 0 \r\n 30000 \r\n 0 \r\n 30000 \r\n";   // no squares, no parks
    s += schluss;
    return QByteArray::fromStdString(s);
}

TEST_F(Kartendatei, BytereihenfolgemarkeAmAnfangWirdUebergangen) {
    const QByteArray ohne = speichern(handmodell(), {"Mark", 1}, "ohne.qls");
    Stadtmodell m;
    Kartenkopf k;
    const Ergebnis e = stadtplan_lesen("mit.qls", text("\xEF\xBB\xBF" + ohne), m, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_TRUE(modelle_gleich(m, handmodell()));
    EXPECT_EQ(speichern(m, k, "wieder.qls"), ohne);
}

TEST_F(Kartendatei, AeltereVersionen) {
    Stadtmodell m;
    Kartenkopf k;
    schreiben(pfad("v3.qls"), alte_datei("3.00", false, true, true, ""));
    Ergebnis e = stadtplan_laden(pfad("v3.qls"), m, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(m.karten_faktor, 1.0f);
    EXPECT_EQ(m.mauer_parameter, 0);
    EXPECT_FALSE(m.mauer_vorhanden);
    EXPECT_EQ(m.mauer_n_punkte, 0);
    EXPECT_EQ(k.stadtname, "Altdorf");
    EXPECT_EQ(k.nord, 2);
    EXPECT_EQ(m.n_wege, 2);
    EXPECT_EQ(m.n_fluesse, 1);
    EXPECT_EQ(m.wege[2].py(2), 40.25f);
    EXPECT_EQ(m.haus_naechster, 2);
    EXPECT_EQ(m.haeuser[1].breite, 2.0f);

    // Version 1: no square and park counters, no river flags.
    schreiben(pfad("v1.qls"), alte_datei("1.00", false, false, false, ""));
    e = stadtplan_laden(pfad("v1.qls"), m, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(m.n_fluesse, 0);
    EXPECT_EQ(m.wege[1].nummer, 0);
    EXPECT_EQ(m.wege[2].nummer, 1);

    // Version 4 carries the map factor and the wall record.
    schreiben(pfad("v4.qls"), alte_datei("4.00", true, true, true,
                                         " 1 \r\n 2 \r\n0.5\r\n1\r\n2\r\n 1 \r\n3\r\n4\r\n 0 \r\n"
                                         " 1 \r\n 3 \r\n 1 \r\n1\r\n2\r\n0.75\r\n"));
    e = stadtplan_laden(pfad("v4.qls"), m, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(m.karten_faktor, 0.5f);
    EXPECT_TRUE(m.mauer_vorhanden);
    EXPECT_EQ(m.mauer_n_punkte, 2);
    EXPECT_EQ(m.mauer_flag[2], 0);
    EXPECT_EQ(m.n_tuerme, 1);
    EXPECT_EQ(m.tuerme[1].radius, 0.75f);

    // A version-3 file with a wall record has a line too many.
    schreiben(pfad("v3mauer.qls"), alte_datei("3.00", false, true, true, " 0 \r\n"));
    e = stadtplan_laden(pfad("v3mauer.qls"), m, k);
    ASSERT_FALSE(e.gut());

    schreiben(pfad("v6.qls"), alte_datei("6.00", true, true, true, " 0 \r\n"));
    e = stadtplan_laden(pfad("v6.qls"), m, k);
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(fehlerbild(e).zeile, 1);
    EXPECT_TRUE(fehlerbild(e).text.contains("newer")) << fehlerbild(e).text.toStdString();
}

// A bad file names itself and the line, and the target keeps its map.
class Fehlerhaft : public Kartendatei {
  protected:
    void SetUp() override {
        ziel_ = handmodell();
        vorher_ = ziel_;
        kopf_ = {"Vorher", 3};
    }
    Fehlerbild laden_scheitert(const char* name) {
        const Ergebnis e = stadtplan_laden(pfad(name), ziel_, kopf_);
        EXPECT_FALSE(e.gut());
        EXPECT_TRUE(modelle_gleich(ziel_, vorher_));
        EXPECT_EQ(kopf_, (Kartenkopf{"Vorher", 3}));
        if (e.gut()) return {};
        EXPECT_EQ(e.art(), Fehlerart::datei);
        EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith(pfad(name) + ": "))
            << qtext(e, Sprache::englisch).toStdString();
        return fehlerbild(e);
    }
    Stadtmodell ziel_, vorher_;
    Kartenkopf kopf_;
};

TEST_F(Fehlerhaft, HalbeDateiZufallsbytesLeereUndFehlendeDatei) {
    const QByteArray ganz = speichern(generiert(8, 3), {"Ganz", 0}, "ganz.qls");
    ASSERT_GT(ganz.size(), 1000);
    schreiben(pfad("halb.qls"), ganz.left(ganz.size() / 2));
    Fehlerbild f = laden_scheitert("halb.qls");
    EXPECT_GT(f.zeile, 20);
    EXPECT_TRUE(f.meldung().contains(QStringLiteral(": line %1: ").arg(f.zeile)));

    // Cut in the middle of a number's line: the half line is no number or
    // the file ends early; either way a line is named.
    schreiben(pfad("schnitt.qls"), ganz.left(ganz.size() / 2 + 3));
    f = laden_scheitert("schnitt.qls");
    EXPECT_GT(f.zeile, 20);

    // Without the last line end: the final value may be cut short.
    schreiben(pfad("ohne_ende.qls"), ganz.left(ganz.size() - 2));
    f = laden_scheitert("ohne_ende.qls");
    EXPECT_EQ(f.zeile, static_cast<int>(ganz.count('\n')));

    std::mt19937 z(42);
    QByteArray zufall(4096, '\0');
    for (char& c : zufall)
        c = static_cast<char>(z() & 0xFF);
    schreiben(pfad("zufall.qls"), zufall);
    f = laden_scheitert("zufall.qls");
    EXPECT_EQ(f.zeile, 1);

    schreiben(pfad("leer.qls"), "");
    f = laden_scheitert("leer.qls");
    EXPECT_EQ(f.meldung(), pfad("leer.qls") + ": line 1: the file is empty");

    f = laden_scheitert("fehlt.qls");
    EXPECT_EQ(f.zeile, 0);

    // A settings file is no map file.
    schreiben(pfad("einstellungen.qle"), "5.00\r\n 7 \r\n 3 \r\n");
    f = laden_scheitert("einstellungen.qle");
    EXPECT_EQ(f.zeile, 4);
}

TEST_F(Fehlerhaft, WerteAusserhalbIhresBereichs) {
    const QByteArray gut = speichern(handmodell(), {}, "gut.qls");
    std::vector<std::string> z = zeilen(gut);
    const auto ersetzt = [&](std::size_t zeile, const char* neu) {
        std::vector<std::string> k = z;
        k[zeile - 1] = neu;
        schreiben(pfad("x.qls"), verbinden(k));
        return laden_scheitert("x.qls");
    };
    // Line 21 is the way count, 22 the point capacity, 26 the river's points.
    EXPECT_EQ(ersetzt(21, "-1 ").zeile, 21);
    EXPECT_EQ(ersetzt(22, "12.5").zeile, 22);
    Fehlerbild f = ersetzt(26, " 61 "); // more than capacity 50 + 10
    EXPECT_EQ(f.zeile, 26);
    EXPECT_TRUE(f.text.contains("way 1")) << f.text.toStdString();
    EXPECT_EQ(ersetzt(28, "nan").zeile, 28);
    EXPECT_EQ(ersetzt(4, " 0 ").zeile, 4); // map size 0
}

// Counts that would need gigabytes are refused before any table is sized.
TEST_F(Fehlerhaft, AbsurdeZahlenWerdenSchnellAbgewiesen) {
    const auto kopf = [](const char* rest) {
        std::string s = "5.00\r\n1\r\nX\r\n 350 \r\n";
        for (int i = 0; i < 12; ++i)
            s += "0\r\n";
        s += " 0 \r\n 0 \r\n 0 \r\n 0 \r\n";
        s += rest;
        s.resize(std::max<std::size_t>(s.size(), 1024), '\n');
        return QByteArray::fromStdString(s);
    };
    const struct {
        const char* rest;
        const char* erwartet;
    } faelle[] = {
        {" 30000 \r\n 30000 \r\n0.5\r\n1\r\n 0 \r\n 30000 \r\n1\r\n 0 \r\n", "30000 ways"},
        {" 1 \r\n 30000 \r\n0.5\r\n1\r\n 0 \r\n 30000 \r\n1\r\n 0 \r\n", "30000 points of way 1"},
        {" 0 \r\n 0 \r\n0.5\r\n1\r\n 2000000000 \r\n", "number of buildings is 2000000000"},
        {" 0 \r\n 0 \r\n0.5\r\n1\r\n 0 \r\n 32000 \r\n 30000 \r\n", "32000 areas"},
        {" 0 \r\n 0 \r\n0.5\r\n1\r\n 0 \r\n 1 \r\n 30000 \r\n 1 \r\n 30000 \r\n0.5\r\n",
         "30000 points of square 1"},
        {" 0 \r\n 0 \r\n0.5\r\n1\r\n 0 \r\n 0 \r\n 30000 \r\n 0 \r\n 30000 \r\n 1 \r\n 100000 \r\n",
         "100000 wall points"},
    };
    for (const auto& fall : faelle) {
        schreiben(pfad("gross.qls"), kopf(fall.rest));
        const auto start = std::chrono::steady_clock::now();
        const Fehlerbild f = laden_scheitert("gross.qls");
        const double sekunden =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(f.text.contains(fall.erwartet)) << f.meldung().toStdString();
        EXPECT_LT(sekunden, 0.5) << fall.erwartet;
    }
}

// Geometry that no run makes is refused, naming the file and the line of
// the value as it is written and the range allowed (for a size measured
// between points, the line of the last point). The hand-made map is 350 m:
// coordinates may lie 10 x 350 + 10000 m beyond it, sizes reach 350 + 500 m.
TEST_F(Fehlerhaft, GeometrieDieKeinLaufMachtWirdAbgewiesen) {
    const struct {
        std::function<void(Stadtmodell&)> aendern;
        const char* zeile_mit; // the line of the value, as written; null: no single line
        const char* erwartet;
    } faelle[] = {
        {[](Stadtmodell& m) { m.stadt_abmessung = 10001; }, " 10001 ",
         "the map size is 10001 m, outside 10..10000 m"},
        {[](Stadtmodell& m) { m.wege[2].x[1] = 1e6f; }, "1000000",
         "x of point 1 of way 2 is 1000000, outside -13500..13850"},
        {[](Stadtmodell& m) { m.wege[1].y[2] = -13500.5f; }, "-13500.5",
         "y of point 2 of way 1 is -13500.5, outside -13500..13850"},
        {[](Stadtmodell& m) { m.wege[1].breite = 851; }, "851",
         "the half-width of way 1 is 851, outside 0..850"},
        {[](Stadtmodell& m) { m.weg_halbbreite_max = 1e9f; }, "1000000000",
         "the largest half-width is 1000000000, outside 0..850"},
        {[](Stadtmodell& m) { m.haeuser[2].breite = 1e6f; }, "1000000",
         "the radius of building 2 is 1000000, outside 0..850"},
        {[](Stadtmodell& m) { m.haeuser[2].breite = -1; }, "-1",
         "the radius of building 2 is -1, outside 0..850"},
        {[](Stadtmodell& m) { m.haeuser[3].ecke_y[1] = 3.4e38f; }, nullptr,
         "y of corner 1 of building 3 is 33999999521443642490773241379936"},
        {[](Stadtmodell& m) { m.haeuser[1].ecke_x[2] = 900; }, nullptr,
         "a side of building 1 measures 890 m, more than 850 m"},
        {[](Stadtmodell& m) { m.plaetze[1].wert = 1e-6f; }, "0.000001",
         "the width value of square 1 is 0.000001; a width value is 0 or at least 0.01"},
        {[](Stadtmodell& m) { m.plaetze[1].x[3] = 1000; }, nullptr,
         "the extent of square 1 measures 960 m, more than 850 m"},
        {[](Stadtmodell& m) { m.parks[1].y[2] = -1e30f; }, nullptr,
         "y of point 2 of park 1 is -1000000015047466219876688855040"},
        {[](Stadtmodell& m) { m.mauer_dicke = 1000; }, "1000",
         "the wall thickness is 1000, outside 0..850"},
        {[](Stadtmodell& m) { m.mauer_y[3] = 1e7f; }, "10000000",
         "y of wall point 3 is 10000000, outside -13500..13850"},
        {[](Stadtmodell& m) { m.tuerme[1].radius = 1e6f; }, "1000000",
         "the radius of tower 1 is 1000000, outside 0..850"},
        {[](Stadtmodell& m) { m.tuerme[1].mx = -20000; }, "-20000",
         "x of tower 1 is -20000, outside -13500..13850"},
        {[](Stadtmodell& m) { m.tuerme[2].x[3] = 2000; }, nullptr,
         "a side of tower 2 measures 1752 m, more than 850 m"},
    };
    for (const auto& fall : faelle) {
        Stadtmodell m = handmodell();
        fall.aendern(m);
        const QByteArray datei = speichern(m, {}, "feind.qls");
        const Fehlerbild f = laden_scheitert("feind.qls");
        EXPECT_TRUE(f.text.startsWith(fall.erwartet)) << f.meldung().toStdString();
        if (fall.zeile_mit) {
            const std::vector<std::string> z = zeilen(datei);
            const auto wo = std::find(z.begin(), z.end(), fall.zeile_mit);
            ASSERT_NE(wo, z.end()) << fall.zeile_mit;
            ASSERT_EQ(std::find(wo + 1, z.end(), fall.zeile_mit), z.end()) << fall.zeile_mit;
            EXPECT_EQ(f.zeile, wo - z.begin() + 1) << fall.erwartet;
        } else {
            EXPECT_GT(f.zeile, 20) << fall.erwartet;
        }
    }

    // The limits themselves are accepted, and come back unchanged.
    Stadtmodell m = handmodell();
    m.wege[2].x[1] = 13850;
    m.wege[2].y[2] = -13500;
    m.haeuser[2].breite = 850;
    m.tuerme[1].radius = 850;
    m.plaetze[1].x[3] = 890; // an extent of exactly 850 m
    m.plaetze[1].wert = 0.01f;
    const QByteArray datei = speichern(m, {}, "grenze.qls");
    Stadtmodell geladen;
    Kartenkopf k;
    const Ergebnis e = stadtplan_lesen("grenze.qls", text(datei), geladen, k);
    ASSERT_TRUE(e.gut()) << e.englisch();
    EXPECT_EQ(speichern(geladen, k, "grenze2.qls"), datei);
}

// Every map the presets make reads back and writes again to the same bytes,
// also the largest map and streets that run far beyond a small one.
class Rundreise : public Kartendatei {
  protected:
    void zurueck(const Stadtmodell& m, const std::string& was) {
        ASSERT_TRUE(m.plan_vorhanden) << was;
        const QByteArray erst = speichern(m, {"Rundlingen", 0}, "v.qls");
        Stadtmodell geladen;
        Kartenkopf k;
        const Ergebnis e = stadtplan_lesen("v.qls", text(erst), geladen, k);
        ASSERT_TRUE(e.gut()) << was << ": " << e.englisch();
        EXPECT_EQ(speichern(geladen, k, "w.qls"), erst) << was;
    }
};
class Vorlagenkarte : public Rundreise, public ::testing::WithParamInterface<int> {};

TEST_P(Vorlagenkarte, WirdGelesenUndGleichGeschrieben) {
    for (std::uint64_t saat = 1; saat <= 5; ++saat)
        zurueck(generiert(GetParam(), saat),
                "preset " + std::to_string(GetParam()) + " seed " + std::to_string(saat));
}

INSTANTIATE_TEST_SUITE_P(Alle, Vorlagenkarte, ::testing::Range(0, n_vorlagen));

TEST_F(Rundreise, GroessteKarteUndWeitGelaufeneStrassen) {
    const Stadtmodell gross = generiert(13, 1, {{"Combo_stadt_abmessung", "12"}});
    EXPECT_EQ(gross.stadt_abmessung, 7500.0f);
    zurueck(gross, "7500 m");
    // Wide streets that nothing steers run some 35 map sizes beyond 100 m.
    const Stadtmodell klein = generiert(0, 7,
                                        {{"Combo_stadt_abmessung", "0"},
                                         {"Combo_wegbreite_max", "18"},
                                         {"Combo_wegbreite_min", "18"},
                                         {"Slider_weg_kurvigkeit", "0"},
                                         {"Slider_weg_sackgasse_wahrsch", "0"},
                                         {"Slider_weg_abknick_wahrsch", "0"},
                                         {"Slider_weg_richtungstendenz", "0"}});
    float weiteste = 0;
    for (int w = 1; w <= klein.n_wege; ++w)
        for (int p = 1; p <= klein.wege[static_cast<std::size_t>(w)].n_punkte; ++p)
            weiteste = std::max(weiteste, std::fabs(klein.wege[static_cast<std::size_t>(w)].px(p)));
    EXPECT_GT(weiteste, 10.0f * klein.stadt_abmessung);
    zurueck(klein, "100 m, far streets");
}

TEST_F(Kartendatei, SpeicherfehlerLassenDieAlteDateiStehen) {
    const Stadtmodell m = handmodell();
    const QByteArray alt = speichern(m, {}, "alt.qls");

    Ergebnis e = stadtplan_speichern("/dev/full", m, {});
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith("/dev/full: "))
        << qtext(e, Sprache::englisch).toStdString();

    // A coordinate that is no number refuses the save.
    Stadtmodell kaputt = m;
    kaputt.wege[2].punkt_setzen(2, NAN, 1.0f);
    e = stadtplan_speichern(pfad("alt.qls"), kaputt, {"Neu", 1});
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(fehlerbild(e).text.contains("point 2 of way 2"))
        << fehlerbild(e).text.toStdString();
    EXPECT_EQ(lesen(pfad("alt.qls")), alt);

    e = stadtplan_speichern(pfad("fehlt/neu.qls"), m, {});
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(qtext(e, Sprache::englisch).contains("fehlt/neu.qls"));
}

TEST_F(Kartendatei, AbbruchAendertNichts) {
    const Stadtmodell m = generiert(8, 5);
    const QByteArray alt = speichern(m, {}, "alt.qls");
    // A host that asks to stop: saving keeps the old file, loading the old map.
    Testwirt wirt;
    wirt.abbruch_bei = 1;
    Ergebnis e = stadtplan_speichern(pfad("alt.qls"), handmodell(), {}, &wirt);
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(lesen(pfad("alt.qls")), alt);

    Stadtmodell ziel = handmodell();
    Kartenkopf k{"Vorher", 1};
    e = stadtplan_laden(pfad("alt.qls"), ziel, k, &wirt);
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(modelle_gleich(ziel, handmodell()));
    EXPECT_EQ(k.stadtname, "Vorher");
    EXPECT_EQ(wirt.letzter.art, Statusart::laden); // not "loaded"
}

} // namespace
