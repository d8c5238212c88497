// The words of file faults exist in German and English: every fault a map
// reader can meet line by line, and the typical faults of every reader and
// writer.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "datei_hilfe.h"
#include "files/einstellungsdatei.h"
#include "files/farbspeicher.h"
#include "files/kartendatei.h"

using namespace tarvello;

namespace {

// English words that the German wording of a map fault must not hold: a
// value description worded in English in the German catalogue shows here.
const QRegularExpression englische_worte(
    QStringLiteral("\\b(the|of|line|expected|found|file|ways?|buildings?|points?|towers?|areas|"
                   "wall|corner|square|park|button|number|count|flag|kind|shape|radius|width|"
                   "half|map|size|version|town|name|colour)\\b"));

// Both wordings there, one line each, naming the file, and different.
void zweisprachig_pruefen(const Ergebnis& e, const QString& datei, const std::string& fall) {
    ASSERT_FALSE(e.gut()) << fall;
    EXPECT_FALSE(e.deutsch().empty()) << fall;
    EXPECT_NE(e.deutsch(), e.englisch()) << fall;
    for (const Sprache s : {Sprache::deutsch, Sprache::englisch}) {
        const QString m = qtext(e, s);
        EXPECT_TRUE(m.startsWith(datei + ": ")) << fall << ": " << m.toStdString();
        EXPECT_FALSE(m.contains('\n')) << fall << ": " << m.toStdString();
    }
}

} // namespace

// Cut after each line, or with each line spoilt, a map is refused with German
// words throughout: the German names what was expected in German too.
TEST(Meldungen, JedeZeileEinerKarteInBeidenSprachen) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("karte.qls"));
    ASSERT_TRUE(
        stadtplan_speichern(datei, dateitest::handmodell(), {QStringLiteral("Hand"), 2}).gut());
    const std::vector<std::string> zeilen = dateitest::zeilen(dateitest::lesen(datei));
    ASSERT_GT(zeilen.size(), 50u);
    int abgelehnt = 0;
    for (std::size_t k = 0; k < zeilen.size(); ++k) {
        std::vector<std::string> gekuerzt(zeilen.begin(), zeilen.begin() + static_cast<long>(k));
        std::vector<std::string> verdorben = zeilen;
        verdorben[k].assign(1, 'x');
        for (const auto& variante : {gekuerzt, verdorben}) {
            const QByteArray inhalt = dateitest::verbinden(variante);
            Stadtmodell m;
            Kartenkopf kopf;
            const Ergebnis e = stadtplan_lesen(
                datei,
                std::string_view(inhalt.constData(), static_cast<std::size_t>(inhalt.size())), m,
                kopf);
            if (e.gut()) continue; // the town name may read "x"
            ++abgelehnt;
            const std::string fall = "line " + std::to_string(k + 1) + ": " + e.englisch();
            zweisprachig_pruefen(e, datei, fall);
            const QString deutsch = qtext(e, Sprache::deutsch).mid(datei.size());
            EXPECT_TRUE(deutsch.startsWith(QStringLiteral(": Zeile "))) << fall;
            const QRegularExpressionMatch englisch = englische_worte.match(deutsch);
            EXPECT_FALSE(englisch.hasMatch())
                << fall << "\n  " << deutsch.toStdString() << "\n  holds '"
                << englisch.captured(0).toStdString() << "'";
        }
    }
    EXPECT_GT(abgelehnt, static_cast<int>(zeilen.size()));
}

// The typical faults of the settings and palette readers and of every writer.
TEST(Meldungen, LesenUndSchreibenInBeidenSprachen) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("d"));
    const auto lesen = [&](auto leser, std::string_view inhalt, auto& ziel) {
        return leser(datei, inhalt, ziel);
    };
    Steuerwerte s;
    Druckfarben f = Druckfarben::standard();
    Stadtmodell m;
    Kartenkopf k;
    const struct {
        const char* fall;
        Ergebnis e;
        QString datei;
    } faelle[] = {
        {"settings: no version", lesen(einstellungen_lesen, "Stadt\r\n", s), datei},
        {"settings: newer", lesen(einstellungen_lesen, "9.5\r\n", s), datei},
        {"settings: empty", lesen(einstellungen_lesen, "", s), datei},
        {"settings: out of range", lesen(einstellungen_lesen, "1\r\n 99999 \r\n", s), datei},
        {"palette: not a number", lesen(palette_lesen, "rot\r\n", f), datei},
        {"palette: too short", lesen(palette_lesen, " 1 \r\n", f), datei},
        {"map: newer", stadtplan_lesen(datei, "9.5\r\n", m, k), datei},
        {"map: missing", stadtplan_laden(datei, m, k), datei},
        {"map: a folder", stadtplan_laden(ordner.path(), m, k), ordner.path()},
        {"map: save into a missing folder",
         stadtplan_speichern(ordner.filePath("fehlt/k.qls"), dateitest::handmodell(), k),
         ordner.filePath("fehlt/k.qls")},
        {"settings: save as a folder", einstellungen_speichern(ordner.path(), s), ordner.path()},
        {"palette: save to a full disk", palette_speichern("/dev/full", f), "/dev/full"},
    };
    for (const auto& fall : faelle)
        zweisprachig_pruefen(fall.e, fall.datei, fall.fall);

    // A model whose counts do not fit its tables is not saved.
    Stadtmodell kaputt = dateitest::handmodell();
    kaputt.n_wege = -1;
    zweisprachig_pruefen(stadtplan_speichern(datei, kaputt, k), datei, "map: inconsistent");
}
