#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

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

namespace {

double abstand_zum_zug(double px, double py, const std::vector<QPointF>& zug) {
    double best = 1e300;
    for (size_t i = 0; i + 1 < zug.size(); ++i) {
        const QPointF a = zug[i], b = zug[i + 1];
        const double dx = b.x() - a.x(), dy = b.y() - a.y(), l2 = dx * dx + dy * dy;
        const double t =
            l2 > 0 ? std::clamp(((px - a.x()) * dx + (py - a.y()) * dy) / l2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(px - a.x() - t * dx, py - a.y() - t * dy));
    }
    return best;
}

int kanal_abstand(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

// Strokes on a picture come out as the painter's would, up to some levels at
// their edges: straight, in sharp zig-zags, crossing themselves, across the
// clip and the picture's edge; hairlines are the painter's own. Their edges
// are near the share of each pixel the stroke covers (counted on a fine grid),
// each pixel blended once where segments overlap: a stroke going back over
// itself looks as drawn once. Nothing beyond its reach or the clip changes.
TEST(Zeichenflaeche, StricheWieVomMaler) {
    struct Fall {
        std::vector<QPointF> zug;
        double breite;
    };
    const Fall faelle[] = {
        {{{6.3, 10.2}, {47.8, 31.6}}, 5.0},
        {{{8, 40}, {14.5, 8.2}, {21, 44}, {27.7, 9}, {33, 45.5}, {40, 12}}, 3.4},
        {{{10, 10}, {45, 40}, {45, 12}, {10, 42}, {20.5, 5}}, 2.6},
        {{{5, 25.5}, {48, 26}, {26, 48}}, 0.7},
        {{{-8, 20}, {30, 1.5}, {70, 30}, {28, 70}}, 7.2},
        {{{20.25, 30.75}, {30.5, 30.75}}, 1.3},
    };
    const QColor grund(240, 230, 200), farbe(30, 60, 150);
    const QRect clip(2, 3, 50, 50);
    for (const Fall& f : faelle) {
        const auto malen = [&](const std::vector<QPointF>& zug) {
            QImage bild(60, 60, QImage::Format_RGB32);
            bild.fill(grund);
            Zeichenflaeche z(&bild);
            z.beschneiden(clip.x(), clip.y(), clip.width());
            if (zug.size() == 2)
                z.linie(zug[0].x(), zug[0].y(), zug[1].x(), zug[1].y(), f.breite, farbe);
            else
                z.linienzug(zug.data(), static_cast<int>(zug.size()), f.breite, farbe);
            z.beenden();
            return bild;
        };
        const QImage eigen = malen(f.zug);
        QImage maler(60, 60, QImage::Format_RGB32);
        maler.fill(grund);
        {
            QPainter p(&maler);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setClipRect(clip);
            QPen stift(farbe);
            stift.setWidthF(f.breite);
            stift.setCapStyle(Qt::RoundCap);
            stift.setJoinStyle(Qt::RoundJoin);
            p.setPen(stift);
            p.drawPolyline(f.zug.data(), static_cast<int>(f.zug.size()));
        }
        const bool haarlinie = f.breite <= 1.0;
        // Back over the whole stroke again: the same shape.
        std::vector<QPointF> hin_und_zurueck = f.zug;
        hin_und_zurueck.insert(hin_und_zurueck.end(), f.zug.rbegin() + 1, f.zug.rend());
        const QImage doppelt = malen(hin_und_zurueck);

        const double r = f.breite / 2.0, reichweite = std::max(r, 0.5) + 0.75;
        int gefaerbt = 0;
        double summe = 0.0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x) {
                const QRgb e = eigen.pixel(x, y);
                const int d = kanal_abstand(e, maler.pixel(x, y));
                summe += d;
                // The painter overshoots at sharp joins by as much.
                EXPECT_LE(d, haarlinie ? 0 : 64) << f.breite << " at " << x << "," << y;
                if (e != grund.rgb()) {
                    ++gefaerbt;
                    EXPECT_TRUE(clip.contains(x, y)) << f.breite << " at " << x << "," << y;
                    EXPECT_LT(abstand_zum_zug(x + 0.5, y + 0.5, f.zug), reichweite)
                        << f.breite << " at " << x << "," << y;
                }
                if (haarlinie || !clip.contains(x, y)) continue;
                EXPECT_LE(kanal_abstand(e, doppelt.pixel(x, y)), 2)
                    << f.breite << " twice at " << x << "," << y;
                int innen = 0;
                if (abstand_zum_zug(x + 0.5, y + 0.5, f.zug) < reichweite)
                    for (int j = 0; j < 16; ++j)
                        for (int i = 0; i < 16; ++i)
                            innen +=
                                abstand_zum_zug(x + (i + 0.5) / 16, y + (j + 0.5) / 16, f.zug) <= r;
                const double a = innen / 256.0;
                const auto mischen = [a](int v, int g) { return qRound(v * a + g * (1 - a)); };
                const QRgb wahr =
                    qRgb(mischen(farbe.red(), grund.red()), mischen(farbe.green(), grund.green()),
                         mischen(farbe.blue(), grund.blue()));
                EXPECT_LE(kanal_abstand(e, wahr), 20) << f.breite << " at " << x << "," << y;
            }
        EXPECT_GT(gefaerbt, 20) << f.breite;
        EXPECT_LT(summe / gefaerbt, 2.5) << f.breite;
    }
}
