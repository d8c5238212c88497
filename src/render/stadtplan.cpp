#include "render/stadtplan.h"

#include <QFont>
#include <QLineF>
#include <QPointF>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "areas/fuellpunkte.h"
#include "core/funktionen.h"
#include "core/vektorzustand.h"
#include "core/wirt.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"
#include "render/randleiste.h"
#include "render/zeichenflaeche.h"

namespace tarvello {

void Renderzustand::bild_vorbereiten(float stadt_abmessung, const Bildausschnitt& a, int matrix,
                                     float hoehe) {
    art = Zielart::bild;
    karten_ausdehnung = stadt_abmessung / a.zoom;
    ursprung_x = a.x;
    ursprung_y = a.y;
    blaetter_je_seite = matrix;
    blatt_ueberlappung = 0.0f;
    blatt_zoom = static_cast<float>(matrix);
    rand_links = rand_oben = 0.0f;
    kartenseite = hoehe;
    karte_unten = karte_rechts = hoehe;
    massstab = kartenseite * blatt_zoom / karten_ausdehnung;
    linienfaktor = static_cast<float>(ganz(massstab * 2.2f)) + 1.0f;
    pixel_je_einheit = 1.0f;
}

void Renderzustand::drucker_vorbereiten(float stadt_abmessung, float karten_faktor, int n,
                                        float seitenhoehe, float breite, float pixel_je_cm) {
    art = Zielart::drucker;
    blaetter_je_seite = n;
    blatt_ueberlappung = 0.1f;
    blatt_zoom = n == 1 ? 1.0f : 0.8f * static_cast<float>(n);
    rand_oben = rand_links = 0.2f;
    kartenseite = seitenhoehe - 0.4f;
    karte_unten = karte_rechts = kartenseite + 0.2f;
    seitenbreite = breite;
    karten_ausdehnung = stadt_abmessung;
    ursprung_x = ursprung_y = 0.0f;
    massstab = kartenseite * blatt_zoom / karten_ausdehnung;
    // Widths follow the printer's resolution, so a street is as wide on paper
    // whatever the printer.
    const float p = seitenhoehe * pixel_je_cm;
    linienfaktor = p * (karten_faktor * blatt_zoom * 4.2f) / karten_ausdehnung;
    pixel_je_einheit = pixel_je_cm;
}

void Renderzustand::blatt_setzen(int zeile, int spalte) {
    blatt_zeile = zeile;
    blatt_spalte = spalte;
    blatt_nummer = (zeile - 1) * blaetter_je_seite + spalte;
    const double n = blaetter_je_seite;
    const double h = blaetter_je_seite == 1 ? 0.0 : blatt_ueberlappung * 0.5 / blatt_zoom;
    ausschnitt_x = (static_cast<double>(spalte - 1) / n - h) * karten_ausdehnung + ursprung_x;
    ausschnitt_y = (static_cast<double>(zeile - 1) / n - h) * karten_ausdehnung + ursprung_y;
}

QPointF Renderzustand::karte_nach_geraet(float x, float y) const {
    return {(x - ausschnitt_x) * massstab + rand_links, (y - ausschnitt_y) * massstab + rand_oben};
}

namespace {
// The device box [x1, x2] x [y1, y2] overlaps the drawing square. The
// square's bottom edge limits both axes. Its edges belong to it; a millionth
// of the side absorbs rounding in the scale, so a point on the map's edge
// is on the map.
bool box_im_quadrat(const Renderzustand& z, double x1, double y1, double x2, double y2) {
    const double m = 1e-6 * z.kartenseite;
    return x2 >= z.rand_links - m && x1 <= z.karte_unten + m && y2 >= z.rand_oben - m &&
           y1 <= z.karte_unten + m;
}
} // namespace

bool Renderzustand::rechteck_sichtbar(float x1, float y1, float x2, float y2) const {
    // A view lying wholly inside the box shows part of it although no corner
    // is visible, so the boxes are compared rather than the corners.
    const double ax = (x1 - ausschnitt_x) * massstab + rand_links;
    const double ay = (y1 - ausschnitt_y) * massstab + rand_oben;
    const double bx = (x2 - ausschnitt_x) * massstab + rand_links;
    const double by = (y2 - ausschnitt_y) * massstab + rand_oben;
    return box_im_quadrat(*this, std::min(ax, bx), std::min(ay, by), std::max(ax, bx),
                          std::max(ay, by));
}

bool Renderzustand::box_sichtbar(double x1, double y1, double x2, double y2) const {
    return box_im_quadrat(*this, x1, y1, x2, y2);
}

bool Renderzustand::strecke_sichtbar(QPointF a, QPointF b, double breite) const {
    // Half the width, and a pixel for the smoothed rim, in device units.
    const double r = (breite / 2.0 + 1.0) / pixel_je_einheit;
    return box_im_quadrat(*this, std::min(a.x(), b.x()) - r, std::min(a.y(), b.y()) - r,
                          std::max(a.x(), b.x()) + r, std::max(a.y(), b.y()) + r);
}

Wegklasse wegklasse(float breite, float breite_min, float breite_max) {
    Wegklasse k;
    // A map whose streets are all equally wide has one class; widths beyond
    // the bounds (a loaded map) stay in the outer classes instead of vanishing.
    if (breite_max > breite_min)
        k.r = begrenzen_01((breite - breite_min) / (breite_max - breite_min));
    else
        k.r = 1.0f;
    k.klasse = static_cast<int>(ganz(5.0f * k.r)) + 1;
    k.farbe = static_cast<int>(runden(2.5f - 2.0f * k.r));
    return k;
}

namespace {

constexpr int n_klassen = 5;
// Fill points kept between sheets, all areas together: beyond this an area's
// points are made again for each sheet instead of being kept.
constexpr std::size_t fuellpunkte_behalten_max = 4'000'000;
// Hatch lines of one printed building: far above what a building of a run
// needs even on 20 x 20 sheets; a building from a file spanning kilometres
// is hatched more coarsely instead of with billions of lines.
constexpr int schraffur_max = 100'000;
// Rings of one round building or tower, likewise.
constexpr int ringe_max = 100'000;
// A disc needing more rings than this, packed closer than their width, is
// filled instead: it looks the same, and a file with many huge round
// buildings draws in bounded time.
constexpr double ringe_fuellen_ab = 1000;
// Edge tests for the fill points of all squares and parks of one drawing.
constexpr double fuellarbeit_max = 3.0e9;

// A number label: its element's anchor on the map, its text and colour, the
// half-extents of its box around the centre (left a, right 0.95 a, b up and
// down) and the offset its placement chose, in device units.
struct Beschriftung {
    float x = 0, y = 0;
    int nummer = 0;
    int farbe = 0;
    double a = 0, b = 0;
    double dx = 0, dy = 0;
};

class Zeichner {
  public:
    Zeichner(const Zeichenauftrag& a, Blattziel& z)
        : auf_(a), m_(a.modell), f_(a.farben), o_(a.optionen), ziel_(z) {}

    Ergebnis ausfuehren();

  private:
    // After each host call: the state the host's code may leave (core/vektorzustand.h).
    void status(Status s) {
        if (auf_.wirt) auf_.wirt->status(s);
        vektorzustand_leeren();
    }
    void fortschritt(float prozent) {
        if (auf_.wirt) auf_.wirt->fortschritt(prozent);
        vektorzustand_leeren();
    }
    void nachgeben() {
        if (auf_.wirt && auf_.wirt->nachgeben()) abbruch_ = true;
        vektorzustand_leeren();
    }
    bool bild() const { return z_.art != Zielart::drucker; }

    Ergebnis drucker_vorbereiten();
    void blatt_meldung();
    bool blatt_zeichnen();
    void schnittrahmen_zeichnen();
    void flaechen_zeichnen(bool parks);
    bool wege_zeichnen(float breitenfaktor, bool umriss, int durchgang);
    bool gebaeude_zeichnen();
    void mauer_zeichnen();
    void nummern_zeichnen();
    void seitenleiste_zeichnen();

    void viereck_zeichnen(const float* ex, const float* ey, int farbe);
    void viereck_abtasten(const float* ex, const float* ey, QColor farbe);
    void viereck_drucken(const float* ex, const float* ey, QColor farbe);
    void kreis_zeichnen(float x, float y, float groesse, int farbe);
    void nummer_zeichnen(const Beschriftung& b);
    void beschriftungen_sammeln();
    void beschriftungen_anordnen();

    // Strokes the collected run of points and starts a new one.
    void zug_abschliessen(double breite, QColor farbe);

    const Zeichenauftrag& auf_;
    const Stadtmodell& m_;
    const Druckfarben& f_;
    const Druckoptionen& o_;
    Blattziel& ziel_;
    Zeichenflaeche* flaeche_ = nullptr;
    Renderzustand z_;
    bool abbruch_ = false;
    std::vector<QPointF> zug_;
    std::vector<QLineF> striche_; // hatch lines of one building
    // Fill points depend on the area only, so every sheet reuses them.
    std::vector<Fuellpunkte> park_punkte_, platz_punkte_;
    std::vector<std::uint8_t> park_bereit_, platz_bereit_;
    std::size_t fuellpunkte_behalten_ = 0;
    double fuellarbeit_rest_ = fuellarbeit_max;
    // Labels are gathered and placed once per run, so every sheet shows
    // each at the same place.
    std::vector<Beschriftung> beschriftungen_;
    bool beschriftungen_bereit_ = false;
};

Ergebnis Zeichner::ausfuehren() {
    if (m_.stadt_abmessung == 0.0f) return Ergebnis::fehler(Fehlerart::kein_plan, "", "");
    const Ergebnis abgebrochen = Ergebnis::fehler(Fehlerart::abbruch, "", "");
    abbruch_ = false;
    z_.art = ziel_.art();
    if (z_.art == Zielart::drucker) {
        if (Ergebnis e = drucker_vorbereiten(); !e.gut()) return e;
    } else {
        z_.bild_vorbereiten(m_.stadt_abmessung, auf_.ausschnitt, std::max(1, o_.export_matrix),
                            ziel_.seitenhoehe());
        z_.art = ziel_.art();
    }
    park_punkte_.assign(static_cast<std::size_t>(std::max<int>(0, m_.n_parks)) + 1, {});
    platz_punkte_.assign(static_cast<std::size_t>(std::max<int>(0, m_.n_plaetze)) + 1, {});
    park_bereit_.assign(park_punkte_.size(), 0);
    platz_bereit_.assign(platz_punkte_.size(), 0);
    fuellpunkte_behalten_ = 0;
    fuellarbeit_rest_ = fuellarbeit_max;
    beschriftungen_.clear();
    beschriftungen_bereit_ = false;

    const int n = z_.blaetter_je_seite;
    z_.blatt_zaehler = 0;
    for (int zeile = 1; zeile <= n; ++zeile) {
        for (int spalte = 1; spalte <= n; ++spalte) {
            nachgeben();
            if (abbruch_) return abgebrochen;
            if (z_.art == Zielart::drucker && o_.ausschnitt_modus &&
                o_.blatt_gewaehlt(zeile, spalte) != 1)
                continue;
            ++z_.blatt_zaehler;
            z_.blatt_setzen(zeile, spalte);
            blatt_meldung();
            flaeche_ = nullptr;
            if (Ergebnis e = ziel_.blatt_beginnen(zeile, spalte, flaeche_); !e.gut()) {
                flaeche_ = nullptr;
                return e;
            }
            flaeche_->beschneiden(z_.rand_links, z_.rand_oben, z_.kartenseite);
            if (!blatt_zeichnen()) {
                flaeche_ = nullptr;
                ziel_.blatt_abbrechen();
                return abgebrochen;
            }
            flaeche_ = nullptr;
            if (Ergebnis e = ziel_.blatt_beenden(zeile, spalte); !e.gut()) return e;
        }
    }
    if (z_.art == Zielart::drucker)
        status({Statusart::druck_fertig});
    else
        status({Statusart::export_fertig});
    return {};
}

// Printing places the map on a landscape page in centimetres and measures
// its line widths in printer pixels.
Ergebnis Zeichner::drucker_vorbereiten() {
    const float hoehe = ziel_.seitenhoehe();
    // The map square needs its two margins of 0.2 cm and some room.
    if (!(hoehe > 1.0f) || !(ziel_.pixel_je_einheit() > 0.0f))
        return Ergebnis::fehler(Fehlerart::datei,
                                "die Seite ist zu klein, um den Stadtplan darauf zu drucken",
                                "the page is too small to print the map on");
    const int n = std::clamp(o_.blaetter_je_seite, 1, blaetter_max);
    z_.drucker_vorbereiten(m_.stadt_abmessung, m_.karten_faktor, n, hoehe, ziel_.seitenbreite(),
                           ziel_.pixel_je_einheit());
    return {};
}

void Zeichner::blatt_meldung() {
    const int n = z_.blaetter_je_seite;
    int gesamt = n * n;
    int aktuell = z_.blatt_nummer;
    if (z_.art == Zielart::drucker && o_.ausschnitt_modus) {
        gesamt = 0;
        for (int zeile = 1; zeile <= n; ++zeile)
            for (int spalte = 1; spalte <= n; ++spalte)
                if (o_.blatt_gewaehlt(zeile, spalte) == 1) ++gesamt;
        aktuell = z_.blatt_zaehler;
    }
    status({z_.art == Zielart::drucker ? Statusart::drucke_blatt : Statusart::exportiere_grafik,
            aktuell, gesamt});
}

bool Zeichner::blatt_zeichnen() {
    flaeche_->rechteck_gefuellt(z_.rand_links, z_.rand_oben, z_.karte_rechts, z_.karte_unten,
                                f_[farbe_hintergrund]);

    flaechen_zeichnen(true);
    blatt_meldung();
    flaechen_zeichnen(false);
    blatt_meldung();

    // Outline passes first, so the narrower fill passes leave a rim; in each,
    // narrow streets before wide ones so that wide ones lie on top.
    for (int durchgang = 1; durchgang <= n_klassen + 1; ++durchgang)
        if (!wege_zeichnen(0.55f, true, durchgang)) return false;
    for (int durchgang = 1; durchgang <= n_klassen + 1; ++durchgang)
        if (!wege_zeichnen(0.45f, false, durchgang)) return false;

    if (!gebaeude_zeichnen()) return false;
    mauer_zeichnen();
    nummern_zeichnen();
    // The cut line lies on top of the map, so no street or river hides it.
    if (z_.art == Zielart::drucker) schnittrahmen_zeichnen();
    if (z_.art == Zielart::drucker) seitenleiste_zeichnen();
    return true;
}

void Zeichner::schnittrahmen_zeichnen() {
    // A single sheet is not cut.
    if (!o_.druck_schnittmarken || z_.blaetter_je_seite <= 1) return;
    const Rechteck r = schnittrahmen(z_);
    // About 0.2 mm on paper whatever the printer (widths are in device pixels,
    // the page in centimetres).
    const double breite = std::max(1.0, 0.02 * static_cast<double>(z_.pixel_je_einheit));
    flaeche_->rechteck(r.links, r.oben, r.rechts, r.unten, breite, f_[farbe_schnittmarken]);
}

// The white panel right of the map with the title, the sheet grid, the scale
// bar and the compass rose. Sheet 1 always carries all four; the options put
// them on every other sheet too.
void Zeichner::seitenleiste_zeichnen() {
    const QColor schwarz(0, 0, 0);
    const bool erstes = z_.blatt_nummer == 1;
    // The panel has its own area; the map's clip would hide it.
    flaeche_->beschneiden(z_.karte_rechts, 0.0,
                          std::max(z_.seitenbreite, z_.karte_unten + randleiste_breite) +
                              z_.karte_unten);

    QFont schrift = Zeichenflaeche::beschriftungsschrift(titel_punkte);
    schrift.setBold(true);
    flaeche_->schrift_setzen(schrift);
    const QFont klein = Zeichenflaeche::beschriftungsschrift(12.0);
    Randleistenmasse masse;
    masse.seitenbreite = z_.seitenbreite;
    masse.karte_rechts = z_.karte_rechts;
    masse.oben = z_.rand_oben;
    masse.unten = z_.karte_unten;
    masse.rand = z_.rand_links;
    masse.blaetter = z_.blaetter_je_seite;
    masse.massstab = z_.massstab;
    masse.titel_hoehe = static_cast<float>(flaeche_->text_hoehe(auf_.stadtname));
    flaeche_->schrift_setzen(klein);
    masse.text_hoehe = static_cast<float>(flaeche_->text_hoehe(QStringLiteral("0m")));
    masse.balkentext_breite = static_cast<float>(flaeche_->text_breite(QStringLiteral("50000m")));
    const char* buchstaben[] = {"N", "W", "S", "O"};
    for (const char* b : buchstaben) {
        const QString t = QString::fromLatin1(b);
        masse.buchstabe = std::max({masse.buchstabe, static_cast<float>(flaeche_->text_breite(t)),
                                    static_cast<float>(flaeche_->text_hoehe(t))});
    }
    const Randleistenplan plan = randleiste_anordnen(masse);

    const Rechteck& k = plan.kasten;
    flaeche_->rechteck_gefuellt(k.links, k.oben, k.rechts, k.unten, QColor(255, 255, 255));

    if (o_.druck_bezeichnung || erstes) {
        flaeche_->schrift_setzen(schrift);
        // Narrow pages (Letter) shrink the title further, so it stays on the
        // page.
        const float platz = plan.titel_platz;
        float punkte = titel_schriftgroesse(flaeche_->text_breite(auf_.stadtname), platz);
        // Text widths do not shrink quite in step with the size on coarse
        // devices (hinting); a second look keeps the title within its room.
        for (int versuch = 0; versuch < 3 && punkte != titel_punkte; ++versuch) {
            schrift.setPointSizeF(punkte);
            flaeche_->schrift_setzen(schrift);
            const double breite = flaeche_->text_breite(auf_.stadtname);
            if (breite <= platz * 1.002) break;
            punkte = static_cast<float>(punkte * platz / breite);
        }
        flaeche_->position_setzen(plan.titel.links, plan.titel.oben);
        flaeche_->text(auf_.stadtname);
    }

    const int n = z_.blaetter_je_seite;
    if ((o_.druck_planquadrate || erstes) && n > 1) {
        const double seite = plan.zelle;
        for (int zeile = 1; zeile <= n; ++zeile)
            for (int t = 1; t <= n; ++t) {
                const double x = plan.planquadrate.links + (t - 1) * seite;
                const double y = plan.planquadrate.oben + (zeile - 1) * seite;
                if ((zeile - 1) * n + t == z_.blatt_nummer)
                    flaeche_->rechteck_gefuellt(x, y, x + seite, y + seite, schwarz);
                flaeche_->rechteck(x, y, x + seite, y + seite, 4.0, schwarz);
            }
    }

    if (o_.druck_massstab || erstes) {
        const double sx = plan.balken.links, y0 = plan.balken.oben;
        const double l = plan.balken_laenge;
        const int segmente = plan.teilung.segmente;
        for (int a = 0; a < segmente; ++a) {
            const double y1 = y0 + a * l / segmente, y2 = y0 + (a + 1) * l / segmente;
            if (a % 2 == 0) flaeche_->rechteck_gefuellt(sx, y1, sx + 0.2, y2, schwarz);
            flaeche_->rechteck(sx, y1, sx + 0.2, y2, 3.0, schwarz);
        }
        flaeche_->schrift_setzen(klein);
        flaeche_->position_setzen(plan.balkentext.links, plan.balkentext.oben);
        flaeche_->text(QString::number(static_cast<double>(plan.teilung.laenge)) +
                       QLatin1Char('m'));
        flaeche_->linie(sx, y0, plan.balken.rechts, y0, 3.0, schwarz);
        flaeche_->linie(sx, y0 + l, plan.balken.rechts, y0 + l, 3.0, schwarz);
    }

    if (o_.druck_kompass || erstes) {
        const float cx = plan.kompass_x, cy = plan.kompass_y;
        const float r_rose = plan.kompass_radius;
        const float nord = nordrichtung(auf_.nord);
        const float grad = pi / 180.0f;
        // 16 rays: 4 long ones to the cardinal points, 4 middle, 8 short.
        for (int b = 0; b < 16; ++b) {
            const float a = static_cast<float>(b) * 22.5f * grad + nord;
            const float r = b % 4 == 0 ? r_rose : (b % 2 == 0 ? 0.75f * r_rose : r_rose / 2.0f);
            const float w = 0.24f * r_rose;
            const float tx = cx + r * std::cos(a), ty = cy - r * std::sin(a);
            const float ax = cx + w * std::cos(a - 0.18f), ay = cy - w * std::sin(a - 0.18f);
            const float bx = cx + w * std::cos(a + 0.18f), by = cy - w * std::sin(a + 0.18f);
            flaeche_->linie(cx, cy, tx, ty, 3.0, schwarz);
            flaeche_->linie(ax, ay, tx, ty, 3.0, schwarz);
            flaeche_->linie(bx, by, tx, ty, 3.0, schwarz);
        }
        flaeche_->schrift_setzen(klein);
        for (int i = 0; i < 4; ++i) {
            const float a = nord + static_cast<float>(i) * 90.0f * grad;
            const QString t = QString::fromLatin1(buchstaben[i]);
            const double x = cx + 1.3f * r_rose * std::cos(a);
            const double y = cy - 1.3f * r_rose * std::sin(a);
            flaeche_->position_setzen(x - flaeche_->text_breite(t) / 2.0,
                                      y - flaeche_->text_hoehe(t) / 2.0);
            flaeche_->text(t);
        }
    }
}

void Zeichner::zug_abschliessen(double breite, QColor farbe) {
    if (zug_.size() >= 2)
        flaeche_->linienzug(zug_.data(), static_cast<int>(zug_.size()), breite, farbe);
    zug_.clear();
}

void Zeichner::flaechen_zeichnen(bool parks) {
    const auto& flaechen = parks ? m_.parks : m_.plaetze;
    const int anzahl =
        std::min<int>(parks ? m_.n_parks : m_.n_plaetze, static_cast<int>(flaechen.size()) - 1);
    auto& cache = parks ? park_punkte_ : platz_punkte_;
    auto& bereit = parks ? park_bereit_ : platz_bereit_;
    const QColor farbe = f_[parks ? farbe_parks : farbe_plaetze];
    for (int q = 1; q <= anzahl; ++q) {
        status({parks ? Statusart::park_prozessieren : Statusart::platz_prozessieren, q});
        nachgeben();
        const Flaeche& fl = flaechen[ix(q)];
        if (!(fl.wert > 0.0f) || fl.n_punkte < 3 || static_cast<int>(fl.x.size()) <= fl.n_punkte)
            continue;
        if (!z_.rechteck_sichtbar(fl.x_min, fl.y_min, fl.x_max, fl.y_max)) continue;

        Fuellpunkte& pool = cache[ix(q)];
        if (!bereit[ix(q)]) {
            // The box was widened by a margin around the outline; the same
            // margin widens the window in which fill points are kept.
            float x_links = 1e9f;
            for (int i = 1; i <= fl.n_punkte; ++i)
                x_links = std::min(x_links, fl.px(i));
            const float rand = std::max(0.0f, x_links - fl.x_min);
            flaeche_fuellpunkte(fl.x.data(), fl.y.data(), fl.n_punkte, fl.wert, fl.x_max - fl.x_min,
                                fl.y_max - fl.y_min, fl.x_min, fl.y_min, fl.x_max, fl.y_max, rand,
                                pool, auf_.wirt, &fuellarbeit_rest_);
            // The points were cut short by a stop: nothing of them is used.
            nachgeben();
            if (abbruch_) {
                pool = Fuellpunkte{};
                return;
            }
            // Only the points made are kept, and only up to a bound for all
            // areas, so thousands of squares do not hold a full pool each.
            const auto behalten = static_cast<std::size_t>(std::max(pool.n, 0)) + 1;
            if (fuellpunkte_behalten_ + behalten <= fuellpunkte_behalten_max) {
                pool.x.resize(behalten);
                pool.y.resize(behalten);
                pool.art.resize(behalten);
                pool.x.shrink_to_fit();
                pool.y.shrink_to_fit();
                pool.art.shrink_to_fit();
                fuellpunkte_behalten_ += behalten;
                bereit[ix(q)] = 1;
            }
        }
        const double breite = untergrenze_06(z_.linienfaktor * fl.wert / 2.0f);
        const float grenze = 2.0f * pool.fuell_abstand;
        zug_.clear();
        // A stroke joins a point to the one before it when it continues the
        // same row nearby; it breaks everywhere else.
        for (int w = 1; w <= pool.n - 2; ++w) {
            const auto i = static_cast<std::size_t>(w);
            bool verbinden = false;
            if (pool.art[i + 1] == 1) {
                const QPointF a = z_.karte_nach_geraet(pool.x[i], pool.y[i]);
                const QPointF b = z_.karte_nach_geraet(pool.x[i + 1], pool.y[i + 1]);
                if (abstand(pool.x[i], pool.y[i], pool.x[i + 1], pool.y[i + 1]) < grenze &&
                    z_.strecke_sichtbar(a, b, breite)) {
                    verbinden = true;
                    if (zug_.empty()) zug_.push_back(a);
                    zug_.push_back(b);
                }
            }
            if (!verbinden) zug_abschliessen(breite, farbe);
        }
        zug_abschliessen(breite, farbe);
        // Points that are not kept are made again on the next sheet; the
        // memory of this area's pool goes now.
        if (!bereit[ix(q)]) pool = Fuellpunkte{};
    }
}

bool Zeichner::wege_zeichnen(float breitenfaktor, bool umriss, int durchgang) {
    const int n_wege = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
    for (int a = 1; a <= n_wege; ++a) {
        nachgeben();
        if (abbruch_) return false;
        const Weg& w = m_.weg(a);
        if (w.n_punkte < 1 || static_cast<int>(w.x.size()) <= w.n_punkte) continue;
        const Wegklasse k = wegklasse(w.breite, m_.weg_halbbreite_min, m_.weg_halbbreite_max);
        const bool fluss = w.ist_fluss == 1;
        if (!((fluss && durchgang == 1) || (!fluss && durchgang == k.klasse))) continue;
        fortschritt(30.0f + 30.0f * static_cast<float>(a) / static_cast<float>(n_wege));

        const double breite = untergrenze_06(w.breite / 2.0f * breitenfaktor * z_.linienfaktor);
        const int farbe = fluss ? farbe_fluesse : (umriss ? farbe_strassenrand : k.farbe);
        const QColor c = f_[farbe];
        // Segments are drawn where they reach into the square, the clip
        // cutting the rest; runs of them form one stroke.
        zug_.clear();
        QPointF pa = z_.karte_nach_geraet(w.px(1), w.py(1));
        for (int p = 1; p <= w.n_punkte - 1; ++p) {
            const QPointF b = z_.karte_nach_geraet(w.px(p + 1), w.py(p + 1));
            if (z_.strecke_sichtbar(pa, b, breite)) {
                if (zug_.empty()) zug_.push_back(pa);
                zug_.push_back(b);
            } else {
                zug_abschliessen(breite, c);
            }
            pa = b;
        }
        zug_abschliessen(breite, c);
    }
    return true;
}

bool Zeichner::gebaeude_zeichnen() {
    const int anzahl = std::min<int>(m_.haus_naechster - 1, m_.haeuser_kapazitaet());
    for (int b = 1; b <= anzahl; ++b) {
        nachgeben();
        if (abbruch_) return false;
        fortschritt(60.0f + 40.0f * static_cast<float>(b) / static_cast<float>(anzahl));
        const Haus& h = m_.haus(b);
        if (h.rund == 0)
            viereck_zeichnen(h.ecke_x.data(), h.ecke_y.data(), farbe_gebaeude);
        else if (h.rund == 1)
            kreis_zeichnen(h.x, h.y, h.breite, farbe_gebaeude);
    }
    return true;
}

void Zeichner::mauer_zeichnen() {
    if (m_.mauer_parameter != 1) return;
    const double breite = untergrenze_06(m_.mauer_dicke * 0.21f * z_.linienfaktor);
    const QColor c = f_[farbe_stadtmauer];
    const int n = std::min<int>(m_.mauer_n_punkte, static_cast<int>(m_.mauer_x.size()) - 1);
    zug_.clear();
    for (int i = 1; i <= n - 1; ++i) {
        bool gezeichnet = false;
        if (m_.mauer_flag_bei(i) == 1 && m_.mauer_flag_bei(i + 1) == 1) {
            const QPointF pa = z_.karte_nach_geraet(m_.mauer_px(i), m_.mauer_py(i));
            const QPointF pb = z_.karte_nach_geraet(m_.mauer_px(i + 1), m_.mauer_py(i + 1));
            if (z_.strecke_sichtbar(pa, pb, breite)) {
                gezeichnet = true;
                if (zug_.empty()) zug_.push_back(pa);
                zug_.push_back(pb);
            }
        }
        if (!gezeichnet) zug_abschliessen(breite, c);
    }
    zug_abschliessen(breite, c);

    const int n_tuerme = std::min<int>(m_.n_tuerme, static_cast<int>(m_.tuerme.size()) - 1);
    for (int t = 1; t <= n_tuerme; ++t) {
        const Turm& tu = m_.turm(t);
        if (tu.art == 0) continue;
        if (tu.form == 1.0f)
            kreis_zeichnen(tu.mx, tu.my, 2.0f * tu.radius, farbe_tuerme);
        else if (tu.form == 2.0f)
            viereck_zeichnen(tu.x.data(), tu.y.data(), farbe_tuerme);
    }
}

// Corners 1..4 of ex, ey.
void Zeichner::viereck_zeichnen(const float* ex, const float* ey, int farbe) {
    const QColor c = f_[farbe];
    if (!bild()) {
        viereck_drucken(ex, ey, c);
        return;
    }
    if (!o_.export_nur_umriss) {
        if (z_.art == Zielart::bild) {
            viereck_abtasten(ex, ey, c);
        } else {
            QPointF p[4];
            for (int i = 0; i < 4; ++i) {
                p[i] = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
            }
            flaeche_->viereck_gefuellt(p, c);
        }
        return;
    }
    const double breite = z_.massstab * 0.2f + 1.0f;
    QPointF p[5];
    for (int i = 0; i < 4; ++i) {
        p[i] = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
    }
    p[4] = p[0];
    for (int i = 0; i < 4; ++i)
        flaeche_->linie(p[i].x(), p[i].y(), p[i + 1].x(), p[i + 1].y(), breite, c);
}

// Fills the quadrilateral row by row between the crossings of each pixel row
// with its edges, on whole pixels.
void Zeichner::viereck_abtasten(const float* ex, const float* ey, QColor farbe) {
    double px[4], py[4];
    for (int i = 0; i < 4; ++i) {
        const QPointF p = z_.karte_nach_geraet(ex[i + 1], ey[i + 1]);
        px[i] = runden(p.x());
        py[i] = runden(p.y());
    }
    const double y_oben = *std::min_element(py, py + 4);
    const double y_unten = *std::max_element(py, py + 4);
    const double x_links = *std::min_element(px, px + 4);
    const double x_rechts = *std::max_element(px, px + 4);
    // Rows and buildings wholly outside the picture change no pixel.
    if (x_rechts < z_.rand_links || x_links >= z_.karte_rechts || y_unten < z_.rand_oben ||
        y_oben >= z_.karte_unten)
        return;
    const double von = std::max(y_oben, static_cast<double>(z_.rand_oben));
    const double bis = std::min(y_unten, static_cast<double>(z_.karte_unten) - 1.0);
    for (double zeile = von; zeile <= bis; zeile += 1.0) {
        double links = 1e18, rechts = -1e18;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            const double y1 = py[i], y2 = py[j];
            if (y1 == y2) {
                if (y1 == zeile) {
                    links = std::min({links, px[i], px[j]});
                    rechts = std::max({rechts, px[i], px[j]});
                }
                continue;
            }
            if (zeile < std::min(y1, y2) || zeile > std::max(y1, y2)) continue;
            const double x = px[i] + (zeile - y1) * (px[j] - px[i]) / (y2 - y1);
            links = std::min(links, x);
            rechts = std::max(rechts, x);
        }
        if (links > rechts) continue;
        const double a = runden(links), b = runden(rechts);
        flaeche_->rechteck_gefuellt(a, zeile, b + 1.0, zeile + 1.0, farbe);
    }
}

// Printed buildings: hatched between edges 3-2 and 4-1, then outlined, on
// corners moved 7.5 % towards the centre so that neighbours stay apart.
void Zeichner::viereck_drucken(const float* ex, const float* ey, QColor farbe) {
    nachgeben();
    const float mx = (ex[1] + ex[2] + ex[3] + ex[4]) / 4.0f;
    const float my = (ey[1] + ey[2] + ey[3] + ey[4]) / 4.0f;
    float x[5], y[5];
    for (int i = 1; i <= 4; ++i) {
        x[i] = ex[i] + (mx - ex[i]) * 0.075f;
        y[i] = ey[i] + (my - ey[i]) * 0.075f;
    }
    const float l = abstand(x[2], y[2], x[3], y[3]);
    const float d0 = o_.gebaeude_hohe_aufloesung ? 0.0001f : 0.0004f;
    float ds = 0.0f;
    // A building without extent along edge 2-3 has nothing to hatch.
    if (l > 0.0f) ds = (m_.stadt_abmessung / z_.blatt_zoom) * d0 / l;
    if (!o_.gebaeude_nur_umriss && ds > 0.0f) {
        // A line step of at least 1 / schraffur_max, with lines as much wider.
        const float schritt = std::max(ds, 1.0f / static_cast<float>(schraffur_max));
        const double breite = untergrenze_06(schritt * 3.0f * z_.linienfaktor);
        striche_.clear();
        for (int i = 0; i <= schraffur_max; ++i) {
            const float t = static_cast<float>(i) * schritt;
            if (t > 1.0f) break;
            if ((i & 4095) == 4095) {
                nachgeben();
                if (abbruch_) return;
            }
            const QPointF a =
                z_.karte_nach_geraet(x[3] + (x[2] - x[3]) * t, y[3] + (y[2] - y[3]) * t);
            const QPointF b =
                z_.karte_nach_geraet(x[4] + (x[1] - x[4]) * t, y[4] + (y[1] - y[4]) * t);
            // Lines reaching into the sheet are drawn and clipped, so a
            // building on a cut shows its part on either sheet.
            if (z_.strecke_sichtbar(a, b, breite)) striche_.emplace_back(a, b);
        }
        if (!striche_.empty())
            flaeche_->linien(striche_.data(), static_cast<int>(striche_.size()), breite, farbe);
    }
    QPointF ecken[5];
    for (int i = 1; i <= 4; ++i) {
        ecken[i - 1] = z_.karte_nach_geraet(x[i], y[i]);
    }
    ecken[4] = ecken[0];
    const double breite = o_.gebaeude_nur_umriss ? untergrenze_06(z_.linienfaktor / 12.0f)
                                                 : untergrenze_06(z_.linienfaktor * ds * 8.0f);
    double x1 = ecken[0].x(), x2 = x1, y1 = ecken[0].y(), y2 = y1;
    for (int i = 1; i < 4; ++i) {
        x1 = std::min(x1, ecken[i].x());
        x2 = std::max(x2, ecken[i].x());
        y1 = std::min(y1, ecken[i].y());
        y2 = std::max(y2, ecken[i].y());
    }
    const double r = (breite / 2.0 + 1.0) / z_.pixel_je_einheit;
    if (!z_.box_sichtbar(x1 - r, y1 - r, x2 + r, y2 + r)) return;
    flaeche_->linienzug(ecken, 5, breite, farbe);
}

void Zeichner::kreis_zeichnen(float x, float y, float groesse, int farbe) {
    const bool nur_umriss = bild() ? o_.export_nur_umriss : o_.gebaeude_nur_umriss;
    double breite = runden(z_.linienfaktor * 0.1f + 0.51f);
    if (!bild() && o_.gebaeude_nur_umriss) breite = untergrenze_06(z_.linienfaktor / 12.0f);
    if (bild() && o_.export_nur_umriss) breite = z_.massstab * 0.2f + 1.0f;
    nachgeben();
    const QPointF g = z_.karte_nach_geraet(x, y);
    const double gx = g.x(), gy = g.y();
    const QColor c = f_[farbe];
    const float r_ende = groesse / 2.0f - 0.2f;
    // Drawn wherever the disc reaches into the square; the clip cuts the rest.
    const double r =
        std::max(0.0f, r_ende) * z_.massstab + (breite / 2.0 + 1.0) / z_.pixel_je_einheit;
    if (!z_.box_sichtbar(gx - r, gy - r, gx + r, gy + r)) return;
    if (nur_umriss) {
        flaeche_->kreis(gx, gy, r_ende * z_.massstab, breite, c);
        return;
    }
    if (r_ende < 0.0f) return;
    if (z_.art == Zielart::vektor) {
        // The rings below merge into a disc this wide.
        flaeche_->scheibe(gx, gy, r_ende * z_.massstab + breite / 2.0, c);
        return;
    }
    // Rings every 0.1 m. Only those that can touch the square are drawn:
    // between the square's nearest and farthest points from the centre,
    // widened by the line. A huge disc from a file gets coarser rings
    // rather than billions.
    const double l = z_.rand_links, o = z_.rand_oben, u = z_.karte_unten;
    const double dx = std::max({l - gx, 0.0, gx - u}), dy = std::max({o - gy, 0.0, gy - u});
    const double fern_x = std::max(std::abs(gx - l), std::abs(gx - u));
    const double fern_y = std::max(std::abs(gy - o), std::abs(gy - u));
    const double rand = (breite / 2.0 + 1.0) / z_.pixel_je_einheit;
    const double je_ring = 0.1 * static_cast<double>(z_.massstab); // device units per ring
    if (!(je_ring > 0.0)) return;
    const double von = std::max(0.0, std::floor((std::hypot(dx, dy) - rand) / je_ring));
    const double bis = std::min(std::floor(static_cast<double>(r_ende) / 0.1) + 1.0,
                                std::ceil((std::hypot(fern_x, fern_y) + rand) / je_ring));
    if (!(bis >= von)) return;
    if (bis - von > ringe_fuellen_ab && je_ring * z_.pixel_je_einheit < breite) {
        flaeche_->scheibe(gx, gy, r_ende * z_.massstab + breite / 2.0 / z_.pixel_je_einheit, c);
        return;
    }
    const double schritt = std::max(1.0, std::ceil((bis - von) / ringe_max));
    int gezeichnet = 0;
    for (double k = von; k <= bis; k += schritt) {
        const float rho = static_cast<float>(k) * 0.1f;
        if (rho > r_ende) break;
        flaeche_->kreis(gx, gy, rho * z_.massstab, breite, c);
        if ((++gezeichnet & 4095) == 0) {
            nachgeben();
            if (abbruch_) return;
        }
    }
}

void Zeichner::nummer_zeichnen(const Beschriftung& l) {
    const QPointF p = z_.karte_nach_geraet(l.x, l.y);
    const double x = p.x() + l.dx, y = p.y() + l.dy;
    // Drawn wherever its box reaches into the square; the clip cuts the rest,
    // and the neighbouring sheet or tile draws the other part.
    if (!z_.box_sichtbar(x - l.a, y - l.b, x + 0.95 * l.a, y + l.b)) return;
    flaeche_->rechteck_gefuellt(x - l.a, y - l.b, x + 0.95 * l.a, y + l.b, f_[l.farbe]);
    flaeche_->position_setzen(x - l.a, y - l.b);
    flaeche_->text(QString::number(l.nummer));
}

// Every numbered element's label with its box measured in the current font;
// a square or park is labelled at a point well inside its outline.
void Zeichner::beschriftungen_sammeln() {
    beschriftungen_.clear();
    const auto dazu = [&](float x, float y, int nummer, int farbe) {
        Beschriftung l;
        l.x = x;
        l.y = y;
        l.nummer = nummer;
        l.farbe = farbe;
        const QString t = QString::number(nummer);
        l.a = flaeche_->text_breite(t) / 1.7;
        l.b = flaeche_->text_hoehe(t) / 2.2;
        beschriftungen_.push_back(l);
    };
    if (o_.kennzeichnung_wege) {
        const int n_wege = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
        for (int a = 1; a <= n_wege; ++a) {
            const Weg& w = m_.weg(a);
            if (w.nummer <= 0 || w.n_punkte < 1 || static_cast<int>(w.x.size()) <= w.n_punkte)
                continue;
            // The middle point; a way of one point has no point 0.
            const int p = std::max(1, w.n_punkte / 2);
            dazu(w.px(p), w.py(p), w.nummer, farbe_nummer_strassen);
        }
    }
    if (o_.kennzeichnung_haeuser) {
        const int anzahl = std::min<int>(m_.haus_naechster - 1, m_.haeuser_kapazitaet());
        for (int b = 1; b <= anzahl; ++b) {
            const Haus& h = m_.haus(b);
            if (h.nummer <= 0) continue;
            float x = h.x, y = h.y; // round buildings keep no corners
            if (h.rund == 0) {
                x = (h.ecke_x[1] + h.ecke_x[2] + h.ecke_x[3] + h.ecke_x[4]) / 4.0f;
                y = (h.ecke_y[1] + h.ecke_y[2] + h.ecke_y[3] + h.ecke_y[4]) / 4.0f;
            }
            dazu(x, y, h.nummer, farbe_nummer_gebaeude);
        }
    }
    const auto flaechen = [&](const std::vector<Flaeche>& liste, int anzahl, int farbe) {
        anzahl = std::min<int>(anzahl, static_cast<int>(liste.size()) - 1);
        for (int q = 1; q <= anzahl; ++q) {
            const Flaeche& f = liste[ix(q)];
            if (f.nummer <= 0 || f.n_punkte < 3 || static_cast<int>(f.x.size()) <= f.n_punkte)
                continue;
            float x = 0, y = 0;
            if (polygon_innenpunkt(f.x.data(), f.y.data(), f.n_punkte, x, y))
                dazu(x, y, f.nummer, farbe);
        }
    };
    if (o_.kennzeichnung_plaetze) flaechen(m_.plaetze, m_.n_plaetze, farbe_nummer_plaetze);
    if (o_.kennzeichnung_parks) flaechen(m_.parks, m_.n_parks, farbe_nummer_parks);
}

// Moves each label, in drawing order, to the first of a few places around
// its anchor where its box covers no label placed before it and stays on
// the map; a label with no such place takes the least covered one.
// Positions are map points times the scale, the same on every sheet.
void Zeichner::beschriftungen_anordnen() {
    if (beschriftungen_.empty()) return;
    const double s = z_.massstab;
    const double karte = static_cast<double>(m_.stadt_abmessung) * s;
    double zelle = 0;
    for (const Beschriftung& l : beschriftungen_)
        zelle = std::max({zelle, 1.95 * l.a, 2.0 * l.b});
    if (!(zelle > 0.0) || !std::isfinite(zelle) || !std::isfinite(karte)) return;
    struct Box {
        double x1, y1, x2, y2;
    };
    // Placed boxes by the grid cell of their centre, cells as large as the
    // largest label, so a box is compared with its neighbours only.
    const auto zellen = static_cast<long long>(std::clamp(karte / zelle + 1.0, 1.0, 1e6));
    const double zs = std::max(zelle, karte / static_cast<double>(zellen));
    std::unordered_map<long long, std::vector<Box>> raster;
    const auto index = [&](double v) {
        return static_cast<long long>(
            std::clamp(std::floor(v / zs), 0.0, static_cast<double>(zellen - 1)));
    };
    // The area of b that placed boxes cover (counted once per box).
    const auto verdeckt = [&](const Box& b) {
        double flaeche = 0;
        for (long long j = index(b.y1 - zs); j <= index(b.y2 + zs); ++j)
            for (long long i = index(b.x1 - zs); i <= index(b.x2 + zs); ++i) {
                const auto zelle_ = raster.find(j * zellen + i);
                if (zelle_ == raster.end()) continue;
                for (const Box& c : zelle_->second) {
                    const double bx = std::min(b.x2, c.x2) - std::max(b.x1, c.x1);
                    const double by = std::min(b.y2, c.y2) - std::max(b.y1, c.y1);
                    if (bx > 0 && by > 0) flaeche += bx * by;
                }
            }
        return flaeche;
    };
    // Around the anchor: the anchor itself, then rings of eight places half
    // a box, a whole box and two boxes away, straight before diagonal.
    static constexpr double ringe[] = {0.55, 1.1, 2.2};
    static constexpr double richtungen[][2] = {{0, -1}, {0, 1},   {1, 0}, {-1, 0},
                                               {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
    std::vector<std::array<double, 2>> schritte{{0.0, 0.0}};
    for (const double r : ringe)
        for (const auto& d : richtungen)
            schritte.push_back({d[0] * r, d[1] * r});
    for (Beschriftung& l : beschriftungen_) {
        const double x = static_cast<double>(l.x) * s, y = static_cast<double>(l.y) * s;
        const double w = 1.95 * l.a, h = 2.0 * l.b;
        const auto box = [&](double dx, double dy) {
            return Box{x + dx - l.a, y + dy - l.b, x + dx + 0.95 * l.a, y + dy + l.b};
        };
        // The first free place on the map wins; where there is none, the
        // place least covered, so crowded labels stay as legible as they can.
        l.dx = l.dy = 0;
        double geringste = std::numeric_limits<double>::infinity();
        for (const auto& schritt : schritte) {
            const double dx = schritt[0] * w, dy = schritt[1] * h;
            const Box b = box(dx, dy);
            const bool auf_karte = b.x1 >= 0 && b.y1 >= 0 && b.x2 <= karte && b.y2 <= karte;
            if (!auf_karte && (dx != 0 || dy != 0)) continue;
            const double v = verdeckt(b);
            if (v < geringste) {
                geringste = v;
                l.dx = dx;
                l.dy = dy;
            }
            if (v == 0 && auf_karte) break;
        }
        const Box b = box(l.dx, l.dy);
        raster[index(0.5 * (b.y1 + b.y2)) * zellen + index(0.5 * (b.x1 + b.x2))].push_back(b);
    }
}

void Zeichner::nummern_zeichnen() {
    const int punkte =
        bild() ? export_schriftgroesse(o_, static_cast<int>(std::lround(z_.kartenseite)))
               : o_.nummer_schriftgroesse;
    flaeche_->schrift_setzen(Zeichenflaeche::beschriftungsschrift(std::max(1, punkte)));
    if (!beschriftungen_bereit_) {
        beschriftungen_sammeln();
        beschriftungen_anordnen();
        beschriftungen_bereit_ = true;
    }
    for (const Beschriftung& l : beschriftungen_)
        nummer_zeichnen(l);
}

} // namespace

Ergebnis stadtplan_zeichnen(const Zeichenauftrag& auftrag, Blattziel& ziel) {
    vektorzustand_leeren();
    Zeichner z(auftrag, ziel);
    return z.ausfuehren();
}

bool abbruch_gewuenscht(Wirt* wirt) {
    if (!wirt) return false;
    const bool ja = wirt->nachgeben();
    vektorzustand_leeren();
    return ja;
}

} // namespace tarvello
