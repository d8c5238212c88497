// Strokes of polylines with round joins and round caps, drawn straight into
// the rows of an RGB32 picture. The stroke is the union of its segments'
// capsules; each pixel gets the largest share any segment covers of it and is
// blended once, as the painter's antialiased fill of the stroke's outline
// would blend it. The painter builds that outline from arcs first and then
// fills it, at several times the cost.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvello {

class Strichraster {
  public:
    // Draws the stroke of width `breite` through the n points in the opaque
    // colour `farbe`, limited to `clip` (which must lie within the picture).
    // Only for widths over one pixel: the painter draws thinner lines as
    // hairlines of reduced strength, cheaply. False, with nothing drawn, when
    // a coordinate is not finite or too far out to be worth drawing this way.
    bool linienzug(QImage& bild, const QRect& clip, const QPointF* punkte, int n, double breite,
                   QRgb farbe);

    struct Strecke {
        double ax, ay, dx, dy; // start and direction
        double laenge2, kehr_laenge;
        // The pixel seen along the segment's normal (see anteil()).
        double h, g, kehr_u, k;
        int zeile_von, zeile_bis; // pixel rows it can reach
        bool nachfolger;          // starts where the one before ends
    };

  private:
    // A pixel where the edges of two segments cross.
    struct Kreuzung {
        size_t stelle; // in the band
        uint32_t erste, zweite;
    };

    void strecke_rastern(uint32_t nummer, int x0, int x1, int oben, int unten);
    bool kanten_kreuzen(uint32_t a, uint32_t b, double px, double py) const;
    void kreuzungen_aufloesen(int x0);
    void band_zeichnen(QImage& bild, int x0, int oben, int unten, QRgb farbe);

    double radius_ = 0.0;
    double reichweite_ = 0.0;
    std::vector<Strecke> strecken_;
    // Coverage of the current band of rows, and each row's touched columns.
    std::vector<uint8_t> deckung_;
    std::vector<uint32_t> eigner_; // the segment that gave a pixel its coverage
    std::vector<int> spalte_von_, spalte_bis_;
    std::vector<Kreuzung> kreuzungen_;
    int breite_band_ = 0;
    int band_oben_ = 0;
};

} // namespace tarvello
