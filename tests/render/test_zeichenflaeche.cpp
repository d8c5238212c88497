#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

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
