#include "render/stadtplan.h"

#include <QFont>
#include <QPointF>
#include <algorithm>
#include <vector>

#include "core/funktionen.h"
#include "core/vektorzustand.h"
#include "core/wirt.h"
#include "core/zahlen.h"
#include "geometry/geometrie.h"
#include "render/randleiste.h"
#include "render/zeichenflaeche.h"
#include "render/zeichner.h"

namespace tarvello {

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

} // namespace

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
        return Ergebnis::fehler(Fehlerart::datei, Meldung(Meldungsart::seite_zu_klein));
    const int n = std::clamp(o_.blaetter_je_seite, 1, blaetter_max);
    z_.drucker_vorbereiten(m_.stadt_abmessung, n, hoehe, ziel_.seitenbreite(),
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
    if (z_.art == Zielart::drucker)
        schnittrahmen_zeichnen(*flaeche_, z_, o_, f_[farbe_schnittmarken]);
    if (z_.art == Zielart::drucker)
        randleiste_zeichnen(*flaeche_, z_, o_, auf_.stadtname, auf_.nord);
    return true;
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
        // A sheet whose work is spent takes no more shapes (zeichenflaeche.h).
        if (flaeche_->erschoepft()) return;
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
        if (flaeche_->erschoepft()) return true;
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
        if (flaeche_->erschoepft()) return true;
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
        if (flaeche_->erschoepft()) return;
        if ((t & 4095) == 0) nachgeben();
        if (abbruch_) return;
        if (tu.art == 0) continue;
        if (tu.form == 1.0f)
            kreis_zeichnen(tu.mx, tu.my, 2.0f * tu.radius, farbe_tuerme);
        else if (tu.form == 2.0f)
            viereck_zeichnen(tu.x.data(), tu.y.data(), farbe_tuerme);
    }
}

void Zeichner::nummern_zeichnen() {
    const int punkte =
        bild() ? export_schriftgroesse(o_, static_cast<int>(std::lround(z_.kartenseite)))
               : o_.nummer_schriftgroesse;
    flaeche_->schrift_setzen(Zeichenflaeche::beschriftungsschrift(std::max(1, punkte)));
    if (!beschriftungen_bereit_) {
        beschriftungen_ = beschriftungen_sammeln(m_, o_, *flaeche_);
        beschriftungen_anordnen(beschriftungen_, z_.massstab, m_.stadt_abmessung);
        beschriftungen_bereit_ = true;
    }
    for (const Beschriftung& l : beschriftungen_)
        fuehrungslinie_zeichnen(*flaeche_, z_, f_, l);
    for (const Beschriftung& l : beschriftungen_)
        beschriftung_zeichnen(*flaeche_, z_, f_, l);
}

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
