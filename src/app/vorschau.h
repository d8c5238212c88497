// The preview of the main window: a simple drawing of the city model (fixed
// colours, outlines, no labels) that grows element by element while a run
// makes them, with its own view (zoom 1..10 and the map point at the top-left
// corner). The visible section is what the image export covers.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <memory>

#include "core/stadtmodell.h"
#include "core/wirt.h"
#include "render/druckoptionen.h"
#include "render/strichraster.h"

namespace tarvello {

class Vorschau : public QWidget {
    Q_OBJECT

  public:
    explicit Vorschau(const Stadtmodell& modell, QWidget* parent = nullptr);
    ~Vorschau() override;

    // The section shown; zoom 0 until the first reset.
    Bildausschnitt ansicht() const { return ansicht_; }
    float zoom() const { return ansicht_.zoom; }
    float ansicht_x() const { return ansicht_.x; }
    float ansicht_y() const { return ansicht_.y; }
    // Preview pixels per map unit.
    float massstab() const { return massstab_; }
    // Drawing area inside the one-pixel frame.
    int breite() const { return breite_; }
    int hoehe() const { return hoehe_; }
    // Side of the map square the model was made for (0: no map yet).
    float stadt_abmessung() const { return modell_.stadt_abmessung; }

    // Preview point of map point (x, y); `sichtbar` tells whether it lies
    // within the drawing area widened by 24 pixels on every side.
    QPointF punkt(float x, float y, bool& sichtbar) const;

    // Zoom 1, origin (0, 0), scale from the current size; clears the picture.
    void zuruecksetzen();
    // Full redraw of the model.
    void zeichnen();
    // Draws what a run or a loader reports as finished into the picture. One
    // painter stays open on it across elements; the widget shows them after
    // the next `neues_zeigen`, not one by one.
    void element_zeichnen(Element art, int index);
    // Asks for one repaint of the part the elements drew since the last
    // call (before events are processed, and when a run ends).
    void neues_zeigen();

    // A click at (x, y) in drawing-area coordinates: that point becomes the
    // centre of the view.
    void klicken(QPointF p);

    // The drawn picture (without frame), for tests and screenshots.
    const QImage& bild();

  public slots:
    void gesamt();
    void nach_links();
    void nach_rechts();
    void nach_oben();
    void nach_unten();
    void nach_links_oben();
    void nach_rechts_oben();
    void nach_links_unten();
    void nach_rechts_unten();
    void zoom_rein();
    void zoom_raus();
    void auffrischen();

  signals:
    // Zoom or origin changed.
    void ansicht_geaendert();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    bool bereit() const;
    float spanne() const;
    void verschieben(float fx, float fy);
    void zoomen(float faktor);
    void massstab_setzen();
    void bild_anpassen();
    // The painter kept open on the picture for finished elements; ended
    // before the picture is shown, cleared, replaced or read.
    QPainter& maler();
    void malen_beenden();
    // Widens the part of the picture drawn since the last repaint to a
    // point and what was drawn up to `reichweite` pixels around it.
    void gemalt(QPointF a, qreal reichweite);
    void neues_vergessen();

    void weg_zeichnen(QPainter& p, int w);
    void flaechen_zeichnen(QPainter& p, bool parks);
    void mauer_zeichnen(QPainter& p);
    void haus_zeichnen(QPainter& p, int b);

    const Stadtmodell& modell_;
    Bildausschnitt ansicht_{.zoom = 0.0f};
    int breite_ = 0, hoehe_ = 0;
    float groesse_ = 0; // reference size of the scale: the drawing width
    float massstab_ = 0;
    QImage bild_;
    std::unique_ptr<QPainter> maler_;
    Strichraster striche_; // streets over a pixel wide, straight into the picture
    std::vector<QPointF> zug_;
    // Box of what elements drew since the last repaint (empty: x0 > x1).
    qreal neu_x0_ = 1, neu_y0_ = 1, neu_x1_ = 0, neu_y1_ = 0;
};

} // namespace tarvello
