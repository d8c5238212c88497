#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <locale>
#include <vector>

#include "datei_hilfe.h"
#include "ergebnis_hilfe.h"
#include "files/textdatei.h"

using namespace tarvello;
using namespace dateitest;

namespace {

QString englisch(const Meldung& m) {
    return QString::fromStdString(worten(m, Sprache::englisch));
}

std::string ganz(long long v) {
    std::string s;
    ganzzahl_anhaengen(s, v);
    return s;
}

std::string gleit(float v, int stellen) {
    std::string s;
    EXPECT_TRUE(gleitzahl_anhaengen(s, v, stellen));
    return s;
}

TEST(Textform, GanzzahlenMitVorzeichenstelle) {
    EXPECT_EQ(ganz(5), " 5 ");
    EXPECT_EQ(ganz(0), " 0 ");
    EXPECT_EQ(ganz(-5), "-5 ");
    EXPECT_EQ(ganz(16777215), " 16777215 ");
    EXPECT_EQ(ganz(-2147483648LL), "-2147483648 ");
}

TEST(Textform, GerundeteZahlenOhneNullenMitPunkt) {
    EXPECT_EQ(gleit(12.5f, 2), "12.5");
    EXPECT_EQ(gleit(-3.25f, 2), "-3.25");
    EXPECT_EQ(gleit(100.0f, 2), "100");
    EXPECT_EQ(gleit(0.5f, 2), "0.5");
    EXPECT_EQ(gleit(1.0f / 3.0f, 6), "0.333333");
    EXPECT_EQ(gleit(7499.994f, 2), "7499.99");
    // Exact halves go to the even neighbour; 0.115f lies above the half.
    EXPECT_EQ(gleit(0.125f, 2), "0.12");
    EXPECT_EQ(gleit(0.375f, 2), "0.38");
    EXPECT_EQ(gleit(2.5f, 0), "2");
    EXPECT_EQ(gleit(3.5f, 0), "4");
    EXPECT_EQ(gleit(0.115f, 2), "0.12");
    // No "-0".
    EXPECT_EQ(gleit(-0.001f, 2), "0");
    EXPECT_EQ(gleit(-0.0f, 2), "0");

    std::string s = "x";
    EXPECT_FALSE(gleitzahl_anhaengen(s, std::nanf(""), 2));
    EXPECT_FALSE(gleitzahl_anhaengen(s, INFINITY, 2));
    EXPECT_EQ(s, "x");
}

// The text agrees with the general fixed-point conversion (trailing zeros
// and "-0" dropped) for every number of decimals written, on floats of every
// size, values of map sizes and exact halves of the last digit.
TEST(Textform, GerundeteZahlenWieDieAllgemeineUmwandlung) {
    const auto allgemein = [](float v, int stellen) {
        char puffer[80];
        char* ende = std::to_chars(puffer, puffer + sizeof puffer, static_cast<double>(v),
                                   std::chars_format::fixed, stellen)
                         .ptr;
        if (stellen > 0) {
            while (ende[-1] == '0')
                --ende;
            if (ende[-1] == '.') --ende;
        }
        std::string s(puffer, ende);
        return s == "-0" ? std::string("0") : s;
    };
    std::uint32_t zustand = 815;
    for (int i = 0; i < 100000; ++i) {
        zustand = zustand * 1664525u + 1013904223u;
        float zufall = 0;
        std::memcpy(&zufall, &zustand, sizeof zufall);
        const int stellen = static_cast<int>(zustand >> 29) % 7;
        const float halb = (static_cast<float>(zustand % 100000u) + 0.5f) / 100.0f;
        for (const float v : {zufall, static_cast<float>(zustand % 2000000u) / 64.0f - 15000.0f,
                              halb, -halb, 9007199254740992.0f / 100.0f}) {
            if (!std::isfinite(v)) continue;
            for (const int s : {stellen, 2}) {
                std::string text;
                ASSERT_TRUE(gleitzahl_anhaengen(text, v, s));
                ASSERT_EQ(text, allgemein(v, s)) << v << " " << s;
            }
        }
    }
}

// The value without the text is the value through the text: for floats of
// every size, halves on the rounding step, zeros of both signs and what is
// not finite.
TEST(Textform, WieGeschriebenOhneText) {
    const auto ueber_text = [](float v) {
        std::string s;
        gleitzahl_anhaengen(s, v, 2);
        return gleitzahl_aus_zeile(s).value_or(v);
    };
    std::vector<float> werte = {0.125f,   0.375f,    2.675f,     -0.125f,    0.005f,  -0.005f,
                                0.0f,     -0.0f,     -0.001f,    1e-45f,     3.4e38f, -3.4e38f,
                                INFINITY, -INFINITY, 131072.01f, 16777217.0f};
    std::uint32_t zustand = 4711;
    for (int i = 0; i < 200000; ++i) {
        zustand = zustand * 1664525u + 1013904223u;
        float v = 0;
        std::memcpy(&v, &zustand, sizeof v);
        werte.push_back(v);
        // Values of map sizes, and exact halves of the last written digit.
        werte.push_back(static_cast<float>(zustand % 2000000u) / 64.0f - 15000.0f);
        werte.push_back((static_cast<float>(zustand % 100000u) + 0.5f) / 100.0f);
    }
    for (const float v : werte) {
        if (std::isnan(v)) continue;
        const float a = gleitzahl_wie_geschrieben(v), b = ueber_text(v);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << v; // the sign of zero too
    }
    EXPECT_TRUE(std::isnan(gleitzahl_wie_geschrieben(std::nanf(""))));
}

TEST(Textform, LesenUeberspringtLeerzeichenUndWeistFremdesAb) {
    EXPECT_EQ(ganzzahl_aus_zeile(" 5 "), 5);
    EXPECT_EQ(ganzzahl_aus_zeile("-5 "), -5);
    EXPECT_EQ(ganzzahl_aus_zeile("\t+7\r"), 7);
    for (const char* schlecht : {"", "  ", "5.0", "1 2", "+-1", "-", "0x10", "5a", "1,5"})
        EXPECT_FALSE(ganzzahl_aus_zeile(schlecht)) << schlecht;

    EXPECT_EQ(gleitzahl_aus_zeile(" 12.5 "), 12.5f);
    EXPECT_EQ(gleitzahl_aus_zeile("-3.25"), -3.25f);
    EXPECT_EQ(gleitzahl_aus_zeile(" 350 "), 350.0f);
    EXPECT_EQ(gleitzahl_aus_zeile("1e3"), 1000.0f);
    EXPECT_EQ(gleitzahl_aus_zeile(".5"), 0.5f);
    for (const char* schlecht :
         {"", "1,5", "nan", "inf", "-inf", "-nan", "1e39", "12.5m", "+-1", "x"})
        EXPECT_FALSE(gleitzahl_aus_zeile(schlecht)) << schlecht;
}

// Whatever float was written, reading its text gives a float that is written
// as the same text again: save - load - save keeps the file. The two ranges
// are those where floats lie further apart than the written steps.
TEST(Textform, GeschriebeneZahlenKommenAlsDerselbeTextZurueck) {
    for (auto [von, stellen] : {std::pair{16.0f, 6}, std::pair{131072.0f, 2}, std::pair{0.3f, 6},
                                std::pair{-5000.0f, 2}}) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &von, sizeof bits);
        for (int i = 0; i < 20000; ++i, bits += 397) {
            float f = 0;
            std::memcpy(&f, &bits, sizeof f);
            const std::string text = gleit(f, stellen);
            const std::optional<float> zurueck = gleitzahl_aus_zeile(text);
            ASSERT_TRUE(zurueck) << text;
            ASSERT_EQ(gleit(*zurueck, stellen), text) << "float " << f;
        }
    }
}

// A numeric punctuation with a decimal comma, as a German system has it.
struct Komma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(Textform, DezimalpunktInJedemGebietsschema) {
    const std::locale vorher_global;
    const QLocale vorher_q;
    const std::string vorher_c = std::setlocale(LC_ALL, nullptr);
    std::locale::global(std::locale(std::locale::classic(), new Komma));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    bool c_deutsch = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German"})
        if (std::setlocale(LC_ALL, name)) {
            c_deutsch = true;
            break;
        }
    if (c_deutsch) {
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 12.5);
        EXPECT_STREQ(probe, "12,5"); // the C library does use the comma now
    }

    EXPECT_EQ(gleit(12.5f, 2), "12.5");
    EXPECT_EQ(gleitzahl_aus_zeile("12.5"), 12.5f);
    EXPECT_FALSE(gleitzahl_aus_zeile("12,5"));

    QTemporaryDir dir;
    const QString datei = dir.filePath("zahl.txt");
    EXPECT_TRUE(textdatei_schreiben(datei, [](Textschreiber& s) {
                    return s.gleitzahl(12.5f, 2, {Meldungsart::text, "x"});
                }).gut());
    EXPECT_EQ(lesen(datei), QByteArray("12.5\r\n"));

    std::setlocale(LC_ALL, vorher_c.c_str());
    QLocale::setDefault(vorher_q);
    std::locale::global(vorher_global);
}

// --- writing ----------------------------------------------------------------

bool drei_zeilen(Textschreiber& s) {
    s.text("a");
    s.ganzzahl(-1);
    return s.gleitzahl(0.5f, 2, {Meldungsart::text, "x"});
}

TEST(Schreiben, ErsetztDieDateiErstWennAllesGeschriebenIst) {
    QTemporaryDir dir;
    const QString datei = dir.filePath("alt.txt");
    schreiben(datei, "alter Inhalt");
    EXPECT_TRUE(textdatei_schreiben(datei, drei_zeilen).gut());
    EXPECT_EQ(lesen(datei), QByteArray("a\r\n-1 \r\n0.5\r\n"));

    // Content that gives up half-way: the old file stays, no stray files.
    schreiben(datei, "alter Inhalt");
    const Ergebnis e = textdatei_schreiben(datei, [](Textschreiber& s) {
        s.text("neu");
        return s.gleitzahl(NAN, 2, {Meldungsart::was_x_punkt_weg, 4, 7});
    });
    ASSERT_EQ(e.art(), Fehlerart::datei);
    EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith(datei + ": ")) << e.englisch();
    EXPECT_TRUE(fehlerbild(e).text.contains("x of point 7 of way 4")) << e.englisch();
    EXPECT_EQ(lesen(datei), QByteArray("alter Inhalt"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(Schreiben, VolleOderFehlendeZieleMeldenDenNamen) {
    // /dev/full takes nothing; it must still be a device afterwards.
    Ergebnis e = textdatei_schreiben("/dev/full", drei_zeilen);
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(qtext(e, Sprache::englisch).startsWith("/dev/full: "))
        << qtext(e, Sprache::englisch).toStdString();
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());

    QTemporaryDir dir;
    e = textdatei_schreiben(dir.filePath("fehlt/datei.txt"), drei_zeilen);
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(qtext(e, Sprache::englisch).contains("fehlt/datei.txt"));

    e = textdatei_schreiben(dir.path(), drei_zeilen);
    ASSERT_FALSE(e.gut());
    EXPECT_TRUE(fehlerbild(e).text.contains("folder"));

    // A file standing where a folder should be.
    schreiben(dir.filePath("datei"), "x");
    e = textdatei_schreiben(dir.filePath("datei/unter.txt"), drei_zeilen);
    ASSERT_FALSE(e.gut());
    EXPECT_EQ(lesen(dir.filePath("datei")), QByteArray("x"));

    EXPECT_FALSE(textdatei_schreiben("", drei_zeilen).gut());
}

// Faults injected through the file system seam (no file permissions, so
// the test binds root too): whether opening, writing or the final rename
// fails, the old file stays as it was, no temporary file is left, and the
// message names the file and what the system said.
TEST(Schreiben, GestoerteDateisystemeLassenDieAlteDateiStehen) {
    using S = Stoerdateisystem::Stoerung;
    const struct {
        S stoerung;
        qint64 bytes;
        bool gross; // more than the writer's buffer: several writes
        const char* grund;
    } faelle[] = {
        {S::beim_oeffnen, 0, false, "Permission denied"},
        {S::beim_schreiben, 0, false, "No space left on device"},
        {S::beim_schreiben, 5, false, "No space left on device"},
        {S::beim_schreiben, 1500000, true, "No space left on device"},
        {S::beim_uebernehmen, 0, false, "Input/output error"},
        {S::beim_uebernehmen, 0, true, "Input/output error"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(f.stoerung) << " after " << f.bytes);
        QTemporaryDir dir;
        const QString datei = dir.filePath("alt.txt");
        schreiben(datei, "alter Inhalt");
        Stoerdateisystem stoerung(f.stoerung, f.bytes);
        const bool gross = f.gross;
        const Ergebnis e = textdatei_schreiben(
            datei,
            [gross](Textschreiber& s) {
                for (int i = 0; i < (gross ? 400000 : 1); ++i)
                    s.text("neue Zeile");
                return true;
            },
            stoerung);
        ASSERT_EQ(e.art(), Fehlerart::datei);
        EXPECT_EQ(qtext(e, Sprache::englisch), datei + ": cannot be written (" + f.grund + ")");
        EXPECT_EQ(lesen(datei), QByteArray("alter Inhalt"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"alt.txt"});
    }
    // The double passes a healthy write through unchanged.
    QTemporaryDir dir;
    const QString datei = dir.filePath("neu.txt");
    Stoerdateisystem bis_spaeter(S::beim_schreiben, 1000);
    EXPECT_TRUE(textdatei_schreiben(datei, drei_zeilen, bis_spaeter).gut());
    EXPECT_EQ(lesen(datei), QByteArray("a\r\n-1 \r\n0.5\r\n"));
}

// --- reading ----------------------------------------------------------------

TEST(Lesen, ZeilenendenUndZeilennummern) {
    QTemporaryDir dir;
    const QString datei = dir.filePath("z.txt");
    schreiben(datei, "eins\r\n 2 \nx\r\n");
    Textleser l(datei);
    ASSERT_TRUE(l.oeffnen());
    std::string_view t;
    ASSERT_TRUE(l.zeile(t, {Meldungsart::text, "a"}));
    EXPECT_EQ(t, "eins");
    long long v = 0;
    ASSERT_TRUE(l.ganzzahl(v, 0, 9, {Meldungsart::text, "b"}));
    EXPECT_EQ(v, 2);
    EXPECT_FALSE(l.ganzzahl(v, 0, 9, {Meldungsart::was_wege, 12}));
    EXPECT_EQ(l.fehler().zeile, 3);
    EXPECT_EQ(l.fehler().meldung(Sprache::englisch),
              datei + ": line 3: expected 12 ways (a whole number), found \"x\"");
    EXPECT_FALSE(l.ganzzahl(v, 0, 9, {Meldungsart::text, "c"}));
    EXPECT_EQ(l.fehler().zeile, 4);
    EXPECT_TRUE(englisch(l.fehler().text).contains("ends"))
        << englisch(l.fehler().text).toStdString();
}

// Every line is written with its line end; a last line without one was cut
// off, even when what is left still reads as a number.
TEST(Lesen, AbgeschnitteneLetzteZeile) {
    QTemporaryDir dir;
    const QString datei = dir.filePath("z.txt");
    schreiben(datei, "1\r\n12.7");
    Textleser l(datei);
    ASSERT_TRUE(l.oeffnen());
    float f = 0;
    ASSERT_TRUE(l.gleitzahl(f, {Meldungsart::text, "a"}));
    EXPECT_FALSE(l.gleitzahl(f, {Meldungsart::was_radius_turm, 3}));
    EXPECT_EQ(l.fehler().zeile, 2);
    EXPECT_TRUE(englisch(l.fehler().text).contains("the radius of tower 3"))
        << englisch(l.fehler().text).toStdString();
}

TEST(Lesen, BereichUndPlatzImRestDerDatei) {
    QTemporaryDir dir;
    const QString datei = dir.filePath("z.txt");
    schreiben(datei, " 40000 \r\n1\r\n2\n3\n");
    Textleser l(datei);
    ASSERT_TRUE(l.oeffnen());
    long long v = 0;
    EXPECT_FALSE(l.ganzzahl(v, 0, 32767, {Meldungsart::text, "n"}));
    EXPECT_TRUE(englisch(l.fehler().text).contains("40000"))
        << englisch(l.fehler().text).toStdString();
    // The seven bytes "1\r\n2\n3\n" could hold three values, not four.
    EXPECT_TRUE(l.platz_fuer(3, {Meldungsart::text, "n"}));
    EXPECT_FALSE(l.platz_fuer(4, {Meldungsart::text, "n"}));
    EXPECT_FALSE(l.platz_fuer(1LL << 40, {Meldungsart::text, "n"}));
}

TEST(Lesen, LeereFehlendeUndUeberlangeDateien) {
    QTemporaryDir dir;
    schreiben(dir.filePath("leer"), "");
    Textleser leer(dir.filePath("leer"));
    ASSERT_TRUE(leer.oeffnen());
    std::string_view t;
    EXPECT_FALSE(leer.zeile(t, {Meldungsart::text, "v"}));
    EXPECT_EQ(leer.fehler().meldung(Sprache::englisch),
              dir.filePath("leer") + ": line 1: the file is empty");

    Textleser fehlt(dir.filePath("fehlt"));
    EXPECT_FALSE(fehlt.oeffnen());
    EXPECT_EQ(fehlt.fehler().zeile, 0);
    EXPECT_TRUE(fehlt.fehler()
                    .meldung(Sprache::englisch)
                    .startsWith(dir.filePath("fehlt") + ": cannot be opened"));

    Textleser ordner(dir.path());
    EXPECT_FALSE(ordner.oeffnen());

    schreiben(dir.filePath("rest"), "1\r\n\r\n  \r\n\n \t");
    Textleser rest(dir.filePath("rest"));
    ASSERT_TRUE(rest.oeffnen());
    ASSERT_TRUE(rest.zeile(t, {Meldungsart::text, "v"}));
    EXPECT_TRUE(rest.ende_pruefen());

    schreiben(dir.filePath("mehr"), "1\r\n\r\n2\r\n");
    Textleser mehr(dir.filePath("mehr"));
    ASSERT_TRUE(mehr.oeffnen());
    ASSERT_TRUE(mehr.zeile(t, {Meldungsart::text, "v"}));
    EXPECT_FALSE(mehr.ende_pruefen());
    EXPECT_EQ(mehr.fehler().zeile, 3);
}

} // namespace
