#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "files/textdatei.h"
#include "render/bildexport.h"
#include "render_hilfe.h"

using namespace tarvello;
using testhilfe::Export;

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

TEST(Bildexport, MatrixSchreibtJedesBildEinmal) {
    Export e;
    e.o.export_matrix = 3;
    e.o.export_pixel = 120;
    const auto r = e.los({{Bildformat::bmp, e.pfad("plan.bmp")},
                          {Bildformat::png, e.pfad("plan")},
                          {Bildformat::svg, e.pfad("plan.svg")}});
    ASSERT_EQ(r.art(), Fehlerart::keiner) << r.englisch();
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
    ASSERT_EQ(e.los({{Bildformat::bmp, e.pfad("plan")}}).art(), Fehlerart::keiner);
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
    ASSERT_EQ(e.los({{Bildformat::svg, e.pfad("plan.svg")}}).art(), Fehlerart::keiner);
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
    EXPECT_EQ(r.art(), Fehlerart::datei);
    EXPECT_TRUE(qtext(r, Sprache::englisch).contains(ziel)) << r.englisch();
}
