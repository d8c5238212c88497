// Printed sheets: the tiling with its overlap and crop rectangles, the section
// mode, line widths in printer pixels, hatched and ringed buildings, the side
// panel (title, sheet grid, scale bar, compass rose) and the PDF output.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/funktionen.h"
#include "core/wirt.h"
#include "core/zahlen.h"
#include "files/textdatei.h"
#include "render/druckausgabe.h"
#include "render/randleiste.h"
#include "render/stadtplan.h"
#include "render_hilfe.h"
#include "testwirt.h"

using namespace tarvello;
using namespace testhilfe;

namespace {

// One primitive as the renderer asked for it; positions in centimetres.
struct Primitiv {
    std::string art; // linie, linien, zug, kreis, rahmen, box, text
    double breite = 0;
    QRgb farbe = 0;
    std::vector<QPointF> p;
    double radius = 0;
    QString text{};
    double punkte = 0; // font size of a text
    bool fett = false;
    double textbreite = 0, texthoehe = 0;
};

// Draws on a page picture like the real surface and keeps every primitive.
class Druckaufzeichnung : public Zeichenflaeche {
  public:
    Druckaufzeichnung(QImage* bild, double px) : Zeichenflaeche(bild, px) {}
    std::vector<Primitiv> e;

    void linie(double x1, double y1, double x2, double y2, double b, QColor c) override {
        e.push_back({"linie", b, c.rgb(), {{x1, y1}, {x2, y2}}});
        Zeichenflaeche::linie(x1, y1, x2, y2, b, c);
    }
    void linien(const QLineF* l, int n, double b, QColor c) override {
        Primitiv x{"linien", b, c.rgb(), {}};
        for (int i = 0; i < n; ++i) {
            x.p.push_back(l[i].p1());
            x.p.push_back(l[i].p2());
        }
        e.push_back(x);
        Zeichenflaeche::linien(l, n, b, c);
    }
    void umriss(const QPointF* p, int n, double b, QColor c) override {
        e.push_back({"umriss", b, c.rgb(), std::vector<QPointF>(p, p + n)});
        Zeichenflaeche::umriss(p, n, b, c);
    }
    void linienzug(const QPointF* p, int n, double b, QColor c) override {
        e.push_back({"zug", b, c.rgb(), std::vector<QPointF>(p, p + n)});
        Zeichenflaeche::linienzug(p, n, b, c);
    }
    void kreis(double x, double y, double r, double b, QColor c) override {
        e.push_back({"kreis", b, c.rgb(), {{x, y}}, r});
        Zeichenflaeche::kreis(x, y, r, b, c);
    }
    void rechteck(double x1, double y1, double x2, double y2, double b, QColor c) override {
        e.push_back({"rahmen", b, c.rgb(), {{x1, y1}, {x2, y2}}});
        Zeichenflaeche::rechteck(x1, y1, x2, y2, b, c);
    }
    void rechteck_gefuellt(double x1, double y1, double x2, double y2, QColor c) override {
        e.push_back({"box", 0, c.rgb(), {{x1, y1}, {x2, y2}}});
        Zeichenflaeche::rechteck_gefuellt(x1, y1, x2, y2, c);
    }
    void schrift_setzen(const QFont& f) override {
        schrift_ = f;
        Zeichenflaeche::schrift_setzen(f);
    }
    void position_setzen(double x, double y) override {
        pos_ = QPointF(x, y);
        Zeichenflaeche::position_setzen(x, y);
    }
    void text(const QString& t) override {
        Primitiv x{"text", 0, 0, {pos_}};
        x.text = t;
        x.punkte = schrift_.pointSizeF();
        x.fett = schrift_.bold();
        x.textbreite = text_breite(t);
        x.texthoehe = text_hoehe(t);
        e.push_back(x);
        Zeichenflaeche::text(t);
    }

    std::vector<const Primitiv*> alle(const std::string& art) const {
        std::vector<const Primitiv*> r;
        for (const Primitiv& x : e)
            if (x.art == art) r.push_back(&x);
        return r;
    }
    const Primitiv* text_von(const QString& t) const {
        for (const Primitiv& x : e)
            if (x.art == "text" && x.text == t) return &x;
        return nullptr;
    }

  private:
    QFont schrift_;
    QPointF pos_;
};

// A landscape page of breite x hoehe cm (the printable area), drawn at px
// pixels per centimetre.
class Seitenziel : public Blattziel {
  public:
    explicit Seitenziel(float breite = 28.7f, float hoehe = 20.0f, float px = 30.0f)
        : breite_(breite), hoehe_(hoehe), px_(px) {}

    Zielart art() const override { return Zielart::drucker; }
    float seitenhoehe() const override { return hoehe_; }
    float seitenbreite() const override { return breite_; }
    float pixel_je_einheit() const override { return px_; }
    Ergebnis blatt_beginnen(int zeile, int spalte, Zeichenflaeche*& flaeche) override {
        bilder.emplace_back(static_cast<int>(breite_ * px_), static_cast<int>(hoehe_ * px_),
                            QImage::Format_RGB32);
        bilder.back().fill(Qt::white);
        // Points turn into as many pixels as on a printer of this resolution.
        bilder.back().setDotsPerMeterX(static_cast<int>(px_ * 100.0f));
        bilder.back().setDotsPerMeterY(static_cast<int>(px_ * 100.0f));
        blaetter.emplace_back(zeile, spalte);
        seiten.push_back(std::make_unique<Druckaufzeichnung>(&bilder.back(), px_));
        flaeche = seiten.back().get();
        return {};
    }
    Ergebnis blatt_beenden(int, int) override {
        seiten.back()->beenden();
        return {};
    }
    void blatt_abbrechen() override { seiten.back()->beenden(); }

    std::deque<QImage> bilder;
    std::vector<std::unique_ptr<Druckaufzeichnung>> seiten;
    std::vector<std::pair<int, int>> blaetter;

  private:
    float breite_, hoehe_, px_;
};

// The host of these tests records German texts.
Testwirt statuswirt() {
    Testwirt w;
    w.sprache = Sprache::deutsch;
    return w;
}

struct Druck {
    Stadtmodell m = kleine_stadt();
    Druckfarben f = testfarben();
    Druckoptionen o;
    QString titel = QStringLiteral("Kleinstadt");
    int nord = 0;

    Zeichenauftrag auftrag(Wirt* wirt = nullptr) {
        return Zeichenauftrag{m, f, o, {}, wirt, titel, nord};
    }
    Ergebnis drucken(Blattziel& ziel, Wirt* wirt = nullptr) {
        return stadtplan_zeichnen(auftrag(wirt), ziel);
    }
};

constexpr QRgb schwarz = 0xff000000u;
constexpr QRgb weiss = 0xffffffffu;

// The map's side on a page of 20 cm printable height.
constexpr float seite_h = 19.6f;

} // namespace

// --- tiling geometry ----------------------------------------------------------

TEST(Druckseite, EinBlattZeigtDieGanzeKarteOhneVerschiebung) {
    Renderzustand z;
    z.drucker_vorbereiten(400.0f, 1, 20.0f, 28.7f, 100.0f);
    z.blatt_setzen(1, 1);
    EXPECT_FLOAT_EQ(z.blatt_zoom, 1.0f);
    EXPECT_FLOAT_EQ(z.kartenseite, seite_h);
    EXPECT_FLOAT_EQ(z.karte_rechts, seite_h + 0.2f);
    EXPECT_FLOAT_EQ(z.karte_unten, seite_h + 0.2f);
    EXPECT_DOUBLE_EQ(z.ausschnitt_x, 0.0);
    EXPECT_DOUBLE_EQ(z.ausschnitt_y, 0.0);
    EXPECT_FLOAT_EQ(z.massstab, seite_h / 400.0f);
    // Line widths: as a picture of the same scale draws them, 2.2 pixels per
    // pixel of a metre, in printer pixels (100 per centimetre here).
    EXPECT_NEAR(z.linienfaktor, seite_h / 400.0f * 100.0f * 2.2f, 1e-3);
    // On paper the square's own edge is the limit, and points on the map's
    // edge are on it.
    const auto punkt = [&](float x, float y) { return z.rechteck_sichtbar(x, y, x, y); };
    EXPECT_TRUE(punkt(399.9f, 0.1f));
    EXPECT_FALSE(punkt(400.1f, 200.0f));
    EXPECT_FALSE(punkt(-0.1f, 200.0f));
    EXPECT_TRUE(punkt(0.0f, 0.0f));
    EXPECT_TRUE(punkt(400.0f, 400.0f));
    EXPECT_FALSE(punkt(400.01f, 400.0f));
}

TEST(Druckseite, ZweiMalZweiMitUeberlappungUndSchnittrahmen) {
    const float e = 400.0f;
    Renderzustand z;
    z.drucker_vorbereiten(e, 2, 20.0f, 28.7f, 100.0f);
    EXPECT_FLOAT_EQ(z.blatt_zoom, 1.6f);
    EXPECT_NEAR(z.linienfaktor, seite_h * 1.6f / e * 100.0f * 2.2f, 1e-3);

    // Sheet 1 shows x from -0.03125 E to 0.59375 E across the square.
    z.blatt_setzen(1, 1);
    EXPECT_NEAR(z.ausschnitt_x, -0.03125 * e, 1e-4);
    EXPECT_NEAR(z.ausschnitt_y, -0.03125 * e, 1e-4);
    const QPointF g = z.karte_nach_geraet(0.59375f * e, 0.0f);
    EXPECT_NEAR(g.x(), z.karte_rechts, 1e-4);
    // Its crop rectangle runs from the page's left margin to 0.9 H.
    Rechteck r = schnittrahmen(z);
    EXPECT_FLOAT_EQ(r.links, 0.2f);
    EXPECT_FLOAT_EQ(r.oben, 0.2f);
    EXPECT_FLOAT_EQ(r.rechts, 0.2f + 0.9f * seite_h);
    EXPECT_FLOAT_EQ(r.unten, 0.2f + 0.9f * seite_h);

    // Sheet 2's from 0.1 H to the map square's right edge.
    z.blatt_setzen(1, 2);
    EXPECT_EQ(z.blatt_nummer, 2);
    EXPECT_NEAR(z.ausschnitt_x, (0.5 - 0.03125) * e, 1e-4);
    r = schnittrahmen(z);
    EXPECT_FLOAT_EQ(r.links, 0.2f + 0.1f * seite_h);
    EXPECT_FLOAT_EQ(r.rechts, z.karte_rechts);
    EXPECT_FLOAT_EQ(r.oben, 0.2f);
    EXPECT_FLOAT_EQ(r.unten, 0.2f + 0.9f * seite_h);

    z.blatt_setzen(2, 1);
    EXPECT_EQ(z.blatt_nummer, 3);
    r = schnittrahmen(z);
    EXPECT_FLOAT_EQ(r.oben, 0.2f + 0.1f * seite_h);
    EXPECT_FLOAT_EQ(r.unten, z.karte_unten);
}

// Cut along their rectangles, the sheets of every tiling join without gap or
// overlap and cover the whole map.
TEST(Druckseite, ZugeschnitteneBlaetterFuegenSichZurGanzenKarte) {
    const float e = 730.0f;
    for (int n : {2, 3, 5, 9, 20}) {
        Renderzustand z;
        z.drucker_vorbereiten(e, n, 19.0f, 27.7f, 236.2f);
        // Map x of a device x on the current sheet.
        const auto karte = [&](double gx) {
            return (gx - z.rand_links) / z.massstab + z.ausschnitt_x;
        };
        double rechts_vorher = 0;
        for (int s = 1; s <= n; ++s) {
            z.blatt_setzen(1, s);
            const Rechteck r = schnittrahmen(z);
            const double links = karte(r.links), rechts = karte(r.rechts);
            if (s == 1) {
                EXPECT_LE(links, 0.0) << n;
            } else {
                EXPECT_NEAR(links, rechts_vorher, 1e-3) << n << " " << s;
            }
            if (s > 1 && s < n) {
                EXPECT_NEAR(rechts - links, e / static_cast<float>(n), 1e-3) << n;
            }
            if (s == n) {
                EXPECT_GE(rechts, e) << n;
            }
            rechts_vorher = rechts;
        }
    }
}

// --- sheet loop -----------------------------------------------------------------

TEST(Drucklauf, EinBlattMitAllenAngabenOhneSchnittrahmenUndPlanquadrate) {
    Druck d;
    Seitenziel ziel;
    Testwirt wirt = statuswirt();
    const Ergebnis e = d.drucken(ziel, &wirt);
    ASSERT_EQ(e.art(), Fehlerart::keiner);
    ASSERT_EQ(ziel.blaetter.size(), 1u);
    EXPECT_GE(wirt.wo("Drucke Blatt 1 von 1"), 0);
    EXPECT_EQ(wirt.texte.back(), "Druck abgeschlossen!");
    const Druckaufzeichnung& s = *ziel.seiten[0];
    for (const Primitiv* r : s.alle("rahmen")) {
        EXPECT_NE(r->farbe, d.f.farbe[farbe_schnittmarken]) << "no crop rectangle on one sheet";
        EXPECT_NE(r->breite, 4.0) << "no sheet grid on one sheet";
    }
    EXPECT_NE(s.text_von("Kleinstadt"), nullptr);
    EXPECT_NE(s.text_von("N"), nullptr);
    // 400 m on 19.6 cm: 81.6 m per 4 cm, a 50 m bar.
    EXPECT_NE(s.text_von("50m"), nullptr);
    // Number labels in the print size of the menu.
    const Primitiv* nummer = s.text_von("12");
    ASSERT_NE(nummer, nullptr);
    EXPECT_EQ(nummer->punkte, 6.0);
    // The whole map is drawn: the building reaching over the right edge
    // still shows its visible hatching.
    EXPECT_FALSE(s.alle("linien").empty());
}

// A street of one long segment from sheet 1 to sheet 2 is drawn on both; a
// river starting on the map's left edge keeps its first segment.
TEST(Drucklauf, LangeStreckeAufBeidenBlaetternGezeichnet) {
    Druck d;
    d.o.blaetter_je_seite = 2;
    Weg& w = d.m.wege[2];
    w.punkt_setzen(1, 50.3f, 101.3f);
    w.punkt_setzen(2, 350.9f, 97.9f);
    w.n_punkte = 2;
    Seitenziel ziel;
    ASSERT_EQ(d.drucken(ziel).art(), Fehlerart::keiner);
    ASSERT_EQ(ziel.blaetter.size(), 4u);
    // Strokes of one colour index on a sheet.
    const auto zuege = [&](std::size_t blatt, int farbe) {
        std::vector<const Primitiv*> r;
        for (const Primitiv* x : ziel.seiten[blatt]->alle("zug"))
            if (x->farbe == d.f.farbe[static_cast<std::size_t>(farbe)]) r.push_back(x);
        return r;
    };
    // The widest street's body: top sheets 1 and 2 both hold it, as one
    // segment running past the sheet's square; the bottom sheets do not.
    for (std::size_t blatt : {0u, 1u}) {
        const auto s = zuege(blatt, farbe_grosse_strassen);
        ASSERT_EQ(s.size(), 1u) << blatt;
        ASSERT_EQ(s[0]->p.size(), 2u);
        const double links = s[0]->p[0].x(), rechts = s[0]->p[1].x();
        EXPECT_TRUE(blatt == 0 ? rechts > 0.2 + seite_h : links < 0.2) << links << " " << rechts;
    }
    EXPECT_TRUE(zuege(2, farbe_grosse_strassen).empty());
    EXPECT_TRUE(zuege(3, farbe_grosse_strassen).empty());

    // On a single sheet the map's edge is the square's edge.
    Druck e;
    Weg& f = e.m.wege[1];
    f.punkt_setzen(1, 0.0f, 331.7f);
    f.punkt_setzen(2, 150.9f, 318.2f);
    f.n_punkte = 2;
    Seitenziel ziel1;
    ASSERT_EQ(e.drucken(ziel1).art(), Fehlerart::keiner);
    int flusszuege = 0;
    for (const Primitiv* x : ziel1.seiten.at(0)->alle("zug"))
        if (x->farbe == e.f.farbe[farbe_fluesse]) {
            ++flusszuege;
            ASSERT_EQ(x->p.size(), 2u);
            EXPECT_NEAR(x->p[0].x(), 0.2, 1e-6);
        }
    EXPECT_EQ(flusszuege, 2); // outline and body passes
}

TEST(Drucklauf, SchnittrahmenAufGekacheltenBlaetternNachOption) {
    Druck d;
    d.o.blaetter_je_seite = 2;
    Seitenziel ziel;
    ASSERT_EQ(d.drucken(ziel).art(), Fehlerart::keiner);
    ASSERT_EQ(ziel.blaetter.size(), 4u);
    const QRgb farbe = d.f.farbe[farbe_schnittmarken];
    const auto rahmen = [&](const Druckaufzeichnung& s) {
        std::vector<const Primitiv*> r;
        for (const Primitiv* x : s.alle("rahmen"))
            if (x->farbe == farbe) r.push_back(x);
        return r;
    };
    const auto r1 = rahmen(*ziel.seiten[0]);
    ASSERT_EQ(r1.size(), 1u);
    EXPECT_EQ(r1[0]->breite, 1.0); // 0.2 mm at 30 px per cm is under a pixel
    // The cut line is drawn over the map: after every street and river stroke.
    const std::vector<Primitiv>& alles = ziel.seiten[0]->e;
    const auto rahmen_an =
        std::find_if(alles.begin(), alles.end(), [&](const Primitiv& x) { return &x == r1[0]; });
    EXPECT_TRUE(std::none_of(rahmen_an, alles.end(), [](const Primitiv& x) {
        return x.art == "zug" || x.art == "linien";
    }));
    EXPECT_NEAR(r1[0]->p[0].x(), 0.2, 1e-6);
    EXPECT_NEAR(r1[0]->p[1].x(), 0.2 + 0.9 * seite_h, 1e-5);
    const auto r4 = rahmen(*ziel.seiten[3]);
    ASSERT_EQ(r4.size(), 1u);
    EXPECT_NEAR(r4[0]->p[0].y(), 0.2 + 0.1 * seite_h, 1e-5);
    EXPECT_NEAR(r4[0]->p[1].y(), 0.2 + seite_h, 1e-5);

    Druck ohne;
    ohne.o.blaetter_je_seite = 2;
    ohne.o.druck_schnittmarken = false;
    Seitenziel ziel2;
    EXPECT_TRUE(ohne.drucken(ziel2).gut());
    for (const auto& s : ziel2.seiten)
        EXPECT_TRUE(rahmen(*s).empty());
}

TEST(Drucklauf, AusschnittDrucktNurDieMarkiertenBlaetter) {
    Druck d;
    d.o.blaetter_je_seite = 3;
    d.o.ausschnitt_modus = true;
    d.o.blatt_gewaehlt(1, 2) = 1;
    d.o.blatt_gewaehlt(2, 1) = 1;
    d.o.blatt_gewaehlt(4, 4) = 1; // outside the 3 x 3: not counted
    Seitenziel ziel;
    Testwirt wirt = statuswirt();
    ASSERT_EQ(d.drucken(ziel, &wirt).art(), Fehlerart::keiner);
    ASSERT_EQ(ziel.blaetter.size(), 2u);
    EXPECT_EQ(ziel.blaetter[0], std::make_pair(1, 2));
    EXPECT_EQ(ziel.blaetter[1], std::make_pair(2, 1));
    const int erst = wirt.wo("Drucke Blatt 1 von 2");
    const int dann = wirt.wo("Drucke Blatt 2 von 2");
    ASSERT_GE(erst, 0);
    ASSERT_GE(dann, 0);
    EXPECT_LT(erst, dann);
    EXPECT_EQ(wirt.texte.back(), "Druck abgeschlossen!");
    // Sheet (1,2) is number 2: its grid fills the second box of the first row.
    const Druckaufzeichnung& s = *ziel.seiten[0];
    const double sx = 0.2 + seite_h + 1.0;
    const double oben = 0.2 + seite_h - 3 * 0.35 - 1.0;
    int gefuellt = 0;
    for (const Primitiv* b : s.alle("box"))
        if (b->farbe == schwarz && std::abs(b->p[1].x() - b->p[0].x() - 0.35) < 1e-6) {
            ++gefuellt;
            EXPECT_NEAR(b->p[0].x(), sx + 0.35, 1e-5);
            EXPECT_NEAR(b->p[0].y(), oben, 1e-5);
        }
    EXPECT_EQ(gefuellt, 1);
}

TEST(Drucklauf, AusschnittOhneMarkeZeichnetNichtsUndMeldetDasEnde) {
    Druck d;
    d.o.blaetter_je_seite = 3;
    d.o.ausschnitt_modus = true;
    Seitenziel ziel;
    Testwirt wirt = statuswirt();
    EXPECT_EQ(d.drucken(ziel, &wirt).art(), Fehlerart::keiner);
    EXPECT_TRUE(ziel.blaetter.empty());
    ASSERT_FALSE(wirt.texte.empty());
    EXPECT_EQ(wirt.texte.back(), "Druck abgeschlossen!");
    Testwirt englisch;
    EXPECT_TRUE(d.drucken(ziel, &englisch).gut());
    EXPECT_EQ(englisch.texte.back(), "City Map Printed!");
}

// Sheets 2..9 of a 3 x 3 print with the options off carry only the map and
// the white panel; sheet 1 carries everything.
TEST(Drucklauf, ErstesBlattTraegtAlleAngaben) {
    Druck d;
    d.o.blaetter_je_seite = 3;
    d.o.druck_bezeichnung = d.o.druck_massstab = d.o.druck_kompass = d.o.druck_planquadrate = false;
    Seitenziel ziel;
    ASSERT_EQ(d.drucken(ziel).art(), Fehlerart::keiner);
    ASSERT_EQ(ziel.seiten.size(), 9u);
    EXPECT_NE(ziel.seiten[0]->text_von("Kleinstadt"), nullptr);
    EXPECT_NE(ziel.seiten[0]->text_von("O"), nullptr);
    int raster = 0;
    for (const Primitiv* r : ziel.seiten[0]->alle("rahmen"))
        if (r->breite == 4.0) ++raster;
    EXPECT_EQ(raster, 9);
    for (std::size_t i = 1; i < 9; ++i) {
        const Druckaufzeichnung& s = *ziel.seiten[i];
        EXPECT_EQ(s.text_von("Kleinstadt"), nullptr) << i;
        EXPECT_EQ(s.text_von("N"), nullptr) << i;
        EXPECT_EQ(s.text_von("20m"), nullptr) << i;
        for (const Primitiv* r : s.alle("rahmen"))
            EXPECT_NE(r->breite, 4.0) << i;
        // The white panel stays, from the map to the page's edge.
        bool panel = false;
        for (const Primitiv* b : s.alle("box"))
            if (b->farbe == weiss && std::abs(b->p[0].x() - (0.2 + seite_h)) < 1e-5 &&
                std::abs(b->p[1].x() - 28.7) < 1e-5)
                panel = true;
        EXPECT_TRUE(panel) << i;
    }
}

TEST(Drucklauf, AbbruchBeendetDasBlattOhneSchlusstext) {
    Druck d;
    d.o.blaetter_je_seite = 2;
    Seitenziel ziel;
    Testwirt wirt = statuswirt();
    wirt.abbruch_bei = 31;
    EXPECT_EQ(d.drucken(ziel, &wirt).art(), Fehlerart::abbruch);
    EXPECT_EQ(ziel.blaetter.size(), 1u);
    EXPECT_EQ(wirt.wo("Druck abgeschlossen!"), -1);
}

// --- line widths and buildings ------------------------------------------------

namespace {

// A town with one building of the given corners and nothing else.
Stadtmodell ein_haus(bool rund) {
    Stadtmodell m;
    m.dimensionieren(2, 10, 4, 1, 1);
    m.stadt_abmessung = 400.0f;
    m.weg_halbbreite_min = 1.0f;
    m.weg_halbbreite_max = 3.0f;
    if (rund)
        rundes_haus(m, 200.3f, 180.1f, 12.2f);
    else
        rechteck_haus(m, 140.3f, 120.7f, 170.9f, 141.2f);
    return m;
}

} // namespace

TEST(Gebaeudedruck, SchraffurInZweiAufloesungenUndUmriss) {
    Druck d;
    d.m = ein_haus(false);
    Seitenziel normal;
    EXPECT_TRUE(d.drucken(normal).gut());
    d.o.gebaeude_hohe_aufloesung = true;
    Seitenziel fein;
    EXPECT_TRUE(d.drucken(fein).gut());

    const auto schraffur = [](const Druckaufzeichnung& s) {
        const auto l = s.alle("linien");
        EXPECT_EQ(l.size(), 1u);
        return l.empty() ? nullptr : l[0];
    };
    const Primitiv* a = schraffur(*normal.seiten[0]);
    const Primitiv* b = schraffur(*fein.seiten[0]);
    ASSERT_TRUE(a && b);
    // Edge 2-3 is 20.5 m: steps of 400 x 0.0004 / 20.5, and a quarter of that.
    const float ds = 400.0f * 0.0004f / 20.5f;
    Renderzustand z;
    z.drucker_vorbereiten(400.0f, 1, 20.0f, 28.7f, 30.0f);
    // Lines over the edge, less half a line's width at either end, plus the
    // last one on the far edge.
    const double l_px = 20.5 * z.massstab * 30.0;
    const auto anzahl = [&](const Primitiv* x, double schritt) {
        return (1.0 - x->breite / l_px) / schritt + 1.0;
    };
    EXPECT_NEAR(static_cast<double>(a->p.size() / 2), anzahl(a, ds), 1.5);
    EXPECT_NEAR(static_cast<double>(b->p.size() / 2), anzahl(b, ds / 4.0f), 1.5);
    EXPECT_GE(a->breite, untergrenze_06(ds * 3.0f * z.linienfaktor) - 1e-9);
    EXPECT_EQ(a->farbe, d.f.farbe[farbe_gebaeude]);
    // Hatch lines run across from edge 3-2 to edge 4-1 (x = const here),
    // ending on them (cut square), wide enough to close the gaps between
    // them, and the outer ones' strokes end on edges 3-4 and 2-1: nothing
    // reaches beyond the building.
    const double s = z.massstab;
    const double x3 = 170.9 * s + 0.2, x4 = 140.3 * s + 0.2;
    const double y_oben = 120.7 * s + 0.2, y_unten = 141.2 * s + 0.2;
    const double halb = a->breite / 2.0 / 30.0; // centimetres
    double y_min = 1e9, y_max = -1e9;
    for (std::size_t i = 0; i < a->p.size(); i += 2) {
        EXPECT_NEAR(a->p[i].x(), x3, 1e-4);
        EXPECT_NEAR(a->p[i + 1].x(), x4, 1e-4);
        EXPECT_NEAR(a->p[i].y(), a->p[i + 1].y(), 1e-6);
        y_min = std::min(y_min, a->p[i].y());
        y_max = std::max(y_max, a->p[i].y());
    }
    EXPECT_NEAR(y_max + halb, y_unten, 1e-4);
    EXPECT_NEAR(y_min - halb, y_oben, 1e-4);
    EXPECT_LE(std::abs(a->p[2].y() - a->p[0].y()), 2.0 * halb);

    // The outline inside the same corners, closed, its line within them.
    std::vector<const Primitiv*> umriss;
    for (const Primitiv* x : normal.seiten[0]->alle("umriss"))
        if (x->farbe == d.f.farbe[farbe_gebaeude]) umriss.push_back(x);
    ASSERT_EQ(umriss.size(), 1u);
    ASSERT_EQ(umriss[0]->p.size(), 4u);
    const double rand = umriss[0]->breite / 2.0 / 30.0;
    EXPECT_NEAR(umriss[0]->breite, untergrenze_06(z.linienfaktor * ds * 8.0f), 1e-4);
    for (const QPointF& p : umriss[0]->p) {
        EXPECT_NEAR(std::min(p.x() - x4, x3 - p.x()), rand, 1e-4);
        EXPECT_NEAR(std::min(p.y() - y_oben, y_unten - p.y()), rand, 1e-4);
    }

    // Outline only: no hatching, thin edges.
    d.o.gebaeude_hohe_aufloesung = false;
    d.o.gebaeude_nur_umriss = true;
    Seitenziel umriss_nur;
    EXPECT_TRUE(d.drucken(umriss_nur).gut());
    EXPECT_TRUE(umriss_nur.seiten[0]->alle("linien").empty());
    bool gefunden = false;
    for (const Primitiv* x : umriss_nur.seiten[0]->alle("umriss"))
        if (x->farbe == d.f.farbe[farbe_gebaeude]) {
            gefunden = true;
            EXPECT_NEAR(x->breite, untergrenze_06(z.linienfaktor / 12.0f), 1e-5);
        }
    EXPECT_TRUE(gefunden);
}

TEST(Gebaeudedruck, RundeGebaeudeAusKonzentrischenKreisen) {
    Druck d;
    d.m = ein_haus(true);
    Seitenziel ziel;
    EXPECT_TRUE(d.drucken(ziel).gut());
    Renderzustand z;
    z.drucker_vorbereiten(400.0f, 1, 20.0f, 28.7f, 30.0f);
    const auto kreise = ziel.seiten[0]->alle("kreis");
    // Radii 0, 0.1, ... up to 12.2 / 2 - 0.2 = 5.9 map units.
    ASSERT_GE(kreise.size(), 59u);
    ASSERT_LE(kreise.size(), 60u);
    EXPECT_NEAR(kreise[0]->radius, 0.0, 1e-9);
    EXPECT_NEAR(kreise.back()->radius, 5.9 * z.massstab, 0.1 * z.massstab);
    EXPECT_EQ(kreise[0]->breite, runden(z.linienfaktor * 0.1f + 0.51f));

    d.o.gebaeude_nur_umriss = true;
    Seitenziel umriss;
    EXPECT_TRUE(d.drucken(umriss).gut());
    const auto einer = umriss.seiten[0]->alle("kreis");
    ASSERT_EQ(einer.size(), 1u);
    EXPECT_NEAR(einer[0]->radius, 5.9 * z.massstab, 1e-4);
    EXPECT_NEAR(einer[0]->breite, untergrenze_06(z.linienfaktor / 12.0f), 1e-5);
}

// A round building a thousand kilometres across and a rectangle a million
// kilometres long (as a file could hold them) print in bounded work: rings
// only where the page can show them, at most so many hatch lines.
TEST(Gebaeudedruck, RiesigeGebaeudeBleibenBegrenzt) {
    Druck d;
    d.m = ein_haus(true);
    d.m.haeuser[1].breite = 2.0e6f;
    Seitenziel rund;
    ASSERT_TRUE(d.drucken(rund).gut());
    Renderzustand z;
    z.drucker_vorbereiten(400.0f, 1, 20.0f, 28.7f, 30.0f);
    // Thousands of rings closer than their width: one filled disc instead,
    // covering the map square.
    EXPECT_TRUE(rund.seiten[0]->alle("kreis").empty());
    const QImage& seite = rund.bilder.at(0);
    const QPoint mitte(static_cast<int>(10.0 * 30), static_cast<int>(10.0 * 30));
    EXPECT_EQ(seite.pixel(mitte), d.f.farbe[farbe_gebaeude] | 0xff000000u);
    EXPECT_EQ(seite.pixel(QPoint(20, 20)), d.f.farbe[farbe_gebaeude] | 0xff000000u);

    d.m = ein_haus(false);
    Haus& h = d.m.haeuser[1];
    h.ecke_y = {0, 120.7f, 120.7f, 120.7f + 1.0e9f, 120.7f + 1.0e9f, 120.7f}; // edge 2-3
    Seitenziel lang;
    ASSERT_TRUE(d.drucken(lang).gut());
    std::size_t linien = 0;
    for (const Primitiv* p : lang.seiten[0]->alle("linien"))
        linien += p->p.size() / 2;
    // Unbounded, this loop ran 5e9 times.
    EXPECT_LE(linien, 100'001u);
}

// Widths are printer pixels: the same page at twice the resolution has
// strokes twice as wide (in pixels), so they are as wide on paper.
TEST(Gebaeudedruck, LinienbreitenFolgenDerDruckeraufloesung) {
    Druck d;
    Seitenziel grob(28.7f, 20.0f, 40.0f), fein(28.7f, 20.0f, 80.0f);
    EXPECT_TRUE(d.drucken(grob).gut());
    EXPECT_TRUE(d.drucken(fein).gut());
    const QRgb rand = d.f.farbe[farbe_strassenrand];
    const auto breite_der_strasse = [&](const Druckaufzeichnung& s) {
        for (const Primitiv* x : s.alle("zug"))
            if (x->farbe == rand) return x->breite;
        return 0.0;
    };
    const double a = breite_der_strasse(*grob.seiten[0]);
    const double b = breite_der_strasse(*fein.seiten[0]);
    ASSERT_GT(a, 0.6);
    EXPECT_NEAR(b, 2.0 * a, 1e-4);
    // The first outline pass draws the narrowest street (half-width 1).
    Renderzustand z;
    z.drucker_vorbereiten(400.0f, 1, 20.0f, 28.7f, 40.0f);
    EXPECT_NEAR(a, untergrenze_06(1.0f / 2.0f * 0.55f * z.linienfaktor), 1e-4);
}

// --- side panel -------------------------------------------------------------------

TEST(Randleiste, MassstabsbalkenNachTabelle) {
    const auto pruefen = [](float v, float u, int n) {
        const Massstabsbalken b = massstabsbalken(v);
        EXPECT_FLOAT_EQ(b.laenge, u) << v;
        EXPECT_EQ(b.segmente, n) << v;
    };
    pruefen(7.0f, 5.0f, 5);
    pruefen(1.04f, 0.5f, 5);  // rounds to 1.0
    pruefen(1.06f, 1.0f, 10); // rounds to 1.1
    pruefen(0.01f, 0.5f, 5);
    pruefen(2.0f, 1.0f, 10);
    pruefen(2.1f, 2.0f, 8);
    pruefen(5.0f, 2.0f, 8);
    pruefen(5.1f, 5.0f, 5);
    pruefen(29.8f, 20.0f, 8);
    pruefen(81.6f, 50.0f, 5);
    pruefen(100.04f, 50.0f, 5);
    pruefen(100.1f, 100.0f, 10);
    pruefen(10000.0f, 5000.0f, 5);
    pruefen(100000.0f, 50000.0f, 5);
    // Beyond the table: its last row.
    pruefen(100000.1f, 50000.0f, 5);
    pruefen(3.0e6f, 50000.0f, 5);
}

TEST(Randleiste, MassstabsbalkenAufDemBlatt) {
    // 4 cm stand for v map units: E = v x H / 4 on a single sheet.
    for (const auto& [v, text, n] : {std::tuple{7.0f, "5m", 5}, std::tuple{1.04f, "0.5m", 5}}) {
        Druck d;
        d.m.stadt_abmessung = v * seite_h / 4.0f;
        Seitenziel ziel;
        EXPECT_TRUE(d.drucken(ziel).gut());
        const Druckaufzeichnung& s = *ziel.seiten[0];
        const Primitiv* t = s.text_von(QString::fromLatin1(text));
        ASSERT_NE(t, nullptr) << text;
        const double sx = 0.2 + seite_h + 1.0, y0 = 0.2 + 4.0;
        EXPECT_NEAR(t->p[0].x(), sx + 1.0, 1e-5);
        EXPECT_NEAR(t->p[0].y(), y0, 1e-5);
        EXPECT_EQ(t->punkte, 12.0);
        EXPECT_FALSE(t->fett);
        const double s_cm = 4.0 / v;
        const double laenge = (n == 5 && v > 2 ? 5.0 : 0.5) * s_cm;
        int segmente = 0, gefuellt = 0;
        for (const Primitiv* r : s.alle("rahmen"))
            if (r->breite == 3.0 && std::abs(r->p[0].x() - sx) < 1e-6) ++segmente;
        for (const Primitiv* b : s.alle("box"))
            if (b->farbe == schwarz && std::abs(b->p[0].x() - sx) < 1e-6 &&
                std::abs(b->p[1].x() - sx - 0.2) < 1e-6)
                ++gefuellt;
        EXPECT_EQ(segmente, n);
        EXPECT_EQ(gefuellt, (n + 1) / 2);
        // The two ticks mark the bar's ends.
        bool unten = false;
        for (const Primitiv* l : s.alle("linie"))
            if (std::abs(l->p[0].x() - sx) < 1e-6 && std::abs(l->p[1].x() - sx - 0.5) < 1e-6 &&
                std::abs(l->p[0].y() - (y0 + laenge)) < 1e-4)
                unten = true;
        EXPECT_TRUE(unten) << text;
    }
}

namespace {

// Printable landscape area of a PDF page in centimetres.
QSizeF druckflaeche(QPageSize::PageSizeId papier) {
    const QPageLayout l(QPageSize(papier), QPageLayout::Landscape,
                        QMarginsF(pdf_rand_mm, pdf_rand_mm, pdf_rand_mm, pdf_rand_mm),
                        QPageLayout::Millimeter);
    return l.paintRect(QPageLayout::Millimeter).size() / 10.0;
}

// Distance between two rectangles along the axis that separates them most;
// negative when they overlap.
float luecke(const Rechteck& a, const Rechteck& b) {
    return std::max({a.links - b.rechts, b.links - a.rechts, a.oben - b.unten, b.oben - a.unten});
}

} // namespace

// Every paper the PDF output knows, every tiling, the smallest and the
// largest town: the parts of the panel stay on the page and apart, and the
// bar is as long as its label says.
TEST(Randleiste, TeileLiegenAufJederSeiteAuseinander) {
    // Font measures as on a 600 dpi page.
    QImage bild(8, 8, QImage::Format_RGB32);
    const double px = 600.0 / 2.54;
    bild.setDotsPerMeterX(static_cast<int>(px * 100.0));
    bild.setDotsPerMeterY(static_cast<int>(px * 100.0));
    Randleistenmasse masse;
    {
        Zeichenflaeche f(&bild, px);
        QFont titel = Zeichenflaeche::beschriftungsschrift(titel_punkte);
        titel.setBold(true);
        f.schrift_setzen(titel);
        masse.titel_hoehe = static_cast<float>(f.text_hoehe("Kleinstadt"));
        f.schrift_setzen(Zeichenflaeche::beschriftungsschrift(12.0));
        masse.text_hoehe = static_cast<float>(f.text_hoehe("0m"));
        masse.balkentext_breite = static_cast<float>(f.text_breite("50000m"));
        masse.buchstabe = static_cast<float>(std::max(f.text_breite("W"), f.text_hoehe("W")));
        f.beenden();
    }
    ASSERT_GT(masse.text_hoehe, 0.3f);

    for (const auto papier :
         {QPageSize::A5, QPageSize::A4, QPageSize::A3, QPageSize::A2, QPageSize::A1, QPageSize::A0,
          QPageSize::Letter, QPageSize::Legal, QPageSize::Tabloid, QPageSize::B5}) {
        const QSizeF seite = druckflaeche(papier);
        for (const float e : {100.0f, 7500.0f})
            for (int n = 1; n <= 20; ++n) {
                SCOPED_TRACE(QPageSize::key(papier).toStdString() + " E " + std::to_string(e) +
                             " N " + std::to_string(n));
                Renderzustand z;
                z.drucker_vorbereiten(e, n, static_cast<float>(seite.height()),
                                      static_cast<float>(seite.width()), 100.0f);
                masse.seitenbreite = z.seitenbreite;
                masse.karte_rechts = z.karte_rechts;
                masse.oben = z.rand_oben;
                masse.unten = z.karte_unten;
                masse.rand = z.rand_links;
                masse.blaetter = n;
                masse.massstab = z.massstab;
                const Randleistenplan p = randleiste_anordnen(masse);
                EXPECT_TRUE(p.passt);
                std::vector<Rechteck> teile{p.titel, p.balken, p.balkentext, p.kompass};
                if (n > 1) teile.push_back(p.planquadrate);
                EXPECT_EQ(n > 1, p.zelle > 0.0f);
                teile.push_back(p.kasten); // checked against the page only
                for (const Rechteck& r : teile) {
                    EXPECT_GT(r.rechts, r.links);
                    EXPECT_GT(r.unten, r.oben);
                    EXPECT_GE(r.links, z.karte_rechts);
                    EXPECT_LE(r.rechts, z.seitenbreite);
                    EXPECT_GE(r.oben, 0.0f);
                    EXPECT_LE(r.unten, static_cast<float>(seite.height()));
                }
                teile.pop_back();
                for (std::size_t i = 0; i < teile.size(); ++i)
                    for (std::size_t j = i + 1; j < teile.size(); ++j)
                        EXPECT_GE(luecke(teile[i], teile[j]), 0.05f - 1e-4f) << i << " " << j;
                // A rose beside the bar keeps the letter on its centre line
                // below the bar's end.
                if (p.kompass.oben < p.balken.unten) {
                    EXPECT_GE(p.kompass_y - masse.buchstabe / 2.0f, p.balken.unten + 0.2f - 1e-4f);
                }
                // The rose's letters sit 1.3 radii out, inside its square.
                EXPECT_LE(1.3f * p.kompass_radius + masse.buchstabe / 2.0f,
                          (p.kompass.rechts - p.kompass.links) / 2.0f + 1e-4f);
                EXPECT_LE(p.zelle * static_cast<float>(n),
                          p.planquadrate.rechts - p.planquadrate.links + 1e-4f);
                // The bar measures the map and fills its room well (the
                // table's steps are at most 2.5 apart).
                EXPECT_NEAR(p.balken_laenge / z.massstab, p.teilung.laenge,
                            1e-5f * p.teilung.laenge);
                EXPECT_LE(p.balken_laenge, p.balken.unten - p.balken.oben + 1e-4f);
                EXPECT_GE(p.balken_laenge, 0.39f * (p.balken.unten - p.balken.oben));
            }
    }
}

// A5 with 20 x 20 sheets: the panel is shrunk, what is drawn stays on the
// page and the bar's ticks lie as far apart as its label says.
TEST(Randleiste, GeschrumpfteLeisteAufA5) {
    const QSizeF seite = druckflaeche(QPageSize::A5);
    Druck d;
    d.o.blaetter_je_seite = 20;
    d.o.ausschnitt_modus = true;
    d.o.blatt_gewaehlt(1, 1) = 1;
    Seitenziel ziel(static_cast<float>(seite.width()), static_cast<float>(seite.height()), 30.0f);
    ASSERT_TRUE(d.drucken(ziel).gut());
    ASSERT_EQ(ziel.seiten.size(), 1u);
    const Druckaufzeichnung& s = *ziel.seiten[0];
    Renderzustand z;
    z.drucker_vorbereiten(d.m.stadt_abmessung, 20, static_cast<float>(seite.height()),
                          static_cast<float>(seite.width()), 30.0f);
    const double sx = z.karte_rechts + 1.0;
    // Everything right of the map stays on the page.
    int teile = 0;
    for (const Primitiv& x : s.e) {
        if (x.p.empty() || x.p[0].x() < z.karte_rechts + 0.5) continue;
        ++teile;
        double rechts = x.p[0].x() + x.textbreite, unten = x.p[0].y() + x.texthoehe;
        for (const QPointF& q : x.p) {
            rechts = std::max(rechts, q.x());
            unten = std::max(unten, q.y());
        }
        EXPECT_LE(rechts, seite.width()) << x.art;
        EXPECT_LE(unten, seite.height()) << x.art;
    }
    EXPECT_GT(teile, 400); // the grid's boxes among them
    // The grid's 400 boxes are narrower than 0.35 cm.
    int boxen = 0;
    for (const Primitiv* r : s.alle("rahmen"))
        if (r->breite == 4.0) {
            ++boxen;
            EXPECT_LT(r->p[1].x() - r->p[0].x(), 0.3);
        }
    EXPECT_EQ(boxen, 400);
    // The bar: its label in metres times the scale is the ticks' distance.
    std::vector<double> striche;
    for (const Primitiv* l : s.alle("linie"))
        if (std::abs(l->p[0].x() - sx) < 1e-6 && std::abs(l->p[1].x() - sx - 0.5) < 1e-6)
            striche.push_back(l->p[0].y());
    ASSERT_EQ(striche.size(), 2u);
    const Primitiv* text = nullptr;
    for (const Primitiv* t : s.alle("text"))
        if (t->text.endsWith('m') && std::abs(t->p[0].x() - sx - 1.0) < 1e-6) text = t;
    ASSERT_NE(text, nullptr);
    bool zahl = false;
    const double meter = text->text.chopped(1).toDouble(&zahl);
    ASSERT_TRUE(zahl) << text->text.toStdString();
    EXPECT_NEAR(striche[1] - striche[0], meter * z.massstab, 1e-4);
}

TEST(Randleiste, TitelSchrumpftAufSiebenEinhalbZentimeter) {
    EXPECT_FLOAT_EQ(titel_schriftgroesse(10.0), 10.5f); // 105 / width
    EXPECT_FLOAT_EQ(titel_schriftgroesse(7.5), 14.0f);
    EXPECT_FLOAT_EQ(titel_schriftgroesse(3.0), 14.0f);
    EXPECT_FLOAT_EQ(titel_schriftgroesse(10.0, 5.0f), 7.0f);

    Druck d;
    Seitenziel kurz;
    EXPECT_TRUE(d.drucken(kurz).gut());
    const Primitiv* t = kurz.seiten[0]->text_von("Kleinstadt");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->punkte, 14.0);
    EXPECT_TRUE(t->fett);
    EXPECT_NEAR(t->p[0].x(), 0.2 + seite_h + 1.0, 1e-5);
    EXPECT_NEAR(t->p[0].y(), 2.2, 1e-5);

    d.titel = QStringLiteral("Sankt Bartholomäus an der Oberen Wasserscheide");
    Seitenziel lang(28.7f, 20.0f, 100.0f);
    EXPECT_TRUE(d.drucken(lang).gut());
    const Primitiv* l = lang.seiten[0]->text_von(d.titel);
    ASSERT_NE(l, nullptr);
    EXPECT_LT(l->punkte, 14.0);
    EXPECT_NEAR(l->textbreite, 7.5, 0.25);

    // A narrower page (Letter) leaves less room: the title stays on it.
    Seitenziel schmal(26.94f, 20.59f, 100.0f);
    EXPECT_TRUE(d.drucken(schmal).gut());
    const Primitiv* k = schmal.seiten[0]->text_von(d.titel);
    ASSERT_NE(k, nullptr);
    EXPECT_LE(k->p[0].x() + k->textbreite, 26.94 + 0.05);
}

TEST(Randleiste, NordrichtungDerKnoepfe) {
    EXPECT_FLOAT_EQ(nordrichtung(0), pi / 2.0f);
    for (int k = 1; k < 12; ++k)
        EXPECT_NEAR(nordrichtung(k) - nordrichtung(k - 1), pi / 6.0f, 1e-5) << k;
    EXPECT_NEAR(nordrichtung(3), pi, 1e-5);
    EXPECT_NEAR(nordrichtung(6), 1.5f * pi, 1e-5);

    // Button 3: north points left, west down, south right, east (O) up.
    Druck d;
    d.nord = 3;
    Seitenziel ziel;
    EXPECT_TRUE(d.drucken(ziel).gut());
    const Druckaufzeichnung& s = *ziel.seiten[0];
    const double cx = 0.2 + seite_h + 1.0 + 3.0, cy = 0.2 + 10.0, r = 1.3 * 1.65;
    const auto mitte = [&](const char* b) {
        const Primitiv* t = s.text_von(QString::fromLatin1(b));
        EXPECT_NE(t, nullptr) << b;
        return t ? QPointF(t->p[0].x() + t->textbreite / 2, t->p[0].y() + t->texthoehe / 2)
                 : QPointF();
    };
    const QPointF n = mitte("N"), w = mitte("W"), su = mitte("S"), o = mitte("O");
    EXPECT_NEAR(n.x(), cx - r, 1e-4);
    EXPECT_NEAR(n.y(), cy, 1e-4);
    EXPECT_NEAR(w.y(), cy + r, 1e-4);
    EXPECT_NEAR(su.x(), cx + r, 1e-4);
    EXPECT_NEAR(o.y(), cy - r, 1e-4);
    // The long ray to the north ends 1.65 cm left of the centre.
    bool strahl = false;
    for (const Primitiv* l : s.alle("linie"))
        if (l->breite == 3.0 && std::abs(l->p[0].x() - cx) < 1e-5 &&
            std::abs(l->p[0].y() - cy) < 1e-5 && std::abs(l->p[1].x() - (cx - 1.65)) < 1e-4 &&
            std::abs(l->p[1].y() - cy) < 1e-4)
            strahl = true;
    EXPECT_TRUE(strahl);
    // 16 rays of three lines each.
    int striche = 0;
    for (const Primitiv* l : s.alle("linie"))
        if (l->breite == 3.0 && std::hypot(l->p[1].x() - cx, l->p[1].y() - cy) > 0.5 &&
            std::hypot(l->p[1].x() - cx, l->p[1].y() - cy) < 1.7)
            ++striche;
    EXPECT_EQ(striche, 48);
}

// --- PDF output -----------------------------------------------------------------

namespace {

QByteArray lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int seiten(const QByteArray& pdf) {
    static const QRegularExpression seite(QStringLiteral("/Type /Page\\b(?!s)"));
    int n = 0;
    auto it = seite.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

} // namespace

TEST(Pdfdruck, EineQuerseiteJeBlatt) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("karte.pdf");
    Druck d;
    d.o.blaetter_je_seite = 2;
    Ergebnis e = pdf_drucken(d.auftrag(), datei);
    ASSERT_EQ(e.art(), Fehlerart::keiner) << e.englisch();
    QByteArray pdf = lesen(datei);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(seiten(pdf), 4);
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 842")); // A4 landscape: 842 x 595 pt

    // A section of a 3 x 3 on A3.
    d.o.blaetter_je_seite = 3;
    d.o.ausschnitt_modus = true;
    d.o.blatt_gewaehlt(1, 2) = d.o.blatt_gewaehlt(2, 1) = 1;
    e = pdf_drucken(d.auftrag(), datei, QPageSize(QPageSize::A3));
    ASSERT_EQ(e.art(), Fehlerart::keiner);
    pdf = lesen(datei);
    EXPECT_EQ(seiten(pdf), 2);
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 1191")); // A3 landscape
}

TEST(Pdfdruck, AbbruchFehlerUndLeererAusschnittLassenDieAlteDatei) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("karte.pdf");
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("alt");
    }
    Druck d;
    d.o.blaetter_je_seite = 2;
    Testwirt wirt = statuswirt();
    wirt.abbruch_bei = 201;
    EXPECT_EQ(pdf_drucken(d.auftrag(&wirt), datei).art(), Fehlerart::abbruch);
    EXPECT_EQ(lesen(datei), QByteArray("alt"));

    d.o.ausschnitt_modus = true; // nothing marked
    EXPECT_EQ(pdf_drucken(d.auftrag(), datei).art(), Fehlerart::keiner);
    EXPECT_EQ(lesen(datei), QByteArray("alt"));
    const QString neu = ordner.filePath("leer.pdf");
    EXPECT_TRUE(pdf_drucken(d.auftrag(), neu).gut());
    EXPECT_FALSE(QFile::exists(neu));

    const QString unmoeglich = ordner.filePath("fehlt/karte.pdf");
    const Ergebnis e = pdf_drucken(d.auftrag(), unmoeglich);
    EXPECT_EQ(e.art(), Fehlerart::datei);
    EXPECT_TRUE(qtext(e, Sprache::englisch).contains(unmoeglich)) << e.englisch();
}

// A printer set to print into a file writes one PDF of its paper size.
TEST(Pdfdruck, DruckerMitDateiausgabe) {
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath("drucker.pdf"));
    drucker.setPageSize(QPageSize(QPageSize::A3));
    Druck d;
    d.o.blaetter_je_seite = 3;
    const Ergebnis e = stadtplan_drucken(d.auftrag(), drucker);
    ASSERT_EQ(e.art(), Fehlerart::keiner);
    const QByteArray pdf = lesen(drucker.outputFileName());
    EXPECT_EQ(seiten(pdf), 9);
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 1191"));
}

TEST(Pdfdruck, PapiernamenNachQt) {
    ASSERT_TRUE(papier_aus_name("A4").has_value());
    EXPECT_EQ(papier_aus_name("a3")->id(), QPageSize::A3);
    EXPECT_EQ(papier_aus_name(" Letter ")->id(), QPageSize::Letter);
    EXPECT_EQ(papier_aus_name("legal")->id(), QPageSize::Legal);
    EXPECT_FALSE(papier_aus_name("A99").has_value());
    EXPECT_FALSE(papier_aus_name("Custom").has_value());
    EXPECT_FALSE(papier_aus_name("").has_value());
}
