#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>

#include "files/textdatei.h"
#include "render/bildexport.h"
#include "render/pngschreiber.h"
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

// Takes `platz` bytes, then refuses every write.
class Volles_geraet : public QIODevice {
  public:
    explicit Volles_geraet(qint64 platz) : platz_(platz) {}

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 n) override {
        if (n > platz_) return -1;
        platz_ -= n;
        return n;
    }

  private:
    qint64 platz_;
};

// The picture comes back pixel for pixel, with its resolution, whatever its
// size and however many data chunks its noise needs; a device refusing
// writes fails the writing.
TEST(Pngschreiber, BildKommtUnveraendertZurueck) {
    std::uint32_t zustand = 12345;
    const auto zufall = [&] {
        zustand = zustand * 1664525u + 1013904223u;
        return zustand >> 8;
    };
    for (const QSize groesse : {QSize(1, 1), QSize(7, 3), QSize(3, 200), QSize(300, 250)}) {
        QImage bild(groesse, QImage::Format_RGB32);
        bild.fill(QColor(224, 224, 224));
        // Noise in the lower half, flat colour above: both kinds of data.
        for (int y = groesse.height() / 2; y < groesse.height(); ++y)
            for (int x = 0; x < groesse.width(); ++x)
                bild.setPixel(x, y, 0xff000000u | zufall());
        bild.setDotsPerMeterX(3780);
        bild.setDotsPerMeterY(2000);
        QByteArray png;
        QBuffer puffer(&png);
        ASSERT_TRUE(puffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(png_schreiben(puffer, bild));
        QImage gelesen;
        ASSERT_TRUE(gelesen.loadFromData(png, "PNG")) << groesse.width();
        EXPECT_EQ(gelesen.convertToFormat(QImage::Format_RGB32), bild) << groesse.width();
        EXPECT_EQ(gelesen.dotsPerMeterX(), 3780);
        EXPECT_EQ(gelesen.dotsPerMeterY(), 2000);
        if (groesse.width() == 300) {
            EXPECT_GT(png.count("IDAT"), 1); // several chunks
            // A device full after any number of bytes fails the writing.
            for (const qint64 platz :
                 {qint64{0}, qint64{20}, qint64{100}, qint64{70000}, png.size() - 1}) {
                Volles_geraet voll(platz);
                ASSERT_TRUE(voll.open(QIODevice::WriteOnly));
                EXPECT_FALSE(png_schreiben(voll, bild)) << platz;
            }
        }
    }
    QBuffer leer;
    ASSERT_TRUE(leer.open(QIODevice::WriteOnly));
    EXPECT_FALSE(png_schreiben(leer, QImage()));
}
