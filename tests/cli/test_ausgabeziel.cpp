// The check of an output target before the run: a name that cannot become
// a file is refused with words that name it and say why; a name that can
// passes, and nothing is written either way.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

#include "cli/ausgabeziel.h"
#include "files/textdatei.h"

using namespace tarvello;

namespace {

TEST(Ausgabeziel, NurWasEineDateiWerdenKannGehtDurch) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString d = dir.path();
    ASSERT_TRUE(QDir(d).mkdir("ordner"));
    QFile datei(d + "/datei.qls");
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.close();

    const struct {
        QString ziel;
        QString erwartet; // empty: passes
    } faelle[] = {
        {d + "/neu.qls", {}},
        {d + "/datei.qls", {}}, // replaced
        {"/dev/null", {}},      // writing decides about devices
        {"", "no file name given"},
        {"  ", "no file name given"},
        {d + "/ordner", "is a folder, not a file"},
        {d + "/ordner/", "names a folder, not a file"},
        {d + "/neu/", "names a folder, not a file"},
        {d + "/fehlt/a.qls", "the folder " + d + "/fehlt does not exist"},
        {d + "/fehlt/tiefer/a.qls", "/fehlt/tiefer does not exist"},
        {d + "/datei.qls/a.png", "/datei.qls is not a folder"},
    };
    for (const auto& f : faelle) {
        const Ergebnis e = ausgabe_pruefen(f.ziel);
        if (f.erwartet.isEmpty()) {
            EXPECT_TRUE(e.gut()) << f.ziel.toStdString() << ": " << e.englisch();
            continue;
        }
        ASSERT_FALSE(e.gut()) << f.ziel.toStdString();
        EXPECT_EQ(e.art(), Fehlerart::datei);
        const QString text = qtext(e, Sprache::englisch);
        EXPECT_TRUE(text.contains(f.erwartet)) << text.toStdString();
        if (!f.ziel.trimmed().isEmpty()) {
            EXPECT_TRUE(text.startsWith(f.ziel + ": ")) << text.toStdString();
        }
        EXPECT_NE(e.deutsch(), e.englisch());
    }
    // Nothing was made.
    EXPECT_EQ(QDir(d).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{"datei.qls", "ordner"}));

    // A folder that may not be written to (root may write anywhere).
    if (geteuid() != 0) {
        ASSERT_TRUE(QFile::setPermissions(d + "/ordner", QFile::ReadOwner | QFile::ExeOwner));
        const Ergebnis e = ausgabe_pruefen(d + "/ordner/a.qls");
        EXPECT_TRUE(qtext(e, Sprache::englisch).endsWith("/ordner may not be written to"))
            << e.englisch();
        QFile::setPermissions(d + "/ordner",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

} // namespace
