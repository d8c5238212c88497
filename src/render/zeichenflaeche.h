// The drawing target of the map renderer: the handful of primitives the
// renderer draws with, on any QPaintDevice (an image, an SVG generator, a
// printer page). Positions are in device units, which are pixels on
// pictures; line widths are always in device pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QString>
#include <cmath>

#include "render/strichraster.h"

namespace tarvello {

// Shapes of label boxes, one per kind of element, so that kinds are told
// apart by more than their tint.
enum class Feldform {
    kapsel,       // round ends (streets)
    rechteck,     // square corners (buildings)
    abgeschraegt, // cut corners (squares)
    abgerundet    // slightly rounded corners (parks)
};

class Zeichenflaeche {
  public:
    // pixel_je_einheit turns device units into pixels of the device (1 on
    // pictures). A square clip of side `seite` device units at the origin
    // (rand_links, rand_oben) keeps everything inside the map's square.
    //
    // With feinteilung n > 1 the device has n times the resolution the
    // caller draws for (widths stay in the caller's pixels and are scaled),
    // and every position is rounded to a whole device pixel. A PDF writes
    // whole numbers in a few digits where it writes other numbers in ten, so
    // its pages get much smaller and quicker to compress, while the rounding
    // stays far below what any printer resolves.
    explicit Zeichenflaeche(QPaintDevice* geraet, double pixel_je_einheit = 1.0,
                            int feinteilung = 1);
    virtual ~Zeichenflaeche();
    Zeichenflaeche(const Zeichenflaeche&) = delete;
    Zeichenflaeche& operator=(const Zeichenflaeche&) = delete;

    bool aktiv() const { return maler_.isActive(); }
    // Ends the painting; the device is complete afterwards.
    void beenden();

    virtual void beschneiden(double links, double oben, double seite);

    // The work one sheet may cost, counted over all its shapes: strokes and
    // fills are weighed by the segments and the pixels of the sheet they
    // reach. Far above what any run's map needs; a file whose shapes would
    // cost more (thousands of shapes each covering the sheet) has the rest
    // of them left out, so a sheet costs at most a bounded multiple of its
    // own size.
    bool erschoepft() const { return segmente_rest_ <= 0.0 || pixel_rest_ <= 0.0; }
    // Shapes were left out for want of work.
    bool vereinfacht() const { return vereinfacht_; }

    virtual void linie(double x1, double y1, double x2, double y2, double breite, QColor farbe);
    // Separate lines of one width and colour, cut square at their ends (the
    // hatching of a building, which must not reach beyond its edges).
    virtual void linien(const QLineF* linien, int n, double breite, QColor farbe);
    // A closed outline through the points with mitre joins (a building's
    // edges, drawn inside it).
    virtual void umriss(const QPointF* punkte, int n, double breite, QColor farbe);
    // A chain of lines through the points, as one stroke with round joins.
    virtual void linienzug(const QPointF* punkte, int n, double breite, QColor farbe);
    virtual void rechteck(double x1, double y1, double x2, double y2, double breite, QColor farbe);
    virtual void rechteck_gefuellt(double x1, double y1, double x2, double y2, QColor farbe);
    // Circle line of the given radius; a radius of 0 or less leaves a dot.
    virtual void kreis(double x, double y, double radius, double breite, QColor farbe);

    // A label box: filled, then framed by a line `breite` pixels wide drawn
    // inside its edge.
    virtual void beschriftungsfeld(double x1, double y1, double x2, double y2, Feldform form,
                                   QColor fuellung, QColor rahmen, double breite);

    // Filled shapes for vector targets, where scan lines or rings would stay
    // visible as such when the drawing is enlarged.
    virtual void viereck_gefuellt(const QPointF ecken[4], QColor farbe);
    virtual void scheibe(double x, double y, double radius, QColor farbe);

    // Text at the current position (its top-left corner), in black.
    virtual void schrift_setzen(const QFont& schrift);
    virtual void position_setzen(double x, double y);
    virtual void text(const QString& t);
    virtual double text_breite(const QString& t) const;
    virtual double text_hoehe(const QString& t) const;

    // The font the map's labels use: Verdana where installed, else the
    // system's sans-serif.
    static QFont beschriftungsschrift(double punkte);

  protected:
    QPointF px(double x, double y) const {
        if (breitenfaktor_ != 1.0)
            return {std::nearbyint(x * faktor_), std::nearbyint(y * faktor_)};
        return {x * faktor_, y * faktor_};
    }
    void stift(double breite, QColor farbe, Qt::PenCapStyle kappe = Qt::RoundCap,
               Qt::PenJoinStyle ecke = Qt::RoundJoin);
    void budget_setzen();
    // Takes the work of a shape from the sheet's budget; false (and nothing
    // is to be drawn) once it is spent.
    bool leisten(double segmente, double pixel);
    // The pixels of the sheet a stroke through the points may touch.
    double strichpixel(const QPointF* punkte, int n, double breite) const;
    // The pixels of the sheet within a box, in device units.
    double boxpixel(double x1, double y1, double x2, double y2) const;

  private:
    // Rectangles on whole pixels of an RGB32 picture are written straight
    // into its rows: the painter would set the very same pixels, at many
    // times the cost for the one-pixel rows of scan-line fills.
    bool direkt_fuellen(double x1, double y1, double x2, double y2, QColor farbe);
    // Strokes over a pixel wide on such a picture are rasterised straight into
    // its rows as well; false where the painter is to draw them.
    bool direkt_striche(const QPointF* punkte, int n, double breite, QColor farbe);

    QPainter maler_;
    double faktor_;
    double breitenfaktor_ = 1.0; // caller's pixels to device pixels; above 1, positions are rounded
    QPointF position_;
    QImage* bild_ = nullptr; // the picture painted on, when rows can be filled directly
    QRect clip_;             // the clip on it, in pixels
    Strichraster striche_;
    QRectF sichtbar_; // the clip, in device pixels
    double segmente_rest_ = 0, pixel_rest_ = 0;
    bool vereinfacht_ = false;
};

} // namespace tarvello
