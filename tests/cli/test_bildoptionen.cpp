// The picture options of the commands: checked before anything is drawn,
// written with the right exit codes, zoomed like the preview.
#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "cli/befehlszeile.h"
#include "cli/bildoptionen.h"
#include "files/textdatei.h"
#include "render/bildexport.h"
#include "render/render_hilfe.h"

using namespace tarvello;
using testhilfe::Export;

namespace {

int ausfuehren(const QStringList& args, const Stadtmodell& m, QString& fehler) {
    QCommandLineParser p;
    bild_optionen_hinzufuegen(p);
    if (!p.parse(QStringList{"tarvello"} + args)) {
        fehler = p.errorText();
        return -1;
    }
    Bildwunsch w;
    Ergebnis e = bild_optionen_lesen(p, w);
    if (e.gut()) e = bilder_zeichnen(w, m, nullptr);
    fehler = qtext(e, Sprache::englisch);
    return exitcode(e);
}

} // namespace

TEST(Bildoptionen, FalscheWerteVorDemZeichnen) {
    Export e;
    const QString png = e.pfad("x.png");
    const std::vector<QStringList> falsch = {
        {"--png", png, "--pixels", "99"},
        {"--png", png, "--pixels", "10001"},
        {"--png", png, "--pixels", "12x"},
        {"--png", png, "--matrix", "0"},
        {"--png", png, "--matrix", "6"},
        {"--png", png, "--zoom", "0.5"},
        {"--png", png, "--zoom", "11"},
        {"--png", png, "--zoom", "nan"},
        {"--png", png, "--view", "10,10"},
        {"--png", png, "--zoom", "2", "--view", "10"},
        {"--png", png, "--labels", "streets,x"},
        {"--png", png, "--labels", "all,parks"},
        {"--png", png, "--label-size", "-1"},
        {"--pixels", "400"},
        {"--png", ""},
    };
    for (const QStringList& args : falsch) {
        QString fehler;
        EXPECT_EQ(ausfuehren(args, e.m, fehler), 2) << args.join(' ').toStdString();
        EXPECT_FALSE(fehler.isEmpty());
    }
    EXPECT_TRUE(QDir(e.dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(Bildoptionen, SchreibenUndFehlercodes) {
    Export e;
    QString fehler;
    EXPECT_EQ(ausfuehren({}, e.m, fehler), 0); // nothing asked for
    EXPECT_EQ(ausfuehren({"--png", e.pfad("a.png"), "--bmp", e.pfad("a"), "--pixels", "777",
                          "--matrix", "2", "--zoom", "2.5", "--view", "10.5,20", "--labels",
                          "streets, parks", "--label-size", "5", "--outline-only"},
                         e.m, fehler),
              0)
        << fehler.toStdString();
    for (const char* name : {"a_1_1.png", "a_2_2.png", "a_1_2.bmp", "a_2_1.bmp"})
        EXPECT_EQ(QImage(e.pfad(name)).size(), QSize(777, 777)) << name;

    fehler.clear();
    const QString unerreichbar = e.pfad("nicht/da.svg");
    EXPECT_EQ(ausfuehren({"--svg", unerreichbar, "--pixels", "100"}, e.m, fehler), 1);
    EXPECT_TRUE(fehler.contains(unerreichbar)) << fehler.toStdString();
}

TEST(Bildoptionen, ZoomZeigtDenAusschnittDerVorschau) {
    // At zoom 2 a 400 px picture has the scale of an 800 px picture of the
    // whole map, and shows the part of it the section names.
    Export e;
    QString fehler;
    const QString ganz = e.pfad("ganz.png"), ecke = e.pfad("ecke.png"), mitte = e.pfad("mitte.png");
    ASSERT_EQ(ausfuehren({"--png", ganz, "--pixels", "800", "--labels", "none"}, e.m, fehler), 0);
    ASSERT_EQ(ausfuehren({"--png", ecke, "--pixels", "400", "--labels", "none", "--zoom", "2",
                          "--view", "-50,1e6"},
                         e.m, fehler),
              0); // kept inside the map: the bottom-left quarter
    ASSERT_EQ(ausfuehren({"--png", mitte, "--pixels", "400", "--labels", "none", "--zoom", "2"},
                         e.m, fehler),
              0); // centred
    const QImage g(ganz);
    using testhilfe::abweichende_pixel;
    EXPECT_LE(abweichende_pixel(QImage(ecke), g.copy(0, 400, 400, 400)), 16);
    EXPECT_LE(abweichende_pixel(QImage(mitte), g.copy(200, 200, 400, 400)), 16);
    EXPECT_GT(abweichende_pixel(QImage(mitte), g.copy(0, 400, 400, 400)), 10000);
}
