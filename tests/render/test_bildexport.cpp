#include <gtest/gtest.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "core/zufall.h"
#include "render/bildexport.h"
#include "render_hilfe.h"
#include "ui/bildoptionen.h"

using namespace tarvello;

TEST(Exportname, EndungNurBeiGenauerSchreibweise) {
    EXPECT_EQ(export_dateiname("plan.bmp", Bildformat::bmp, 1, 1, 1), "plan.bmp");
    EXPECT_EQ(export_dateiname("plan", Bildformat::bmp, 1, 1, 1), "plan.bmp");
    EXPECT_EQ(export_dateiname("plan.BMP", Bildformat::bmp, 1, 1, 1), "plan.BMP.bmp");
    EXPECT_EQ(export_dateiname("plan.png", Bildformat::png, 1, 1, 1), "plan.png");
    EXPECT_EQ(export_dateiname("plan.bmp", Bildformat::png, 1, 1, 1), "plan.bmp.png");
    EXPECT_EQ(export_dateiname("karten/plan.svg", Bildformat::svg, 1, 1, 1), "karten/plan.svg");
    // Column first, then row: the top-right picture of 3 x 3.
    EXPECT_EQ(export_dateiname("plan", Bildformat::bmp, 3, 3, 1), "plan_3_1.bmp");
    EXPECT_EQ(export_dateiname("plan.bmp", Bildformat::bmp, 3, 1, 2), "plan_1_2.bmp");
    EXPECT_EQ(export_dateiname("plan.png", Bildformat::png, 2, 2, 2), "plan_2_2.png");
}

TEST(Exportname, Speicherbedarf) {
    EXPECT_DOUBLE_EQ(export_speicherbedarf(1000, 3), 27.0);
    EXPECT_DOUBLE_EQ(export_speicherbedarf(1200, 1), 4.32);
}

namespace {

struct Export {
    Stadtmodell m = testhilfe::kleine_stadt();
    Druckfarben f = Druckfarben::standard();
    Druckoptionen o;
    Zufall z{7u};
    QTemporaryDir dir;

    Zeichenergebnis los(const std::vector<Exportdatei>& dateien) {
        Zeichenauftrag a{m, f, o, Bildausschnitt{}, z, nullptr, Sprache::englisch};
        return bilder_exportieren(a, dateien);
    }
    QString pfad(const QString& name) const { return dir.filePath(name); }
};

} // namespace

TEST(Bildexport, MatrixSchreibtJedesBildEinmal) {
    Export e;
    e.o.export_matrix = 3;
    e.o.export_pixel = 120;
    const auto r = e.los({{Bildformat::bmp, e.pfad("plan.bmp")},
                          {Bildformat::png, e.pfad("plan")},
                          {Bildformat::svg, e.pfad("plan.svg")}});
    ASSERT_EQ(r.ende, Zeichenende::fertig) << r.fehler.toStdString();
    QStringList namen = QDir(e.dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(namen.size(), 27) << namen.join(' ').toStdString(); // no stray temporary files
    for (int spalte = 1; spalte <= 3; ++spalte)
        for (int zeile = 1; zeile <= 3; ++zeile)
            for (const char* endung : {".bmp", ".png", ".svg"})
                EXPECT_TRUE(namen.contains(
                    QStringLiteral("plan_%1_%2%3").arg(spalte).arg(zeile).arg(endung)));

    // BMP and PNG hold the same picture.
    const QImage bmp(e.pfad("plan_2_3.bmp")), png(e.pfad("plan_2_3.png"));
    ASSERT_EQ(bmp.size(), QSize(120, 120));
    EXPECT_EQ(bmp.convertToFormat(QImage::Format_RGB32), png.convertToFormat(QImage::Format_RGB32));
}

TEST(Bildexport, BmpHat24BitJePixel) {
    Export e;
    e.o.export_pixel = 101; // rows padded to four bytes
    ASSERT_EQ(e.los({{Bildformat::bmp, e.pfad("plan")}}).ende, Zeichenende::fertig);
    QFile f(e.pfad("plan.bmp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray d = f.readAll();
    ASSERT_GE(d.size(), 54);
    EXPECT_EQ(d.left(2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(d[28]) | static_cast<unsigned char>(d[29]) << 8, 24);
    EXPECT_EQ(d.size(), 54 + 101 * 304);
}

TEST(Bildexport, SvgBleibtVektor) {
    Export e;
    e.o.export_pixel = 300;
    ASSERT_EQ(e.los({{Bildformat::svg, e.pfad("plan.svg")}}).ende, Zeichenende::fertig);
    QFile f(e.pfad("plan.svg"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray d = f.readAll();
    EXPECT_TRUE(d.contains("<svg"));
    EXPECT_TRUE(d.contains("viewBox=\"0 0 300 300\""));
    EXPECT_TRUE(d.contains("<polyline"));
    EXPECT_FALSE(d.contains("<image"));
    EXPECT_TRUE(d.contains(">12<")); // a label stays text
}

TEST(Bildexport, SchreibfehlerNenntDieDatei) {
    Export e;
    e.o.export_pixel = 100;
    const QString ziel = e.pfad("fehlt/plan.png");
    const auto r = e.los({{Bildformat::png, ziel}});
    EXPECT_EQ(r.ende, Zeichenende::fehler);
    EXPECT_TRUE(r.fehler.contains(ziel)) << r.fehler.toStdString();
}

namespace {

int ausfuehren(const QStringList& args, const Stadtmodell& m, QString& fehler,
               bool* geprueft = nullptr) {
    QCommandLineParser p;
    bild_optionen_hinzufuegen(p);
    if (!p.parse(QStringList{"tarvello"} + args)) {
        fehler = p.errorText();
        return -1;
    }
    if (geprueft) *geprueft = bild_optionen_pruefen(p, fehler);
    Zufall z(3u);
    return bild_optionen_ausfuehren(p, m, fehler, nullptr, &z);
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
        bool geprueft = true;
        EXPECT_EQ(ausfuehren(args, e.m, fehler, &geprueft), 2) << args.join(' ').toStdString();
        EXPECT_FALSE(geprueft);
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
