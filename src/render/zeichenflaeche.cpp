#include "render/zeichenflaeche.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {
// The budget of one sheet: segments of strokes and outlines, and pixels
// touched, as many times the sheet's own pixels. A run's largest map drawn
// on one sheet needs a small fraction of either.
constexpr double segmente_je_blatt = 4'000'000;
constexpr double flaechen_je_blatt = 400;
} // namespace

Zeichenflaeche::Zeichenflaeche(QPaintDevice* geraet, double pixel_je_einheit, int feinteilung)
    : maler_(geraet), faktor_(pixel_je_einheit) {
    if (feinteilung > 1) {
        faktor_ *= feinteilung;
        breitenfaktor_ = feinteilung;
    }
    // Strokes and text are smoothed; the scan-line fills lie on whole pixels
    // and stay crisp.
    maler_.setRenderHint(QPainter::Antialiasing, true);
    maler_.setRenderHint(QPainter::TextAntialiasing, true);
    maler_.setBrush(Qt::NoBrush);
    if (geraet) sichtbar_ = QRectF(0, 0, geraet->width(), geraet->height());
    budget_setzen();
    if (geraet && geraet->devType() == QInternal::Image && faktor_ == 1.0) {
        auto* bild = static_cast<QImage*>(geraet);
        if (bild->format() == QImage::Format_RGB32 && maler_.isActive()) {
            bild_ = bild;
            clip_ = bild->rect();
        }
    }
}

Zeichenflaeche::~Zeichenflaeche() {
    beenden();
}

void Zeichenflaeche::beenden() {
    if (maler_.isActive()) maler_.end();
    bild_ = nullptr;
}

namespace {
// Whole numbers well within the range of int.
bool ganzzahlig(double v) {
    return std::abs(v) < 1e9 && v == std::floor(v);
}
} // namespace

void Zeichenflaeche::beschneiden(double links, double oben, double seite) {
    const QRectF r(px(links, oben), px(links + seite, oben + seite));
    maler_.setClipRect(r);
    sichtbar_ = r.normalized();
    budget_setzen();
    // A clip off whole pixels is left to the painter, filling included.
    if (!bild_) return;
    if (ganzzahlig(r.left()) && ganzzahlig(r.top()) && ganzzahlig(r.right()) &&
        ganzzahlig(r.bottom()) && r.width() > 0 && r.height() > 0)
        clip_ = QRect(QPoint(static_cast<int>(r.left()), static_cast<int>(r.top())),
                      QPoint(static_cast<int>(r.right()) - 1, static_cast<int>(r.bottom()) - 1)) &
                bild_->rect();
    else
        bild_ = nullptr;
}

void Zeichenflaeche::budget_setzen() {
    segmente_rest_ = segmente_je_blatt;
    // Vector targets pay by segment only: a filled shape is one path
    // whatever its size.
    pixel_rest_ = maler_.device() && maler_.device()->devType() == QInternal::Image
                      ? flaechen_je_blatt * std::max(1.0, sichtbar_.width() * sichtbar_.height())
                      : 1e300;
    vereinfacht_ = false;
}

bool Zeichenflaeche::leisten(double segmente, double pixel) {
    if (erschoepft()) {
        vereinfacht_ = true;
        return false;
    }
    segmente_rest_ -= segmente;
    pixel_rest_ -= pixel;
    return true;
}

double Zeichenflaeche::boxpixel(double x1, double y1, double x2, double y2) const {
    if (sichtbar_.isEmpty()) return 0.0;
    const QRectF r = QRectF(px(x1, y1), px(x2, y2)).normalized() & sichtbar_;
    return r.width() * r.height();
}

double Zeichenflaeche::strichpixel(const QPointF* punkte, int n, double breite) const {
    // Each segment touches at most its length within the sheet, across the
    // stroke's width: bounded by the sheet's diagonal.
    const double diagonale = std::hypot(sichtbar_.width(), sichtbar_.height());
    const double quer = breite * breitenfaktor_ + 2.0;
    double summe = 0.0;
    for (int i = 1; i < n; ++i) {
        const QPointF a = px(punkte[i - 1].x(), punkte[i - 1].y());
        const QPointF b = px(punkte[i].x(), punkte[i].y());
        summe += std::min(std::hypot(b.x() - a.x(), b.y() - a.y()), diagonale) * quer;
    }
    return summe;
}

void Zeichenflaeche::stift(double breite, QColor farbe, Qt::PenCapStyle kappe,
                           Qt::PenJoinStyle ecke) {
    QPen p(farbe);
    p.setWidthF(breite * breitenfaktor_);
    p.setCapStyle(kappe);
    p.setJoinStyle(ecke);
    maler_.setPen(p);
    maler_.setBrush(Qt::NoBrush);
}

void Zeichenflaeche::linie(double x1, double y1, double x2, double y2, double breite,
                           QColor farbe) {
    const QPointF enden[2] = {px(x1, y1), px(x2, y2)};
    const QPointF roh[2] = {{x1, y1}, {x2, y2}};
    if (!leisten(1, strichpixel(roh, 2, breite))) return;
    if (direkt_striche(enden, 2, breite, farbe)) return;
    stift(breite, farbe);
    maler_.drawLine(enden[0], enden[1]);
}

void Zeichenflaeche::linien(const QLineF* linien, int n, double breite, QColor farbe) {
    if (n < 1) return;
    double pixel = 0.0;
    for (int i = 0; i < n; ++i) {
        const QPointF enden[2] = {linien[i].p1(), linien[i].p2()};
        pixel += strichpixel(enden, 2, breite);
    }
    if (!leisten(n, pixel)) return;
    stift(breite, farbe, Qt::FlatCap);
    if (faktor_ == 1.0) {
        maler_.drawLines(linien, n);
        return;
    }
    QVector<QLineF> skaliert;
    skaliert.reserve(n);
    for (int i = 0; i < n; ++i)
        skaliert.append(
            QLineF(px(linien[i].x1(), linien[i].y1()), px(linien[i].x2(), linien[i].y2())));
    maler_.drawLines(skaliert);
}

void Zeichenflaeche::linienzug(const QPointF* punkte, int n, double breite, QColor farbe) {
    if (n < 2) return;
    if (!leisten(n - 1, strichpixel(punkte, n, breite))) return;
    if (direkt_striche(punkte, n, breite, farbe)) return;
    stift(breite, farbe);
    if (faktor_ == 1.0) {
        maler_.drawPolyline(punkte, n);
        return;
    }
    QPolygonF zug;
    zug.reserve(n);
    for (int i = 0; i < n; ++i)
        zug << px(punkte[i].x(), punkte[i].y());
    maler_.drawPolyline(zug);
}

void Zeichenflaeche::umriss(const QPointF* punkte, int n, double breite, QColor farbe) {
    if (n < 2) return;
    if (!leisten(n, strichpixel(punkte, n, breite))) return;
    stift(breite, farbe, Qt::SquareCap, Qt::MiterJoin);
    QPolygonF zug;
    zug.reserve(n);
    for (int i = 0; i < n; ++i)
        zug << px(punkte[i].x(), punkte[i].y());
    maler_.drawPolygon(zug);
}

void Zeichenflaeche::rechteck(double x1, double y1, double x2, double y2, double breite,
                              QColor farbe) {
    QPen p(farbe);
    p.setWidthF(breite * breitenfaktor_);
    p.setJoinStyle(Qt::MiterJoin);
    maler_.setPen(p);
    maler_.setBrush(Qt::NoBrush);
    maler_.drawRect(QRectF(px(x1, y1), px(x2, y2)));
}

void Zeichenflaeche::rechteck_gefuellt(double x1, double y1, double x2, double y2, QColor farbe) {
    if (!leisten(1, boxpixel(x1, y1, x2, y2))) return;
    if (direkt_fuellen(x1, y1, x2, y2, farbe)) return;
    maler_.fillRect(QRectF(px(x1, y1), px(x2, y2)), farbe);
}

bool Zeichenflaeche::direkt_fuellen(double x1, double y1, double x2, double y2, QColor farbe) {
    if (!bild_ || farbe.alpha() != 255) return false;
    if (!ganzzahlig(x1) || !ganzzahlig(y1) || !ganzzahlig(x2) || !ganzzahlig(y2) || !(x2 > x1) ||
        !(y2 > y1))
        return false;
    const QRect r = QRect(QPoint(static_cast<int>(x1), static_cast<int>(y1)),
                          QPoint(static_cast<int>(x2) - 1, static_cast<int>(y2) - 1)) &
                    clip_;
    // The pixel value the painter's solid fill writes.
    const QRgb wert = farbe.rgba64().toArgb32();
    const qsizetype zeilenlaenge = bild_->bytesPerLine();
    uchar* daten = bild_->bits(); // not shared while painted on: no copy
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* zeile = reinterpret_cast<QRgb*>(daten + y * zeilenlaenge);
        std::fill(zeile + r.left(), zeile + r.right() + 1, wert);
    }
    return true;
}

bool Zeichenflaeche::direkt_striche(const QPointF* punkte, int n, double breite, QColor farbe) {
    // The painter draws strokes up to one pixel wide as hairlines, cheaply.
    if (!bild_ || !(breite > 1.0) || farbe.alpha() != 255) return false;
    return striche_.linienzug(*bild_, clip_, punkte, n, breite, farbe.rgba64().toArgb32());
}

void Zeichenflaeche::kreis(double x, double y, double radius, double breite, QColor farbe) {
    // A circle is flattened into segments along its whole length; the
    // pixels it touches are at most its length within the sheet.
    const double umfang = 2.0 * 3.14159 * std::max(radius, 0.0) * faktor_;
    const double rand = 2.0 * (sichtbar_.width() + sichtbar_.height());
    if (!leisten(8.0 + umfang / 64.0, std::min(umfang, rand) * (breite * breitenfaktor_ + 2.0)))
        return;
    stift(breite, farbe);
    if (radius <= 0.0) {
        maler_.drawPoint(px(x, y));
        return;
    }
    maler_.drawEllipse(px(x, y), radius * faktor_, radius * faktor_);
}

void Zeichenflaeche::beschriftungsfeld(double x1, double y1, double x2, double y2, Feldform form,
                                       QColor fuellung, QColor rahmen, double breite) {
    // The frame's line lies inside the box: its outline is moved in by half
    // the width.
    const double halb = breite * breitenfaktor_ / 2.0;
    const QPointF a = px(x1, y1), b = px(x2, y2);
    const QRectF r = QRectF(a, b).normalized().adjusted(halb, halb, -halb, -halb);
    if (r.width() <= 0.0 || r.height() <= 0.0) return;
    const double h = r.height(), w = r.width();
    QPainterPath weg;
    switch (form) {
    case Feldform::kapsel:
        weg.addRoundedRect(r, std::min(h, w) / 2.0, std::min(h, w) / 2.0);
        break;
    case Feldform::rechteck:
        weg.addRect(r);
        break;
    case Feldform::abgeschraegt: {
        const double k = std::min(h, w) * 0.3;
        weg.moveTo(r.left() + k, r.top());
        weg.lineTo(r.right() - k, r.top());
        weg.lineTo(r.right(), r.top() + k);
        weg.lineTo(r.right(), r.bottom() - k);
        weg.lineTo(r.right() - k, r.bottom());
        weg.lineTo(r.left() + k, r.bottom());
        weg.lineTo(r.left(), r.bottom() - k);
        weg.lineTo(r.left(), r.top() + k);
        weg.closeSubpath();
        break;
    }
    case Feldform::abgerundet:
        weg.addRoundedRect(r, std::min(h, w) * 0.25, std::min(h, w) * 0.25);
        break;
    }
    QPen p(rahmen);
    p.setWidthF(breite * breitenfaktor_);
    p.setJoinStyle(Qt::MiterJoin);
    maler_.setPen(p);
    maler_.setBrush(fuellung);
    maler_.drawPath(weg);
    maler_.setBrush(Qt::NoBrush);
}

void Zeichenflaeche::viereck_gefuellt(const QPointF ecken[4], QColor farbe) {
    const QPointF p[4] = {px(ecken[0].x(), ecken[0].y()), px(ecken[1].x(), ecken[1].y()),
                          px(ecken[2].x(), ecken[2].y()), px(ecken[3].x(), ecken[3].y())};
    double x1 = ecken[0].x(), x2 = x1, y1 = ecken[0].y(), y2 = y1;
    for (int i = 1; i < 4; ++i) {
        x1 = std::min(x1, ecken[i].x());
        x2 = std::max(x2, ecken[i].x());
        y1 = std::min(y1, ecken[i].y());
        y2 = std::max(y2, ecken[i].y());
    }
    if (!leisten(4, boxpixel(x1, y1, x2, y2))) return;
    maler_.setPen(Qt::NoPen);
    maler_.setBrush(farbe);
    maler_.drawPolygon(p, 4);
    maler_.setBrush(Qt::NoBrush);
}

void Zeichenflaeche::scheibe(double x, double y, double radius, QColor farbe) {
    if (!leisten(8, boxpixel(x - radius, y - radius, x + radius, y + radius))) return;
    maler_.setPen(Qt::NoPen);
    maler_.setBrush(farbe);
    maler_.drawEllipse(px(x, y), radius * faktor_, radius * faktor_);
    maler_.setBrush(Qt::NoBrush);
}

void Zeichenflaeche::schrift_setzen(const QFont& schrift) {
    maler_.setFont(schrift);
}

void Zeichenflaeche::position_setzen(double x, double y) {
    position_ = QPointF(x, y);
}

void Zeichenflaeche::text(const QString& t) {
    maler_.setPen(QPen(Qt::black));
    const QFontMetricsF fm(maler_.font(), maler_.device());
    const QPointF p = px(position_.x(), position_.y());
    maler_.drawText(QPointF(p.x(), p.y() + fm.ascent()), t);
}

double Zeichenflaeche::text_breite(const QString& t) const {
    return QFontMetricsF(maler_.font(), maler_.device()).horizontalAdvance(t) / faktor_;
}

double Zeichenflaeche::text_hoehe(const QString&) const {
    return QFontMetricsF(maler_.font(), maler_.device()).height() / faktor_;
}

QFont Zeichenflaeche::beschriftungsschrift(double punkte) {
    static const QString familie = [] {
        for (const QString& f : QFontDatabase::families())
            if (f.compare(QLatin1String("Verdana"), Qt::CaseInsensitive) == 0) return f;
        return QString();
    }();
    QFont schrift;
    if (familie.isEmpty()) {
        schrift.setFamily(QStringLiteral("sans-serif"));
        schrift.setStyleHint(QFont::SansSerif);
    } else {
        schrift.setFamily(familie);
    }
    schrift.setPointSizeF(punkte);
    schrift.setBold(false);
    return schrift;
}

} // namespace tarvello
