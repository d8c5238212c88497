// Shared pieces of the renderer tests: a small hand-built town, a colour
// table with a distinct colour per index, and a target that keeps its
// pictures and records what is drawn on them.
#pragma once

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/stadtmodell.h"
#include "files/druckfarben.h"
#include "modellbau.h"
#include "render/bildexport.h"
#include "render/stadtplan.h"
#include "render/zeichenflaeche.h"

namespace testhilfe {

using namespace tarvello;

inline Druckfarben testfarben() {
    Druckfarben f;
    for (int i = 0; i < n_druckfarben; ++i)
        f.farbe[static_cast<std::size_t>(i)] = qRgb(5 + 15 * i, 100 + 9 * i, 250 - 13 * i);
    return f;
}

inline int farbindex(const Druckfarben& f, QRgb c) {
    for (int i = 0; i < n_druckfarben; ++i)
        if (f.farbe[static_cast<std::size_t>(i)] == (c | 0xff000000u)) return i;
    return -1;
}

// A town of 400 x 400 m: a river, streets of the three width classes (one
// running off the map), buildings, a square, a park, a wall with towers.
// Coordinates are deliberately uneven so that nothing sits on a pixel edge.
inline Stadtmodell kleine_stadt() {
    Stadtmodell m;
    m.dimensionieren(10, 100, 20, 1, 1);
    m.stadt_abmessung = 400.0f;
    m.weg_halbbreite_min = 1.0f;
    m.weg_halbbreite_max = 3.0f;
    m.mauer_parameter = 1;
    m.mauer_dicke = 2.0f;
    m.n_fluesse = 1;
    // Points every 4 m, as the street walk leaves them.
    weg_setzen(m, 1, 4.0f, true, {{-10.3f, 331.7f}, {150.9f, 318.2f}, {410.6f, 345.1f}}, 4.0f);
    weg_setzen(m, 2, 3.0f, false, {{-30.1f, 101.3f}, {200.7f, 97.9f}, {433.3f, 104.1f}}, 4.0f);
    weg_setzen(m, 3, 1.0f, false, {{121.7f, 20.9f}, {118.3f, 200.2f}, {123.9f, 381.6f}}, 4.0f);
    weg_setzen(m, 4, 2.5f, false, {{240.1f, 30.7f}, {262.9f, 210.4f}, {251.3f, 390.2f}}, 4.0f);
    weg_setzen(m, 5, 2.0f, false, {{300.3f, 300.1f}}); // a single point: nothing to draw
    m.wege[3].nummer = 7;
    rechteck_haus(m, 140.3f, 120.7f, 170.9f, 141.2f);
    rechteck_haus(m, 57.1f, 61.3f, 80.6f, 88.2f);
    rechteck_haus(m, 386.2f, 150.3f, 407.7f, 170.9f); // reaches over the right edge
    rundes_haus(m, 200.4f, 160.6f, 12.2f);
    m.haeuser[1].nummer = 12;
    m.haeuser[4].nummer = 3;
    flaeche_setzen(m.plaetze[1],
                   {{140.2f, 220.3f}, {220.7f, 220.9f}, {219.6f, 290.1f}, {141.1f, 289.4f}}, 3.0f,
                   1.0f, 10.0f);
    flaeche_setzen(m.parks[1],
                   {{280.3f, 150.8f}, {370.2f, 150.1f}, {371.4f, 260.6f}, {281.9f, 259.7f}}, 3.0f,
                   2.0f, 10.0f);
    m.plaetze[1].nummer = 1;
    m.parks[1].nummer = 2;
    for (int i = 0; i <= 200; ++i) {
        const float a = static_cast<float>(i) / 200.0f * 6.2831853f;
        m.mauer_x.push_back(200.3f + 185.1f * std::cos(a));
        m.mauer_y.push_back(200.6f + 185.1f * std::sin(a));
        m.mauer_flag.push_back(i % 50 == 25 ? 0 : 1); // a few gaps
    }
    m.mauer_n_punkte = 201;
    m.mauer_vorhanden = true;
    m.n_tuerme = 2;
    Turm& t1 = m.tuerme[1];
    t1.art = 1;
    t1.form = 1.0f;
    t1.mx = 385.4f;
    t1.my = 200.6f;
    t1.radius = 4.1f;
    Turm& t2 = m.tuerme[2];
    t2.art = 1;
    t2.form = 2.0f;
    t2.x = {0, 196.2f, 204.4f, 204.4f, 196.2f};
    t2.y = {0, 11.3f, 11.3f, 19.5f, 19.5f};
    return m;
}

// Pixels of two same-sized pictures that differ by more than a few levels
// in some colour channel. The same drawing at a whole-pixel offset may
// shade a rare antialiased edge pixel a little differently; anything drawn
// in another place differs in thousands of pixels.
inline int abweichende_pixel(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + 1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            if (d > 4) ++n;
        }
    return n;
}

struct Strich {
    std::string art;
    double breite = 0;
    QRgb farbe = 0;
    std::vector<QPointF> punkte;
    double radius = 0;
};

// Draws like the real surface and keeps a list of every primitive.
class Aufzeichnung : public Zeichenflaeche {
  public:
    using Zeichenflaeche::Zeichenflaeche;
    std::vector<Strich> striche;
    double schriftgroesse = 0;
    std::vector<QString> texte;

    void linie(double x1, double y1, double x2, double y2, double b, QColor c) override {
        striche.push_back({"linie", b, c.rgb(), {{x1, y1}, {x2, y2}}, 0});
        Zeichenflaeche::linie(x1, y1, x2, y2, b, c);
    }
    void linienzug(const QPointF* p, int n, double b, QColor c) override {
        striche.push_back({"zug", b, c.rgb(), std::vector<QPointF>(p, p + n), 0});
        Zeichenflaeche::linienzug(p, n, b, c);
    }
    void umriss(const QPointF* p, int n, double b, QColor c) override {
        striche.push_back({"umriss", b, c.rgb(), std::vector<QPointF>(p, p + n), 0});
        Zeichenflaeche::umriss(p, n, b, c);
    }
    void kreis(double x, double y, double r, double b, QColor c) override {
        striche.push_back({"kreis", b, c.rgb(), {{x, y}}, r});
        Zeichenflaeche::kreis(x, y, r, b, c);
    }
    void rechteck_gefuellt(double x1, double y1, double x2, double y2, QColor c) override {
        striche.push_back({"box", 0, c.rgb(), {{x1, y1}, {x2, y2}}, 0});
        Zeichenflaeche::rechteck_gefuellt(x1, y1, x2, y2, c);
    }
    // A label box is recorded as a box of its fill colour, then its frame
    // (with the shape's number as radius).
    void beschriftungsfeld(double x1, double y1, double x2, double y2, Feldform form, QColor c,
                           QColor rahmen, double b) override {
        striche.push_back({"box", 0, c.rgb(), {{x1, y1}, {x2, y2}}, 0});
        striche.push_back(
            {"rahmen", b, rahmen.rgb(), {{x1, y1}, {x2, y2}}, static_cast<double>(form)});
        Zeichenflaeche::beschriftungsfeld(x1, y1, x2, y2, form, c, rahmen, b);
    }
    void schrift_setzen(const QFont& f) override {
        schriftgroesse = f.pointSizeF();
        Zeichenflaeche::schrift_setzen(f);
    }
    void text(const QString& t) override {
        texte.push_back(t);
        Zeichenflaeche::text(t);
    }
};

// Pictures of breite x hoehe pixels, prefilled with a marker colour; keeps
// every sheet's picture and recording.
class Testziel : public Blattziel {
  public:
    static constexpr QRgb markierung = 0xff123456u;

    Testziel(int breite, int hoehe, Zielart art = Zielart::bild)
        : breite_(breite), hoehe_(hoehe), art_(art) {}

    Zielart art() const override { return art_; }
    float seitenhoehe() const override { return static_cast<float>(hoehe_); }
    Ergebnis blatt_beginnen(int zeile, int spalte, Zeichenflaeche*& flaeche) override {
        bilder.emplace_back(breite_, hoehe_, QImage::Format_RGB32);
        bilder.back().fill(markierung);
        blaetter.emplace_back(zeile, spalte);
        aufzeichnungen.push_back(std::make_unique<Aufzeichnung>(&bilder.back()));
        flaeche = aufzeichnungen.back().get();
        return {};
    }
    Ergebnis blatt_beenden(int, int) override {
        aufzeichnungen.back()->beenden();
        ++beendet;
        return {};
    }
    void blatt_abbrechen() override { aufzeichnungen.back()->beenden(); }

    std::deque<QImage> bilder;
    std::vector<std::unique_ptr<Aufzeichnung>> aufzeichnungen;
    std::vector<std::pair<int, int>> blaetter; // begun
    int beendet = 0;                           // completed

  private:
    int breite_, hoehe_;
    Zielart art_;
};

// A picture export of the small town into a temporary folder.
struct Export {
    Stadtmodell m = kleine_stadt();
    Druckfarben f = Druckfarben::standard();
    Druckoptionen o;
    QTemporaryDir dir;

    Ergebnis los(const std::vector<Exportdatei>& dateien) {
        Zeichenauftrag a{m, f, o, Bildausschnitt{}, nullptr};
        return bilder_exportieren(a, dateien);
    }
    QString pfad(const QString& name) const { return dir.filePath(name); }
};

} // namespace testhilfe
