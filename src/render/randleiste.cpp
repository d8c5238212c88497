#include "render/randleiste.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <algorithm>
#include <cmath>

#include "core/funktionen.h"
#include "core/zahlen.h"
#include "render/druckoptionen.h"
#include "render/renderzustand.h"
#include "render/zeichenflaeche.h"

namespace tarvello {

Rechteck schnittrahmen(const Renderzustand& z) {
    const int n = z.blaetter_je_seite;
    const float h = z.kartenseite;
    Rechteck r;
    r.links = z.blatt_spalte == 1 ? z.rand_links : z.rand_links + 0.1f * h;
    r.oben = z.blatt_zeile == 1 ? z.rand_oben : z.rand_oben + 0.1f * h;
    r.rechts = z.blatt_spalte == n ? z.karte_rechts : z.rand_links + 0.9f * h;
    r.unten = z.blatt_zeile == n ? z.karte_unten : z.rand_oben + 0.9f * h;
    return r;
}

Massstabsbalken massstabsbalken(float v) {
    // The table's bounds are whole tenths; v rounded to one decimal is
    // compared in tenths so that no bound falls between two float values.
    struct Zeile {
        double bis_zehntel;
        float u;
        int n;
    };
    static constexpr Zeile tabelle[] = {
        {10, 0.5f, 5},     {20, 1, 10},         {50, 2, 8},         {100, 5, 5},
        {200, 10, 10},     {500, 20, 8},        {1000, 50, 5},      {2000, 100, 10},
        {5000, 200, 8},    {10000, 500, 5},     {20000, 1000, 10},  {50000, 2000, 8},
        {100000, 5000, 5}, {200000, 10000, 10}, {500000, 20000, 8}, {1000000, 50000, 5},
    };
    const double zehntel = runden(static_cast<double>(v * 10.0f));
    for (const Zeile& z : tabelle)
        if (zehntel <= z.bis_zehntel) return {z.u, z.n};
    const Zeile& letzte = tabelle[std::size(tabelle) - 1];
    return {letzte.u, letzte.n};
}

namespace {

constexpr float abstand_teile = 0.2f;     // at least between two parts, one above the other
constexpr float abstand_seitlich = 0.05f; // between the bar's ticks and the rose beside them
constexpr float bezugslaenge = 4.0f;      // longest scale bar
constexpr float rose_radius = 1.65f;
constexpr float zelle_voll = 0.35f;
constexpr float balken_breite = 0.5f; // the bar with its end ticks

// The panel for size factor f (bar, rose and grid) and space factor t (1:
// today's free space, 0: the least); false when the parts do not fit.
bool anordnen(const Randleistenmasse& m, float f, float t, Randleistenplan& p) {
    const float x0 = m.karte_rechts + 1.0f;
    const float seite_rechts =
        m.seitenbreite > 0.0f ? m.seitenbreite : m.karte_rechts + randleiste_breite;
    const float x1 = seite_rechts - m.rand;
    const float lh = m.text_hoehe;
    p = Randleistenplan{};
    p.kasten = {m.karte_rechts, m.oben, std::min(m.karte_rechts + randleiste_breite, seite_rechts),
                m.unten};
    p.titel_platz = std::max(0.0f, std::min(titel_breite_max, x1 - x0));

    const float titel_oben = m.oben + 0.3f + t * 1.7f;
    p.titel = {x0, titel_oben, x0 + p.titel_platz, titel_oben + m.titel_hoehe};
    // The bar starts 4 cm down, 2 cm below the title's top.
    const float luecke = std::max(0.4f, 2.0f - m.titel_hoehe);
    const float balken_oben = p.titel.unten + 0.4f + t * (luecke - 0.4f);
    // A shorter reference stands for correspondingly fewer map units, so the
    // bar still measures the map; the table's shortest bar may exceed a very
    // short reference, then the bar's own length is kept free.
    const float bezug = bezugslaenge * f;
    p.teilung = massstabsbalken(bezug / m.massstab);
    p.balken_laenge = p.teilung.laenge * m.massstab;
    const float balken_unten = balken_oben + std::max({bezug, p.balken_laenge, lh});
    p.balken = {x0, balken_oben, x0 + balken_breite, balken_unten};
    p.balkentext = {x0 + 1.0f, balken_oben, x0 + 1.0f + m.balkentext_breite, balken_oben + lh};

    // The letters sit at 1.3 radii around the centre, 3 cm right of the
    // panel's left edge unless the page ends sooner. A rose clear of the bar
    // sideways may reach up beside it, below the label, as long as the letter
    // on its centre line, the one nearest the bar, lies below the bar's end.
    p.kompass_radius = rose_radius * f;
    const float e = 1.3f * p.kompass_radius + m.buchstabe / 2.0f;
    p.kompass_x = std::min(x0 + 3.0f, x1 - e);
    const bool daneben = p.kompass_x - e >= p.balken.rechts + abstand_seitlich;
    const float kompass_oben =
        daneben ? std::max({p.balkentext.unten + abstand_teile,
                            balken_unten + abstand_teile + m.buchstabe / 2.0f - e,
                            m.oben + t * (10.0f - e)})
                : std::max(balken_unten + abstand_teile, m.oben + t * (10.0f - e));
    p.kompass_y = kompass_oben + e;
    p.kompass = {p.kompass_x - e, kompass_oben, p.kompass_x + e, kompass_oben + 2.0f * e};

    const float belegt = std::max(p.kompass.unten, balken_unten);
    const float boden = m.unten - 0.3f - t * 0.7f;
    bool gut = p.kompass.links >= x0 && p.kompass.rechts <= x1 && p.balkentext.rechts <= x1 &&
               p.titel_platz > 0.0f;
    const int n = m.blaetter;
    if (n > 1) {
        p.zelle = std::min(zelle_voll * f, (x1 - x0) / static_cast<float>(n));
        p.planquadrate = {x0, boden - static_cast<float>(n) * p.zelle,
                          x0 + static_cast<float>(n) * p.zelle, boden};
        gut = gut && p.planquadrate.oben >= belegt + abstand_teile;
    } else {
        gut = gut && belegt <= boden;
    }
    p.passt = gut;
    return gut;
}

} // namespace

Randleistenplan randleiste_anordnen(const Randleistenmasse& m) {
    // The parts keep their size as long as giving up free space suffices;
    // they shrink together only as far as needed.
    Randleistenplan p;
    for (int f = 100; f >= 20; --f)
        for (int t = 50; t >= 0; --t)
            if (anordnen(m, static_cast<float>(f) / 100.0f, static_cast<float>(t) / 50.0f, p))
                return p;
    return p;
}

float titel_schriftgroesse(double breite_bei_14, float platz) {
    if (!(breite_bei_14 > platz) || !(platz > 0.0f)) return titel_punkte;
    return static_cast<float>(titel_punkte * platz / breite_bei_14);
}

float nordrichtung(int knopf) {
    const float grad = static_cast<float>(std::clamp(knopf, 0, 11) * 30 + 90);
    return grad * pi / 180.0f;
}

void schnittrahmen_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z, const Druckoptionen& o,
                            QColor farbe) {
    // A single sheet is not cut.
    if (!o.druck_schnittmarken || z.blaetter_je_seite <= 1) return;
    const Rechteck r = schnittrahmen(z);
    // About 0.2 mm on paper whatever the printer (widths are in device pixels,
    // the page in centimetres).
    const double breite = std::max(1.0, 0.02 * static_cast<double>(z.pixel_je_einheit));
    flaeche.rechteck(r.links, r.oben, r.rechts, r.unten, breite, farbe);
}

// The white panel right of the map with the title, the sheet grid, the scale
// bar and the compass rose. Sheet 1 always carries all four; the options put
// them on every other sheet too.
void randleiste_zeichnen(Zeichenflaeche& flaeche, const Renderzustand& z, const Druckoptionen& o,
                         const QString& stadtname, int nord_knopf) {
    const QColor schwarz(0, 0, 0);
    const bool erstes = z.blatt_nummer == 1;
    // The panel has its own area; the map's clip would hide it.
    flaeche.beschneiden(z.karte_rechts, 0.0,
                        std::max(z.seitenbreite, z.karte_unten + randleiste_breite) +
                            z.karte_unten);

    QFont schrift = Zeichenflaeche::beschriftungsschrift(titel_punkte);
    schrift.setBold(true);
    flaeche.schrift_setzen(schrift);
    const QFont klein = Zeichenflaeche::beschriftungsschrift(12.0);
    Randleistenmasse masse;
    masse.seitenbreite = z.seitenbreite;
    masse.karte_rechts = z.karte_rechts;
    masse.oben = z.rand_oben;
    masse.unten = z.karte_unten;
    masse.rand = z.rand_links;
    masse.blaetter = z.blaetter_je_seite;
    masse.massstab = z.massstab;
    masse.titel_hoehe = static_cast<float>(flaeche.text_hoehe(stadtname));
    flaeche.schrift_setzen(klein);
    masse.text_hoehe = static_cast<float>(flaeche.text_hoehe(QStringLiteral("0m")));
    masse.balkentext_breite = static_cast<float>(flaeche.text_breite(QStringLiteral("50000m")));
    const char* buchstaben[] = {"N", "W", "S", "O"};
    for (const char* b : buchstaben) {
        const QString t = QString::fromLatin1(b);
        masse.buchstabe = std::max({masse.buchstabe, static_cast<float>(flaeche.text_breite(t)),
                                    static_cast<float>(flaeche.text_hoehe(t))});
    }
    const Randleistenplan plan = randleiste_anordnen(masse);

    const Rechteck& k = plan.kasten;
    flaeche.rechteck_gefuellt(k.links, k.oben, k.rechts, k.unten, QColor(255, 255, 255));

    if (o.druck_bezeichnung || erstes) {
        flaeche.schrift_setzen(schrift);
        // Narrow pages (Letter) shrink the title further, so it stays on the
        // page.
        const float platz = plan.titel_platz;
        float punkte = titel_schriftgroesse(flaeche.text_breite(stadtname), platz);
        // Text widths do not shrink quite in step with the size on coarse
        // devices (hinting); a second look keeps the title within its room.
        for (int versuch = 0; versuch < 3 && punkte != titel_punkte; ++versuch) {
            schrift.setPointSizeF(punkte);
            flaeche.schrift_setzen(schrift);
            const double breite = flaeche.text_breite(stadtname);
            if (breite <= platz * 1.002) break;
            punkte = static_cast<float>(punkte * platz / breite);
        }
        flaeche.position_setzen(plan.titel.links, plan.titel.oben);
        flaeche.text(stadtname);
    }

    const int n = z.blaetter_je_seite;
    if ((o.druck_planquadrate || erstes) && n > 1) {
        const double seite = plan.zelle;
        for (int zeile = 1; zeile <= n; ++zeile)
            for (int t = 1; t <= n; ++t) {
                const double x = plan.planquadrate.links + (t - 1) * seite;
                const double y = plan.planquadrate.oben + (zeile - 1) * seite;
                if ((zeile - 1) * n + t == z.blatt_nummer)
                    flaeche.rechteck_gefuellt(x, y, x + seite, y + seite, schwarz);
                flaeche.rechteck(x, y, x + seite, y + seite, 4.0, schwarz);
            }
    }

    if (o.druck_massstab || erstes) {
        const double sx = plan.balken.links, y0 = plan.balken.oben;
        const double l = plan.balken_laenge;
        const int segmente = plan.teilung.segmente;
        for (int a = 0; a < segmente; ++a) {
            const double y1 = y0 + a * l / segmente, y2 = y0 + (a + 1) * l / segmente;
            if (a % 2 == 0) flaeche.rechteck_gefuellt(sx, y1, sx + 0.2, y2, schwarz);
            flaeche.rechteck(sx, y1, sx + 0.2, y2, 3.0, schwarz);
        }
        flaeche.schrift_setzen(klein);
        flaeche.position_setzen(plan.balkentext.links, plan.balkentext.oben);
        flaeche.text(QString::number(static_cast<double>(plan.teilung.laenge)) + QLatin1Char('m'));
        flaeche.linie(sx, y0, plan.balken.rechts, y0, 3.0, schwarz);
        flaeche.linie(sx, y0 + l, plan.balken.rechts, y0 + l, 3.0, schwarz);
    }

    if (o.druck_kompass || erstes) {
        const float cx = plan.kompass_x, cy = plan.kompass_y;
        const float r_rose = plan.kompass_radius;
        const float nord = nordrichtung(nord_knopf);
        const float grad = pi / 180.0f;
        // 16 rays: 4 long ones to the cardinal points, 4 middle, 8 short.
        for (int b = 0; b < 16; ++b) {
            const float a = static_cast<float>(b) * 22.5f * grad + nord;
            const float r = b % 4 == 0 ? r_rose : (b % 2 == 0 ? 0.75f * r_rose : r_rose / 2.0f);
            const float w = 0.24f * r_rose;
            const float tx = cx + r * std::cos(a), ty = cy - r * std::sin(a);
            const float ax = cx + w * std::cos(a - 0.18f), ay = cy - w * std::sin(a - 0.18f);
            const float bx = cx + w * std::cos(a + 0.18f), by = cy - w * std::sin(a + 0.18f);
            flaeche.linie(cx, cy, tx, ty, 3.0, schwarz);
            flaeche.linie(ax, ay, tx, ty, 3.0, schwarz);
            flaeche.linie(bx, by, tx, ty, 3.0, schwarz);
        }
        flaeche.schrift_setzen(klein);
        for (int i = 0; i < 4; ++i) {
            const float a = nord + static_cast<float>(i) * 90.0f * grad;
            const QString t = QString::fromLatin1(buchstaben[i]);
            const double x = cx + 1.3f * r_rose * std::cos(a);
            const double y = cy - 1.3f * r_rose * std::sin(a);
            flaeche.position_setzen(x - flaeche.text_breite(t) / 2.0,
                                    y - flaeche.text_hoehe(t) / 2.0);
            flaeche.text(t);
        }
    }
}

} // namespace tarvello
