#include "app/anzeigen.h"

#include <QButtonGroup>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"

namespace tarvello {

namespace {
// The compass is drawn in double precision, unlike the map (core/zahlen.h).
constexpr double kreiszahl = 3.14159265358979;
} // namespace

// --- Fortschrittsbalken -------------------------------------------------------

Fortschrittsbalken::Fortschrittsbalken(QWidget* parent) : QWidget(parent) {
    setObjectName("Fortschritt");
    setFixedHeight(20);
    setMinimumWidth(120);
}

void Fortschrittsbalken::setzen(float prozent) {
    prozent = std::clamp(prozent, 0.0f, 100.0f);
    if (prozent == prozent_ && !leer_) return;
    prozent_ = prozent;
    leer_ = false;
    update();
}

int Fortschrittsbalken::gefuellt() const {
    const int innen = std::max(0, width() - 2);
    return static_cast<int>(ganz(prozent_ / 100.0 * innen));
}

void Fortschrittsbalken::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int innen_b = std::max(0, width() - 2);
    const int innen_h = std::max(0, height() - 2);
    const int x = gefuellt();
    p.fillRect(1, 1, x, innen_h, QColor(255, 221, 144));
    p.fillRect(1 + x, 1, innen_b - x, innen_h, leer_ ? palette().base() : QColor(82, 62, 41));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width() - 1, height() - 1);
}

// --- Groessenverteilung ------------------------------------------------------

Groessenverteilung::Groessenverteilung(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture_groessenverteilung");
    setFixedHeight(64);
    setMinimumWidth(160);
}

void Groessenverteilung::setzen(float min, float max, float zentrum, float breite) {
    min_ = min;
    max_ = max;
    zentrum_ = zentrum;
    breite_ = breite;
    update();
}

float Groessenverteilung::wert(int i) const {
    const int w = spalten();
    if (w < 2) return 0.0f;
    const float s = static_cast<float>(i) / static_cast<float>(w - 1) * (max_ - min_) + min_;
    return groessen_gewicht(s, min_, max_, zentrum_, breite_);
}

void Groessenverteilung::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const int w = spalten();
    const int h = height();
    if (w < 2) return;
    p.fillRect(QRect(QPoint(1, 1), QPoint(w, h - 1)), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(QRect(QPoint(0, 0), QPoint(w + 1, h - 1)));
    p.setPen(QColor(64, 64, 64));
    for (int i = 1; i <= w - 1; ++i) {
        const float v = wert(i);
        const int oben = h - static_cast<int>(runden(std::abs(h - 1) * static_cast<double>(v)));
        p.drawLine(i + 1, h - 1, i + 1, oben);
    }
    // The size range beside the graph.
    p.setPen(palette().windowText().color());
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    p.setFont(f);
    const QRect rechts(w + 6, 0, width() - w - 6, h);
    p.drawText(rechts, Qt::AlignLeft | Qt::AlignVCenter,
               QString("%1 \u2013\n%2 m").arg(min_).arg(max_));
}

// --- Nordwahl ----------------------------------------------------------------

Statuszeile::Statuszeile(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void Statuszeile::text_setzen(const QString& text) {
    // Runs set the same status often; measuring it again changes nothing.
    if (text == voll_) return;
    voll_ = text;
    setToolTip(text);
    kuerzen();
}

QSize Statuszeile::sizeHint() const {
    // As high as one line, as wide as the layout gives: the text has no say.
    return {0, std::max(24, fontMetrics().height() + 2 * frameWidth() + 4)};
}

QSize Statuszeile::minimumSizeHint() const {
    return sizeHint();
}

void Statuszeile::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    kuerzen();
}

void Statuszeile::kuerzen() {
    const int platz = contentsRect().width() - 2 * margin() - 4;
    setText(fontMetrics().elidedText(voll_, Qt::ElideMiddle, std::max(0, platz)));
}

Nordwahl::Nordwahl(QWidget* parent) : QWidget(parent) {
    setObjectName("Shape_Kompass");
    setFixedSize(seite, seite);
    auto* gruppe = new QButtonGroup(this);
    const QPointF m = mitte();
    for (int i = 0; i < 12; ++i) {
        auto* k = new QRadioButton(this);
        k->setObjectName(QString("Option_Nord_%1").arg(i));
        k->resize(k->sizeHint().height(), k->sizeHint().height());
        const double r = seite / 2.0 - 2.0 - k->height() / 2.0;
        const double a = (30.0 * i + 90.0) * kreiszahl / 180.0;
        const QPointF c(m.x() + r * std::cos(a), m.y() - r * std::sin(a));
        k->move(static_cast<int>(std::lround(c.x() - k->width() / 2.0)),
                static_cast<int>(std::lround(c.y() - k->height() / 2.0)));
        gruppe->addButton(k, i);
        knoepfe_[static_cast<std::size_t>(i)] = k;
    }
    knoepfe_[0]->setChecked(true);
    connect(gruppe, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (!an) return;
        update();
        emit gewechselt(id);
    });
    // Only the round shape takes clicks; the map corner around it stays usable.
    setMask(QRegion(rect(), QRegion::Ellipse));
}

QPointF Nordwahl::mitte() const {
    return {seite / 2.0, seite / 2.0};
}

int Nordwahl::gewaehlt() const {
    for (int i = 0; i < 12; ++i)
        if (knoepfe_[static_cast<std::size_t>(i)]->isChecked()) return i;
    return -1;
}

void Nordwahl::waehlen(int index) {
    if (index >= 0 && index < 12) {
        knoepfe_[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    // No button: a map saved without a north choice keeps none, and the
    // next save writes none. An exclusive group will not let its last
    // button go, so it is opened for the moment.
    QButtonGroup* gruppe = knoepfe_[0]->group();
    gruppe->setExclusive(false);
    for (QRadioButton* k : knoepfe_)
        k->setChecked(false);
    gruppe->setExclusive(true);
    update();
    emit gewechselt(-1);
}

void Nordwahl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF m = mitte();
    const double r = seite / 2.0 - 1.0;
    p.setPen(QPen(QColor(96, 64, 0), 1.5));
    p.setBrush(QColor(255, 248, 228));
    p.drawEllipse(m, r, r);
    const int i = gewaehlt();
    if (i < 0) return;
    // Needle towards the chosen north, with its letter in the middle.
    const double a = (30.0 * i + 90.0) * kreiszahl / 180.0;
    const QPointF richtung(std::cos(a), -std::sin(a));
    const QPointF quer(-richtung.y(), richtung.x());
    const double laenge = r - 22.0;
    const QPointF spitze = m + richtung * laenge;
    const QPointF ende = m - richtung * laenge * 0.55;
    QPainterPath nord;
    nord.moveTo(spitze);
    nord.lineTo(m + quer * 6.0);
    nord.lineTo(m - quer * 6.0);
    nord.closeSubpath();
    QPainterPath sued;
    sued.moveTo(ende);
    sued.lineTo(m + quer * 6.0);
    sued.lineTo(m - quer * 6.0);
    sued.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 30, 20));
    p.drawPath(nord);
    p.setBrush(QColor(120, 110, 100));
    p.drawPath(sued);
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 0.9);
    p.setFont(f);
    p.setPen(QColor(60, 40, 0));
    const QPointF text = m + richtung * (laenge * 0.45) + quer * 11.0;
    p.drawText(QRectF(text.x() - 8, text.y() - 8, 16, 16), Qt::AlignCenter, "N");
}

} // namespace tarvello
