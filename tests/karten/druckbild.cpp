#include "karten/druckbild.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "files/druckfarben.h"
#include "render/stadtplan.h"
#include "render/zeichenflaeche.h"

namespace tarvello {

namespace {

// A4 landscape less the PDF's margins of 5 mm, in centimetres.
constexpr float seite_hoch = 20.0f, seite_breit = 28.7f;
constexpr double cm_je_zoll = 2.54;

// One sheet into a picture, laid out as the PDF lays out its page.
class Seitenbild : public Blattziel {
  public:
    Seitenbild(Zielart art, int dpi, int seite)
        : art_(art), pje_(static_cast<float>(dpi / cm_je_zoll)), seite_(seite) {}

    Zielart art() const override { return art_; }
    float seitenhoehe() const override {
        return art_ == Zielart::drucker ? seite_hoch : static_cast<float>(bildseite());
    }
    float seitenbreite() const override {
        return art_ == Zielart::drucker ? seite_breit : seitenhoehe();
    }
    float pixel_je_einheit() const override { return art_ == Zielart::drucker ? pje_ : 1.0f; }

    // The picture's side: the sheet's map square in pixels.
    int bildseite() const {
        return seite_ > 0 ? seite_ : static_cast<int>(std::lround((seite_hoch - 0.4f) * pje_));
    }

    Ergebnis blatt_beginnen(int, int, Zeichenflaeche*& flaeche) override {
        const int hoch = art_ == Zielart::drucker ? static_cast<int>(std::lround(seite_hoch * pje_))
                                                  : bildseite();
        const int breit = art_ == Zielart::drucker
                              ? static_cast<int>(std::lround(seite_breit * pje_))
                              : bildseite();
        bild = QImage(breit, hoch, QImage::Format_RGB32);
        bild.fill(Qt::white);
        flaeche_ = std::make_unique<Zeichenflaeche>(&bild, pixel_je_einheit());
        flaeche = flaeche_.get();
        return {};
    }
    Ergebnis blatt_beenden(int, int) override {
        flaeche_.reset();
        return {};
    }
    void blatt_abbrechen() override { flaeche_.reset(); }

    QImage bild;

  private:
    Zielart art_;
    float pje_;
    int seite_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
};

QImage zeichnen(const Stadtmodell& m, const Druckfarben& f, Zielart art, int dpi, int seite) {
    Druckoptionen o;
    o.kennzeichnung_wege = o.kennzeichnung_haeuser = false;
    o.kennzeichnung_plaetze = o.kennzeichnung_parks = false;
    Seitenbild ziel(art, dpi, seite);
    const Zeichenauftrag auftrag{m, f, o, Bildausschnitt{}, nullptr};
    if (!stadtplan_zeichnen(auftrag, ziel).gut()) return {};
    return ziel.bild;
}

struct Form {
    double x[4], y[4];
    bool rund = false;
    double mx = 0, my = 0, r = 0;
};

// Distance from (px, py) to the building's shape, 0 inside.
double abstand_zu(const Form& f, double px, double py) {
    if (f.rund) return std::max(0.0, std::hypot(px - f.mx, py - f.my) - f.r);
    bool innen = false;
    double d = 1e300;
    for (int i = 0, j = 3; i < 4; j = i++) {
        if ((f.y[i] > py) != (f.y[j] > py) &&
            px < (f.x[j] - f.x[i]) * (py - f.y[i]) / (f.y[j] - f.y[i]) + f.x[i])
            innen = !innen;
        const double ex = f.x[i] - f.x[j], ey = f.y[i] - f.y[j];
        const double l2 = ex * ex + ey * ey;
        double t = l2 > 0 ? ((px - f.x[j]) * ex + (py - f.y[j]) * ey) / l2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        d = std::min(d, std::hypot(px - (f.x[j] + t * ex), py - (f.y[j] + t * ey)));
    }
    return innen ? 0.0 : d;
}

} // namespace

Druckbildbefund haeuser_ueber_strassen(const Stadtmodell& m, Zielart art, int dpi, int pixel_min,
                                       int bildseite) {
    Druckbildbefund befund;
    const int anzahl = std::min<int>(m.haus_naechster - 1, m.haeuser_kapazitaet());
    befund.gebaeude = std::max(0, anzahl);
    if (anzahl < 1 || m.stadt_abmessung <= 0.0f) return befund;

    // Streets alone: white bodies on black, so a pixel's grey is the share
    // of it a body covers.
    Druckfarben fs;
    for (auto& c : fs.farbe)
        c = qRgb(0, 0, 0);
    fs.farbe[farbe_grosse_strassen] = fs.farbe[farbe_mittlere_strassen] =
        fs.farbe[farbe_kleine_strassen] = qRgb(255, 255, 255);
    Stadtmodell strassen = m;
    strassen.haus_naechster = 1;
    strassen.mauer_parameter = 0;
    // Buildings alone: black on white.
    Druckfarben fh;
    for (auto& c : fh.farbe)
        c = qRgb(255, 255, 255);
    fh.farbe[farbe_gebaeude] = qRgb(0, 0, 0);
    Stadtmodell haeuser = m;
    haeuser.n_wege = 0;
    haeuser.n_parks = haeuser.n_plaetze = 0;
    haeuser.mauer_parameter = 0;

    const QImage bs = zeichnen(strassen, fs, art, dpi, bildseite);
    const QImage bh = zeichnen(haeuser, fh, art, dpi, bildseite);
    if (bs.isNull() || bh.isNull() || bs.size() != bh.size()) return befund;

    // Where the sheet lies on the map, as the renderer places it.
    Seitenbild ziel(art, dpi, bildseite);
    Renderzustand z;
    if (art == Zielart::drucker)
        z.drucker_vorbereiten(m.stadt_abmessung, 1, ziel.seitenhoehe(), ziel.seitenbreite(),
                              ziel.pixel_je_einheit());
    else
        z.bild_vorbereiten(m.stadt_abmessung, Bildausschnitt{}, 1, ziel.seitenhoehe());
    z.blatt_setzen(1, 1);
    const double pje = ziel.pixel_je_einheit();

    // Buildings by grid cell, each in the cells its box widened by the
    // search distance touches.
    const double such = 2.0; // metres
    const double zelle = 8.0;
    std::vector<Form> formen(static_cast<std::size_t>(anzahl) + 1);
    std::unordered_map<long long, std::vector<int>> raster;
    const auto schluessel = [](long long i, long long j) { return j * 1'000'003LL + i; };
    for (int b = 1; b <= anzahl; ++b) {
        const Haus& h = m.haus(b);
        Form& f = formen[static_cast<std::size_t>(b)];
        double x0, y0, x1, y1;
        if (h.rund == 1) {
            f.rund = true;
            f.mx = h.x;
            f.my = h.y;
            f.r = h.breite / 2.0;
            x0 = f.mx - f.r, x1 = f.mx + f.r, y0 = f.my - f.r, y1 = f.my + f.r;
        } else {
            for (int i = 0; i < 4; ++i) {
                f.x[i] = h.ecke_x[static_cast<std::size_t>(i + 1)];
                f.y[i] = h.ecke_y[static_cast<std::size_t>(i + 1)];
            }
            x0 = *std::min_element(f.x, f.x + 4), x1 = *std::max_element(f.x, f.x + 4);
            y0 = *std::min_element(f.y, f.y + 4), y1 = *std::max_element(f.y, f.y + 4);
        }
        for (auto j = static_cast<long long>(std::floor((y0 - such) / zelle));
             j <= static_cast<long long>(std::floor((y1 + such) / zelle)); ++j)
            for (auto i = static_cast<long long>(std::floor((x0 - such) / zelle));
                 i <= static_cast<long long>(std::floor((x1 + such) / zelle)); ++i)
                raster[schluessel(i, j)].push_back(b);
    }

    std::vector<long> treffer(formen.size(), 0);
    const auto px0 = static_cast<int>(std::floor(z.rand_links * pje));
    const auto px1 = std::min(bs.width(), static_cast<int>(std::ceil(z.karte_rechts * pje)));
    const auto py0 = static_cast<int>(std::floor(z.rand_oben * pje));
    const auto py1 = std::min(bs.height(), static_cast<int>(std::ceil(z.karte_unten * pje)));
    for (int py = std::max(0, py0); py < py1; ++py) {
        const auto* zs = reinterpret_cast<const QRgb*>(bs.constScanLine(py));
        const auto* zh = reinterpret_cast<const QRgb*>(bh.constScanLine(py));
        for (int px = std::max(0, px0); px < px1; ++px) {
            const QRgb s = zs[px], h = zh[px];
            // At least half a street's white body, and more than half a building.
            if (qGray(s) < 128) continue;
            if (qGray(h) >= 128) continue;
            const double x = ((px + 0.5) / pje - z.rand_links) / z.massstab + z.ausschnitt_x;
            const double y = ((py + 0.5) / pje - z.rand_oben) / z.massstab + z.ausschnitt_y;
            const auto it = raster.find(schluessel(static_cast<long long>(std::floor(x / zelle)),
                                                   static_cast<long long>(std::floor(y / zelle))));
            if (it == raster.end()) continue;
            int bester = 0;
            double d_min = such;
            for (int b : it->second) {
                const double d = abstand_zu(formen[static_cast<std::size_t>(b)], x, y);
                if (d <= d_min) {
                    d_min = d;
                    bester = b;
                }
            }
            if (bester > 0) ++treffer[static_cast<std::size_t>(bester)];
        }
    }
    for (int b = 1; b <= anzahl; ++b) {
        const long t = treffer[static_cast<std::size_t>(b)];
        befund.pixel += t;
        if (t >= pixel_min) {
            ++befund.ueber_strasse;
            if (befund.beispiele.size() < 5) befund.beispiele.push_back(b);
        }
    }
    return befund;
}

} // namespace tarvello
