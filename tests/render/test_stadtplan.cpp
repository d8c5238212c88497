#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <set>

#include "core/wirt.h"
#include "render/beschriftung.h"
#include "render/stadtplan.h"
#include "render_hilfe.h"
#include "testwirt.h"

using namespace tarvello;
using namespace testhilfe;

namespace {

struct Lauf {
    Stadtmodell m = kleine_stadt();
    Druckfarben f = testfarben();
    Druckoptionen o;
    Bildausschnitt a;

    Ergebnis zeichnen(Testziel& ziel, Wirt* wirt = nullptr) {
        Zeichenauftrag auftrag{m, f, o, a, wirt};
        return stadtplan_zeichnen(auftrag, ziel);
    }
};

int zaehle(const QImage& b, QRgb farbe) {
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.pixel(x, y) == farbe) ++n;
    return n;
}

} // namespace

TEST(Wegklasse, KlassenUndFarbenNachBreite) {
    // r = 1: last pass, big streets; r = 0: first pass, small streets.
    EXPECT_EQ(wegklasse(3.0f, 1.0f, 3.0f).klasse, 6);
    EXPECT_EQ(wegklasse(3.0f, 1.0f, 3.0f).farbe, 0);
    EXPECT_EQ(wegklasse(1.0f, 1.0f, 3.0f).klasse, 1);
    EXPECT_EQ(wegklasse(1.0f, 1.0f, 3.0f).farbe, 2);
    // r = 0.5 is still small (2.5 - 1 = 1.5 rounds to 2), r = 0.75 is medium.
    EXPECT_EQ(wegklasse(2.0f, 1.0f, 3.0f).farbe, 2);
    EXPECT_EQ(wegklasse(2.0f, 1.0f, 3.0f).klasse, 3);
    EXPECT_EQ(wegklasse(2.5f, 1.0f, 3.0f).farbe, 1);
    EXPECT_EQ(wegklasse(2.5f, 1.0f, 3.0f).klasse, 4);
    EXPECT_EQ(wegklasse(2.96f, 1.0f, 3.0f).klasse, 5);
}

TEST(Wegklasse, GleicheGrenzenUndAusreisser) {
    const Wegklasse k = wegklasse(2.0f, 2.0f, 2.0f);
    EXPECT_TRUE(std::isfinite(k.r));
    EXPECT_EQ(k.klasse, 6);
    EXPECT_EQ(wegklasse(2.5f, 2.0f, 2.0f).klasse, k.klasse);
    // Widths outside the bounds still land in a drawn pass.
    EXPECT_EQ(wegklasse(9.0f, 1.0f, 3.0f).klasse, 6);
    EXPECT_EQ(wegklasse(0.2f, 1.0f, 3.0f).klasse, 1);
}

TEST(Renderzustand, SichtbarNachBoxUndStrecke) {
    Renderzustand z;
    z.bild_vorbereiten(1000.0f, Bildausschnitt{}, 1, 1000.0f);
    z.blatt_setzen(1, 1);
    EXPECT_FLOAT_EQ(z.massstab, 1.0f);
    const QPointF g = z.karte_nach_geraet(500.0f, 1200.5f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.x()), 500.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.y()), 1200.5f);
    // A box is visible when it overlaps the picture, also when the picture
    // lies wholly inside it; its edges belong to it.
    EXPECT_TRUE(z.rechteck_sichtbar(-900.0f, -900.0f, 0.0f, 0.0f));
    EXPECT_TRUE(z.rechteck_sichtbar(-900.0f, -900.0f, 1900.0f, 1900.0f));
    EXPECT_FALSE(z.rechteck_sichtbar(-900.0f, -900.0f, -100.0f, -100.0f));
    EXPECT_FALSE(z.rechteck_sichtbar(1300.0f, -100.0f, 1500.0f, 900.0f));
    // A segment is visible when its box, widened by half the line width
    // and a pixel, reaches the picture, wherever its ends lie.
    EXPECT_TRUE(z.strecke_sichtbar({-500.0, 300.0}, {1500.0, 310.0}, 1.0));
    EXPECT_TRUE(z.strecke_sichtbar({-50.0, 300.0}, {-3.9, 310.0}, 6.0));
    EXPECT_FALSE(z.strecke_sichtbar({-50.0, 300.0}, {-4.1, 310.0}, 6.0));
    EXPECT_FALSE(z.strecke_sichtbar({-50.0, -300.0}, {1500.0, -10.0}, 6.0));
}

TEST(Renderzustand, AusschnittUndMatrix) {
    Renderzustand z;
    // Zoomed twice at the origin: the picture shows the top-left quarter.
    z.bild_vorbereiten(800.0f, Bildausschnitt{2.0f, 0.0f, 0.0f}, 1, 600.0f);
    z.blatt_setzen(1, 1);
    const QPointF g = z.karte_nach_geraet(400.0f, 400.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.x()), 600.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(g.y()), 600.0f);
    // 3 x 3 over a section from (100, 200): each picture shows a third,
    // without overlap; the column moves x, the row moves y.
    z.bild_vorbereiten(900.0f, Bildausschnitt{1.5f, 100.0f, 200.0f}, 3, 300.0f);
    z.blatt_setzen(2, 3);
    EXPECT_FLOAT_EQ(static_cast<float>(z.ausschnitt_x), 100.0f + 400.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(z.ausschnitt_y), 200.0f + 200.0f);
    EXPECT_EQ(z.blatt_nummer, 6);
    const QPointF ecke = z.karte_nach_geraet(700.0f, 600.0f); // the far corner of that picture
    EXPECT_NEAR(ecke.x(), 300.0f, 1e-3);
    EXPECT_NEAR(ecke.y(), 300.0f, 1e-3);
}

TEST(Stadtplan, ReihenfolgeFarbenUndBreiten) {
    Lauf l;
    l.o.kennzeichnung_wege = l.o.kennzeichnung_haeuser = false;
    l.o.kennzeichnung_plaetze = l.o.kennzeichnung_parks = false;
    Testziel ziel(400, 400);
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    const auto& striche = ziel.aufzeichnungen.at(0)->striche;

    // Strokes of the ways in drawing order, by colour index.
    std::vector<std::pair<int, double>> wege;
    for (const Strich& s : striche)
        if (s.art == "zug") {
            const int i = farbindex(l.f, s.farbe);
            if (i == farbe_fluesse || i == farbe_strassenrand || i <= farbe_kleine_strassen)
                wege.emplace_back(i, s.breite);
        }
    // River first in both rounds; outlines, then bodies from narrow to wide.
    const std::vector<int> erwartet = {
        9, farbe_strassenrand, farbe_strassenrand, farbe_strassenrand, 9, 2, 1, 0};
    ASSERT_EQ(wege.size(), erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i)
        EXPECT_EQ(wege[i].first, erwartet[i]) << i;
    // lw = 1 x 2.2, unrounded: body of the widest street 3 / 2 x 0.45 x 2.2,
    // its outline 3 / 2 x 0.55 x 2.2; the narrow street's body, 0.495, is
    // held at the floor of 0.6.
    EXPECT_NEAR(wege[7].second, 1.485, 1e-5);
    EXPECT_NEAR(wege[3].second, 1.815, 1e-5);
    EXPECT_NEAR(wege[5].second, 0.6, 1e-5);

    // The park strokes, the wall and the towers in their own colours.
    std::set<int> farben;
    for (const Strich& s : striche)
        farben.insert(farbindex(l.f, s.farbe));
    for (int i : {farbe_parks, farbe_plaetze, farbe_gebaeude, farbe_hintergrund, farbe_stadtmauer,
                  farbe_tuerme})
        EXPECT_TRUE(farben.count(i)) << i;
}

TEST(Stadtplan, LinienbreitenNieUnter06) {
    Lauf l;
    // Tiny widths at a small scale: every computed width falls below 0.6.
    for (auto& w : l.m.wege)
        w.breite *= 0.05f;
    l.m.weg_halbbreite_min *= 0.05f;
    l.m.weg_halbbreite_max *= 0.05f;
    l.m.mauer_dicke = 0.1f;
    l.m.parks[1].wert = 0.05f;
    l.m.plaetze[1].wert = 0.05f;
    Testziel ziel(100, 100);
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    int n = 0;
    for (const Strich& s : ziel.aufzeichnungen.at(0)->striche) {
        if (s.art == "box") continue;
        EXPECT_GE(s.breite, 0.6) << s.art;
        ++n;
    }
    EXPECT_GT(n, 10);
}

TEST(Stadtplan, NichtsAusserhalbDesKartenquadrats) {
    // A wide picture: the map square is its left 200 x 200 pixels.
    Lauf l;
    Testziel ziel(300, 200);
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    const QImage& b = ziel.bilder.at(0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(b.pixel(x, y) == Testziel::markierung, x >= 200) << x << "," << y;
}

TEST(Stadtplan, KachelnGleichenEinemGrossenBild) {
    Lauf l;
    l.o.export_schriftgroesse = 9;
    // Eight numbered buildings crowded on a seam: their labels move apart,
    // the same way on the tiles and on the one picture.
    for (int i = 0; i < 8; ++i) {
        rundes_haus(l.m, 133.1f + 0.3f * static_cast<float>(i), 250.2f, 0.6f);
        l.m.haeuser[static_cast<std::size_t>(l.m.haus_naechster - 1)].nummer =
            static_cast<std::int16_t>(20 + i);
    }
    l.o.export_matrix = 3;
    Testziel kacheln(200, 200);
    ASSERT_EQ(l.zeichnen(kacheln).art(), Fehlerart::keiner);
    ASSERT_EQ(kacheln.bilder.size(), 9u);
    l.o.export_matrix = 1;
    Testziel gross(600, 600);
    ASSERT_EQ(l.zeichnen(gross).art(), Fehlerart::keiner);
    const QImage& g = gross.bilder.at(0);

    for (std::size_t k = 0; k < 9; ++k) {
        const auto [zeile, spalte] = kacheln.blaetter[k];
        // All of the tile but the two pixels next to each inner seam.
        const int links = spalte > 1 ? 2 : 0, oben = zeile > 1 ? 2 : 0;
        const int rechts = spalte < 3 ? 198 : 200, unten = zeile < 3 ? 198 : 200;
        const QImage t = kacheln.bilder[k].copy(links, oben, rechts - links, unten - oben);
        const QImage v = g.copy((spalte - 1) * 200 + links, (zeile - 1) * 200 + oben,
                                rechts - links, unten - oben);
        EXPECT_LE(abweichende_pixel(t, v), 4) << zeile << "," << spalte;
    }
    // Every label drawn once on the one picture, no two covering each other.
    std::vector<QRectF> boxen;
    for (const Strich& s : gross.aufzeichnungen.at(0)->striche) {
        const int i = farbindex(l.f, s.farbe);
        if (s.art == "box" && (i == farbe_nummer_strassen || i == farbe_nummer_gebaeude ||
                               i == farbe_nummer_plaetze || i == farbe_nummer_parks))
            boxen.emplace_back(s.punkte[0], s.punkte[1]);
    }
    ASSERT_EQ(boxen.size(), 5u + 8u);
    for (std::size_t i = 0; i < boxen.size(); ++i)
        for (std::size_t j = i + 1; j < boxen.size(); ++j)
            EXPECT_FALSE(boxen[i].intersected(boxen[j]).isValid()) << i << " " << j;
    // The column comes first in the sheet order within a row.
    EXPECT_EQ(kacheln.blaetter[1], std::make_pair(1, 2));
}

// A zoomed section of long straight streets, a long wall and the inside of a
// park: the joined 5 x 5 tiles equal one picture of the same section, though
// most segments cross tiles with both ends elsewhere.
TEST(Stadtplan, GezoomteKachelnFuegenSichZumGanzenBild) {
    Lauf l;
    l.o.export_schriftgroesse = 9;
    // A numbered square whose label sits where four tiles meet.
    l.m.n_plaetze = 2;
    l.m.plaetze.resize(std::max<std::size_t>(l.m.plaetze.size(), 3));
    flaeche_setzen(l.m.plaetze[2],
                   {{271.1f, 221.9f}, {287.2f, 222.1f}, {286.9f, 237.8f}, {271.3f, 237.6f}}, 2.0f,
                   1.0f, 2.0f);
    l.m.plaetze[2].nummer = 4;
    const auto lang = [&](int nr, float breite, float x1, float y1, float x2, float y2) {
        Weg& w = l.m.wege[static_cast<std::size_t>(nr)];
        w = Weg{};
        w.breite = breite;
        w.punkt_setzen(1, x1, y1);
        w.punkt_setzen(2, x2, y2);
        w.n_punkte = 2;
        l.m.n_wege = std::max<std::int16_t>(l.m.n_wege, static_cast<std::int16_t>(nr));
    };
    lang(6, 3.0f, 150.3f, 229.1f, 421.7f, 238.9f);
    lang(7, 2.0f, 271.9f, 99.3f, 289.2f, 401.1f);
    lang(8, 1.0f, 255.1f, 250.2f, 310.7f, 209.9f);
    l.m.mauer_x = {0, 240.2f, 320.7f};
    l.m.mauer_y = {0, 219.6f, 247.3f};
    l.m.mauer_flag = {0, 1, 1};
    l.m.mauer_n_punkte = 2;
    l.a = Bildausschnitt{10.0f, 263.0f, 213.7f};

    constexpr int n = 5, seite = 100;
    l.o.export_matrix = n;
    Testziel kacheln(seite, seite);
    ASSERT_EQ(l.zeichnen(kacheln).art(), Fehlerart::keiner);
    ASSERT_EQ(kacheln.bilder.size(), static_cast<std::size_t>(n * n));
    QImage gefuegt(n * seite, n * seite, QImage::Format_RGB32);
    {
        QPainter p(&gefuegt);
        for (std::size_t k = 0; k < kacheln.bilder.size(); ++k) {
            const auto [zeile, spalte] = kacheln.blaetter[k];
            p.drawImage((spalte - 1) * seite, (zeile - 1) * seite, kacheln.bilder[k]);
        }
    }
    l.o.export_matrix = 1;
    Testziel eins(n * seite, n * seite);
    ASSERT_EQ(l.zeichnen(eins).art(), Fehlerart::keiner);
    const QImage& g = eins.bilder.at(0);

    // The section shows park and streets, not bare ground.
    EXPECT_GT(zaehle(g, l.f.farbe[farbe_parks] | 0xff000000u), 1000);
    EXPECT_LT(abweichende_pixel(gefuegt, g), n * seite * n * seite / 5000)
        << "of " << n * seite * n * seite;
}

TEST(Stadtplan, ScanlinienFuellenGanzePixel) {
    Stadtmodell m;
    m.dimensionieren(1, 10, 5, 0, 0);
    m.stadt_abmessung = 100.0f;
    rechteck_haus(m, 10.2f, 20.3f, 30.4f, 40.1f);
    // A diamond: rows narrow towards top and bottom.
    Haus& h = m.haeuser[static_cast<std::size_t>(m.haus_naechster++)];
    h.ecke_x = {0, 70.0f, 80.0f, 70.0f, 60.0f, 70.0f};
    h.ecke_y = {0, 50.0f, 60.0f, 70.0f, 60.0f, 50.0f};
    Druckfarben f = testfarben();
    Druckoptionen o;
    Testziel ziel(100, 100);
    Zeichenauftrag a{m, f, o, Bildausschnitt{}, nullptr};
    ASSERT_EQ(stadtplan_zeichnen(a, ziel).art(), Fehlerart::keiner);
    const QImage& b = ziel.bilder.at(0);
    const QRgb haus = f.farbe[farbe_gebaeude], grund = f.farbe[farbe_hintergrund];
    // Corners at pixels (10, 20) and (30, 40), both rows and columns included.
    EXPECT_EQ(b.pixel(10, 20), haus);
    EXPECT_EQ(b.pixel(30, 40), haus);
    EXPECT_EQ(b.pixel(9, 30), grund);
    EXPECT_EQ(b.pixel(31, 30), grund);
    EXPECT_EQ(b.pixel(20, 19), grund);
    EXPECT_EQ(b.pixel(20, 41), grund);
    // Diamond: one pixel at the tips, 21 across the middle row.
    int mitte = 0, spitze = 0;
    for (int x = 0; x < 100; ++x) {
        mitte += b.pixel(x, 60) == haus;
        spitze += b.pixel(x, 50) == haus;
    }
    EXPECT_EQ(mitte, 21);
    EXPECT_EQ(spitze, 1);
    EXPECT_EQ(zaehle(b, haus), 21 * 21 + 11 * 11 + 10 * 10);
}

TEST(Stadtplan, RundeHaeuserAusRingen) {
    Stadtmodell m;
    m.dimensionieren(1, 10, 5, 0, 0);
    m.stadt_abmessung = 100.0f;
    rundes_haus(m, 50.3f, 50.3f, 10.0f);
    rundes_haus(m, 20.3f, 20.3f, 0.4f); // a dot
    rundes_haus(m, 80.3f, 20.3f, 0.3f); // nothing
    Druckfarben f = testfarben();
    Druckoptionen o;
    Testziel ziel(200, 200);
    Zeichenauftrag a{m, f, o, Bildausschnitt{}, nullptr};
    ASSERT_EQ(stadtplan_zeichnen(a, ziel).art(), Fehlerart::keiner);
    std::vector<double> radien;
    for (const Strich& s : ziel.aufzeichnungen.at(0)->striche)
        if (s.art == "kreis") radien.push_back(s.radius);
    // s = 2 px per metre: rings every 0.2 px from 0 to (5 - 0.2) x 2, then one dot.
    ASSERT_EQ(radien.size(), 49u + 1u);
    EXPECT_DOUBLE_EQ(radien[0], 0.0);
    EXPECT_NEAR(radien[48], 9.6, 1e-4);
    EXPECT_DOUBLE_EQ(radien[49], 0.0);

    // Outlines only: one circle each, the tiny ones as dots.
    o.export_nur_umriss = true;
    Testziel umriss(200, 200);
    ASSERT_EQ(stadtplan_zeichnen(a, umriss).art(), Fehlerart::keiner);
    int kreise = 0;
    for (const Strich& s : umriss.aufzeichnungen.at(0)->striche)
        if (s.art == "kreis") {
            ++kreise;
            EXPECT_NEAR(s.breite, 2 * 0.2 + 1, 1e-6);
        }
    EXPECT_EQ(kreise, 3);
}

TEST(Stadtplan, NurUmrisseZeichnetVierKanten) {
    Lauf l;
    l.o.export_nur_umriss = true;
    Testziel ziel(400, 400);
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    int kanten = 0, boxen = 0;
    for (const Strich& s : ziel.aufzeichnungen.at(0)->striche) {
        if (farbindex(l.f, s.farbe) != farbe_gebaeude) continue;
        if (s.art == "box") ++boxen;
        if (s.art != "umriss") continue;
        ++kanten;
        // One closed line of four edges, drawn inside the building's corners.
        ASSERT_EQ(s.punkte.size(), 4u);
        bool innen = false;
        for (std::size_t b = 1; b <= 3; ++b) {
            const Haus& h = l.m.haeuser[b];
            bool alle = true;
            for (const QPointF& p : s.punkte)
                alle = alle && p.x() >= h.ecke_x[1] + s.breite / 2 - 1e-6 &&
                       p.x() <= h.ecke_x[2] - s.breite / 2 + 1e-6 &&
                       p.y() >= h.ecke_y[1] + s.breite / 2 - 1e-6 &&
                       p.y() <= h.ecke_y[3] - s.breite / 2 + 1e-6;
            innen = innen || alle;
        }
        EXPECT_TRUE(innen);
    }
    EXPECT_EQ(kanten, 3);
    EXPECT_EQ(boxen, 0);
}

// Thirty numbered buildings crowded far closer than their labels are large:
// every label covers its anchor or is joined to it by a line from the
// anchor to its box, and no two boxes come within a pixel of each other.
TEST(Stadtplan, BeschriftungenAufDemAnkerOderAngebunden) {
    Lauf l;
    l.m = Stadtmodell{};
    l.m.dimensionieren(2, 10, 40, 1, 1);
    l.m.stadt_abmessung = 400.0f;
    l.o.export_schriftgroesse = 12;
    for (int i = 0; i < 30; ++i) {
        const float x = 230.3f + 4.1f * static_cast<float>(i % 6);
        const float y = 280.2f + 4.3f * static_cast<float>(i / 6);
        rechteck_haus(l.m, x, y, x + 2.0f, y + 2.0f);
        l.m.haeuser[static_cast<std::size_t>(l.m.haus_naechster - 1)].nummer =
            static_cast<std::int16_t>(100 + i);
    }
    Testziel ziel(400, 400); // 1 pixel per metre
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    const Aufzeichnung& a = *ziel.aufzeichnungen.at(0);
    const auto anker = beschriftungen_sammeln(l.m, l.o, a);
    std::vector<QRectF> boxen;
    std::vector<QLineF> linien;
    for (const Strich& s : a.striche) {
        if (s.art == "box" && farbindex(l.f, s.farbe) == farbe_nummer_gebaeude)
            boxen.emplace_back(s.punkte[0], s.punkte[1]);
        if (s.art == "linie") linien.emplace_back(s.punkte[0], s.punkte[1]);
    }
    ASSERT_EQ(boxen.size(), anker.size());
    ASSERT_EQ(boxen.size(), 30u);
    const auto abstand = [](const QRectF& r, QPointF p) {
        return std::hypot(std::max({r.left() - p.x(), 0.0, p.x() - r.right()}),
                          std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()}));
    };
    int auf = 0, angebunden = 0;
    for (std::size_t i = 0; i < boxen.size(); ++i) {
        const QPointF p(anker[i].x, anker[i].y);
        if (boxen[i].contains(p)) {
            ++auf;
            continue;
        }
        bool linie = false;
        for (const QLineF& li : linien)
            linie =
                linie || (QLineF(li.p1(), p).length() < 1e-3 && abstand(boxen[i], li.p2()) < 1e-3);
        EXPECT_TRUE(linie) << anker[i].nummer;
        angebunden += linie ? 1 : 0;
    }
    EXPECT_GT(auf, 0);
    EXPECT_GT(angebunden, 0);
    for (std::size_t i = 0; i < boxen.size(); ++i)
        for (std::size_t j = i + 1; j < boxen.size(); ++j)
            EXPECT_FALSE(boxen[i].adjusted(-1, -1, 1, 1).intersects(boxen[j])) << i << " " << j;
}

// Kinds of labels differ in shape and in a dark frame that shows on white
// streets as on the ground; squares stand apart from the ground in the
// colours the program starts with.
TEST(Stadtplan, BeschriftungsartenUndPlaetzeSichtbar) {
    Lauf l;
    l.f = Druckfarben::standard();
    l.o.export_schriftgroesse = 9;
    Testziel ziel(400, 400);
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    std::set<QRgb> rahmen;
    std::set<double> formen;
    for (const Strich& s : ziel.aufzeichnungen.at(0)->striche)
        if (s.art == "rahmen") {
            rahmen.insert(s.farbe);
            formen.insert(s.radius);
            EXPECT_GE(255 - std::min({qRed(s.farbe), qGreen(s.farbe), qBlue(s.farbe)}), 100);
        }
    EXPECT_EQ(rahmen.size(), 4u); // street, building, square, park
    EXPECT_EQ(formen.size(), 4u);
    const QRgb platz = l.f.farbe[farbe_plaetze], grund = l.f.farbe[farbe_hintergrund];
    EXPECT_GE(std::abs(qRed(platz) - qRed(grund)) + std::abs(qGreen(platz) - qGreen(grund)) +
                  std::abs(qBlue(platz) - qBlue(grund)),
              60);
    EXPECT_GT(zaehle(ziel.bilder.at(0), platz | 0xff000000u), 100);
}

TEST(Stadtplan, Beschriftungen) {
    // No size chosen: the size the numbering slider gives at 10 for the
    // picture, floor(10 x pixel / 2000 + 6 x pixel / 1200) below 1200
    // pixels but at least 5: 8 points at 800 pixels, 5 at 400 and 100,
    // whatever the map's size; the options keep no size.
    for (const float abmessung : {100.0f, 4000.0f}) {
        Lauf l;
        l.m.stadt_abmessung = abmessung;
        for (const auto& [pixel, punkte] :
             {std::pair{800, 8.0}, std::pair{400, 5.0}, std::pair{100, 5.0}}) {
            Testziel ziel(pixel, pixel);
            ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
            EXPECT_DOUBLE_EQ(ziel.aufzeichnungen.at(0)->schriftgroesse, punkte) << abmessung;
        }
        EXPECT_EQ(l.o.export_schriftgroesse, 0);
    }
    Lauf l;
    l.o.export_schriftgroesse = 30; // a chosen size holds
    Testziel ziel(400, 400);
    ASSERT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
    EXPECT_DOUBLE_EQ(ziel.aufzeichnungen.at(0)->schriftgroesse, 30.0);
    std::multiset<QString> texte(ziel.aufzeichnungen[0]->texte.begin(),
                                 ziel.aufzeichnungen[0]->texte.end());
    EXPECT_EQ(texte, (std::multiset<QString>{"7", "12", "3", "1", "2"}));

    // Each kind only when asked for.
    Lauf n;
    n.o.kennzeichnung_wege = n.o.kennzeichnung_plaetze = false;
    Testziel ziel3(400, 400);
    EXPECT_TRUE(n.zeichnen(ziel3).gut());
    std::multiset<QString> rest(ziel3.aufzeichnungen[0]->texte.begin(),
                                ziel3.aufzeichnungen[0]->texte.end());
    EXPECT_EQ(rest, (std::multiset<QString>{"12", "3", "2"}));
}

TEST(Stadtplan, BeschriftungOhneInnenpunktEndet) {
    Lauf l;
    // An outline of three points on one line encloses nothing.
    Flaeche& f = l.m.plaetze[1];
    f.x = {0, 10.0f, 20.0f, 10.0f};
    f.y = {0, 10.0f, 20.0f, 10.0f};
    f.n_punkte = 3;
    Testziel ziel(100, 100);
    EXPECT_EQ(l.zeichnen(ziel).art(), Fehlerart::keiner);
}

namespace {} // namespace

TEST(Stadtplan, AbbruchUndMeldungen) {
    Lauf l;
    l.o.export_matrix = 2;
    Testwirt nie;
    Testziel ziel(100, 100);
    ASSERT_EQ(l.zeichnen(ziel, &nie).art(), Fehlerart::keiner);
    EXPECT_EQ(ziel.beendet, 4);
    EXPECT_EQ(std::count(nie.texte.begin(), nie.texte.end(), "Export Image 4 of 4"), 3);
    EXPECT_EQ(std::count(nie.texte.begin(), nie.texte.end(), "Process Park No. 1"), 4);
    EXPECT_EQ(nie.texte.back(), "Image Export Completed!");

    Testwirt bald;
    bald.abbruch_bei = 31;
    Testziel ziel2(100, 100);
    const Ergebnis e = l.zeichnen(ziel2, &bald);
    EXPECT_EQ(e.art(), Fehlerart::abbruch);
    EXPECT_EQ(ziel2.beendet, 0);
    EXPECT_NE(bald.texte.back(), "Image Export Completed!");
}

TEST(Stadtplan, OhneKarteNichts) {
    Lauf l;
    l.m.stadt_abmessung = 0.0f;
    Testziel ziel(100, 100);
    EXPECT_EQ(l.zeichnen(ziel).art(), Fehlerart::kein_plan);
    EXPECT_TRUE(ziel.bilder.empty());
}
