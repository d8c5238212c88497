#include "app/vorschau.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/zahlen.h"

namespace tarvello {

namespace {

const QColor farbe_strasse(0, 0, 0);
const QColor farbe_fluss(0, 32, 192);
const QColor farbe_platz(192, 192, 192);
const QColor farbe_park(0, 128, 0);
const QColor farbe_haus(0, 0, 0);
const QColor farbe_mauer(96, 64, 0);

constexpr float schritt_anteil = 0.35f; // pan step: share of the visible extent
constexpr float zoom_faktor = 1.35f;
constexpr float zoom_max = 10.0f;
constexpr float toleranz = 24.0f; // points this far outside still count as visible

// Highest index of a 1-based table that holds data, whatever count it claims.
int begrenzt(int anzahl, std::size_t groesse) {
    return std::min(anzahl, static_cast<int>(groesse) - 1);
}

// Smooth lines, shifted by half a pixel so that a one-pixel line through a
// whole map unit covers one row of pixels instead of two half ones.
void malen_vorbereiten(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);
}

QPen stift(const QColor& farbe, float breite) {
    QPen p(farbe, static_cast<qreal>(breite));
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

} // namespace

Vorschau::Vorschau(const Stadtmodell& modell, QWidget* parent) : QWidget(parent), modell_(modell) {
    setObjectName("Vorschau");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(202, 202);
    bild_anpassen();
}

Vorschau::~Vorschau() = default;

QPainter& Vorschau::maler() {
    if (!maler_) {
        maler_ = std::make_unique<QPainter>(&bild_);
        malen_vorbereiten(*maler_);
    }
    return *maler_;
}

void Vorschau::malen_beenden() {
    maler_.reset();
}

void Vorschau::gemalt(QPointF a, qreal reichweite) {
    // The half-pixel shift and the smoothing's fringe, with room to spare.
    const qreal rand = reichweite + 2.0;
    neu_x0_ = std::min(neu_x0_, a.x() - rand);
    neu_y0_ = std::min(neu_y0_, a.y() - rand);
    neu_x1_ = std::max(neu_x1_, a.x() + rand);
    neu_y1_ = std::max(neu_y1_, a.y() + rand);
}

void Vorschau::neues_vergessen() {
    neu_x0_ = neu_y0_ = std::numeric_limits<qreal>::max();
    neu_x1_ = neu_y1_ = std::numeric_limits<qreal>::lowest();
}

void Vorschau::neues_zeigen() {
    malen_beenden();
    if (neu_x0_ > neu_x1_ || neu_y0_ > neu_y1_) return;
    // The picture starts one pixel in, inside the frame.
    const QRectF bereich(QPointF(neu_x0_ + 1.0, neu_y0_ + 1.0),
                         QPointF(neu_x1_ + 1.0, neu_y1_ + 1.0));
    neues_vergessen();
    const QRect r = bereich.toAlignedRect() & rect();
    if (!r.isEmpty()) update(r);
}

const QImage& Vorschau::bild() {
    malen_beenden();
    return bild_;
}

bool Vorschau::bereit() const {
    return ansicht_.zoom > 0.0f && modell_.stadt_abmessung > 0.0f;
}

float Vorschau::spanne() const {
    return modell_.stadt_abmessung / ansicht_.zoom;
}

void Vorschau::massstab_setzen() {
    massstab_ =
        modell_.stadt_abmessung > 0.0f ? groesse_ / modell_.stadt_abmessung * ansicht_.zoom : 0.0f;
}

void Vorschau::bild_anpassen() {
    malen_beenden();
    // A hidden widget gets its resize event only when shown; the size is
    // read again at every reset and redraw.
    if (!bild_.isNull() && bild_.width() == std::max(1, width() - 2) &&
        bild_.height() == std::max(1, height() - 2))
        return;
    breite_ = std::max(1, width() - 2);
    hoehe_ = std::max(1, height() - 2);
    groesse_ = static_cast<float>(breite_);
    bild_ = QImage(breite_, hoehe_, QImage::Format_RGB32);
    bild_.fill(Qt::white);
}

QPointF Vorschau::punkt(float x, float y, bool& sichtbar) const {
    const float px = (x - ansicht_.x) * massstab_;
    const float py = (y - ansicht_.y) * massstab_;
    sichtbar = -toleranz < px && px < static_cast<float>(breite_) + toleranz && -toleranz < py &&
               py < static_cast<float>(hoehe_) + toleranz;
    return {static_cast<qreal>(px), static_cast<qreal>(py)};
}

void Vorschau::zuruecksetzen() {
    bild_anpassen();
    ansicht_ = Bildausschnitt{};
    massstab_setzen();
    bild_.fill(Qt::white);
    neues_vergessen();
    update();
    emit ansicht_geaendert();
}

void Vorschau::zeichnen() {
    bild_anpassen();
    bild_.fill(Qt::white);
    update();
    neues_vergessen(); // the whole widget is repainted
    if (!bereit()) return;
    massstab_setzen();
    QPainter p(&bild_);
    malen_vorbereiten(p);
    const int n_wege = begrenzt(modell_.n_wege, modell_.wege.size());
    for (int w = 1; w <= n_wege; ++w)
        weg_zeichnen(p, w);
    flaechen_zeichnen(p, true);
    flaechen_zeichnen(p, false);
    mauer_zeichnen(p);
    const int n_haeuser = begrenzt(modell_.haus_naechster - 1, modell_.haeuser.size());
    for (int b = 1; b <= n_haeuser; ++b)
        haus_zeichnen(p, b);
    neues_vergessen();
}

void Vorschau::element_zeichnen(Element art, int index) {
    if (art == Element::zuruecksetzen) {
        zuruecksetzen();
        return;
    }
    if (art == Element::alles) {
        zeichnen();
        return;
    }
    if (!bereit()) return;
    QPainter& p = maler();
    switch (art) {
    case Element::weg:
        if (index >= 1 && index < static_cast<int>(modell_.wege.size())) weg_zeichnen(p, index);
        break;
    case Element::haus:
        if (index >= 1 && index < static_cast<int>(modell_.haeuser.size())) haus_zeichnen(p, index);
        break;
    case Element::plaetze:
        flaechen_zeichnen(p, false);
        break;
    case Element::parks:
        flaechen_zeichnen(p, true);
        break;
    case Element::mauer:
        mauer_zeichnen(p);
        break;
    case Element::alles:
    case Element::zuruecksetzen:
        break;
    }
}

void Vorschau::weg_zeichnen(QPainter& p, int w) {
    const Weg& weg = modell_.weg(w);
    const int n = begrenzt(weg.n_punkte, std::min(weg.x.size(), weg.y.size()));
    if (n < 2) return;
    // Streets thin out their points when zoomed out; rivers are always drawn
    // through every point.
    int k = static_cast<int>(runden(5.0 - static_cast<double>(ansicht_.zoom)));
    if (k < 1 || weg.ist_fluss != 0) k = 1;
    const float breite = static_cast<float>(ganz(massstab_ * weg.breite * 0.5f)) + 1.0f;
    const QColor& farbe = weg.ist_fluss != 0 ? farbe_fluss : farbe_strasse;
    // Runs of visible segments are drawn as one stroke: over a pixel wide by
    // the rasteriser, on the painter's half-pixel shift, else as the
    // painter's hairline.
    const bool selbst = breite > 1.0f;
    const QPointF versatz = selbst ? QPointF(0.5, 0.5) : QPointF(0.0, 0.0);
    if (!selbst) p.setPen(stift(farbe, breite));
    zug_.clear();
    const auto zug_zeichnen = [&] {
        if (zug_.size() < 2) {
            zug_.clear();
            return;
        }
        if (!selbst || !striche_.linienzug(bild_, bild_.rect(), zug_.data(),
                                           static_cast<int>(zug_.size()), breite, farbe.rgb())) {
            // A hairline, or coordinates too far out for the rasteriser.
            if (selbst) {
                p.setPen(stift(farbe, breite));
                for (QPointF& q : zug_)
                    q -= versatz;
            }
            p.drawPolyline(zug_.data(), static_cast<int>(zug_.size()));
        }
        zug_.clear();
    };
    for (int i = 1; i <= n - 1; i += k) {
        const int j = std::min(i + k, n);
        bool s1 = false, s2 = false;
        const QPointF a = punkt(weg.px(i), weg.py(i), s1);
        const QPointF b = punkt(weg.px(j), weg.py(j), s2);
        if (s1 && s2) {
            if (zug_.empty()) zug_.push_back(a + versatz);
            zug_.push_back(b + versatz);
            gemalt(a, breite / 2.0f);
            gemalt(b, breite / 2.0f);
        } else {
            zug_zeichnen();
        }
    }
    zug_zeichnen();
}

void Vorschau::flaechen_zeichnen(QPainter& p, bool parks) {
    const std::vector<Flaeche>& liste = parks ? modell_.parks : modell_.plaetze;
    const int anzahl = begrenzt(parks ? modell_.n_parks : modell_.n_plaetze, liste.size());
    p.setPen(stift(parks ? farbe_park : farbe_platz, 1.0f));
    p.setBrush(Qt::NoBrush);
    for (int q = 1; q <= anzahl; ++q) {
        const Flaeche& f = liste[ix(q)];
        const int n = begrenzt(f.n_punkte, std::min(f.x.size(), f.y.size()));
        for (int i = 1; i <= n; ++i) {
            bool sichtbar = false;
            const QPointF a = punkt(f.x[ix(i)], f.y[ix(i)], sichtbar);
            if (sichtbar) {
                p.drawEllipse(a, 1.0, 1.0);
                gemalt(a, 1.5);
            }
        }
    }
}

void Vorschau::mauer_zeichnen(QPainter& p) {
    if (!modell_.mauer_vorhanden) return;
    const float breite = static_cast<float>(runden(modell_.mauer_dicke * massstab_ / 1.5f + 1.0f));
    p.setPen(stift(farbe_mauer, breite));
    const int n = begrenzt(
        modell_.mauer_n_punkte,
        std::min({modell_.mauer_x.size(), modell_.mauer_y.size(), modell_.mauer_flag.size()}));
    for (int i = 1; i <= n - 1; ++i) {
        if (modell_.mauer_flag_bei(i) != 1 || modell_.mauer_flag_bei(i + 1) != 1) continue;
        bool s1 = false, s2 = false;
        const QPointF a = punkt(modell_.mauer_px(i), modell_.mauer_py(i), s1);
        const QPointF b = punkt(modell_.mauer_px(i + 1), modell_.mauer_py(i + 1), s2);
        if (s1 && s2) {
            p.drawLine(a, b);
            gemalt(a, breite / 2.0f);
            gemalt(b, breite / 2.0f);
        }
    }
    p.setPen(stift(farbe_mauer, 2.0f));
    p.setBrush(Qt::NoBrush);
    const int n_tuerme = begrenzt(modell_.n_tuerme, modell_.tuerme.size());
    for (int t = 1; t <= n_tuerme; ++t) {
        const Turm& turm = modell_.turm(t);
        if (turm.art == 0) continue;
        if (turm.form == 1.0f) {
            bool sichtbar = false;
            const QPointF m = punkt(turm.mx, turm.my, sichtbar);
            const qreal r = static_cast<qreal>(massstab_ * turm.radius);
            if (sichtbar) {
                p.drawEllipse(m, r, r);
                gemalt(m, std::abs(r) + 1.0);
            }
        } else if (turm.form == 2.0f) {
            QPolygonF ecken;
            bool alle = true;
            for (int c = 1; c <= 4; ++c) {
                bool sichtbar = false;
                ecken << punkt(turm.x[ix(c)], turm.y[ix(c)], sichtbar);
                alle = alle && sichtbar;
            }
            if (alle) {
                p.drawPolygon(ecken);
                for (const QPointF& e : ecken)
                    gemalt(e, 1.0);
            }
        }
    }
}

void Vorschau::haus_zeichnen(QPainter& p, int b) {
    // One pen for all buildings: the painter passes over setting the pen it
    // already has, and a building is drawn thousands of times per run.
    static const QPen haus_stift = stift(farbe_haus, 1.0f);
    const Haus& haus = modell_.haus(b);
    p.setPen(haus_stift);
    p.setBrush(Qt::NoBrush);
    if (haus.rund == 0) {
        QPointF ecken[4];
        bool alle = true;
        for (int c = 1; c <= 4; ++c) {
            bool sichtbar = false;
            ecken[c - 1] = punkt(haus.ecke_x[ix(c)], haus.ecke_y[ix(c)], sichtbar);
            alle = alle && sichtbar;
        }
        if (alle) {
            p.drawPolygon(ecken, 4);
            for (const QPointF& e : ecken)
                gemalt(e, 0.5);
        }
    } else {
        bool sichtbar = false;
        const QPointF m = punkt(haus.x, haus.y, sichtbar);
        const qreal r = static_cast<qreal>(massstab_ * haus.breite / 2.0f);
        if (sichtbar) {
            p.drawEllipse(m, r, r);
            gemalt(m, std::abs(r) + 0.5);
        }
    }
}

void Vorschau::gesamt() {
    ansicht_ = Bildausschnitt{};
    zeichnen();
    emit ansicht_geaendert();
}

void Vorschau::verschieben(float fx, float fy) {
    if (!bereit()) return;
    const float s = spanne();
    ansicht_.x += fx * schritt_anteil * s;
    ansicht_.y += fy * schritt_anteil * s;
    bildausschnitt_begrenzen(ansicht_, modell_.stadt_abmessung);
    zeichnen();
    emit ansicht_geaendert();
}

void Vorschau::nach_links() {
    verschieben(-1, 0);
}
void Vorschau::nach_rechts() {
    verschieben(1, 0);
}
void Vorschau::nach_oben() {
    verschieben(0, -1);
}
void Vorschau::nach_unten() {
    verschieben(0, 1);
}
void Vorschau::nach_links_oben() {
    verschieben(-1, -1);
}
void Vorschau::nach_rechts_oben() {
    verschieben(1, -1);
}
void Vorschau::nach_links_unten() {
    verschieben(-1, 1);
}
void Vorschau::nach_rechts_unten() {
    verschieben(1, 1);
}

void Vorschau::zoomen(float faktor) {
    if (!bereit()) return;
    // Zoom about the centre of the view.
    const float mx = ansicht_.x + spanne() / 2.0f;
    const float my = ansicht_.y + spanne() / 2.0f;
    ansicht_.zoom = std::clamp(ansicht_.zoom * faktor, 1.0f, zoom_max);
    ansicht_.x = mx - spanne() / 2.0f;
    ansicht_.y = my - spanne() / 2.0f;
    bildausschnitt_begrenzen(ansicht_, modell_.stadt_abmessung);
    zeichnen();
    emit ansicht_geaendert();
}

void Vorschau::zoom_rein() {
    zoomen(zoom_faktor);
}
void Vorschau::zoom_raus() {
    zoomen(1.0f / zoom_faktor);
}

void Vorschau::auffrischen() {
    zeichnen();
}

void Vorschau::klicken(QPointF p) {
    if (!bereit()) return;
    const float x = static_cast<float>(p.x());
    const float y = static_cast<float>(p.y());
    const float b = static_cast<float>(breite_);
    const float h = static_cast<float>(hoehe_);
    if (x < 0.0f || x > b || y < 0.0f || y > h) return;
    const float s = spanne();
    ansicht_.x += (x - b / 2.0f) / b * s;
    ansicht_.y += (y - h / 2.0f) / h * s;
    bildausschnitt_begrenzen(ansicht_, modell_.stadt_abmessung);
    zeichnen();
    emit ansicht_geaendert();
}

void Vorschau::paintEvent(QPaintEvent* e) {
    malen_beenden();
    QPainter p(this);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width() - 1, height() - 1);
    // Only the part asked for: during a run that is what the last round drew.
    const QRect ziel = e->rect() & QRect(1, 1, bild_.width(), bild_.height());
    if (!ziel.isEmpty()) p.drawImage(ziel.topLeft(), bild_, ziel.translated(-1, -1));
}

void Vorschau::resizeEvent(QResizeEvent*) {
    bild_anpassen();
    massstab_setzen();
    zeichnen();
}

void Vorschau::mousePressEvent(QMouseEvent* e) {
    klicken(e->position() - QPointF(1.0, 1.0));
}

} // namespace tarvello
