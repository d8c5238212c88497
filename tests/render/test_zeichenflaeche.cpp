#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "render/zeichenflaeche.h"

using namespace tarvello;

// Filled rectangles on a picture come out as the painter's own fill would
// make them: on whole pixels and off them, across the clip and the picture's
// edges, opaque and translucent.
TEST(Zeichenflaeche, RechteckWieVomMaler) {
    struct Fall {
        double x1, y1, x2, y2;
        QColor farbe;
    };
    const Fall faelle[] = {
        {3, 4, 20, 5, QColor(10, 200, 30)},        // one row
        {-5, -5, 8, 9, QColor(250, 0, 0)},         // over the picture's corner
        {30, 30, 70, 45, QColor(0, 0, 255)},       // across the clip and the edge
        {12.5, 20.25, 30.75, 28, QColor(9, 9, 9)}, // off whole pixels
        {40, 2, 40, 9, QColor(1, 2, 3)},           // no width
        {5, 40, 25, 55, QColor(200, 100, 0, 128)}, // translucent
        {22, 12, 18, 16, QColor(77, 88, 99)},      // corners swapped
        {1, 1, 49, 49, QColor::fromRgbF(0.3f, 0.6f, 0.9f)},
    };
    for (const Fall& f : faelle) {
        QImage eigen(50, 50, QImage::Format_RGB32), maler(50, 50, QImage::Format_RGB32);
        eigen.fill(Qt::white);
        maler.fill(Qt::white);
        {
            Zeichenflaeche z(&eigen);
            z.beschneiden(2, 3, 40);
            z.rechteck_gefuellt(f.x1, f.y1, f.x2, f.y2, f.farbe);
        }
        {
            QPainter p(&maler);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setClipRect(QRectF(2, 3, 40, 40));
            p.fillRect(QRectF(QPointF(f.x1, f.y1), QPointF(f.x2, f.y2)), f.farbe);
        }
        EXPECT_EQ(eigen, maler) << f.x1 << " " << f.y1 << " " << f.x2 << " " << f.y2;
    }
}

// A surface n times finer than its caller draws what a plain surface of the
// device's resolution draws at positions rounded to whole device pixels, with
// the caller's widths scaled to the device.
TEST(Zeichenflaeche, FeinteilungRundetAufGeraetepixel) {
    constexpr int n = 4;
    constexpr double px_je_einheit = 2.0, geraet = px_je_einheit * n;
    const auto gerundet = [](double v) { return std::nearbyint(v * geraet) / geraet; };
    const QPointF zug[] = {{1.3, 2.71}, {9.94, 4.06}, {5.55, 11.2}, {12.3, 12.9}};
    const auto zeichnen = [&](Zeichenflaeche& z, bool fein) {
        const double b = fein ? 1.0 : n; // widths: caller's pixels or device pixels
        const auto r = [&](double v) { return fein ? v : gerundet(v); };
        z.beschneiden(r(0.4), r(0.3), r(22.9));
        z.linie(r(2.2), r(17.33), r(20.61), r(14.1), 1.7 * b, Qt::red);
        QPointF punkte[4];
        for (int i = 0; i < 4; ++i)
            punkte[i] = QPointF(r(zug[i].x()), r(zug[i].y()));
        z.linienzug(punkte, 4, 0.9 * b, Qt::darkGreen);
        z.rechteck(r(14.07), r(2.03), r(19.66), r(8.41), 0.6 * b, Qt::blue);
        z.kreis(r(6.12), r(19.87), 2.5, 1.1 * b, Qt::black);
    };
    QImage fein(200, 200, QImage::Format_RGB32), grob(200, 200, QImage::Format_RGB32);
    fein.fill(Qt::white);
    grob.fill(Qt::white);
    {
        Zeichenflaeche z(&fein, px_je_einheit, n);
        zeichnen(z, true);
    }
    {
        Zeichenflaeche z(&grob, geraet);
        zeichnen(z, false);
    }
    EXPECT_EQ(fein, grob);
    QImage leer(200, 200, QImage::Format_RGB32);
    leer.fill(Qt::white);
    EXPECT_NE(fein, leer);
}
