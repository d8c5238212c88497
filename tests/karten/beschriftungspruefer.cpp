// Looks at the number labels of a picture as a reader does: how many cover
// their element's anchor, how many are joined to it by a leader line, how
// many neither; pairs of boxes that overlap or touch; and the share of the
// picture under label boxes.
//
//   beschriftungspruefer PRESET SEED STREETS BUILDINGS SQUARES PARKS [PIXELS]
//
// Also prints the same for one 3 x 3 print at 6 pt (sheets counted one by one).
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <vector>

#include "core/uhr.h"
#include "core/vorlagen.h"
#include "core/wirt.h"
#include "files/druckfarben.h"
#include "generator/treiber.h"
#include "render/beschriftung.h"
#include "render/stadtplan.h"
#include "render/zeichenflaeche.h"

using namespace tarvello;

namespace {

struct Feld {
    double x1, y1, x2, y2;
    QRgb farbe;
};
struct Schild {
    Feld box;
    int nummer;
};

// Draws like the real surface and keeps the label boxes, texts and lines.
class Beobachter : public Zeichenflaeche {
  public:
    using Zeichenflaeche::Zeichenflaeche;
    std::vector<Schild> schilder;
    std::vector<QLineF> linien_;
    Feld letzte{};

    void rechteck_gefuellt(double x1, double y1, double x2, double y2, QColor c) override {
        letzte = {x1, y1, x2, y2, c.rgb()};
        Zeichenflaeche::rechteck_gefuellt(x1, y1, x2, y2, c);
    }
    void beschriftungsfeld(double x1, double y1, double x2, double y2, Feldform form,
                           QColor fuellung, QColor rahmen, double breite) override {
        letzte = {x1, y1, x2, y2, fuellung.rgb()};
        Zeichenflaeche::beschriftungsfeld(x1, y1, x2, y2, form, fuellung, rahmen, breite);
    }
    void linie(double x1, double y1, double x2, double y2, double b, QColor c) override {
        linien_.emplace_back(x1, y1, x2, y2);
        Zeichenflaeche::linie(x1, y1, x2, y2, b, c);
    }
    void text(const QString& t) override {
        schilder.push_back({letzte, t.toInt()});
        Zeichenflaeche::text(t);
    }
};

class Ziel : public Blattziel {
  public:
    Ziel(Zielart art, float hoehe, float breite, float pje)
        : art_(art), hoehe_(hoehe), breite_(breite), pje_(pje) {}
    Zielart art() const override { return art_; }
    float seitenhoehe() const override { return hoehe_; }
    float seitenbreite() const override { return breite_; }
    float pixel_je_einheit() const override { return pje_; }
    Ergebnis blatt_beginnen(int, int, Zeichenflaeche*& f) override {
        bilder.emplace_back(static_cast<int>(breite_ * pje_), static_cast<int>(hoehe_ * pje_),
                            QImage::Format_RGB32);
        bilder.back().fill(Qt::white);
        if (art_ == Zielart::drucker) {
            bilder.back().setDotsPerMeterX(static_cast<int>(pje_ * 100.0f));
            bilder.back().setDotsPerMeterY(static_cast<int>(pje_ * 100.0f));
        }
        seiten.push_back(std::make_unique<Beobachter>(&bilder.back(), pje_));
        f = seiten.back().get();
        return {};
    }
    Ergebnis blatt_beenden(int, int) override {
        seiten.back()->beenden();
        return {};
    }
    std::deque<QImage> bilder;
    std::vector<std::unique_ptr<Beobachter>> seiten;

  private:
    Zielart art_;
    float hoehe_, breite_, pje_;
};

int farbart(const Druckfarben& f, QRgb c) {
    for (int i :
         {farbe_nummer_strassen, farbe_nummer_gebaeude, farbe_nummer_plaetze, farbe_nummer_parks})
        if ((f.farbe[static_cast<std::size_t>(i)] | 0xff000000u) == (c | 0xff000000u)) return i;
    return -1;
}

double abstand_zur_box(const Feld& b, double x, double y) {
    const double dx = std::max({b.x1 - x, 0.0, x - b.x2});
    const double dy = std::max({b.y1 - y, 0.0, y - b.y2});
    return std::hypot(dx, dy);
}

// Counts over the labels of one sheet whose anchors `z` places.
struct Zaehlung {
    int n = 0, auf_anker = 0, mit_linie = 0, weder = 0, ueberlappt = 0, beruehrt = 0;
    double anteil = 0;
};

Zaehlung zaehlen(const Beobachter& b, const std::vector<Beschriftung>& anker, const Druckfarben& f,
                 const Renderzustand& z, double pje, int breite_px, int hoehe_px) {
    Zaehlung e;
    std::vector<Feld> boxen;
    for (const Schild& s : b.schilder) {
        const int art = farbart(f, s.box.farbe);
        if (art < 0) continue;
        // Only labels wholly on the map square count.
        if (s.box.x1 < z.rand_links || s.box.y1 < z.rand_oben || s.box.x2 > z.karte_rechts ||
            s.box.y2 > z.karte_unten)
            continue;
        const Beschriftung* a = nullptr;
        for (const Beschriftung& l : anker)
            if (l.farbe == art && l.nummer == s.nummer) a = &l;
        if (!a) continue;
        ++e.n;
        boxen.push_back(s.box);
        const QPointF p = z.karte_nach_geraet(a->x, a->y);
        if (abstand_zur_box(s.box, p.x(), p.y()) == 0.0) {
            ++e.auf_anker;
            continue;
        }
        const double tol = 1.5 / pje;
        bool linie = false;
        for (const QLineF& l : b.linien_)
            for (int r = 0; r < 2 && !linie; ++r) {
                const QPointF an = r ? l.p2() : l.p1(), ab = r ? l.p1() : l.p2();
                if (std::hypot(an.x() - p.x(), an.y() - p.y()) <= tol &&
                    abstand_zur_box(s.box, ab.x(), ab.y()) <= tol)
                    linie = true;
            }
        if (linie)
            ++e.mit_linie;
        else
            ++e.weder;
    }
    const double luecke = 1.0 / pje; // a pixel
    for (std::size_t i = 0; i < boxen.size(); ++i)
        for (std::size_t j = i + 1; j < boxen.size(); ++j) {
            const Feld &p = boxen[i], &q = boxen[j];
            const double bx = std::min(p.x2, q.x2) - std::max(p.x1, q.x1);
            const double by = std::min(p.y2, q.y2) - std::max(p.y1, q.y1);
            if (bx > 0 && by > 0)
                ++e.ueberlappt;
            else if (bx > -luecke && by > -luecke)
                ++e.beruehrt;
        }
    // Pixels of the map square under some box.
    std::vector<unsigned char> maske(static_cast<std::size_t>(breite_px) * hoehe_px, 0);
    for (const Feld& p : boxen)
        for (int y = std::max(0, static_cast<int>(p.y1 * pje));
             y < std::min(hoehe_px, static_cast<int>(std::ceil(p.y2 * pje))); ++y)
            for (int x = std::max(0, static_cast<int>(p.x1 * pje));
                 x < std::min(breite_px, static_cast<int>(std::ceil(p.x2 * pje))); ++x)
                maske[static_cast<std::size_t>(y) * breite_px + x] = 1;
    long unter = 0;
    for (unsigned char v : maske)
        unter += v;
    const double seite = z.kartenseite * pje;
    e.anteil = static_cast<double>(unter) / (seite * seite);
    return e;
}

void zeigen(const char* titel, const Zaehlung& e) {
    std::printf("%s: %d labels, %d on their anchor, %d by a leader, %d neither; %d pairs overlap, "
                "%d touch; %.1f %% of the map under label boxes\n",
                titel, e.n, e.auf_anker, e.mit_linie, e.weder, e.ueberlappt, e.beruehrt,
                100.0 * e.anteil);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 7) {
        std::fprintf(stderr, "usage: beschriftungspruefer PRESET SEED STREETS BUILDINGS SQUARES "
                             "PARKS [PIXELS]\n");
        return 2;
    }
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, std::atoi(argv[1]));
    Stadtmodell m;
    Wirt wirt;
    const Nummernzahlen n{std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                          std::atoi(argv[6])};
    stadtplan_erstellen({s, static_cast<std::uint64_t>(std::atoll(argv[2])), n}, m, system_uhr(),
                        wirt);
    const int pixel = argc > 7 ? std::atoi(argv[7]) : 1200;
    const Druckfarben f = Druckfarben::standard();
    Druckoptionen o;
    // The anchors, as the renderer gathers them.
    QImage leer(8, 8, QImage::Format_RGB32);
    Zeichenflaeche messen(&leer);
    const auto anker = beschriftungen_sammeln(m, o, messen);

    {
        Ziel ziel(Zielart::bild, static_cast<float>(pixel), static_cast<float>(pixel), 1.0f);
        if (!stadtplan_zeichnen({m, f, o, Bildausschnitt{}, nullptr}, ziel).gut()) return 1;
        Renderzustand z;
        z.bild_vorbereiten(m.stadt_abmessung, Bildausschnitt{}, 1, static_cast<float>(pixel));
        z.blatt_setzen(1, 1);
        zeigen("picture", zaehlen(*ziel.seiten[0], anker, f, z, 1.0, pixel, pixel));
    }
    {
        // 3 x 3 sheets of A4 as the PDF lays them out, at 300 dpi.
        const float pje = static_cast<float>(300.0 / 2.54);
        o.blaetter_je_seite = 3;
        Ziel ziel(Zielart::drucker, 20.0f, 28.7f, pje);
        if (!stadtplan_zeichnen({m, f, o, Bildausschnitt{}, nullptr}, ziel).gut()) return 1;
        Zaehlung summe;
        for (int blatt = 0; blatt < 9; ++blatt) {
            Renderzustand z;
            z.drucker_vorbereiten(m.stadt_abmessung, 3, 20.0f, 28.7f, pje);
            z.blatt_setzen(blatt / 3 + 1, blatt % 3 + 1);
            const Zaehlung e = zaehlen(*ziel.seiten[blatt], anker, f, z, pje,
                                       ziel.bilder[blatt].width(), ziel.bilder[blatt].height());
            summe.n += e.n;
            summe.auf_anker += e.auf_anker;
            summe.mit_linie += e.mit_linie;
            summe.weder += e.weder;
            summe.ueberlappt += e.ueberlappt;
            summe.beruehrt += e.beruehrt;
            summe.anteil += e.anteil / 9.0;
        }
        zeigen("3 x 3 print, all sheets", summe);
    }
    return 0;
}
