// The map reader: every record of versions 1 to 5 checked against the limits
// a run can make, into a fresh model that replaces the old one only when the
// whole file was read; then the boxes the file does not hold.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/funktionen.h"
#include "core/wirt.h"
#include "core/zahlen.h"
#include "files/kartendatei.h"
#include "files/kartenform.h"
#include "generator/rahmen.h"
#include "geometry/geometrie.h"

namespace tarvello {

namespace {

constexpr int int16_max = std::numeric_limits<std::int16_t>::max();
constexpr int int16_min = std::numeric_limits<std::int16_t>::min();
// Way and point indices are 16-bit and the tables keep ten spare entries.
constexpr int weg_reserve = 10;

// What a run can make, with room to spare; the reader refuses anything
// beyond, which could only feed the drawing loops that run over a shape's
// size. A run makes maps of 100 to 7500 m.
constexpr float kartengroesse_min = 10.0f;
constexpr float kartengroesse_max = 10000.0f;
// Streets run beyond the map, at most (map size / 1000 m + 1) x 250 steps
// of a half-width (20 m at most) from the town's edge: some 6 map sizes and
// 5 km. Coordinates lie within this margin around the map square.
float koordinatenrand(float stadt_abmessung) {
    return 10.0f * stadt_abmessung + 10000.0f;
}
// Buildings (150 m at most), half-widths (20 m), the wall (15 m) and its
// towers, squares and parks all stay far below the map size plus this.
constexpr float groessen_zugabe = 500.0f;
// A run's fitting makes factors near 1, and for a fit that fails values in
// the ten thousands, negative ones too; far beyond, line widths drawn with
// it leave what any pen can take.
constexpr float kartenfaktor_min = -100000.0f;
constexpr float kartenfaktor_max = 100000.0f;
// Points of ways, squares, parks and the wall together: far more than the
// largest run makes, and bounded so that a small file cannot claim the
// memory and time of a billion points.
constexpr long long punkte_gesamt_max = 8'000'000;
// The smallest width value of a square or park (half a way's width) that is
// not zero; a run makes 0.5 m at least.
constexpr float breitenwert_min = 0.01f;

// The value as the file holds it (two decimals), so that a size measured
// between two points gives the same verdict on the file written back.
float wie_geschrieben(float v) {
    return gleitzahl_wie_geschrieben(v);
}

// The longest side of a shape with corners 1..4, as the file holds them.
template <class Ecken> float laengste_seite(const Ecken& x, const Ecken& y) {
    float ex[4], ey[4];
    for (int c = 0; c < 4; ++c) {
        ex[c] = wie_geschrieben(x[ix(c + 1)]);
        ey[c] = wie_geschrieben(y[ix(c + 1)]);
    }
    float laengste = 0.0f;
    for (int c = 0; c < 4; ++c)
        laengste = std::max(laengste, abstand(ex[c], ey[c], ex[(c + 1) % 4], ey[(c + 1) % 4]));
    return laengste;
}

class Kartenleser {
  public:
    Kartenleser(Textleser& l, Stadtmodell& m, Kartenkopf& k, Wirt* wirt)
        : l_(l), m_(m), k_(k), wirt_(wirt) {}

    bool lesen() {
        return kopf() && wege() && haeuser() && flaechen(m_.plaetze, m_.n_plaetze, platz_worte) &&
               flaechen(m_.parks, m_.n_parks, park_worte) && mauer() && l_.ende_pruefen();
    }

    bool abgebrochen() const { return abgebrochen_; }

  private:
    bool ganz(long long& v, long long min, long long max, const Meldung& was) {
        return l_.ganzzahl(v, min, max, was);
    }
    bool zahl(float& v, const Meldung& was) { return l_.gleitzahl(v, was); }
    // A number within min..max (limits that are whole numbers, so that the
    // value written back with two decimals stays within them).
    bool zahl(float& v, float min, float max, const Meldung& was) {
        if (!zahl(v, was)) return false;
        if (v >= min && v <= max) return true;
        return l_.scheitern(Meldung(Meldungsart::zahl_ausserhalb, was, zeichen(l_.wert_text()),
                                    zahltext(min, 'f', 0), zahltext(max, 'f', 0)));
    }
    // A point's coordinate: on the map or within the margin streets reach.
    // Long tables are read between two looks at the abort button.
    bool ort(float& v, const Meldung& was) {
        if ((++gelesen_ & 0xFFFF) == 0 && wirt_ && wirt_->nachgeben()) {
            abgebrochen_ = true;
            return false;
        }
        return zahl(v, -rand_, m_.stadt_abmessung + rand_, was);
    }
    // Counts the points of one more shape against the whole map's.
    bool punkte_zaehlen(long long n) {
        punkte_ += n;
        if (punkte_ <= punkte_gesamt_max) return true;
        return l_.scheitern(Meldung(Meldungsart::zu_viele_punkte, punkte_gesamt_max));
    }
    // A radius, half-width or thickness.
    bool mass(float& v, const Meldung& was) { return zahl(v, 0.0f, groesse_max_, was); }
    // A size measured between points, refused when beyond the sizes allowed.
    bool seite_pruefen(float laenge, const Meldung& was) {
        if (laenge <= groesse_max_) return true;
        return l_.scheitern(Meldung(Meldungsart::misst_mehr, was, zahltext(laenge, 'g', 7),
                                    zahltext(groesse_max_, 'f', 0)));
    }
    // A whole-number float: read as a number and rounded, as it is written.
    bool ganze_zahl(float& v, const Meldung& was) {
        if (!zahl(v, was)) return false;
        if (std::fabs(v) > ganzzahl_float_max)
            return l_.scheitern(Meldung(Meldungsart::zahl_jenseits, was, zeichen(l_.wert_text()),
                                        zahltext(ganzzahl_float_max, 'g', 6)));
        v = static_cast<float>(runden(static_cast<double>(v)));
        return true;
    }
    bool melden(float prozent) {
        if (!wirt_) return true;
        wirt_->fortschritt(prozent);
        if (wirt_->nachgeben()) {
            abgebrochen_ = true;
            return false;
        }
        return true;
    }

    bool kopf() {
        std::string_view t;
        if (!l_.zeile(t, {Meldungsart::was_version})) return false;
        const std::optional<float> v = gleitzahl_aus_zeile(t);
        if (!v || *v < 1.0f) return l_.scheitern(Meldung(Meldungsart::keine_stadtplandatei));
        version_ = static_cast<int>(std::lround(static_cast<double>(*v) * 100.0));
        if (version_ > 500)
            return l_.scheitern(
                Meldung(Meldungsart::neueres_programm, zahltext(*v, 'f', 2), kartendatei_version));

        m_.karten_faktor = 1.0f;
        if (version_ >= 400 && !zahl(m_.karten_faktor, {Meldungsart::was_kartenfaktor}))
            return false;
        if (!(m_.karten_faktor >= kartenfaktor_min && m_.karten_faktor <= kartenfaktor_max))
            return l_.scheitern(Meldung(
                Meldungsart::zahl_ausserhalb, Meldung(Meldungsart::was_kartenfaktor),
                zeichen(l_.wert_text()), zahltext(kartenfaktor_min), zahltext(kartenfaktor_max)));

        if (!l_.zeile(t, {Meldungsart::was_stadtname})) return false;
        k_.stadtname = stadtname(t);
        if (k_.stadtname.size() > stadtname_max)
            return l_.scheitern(Meldung(Meldungsart::stadtname_zu_lang,
                                        static_cast<long long>(k_.stadtname.size()),
                                        static_cast<long long>(stadtname_max)));

        if (!ganze_zahl(m_.stadt_abmessung, {Meldungsart::was_kartengroesse})) return false;
        if (!(m_.stadt_abmessung >= kartengroesse_min && m_.stadt_abmessung <= kartengroesse_max))
            return l_.scheitern(Meldung(Meldungsart::kartengroesse_ausserhalb,
                                        zeichen(l_.wert_text()), zahltext(kartengroesse_min),
                                        zahltext(kartengroesse_max)));
        rand_ = koordinatenrand(m_.stadt_abmessung);
        groesse_max_ = m_.stadt_abmessung + groessen_zugabe;
        m_.zentrum_x = m_.zentrum_y = m_.stadt_abmessung / 2.0f;

        // The button whose line reads "1" is selected; an older file may hold
        // other words for the cleared ones.
        k_.nord = -1;
        for (int i = 0; i < nord_knoepfe; ++i) {
            if (!l_.zeile(t, {Meldungsart::was_nordknopf, i})) return false;
            while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
                t.remove_prefix(1);
            while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
                t.remove_suffix(1);
            if (t == "1") k_.nord = i;
        }

        long long v16 = 0;
        const auto zaehler = [&](std::int16_t& ziel, const Meldung& was) {
            if (!ganz(v16, int16_min, int16_max, was)) return false;
            ziel = static_cast<std::int16_t>(v16);
            return true;
        };
        if (!zaehler(m_.n_nummer_wege, {Meldungsart::was_nummerierte_wege}) ||
            !zaehler(m_.n_nummer_haeuser, {Meldungsart::was_nummerierte_gebaeude}))
            return false;
        if (version_ >= 300 &&
            (!zaehler(m_.n_nummer_plaetze, {Meldungsart::was_nummerierte_plaetze}) ||
             !zaehler(m_.n_nummer_parks, {Meldungsart::was_nummerierte_parks})))
            return false;
        return true;
    }

    // A carriage return inside the line becomes a space, as the writer
    // would make it.
    static QString stadtname(std::string_view t) {
        QByteArray roh(t.data(), static_cast<qsizetype>(t.size()));
        roh.replace('\r', ' ');
        return stadtname_lesen(roh);
    }

    bool wege() {
        long long n = 0, punkte_max = 0;
        if (!ganz(n, 0, int16_max - weg_reserve, {Meldungsart::was_anzahl_wege})) return false;
        if (!l_.platz_fuer(n * (version_ >= 200 ? 4 : 3), {Meldungsart::was_wege, n})) return false;
        if (!ganz(punkte_max, 0, int16_max - weg_reserve, {Meldungsart::was_kapazitaet_wege}))
            return false;
        if (!mass(m_.weg_halbbreite_min, {Meldungsart::was_kleinste_halbbreite}) ||
            !mass(m_.weg_halbbreite_max, {Meldungsart::was_groesste_halbbreite}))
            return false;

        m_.wege.assign(static_cast<std::size_t>(n + weg_reserve + 1), Weg{});
        m_.n_wege = static_cast<std::int16_t>(n);
        m_.weg_punkte_max = static_cast<std::int16_t>(punkte_max);
        long long v = 0;
        for (int w = 1; w <= n; ++w) {
            Weg& weg = m_.weg(w);
            if (version_ >= 200) {
                if (!ganz(v, 0, 255, {Meldungsart::was_flusskennung_weg, w})) return false;
                weg.ist_fluss = static_cast<std::uint8_t>(v);
            }
            if (!ganz(v, 0, punkte_max + weg_reserve, {Meldungsart::was_punktzahl_weg, w}))
                return false;
            weg.n_punkte = static_cast<std::int16_t>(v);
            if (!punkte_zaehlen(weg.n_punkte)) return false;
            if (!mass(weg.breite, {Meldungsart::was_halbbreite_weg, w})) return false;
            if (!ganz(v, int16_min, int16_max, {Meldungsart::was_nummer_weg, w})) return false;
            weg.nummer = static_cast<std::int16_t>(v);
            if (!l_.platz_fuer(2LL * weg.n_punkte, {Meldungsart::was_punkte_weg, w, weg.n_punkte}))
                return false;
            const auto groesse = static_cast<std::size_t>(weg.n_punkte) + 1;
            weg.x.assign(groesse, 0.0f);
            weg.y.assign(groesse, 0.0f);
            for (int p = 1; p <= weg.n_punkte; ++p)
                if (!ort(weg.x[ix(p)], {Meldungsart::was_x_punkt_weg, w, p}) ||
                    !ort(weg.y[ix(p)], {Meldungsart::was_y_punkt_weg, w, p}))
                    return false;
            if ((w % melde_takt == 0 || w == n) &&
                !melden(static_cast<float>(w) / static_cast<float>(n) * 60.0f))
                return false;
        }
        // Rivers come first; they end at the first street.
        m_.n_fluesse = 0;
        while (m_.n_fluesse < m_.n_wege && m_.weg(m_.n_fluesse + 1).ist_fluss)
            ++m_.n_fluesse;
        return true;
    }

    bool haeuser() {
        long long n = 0, v = 0;
        // A run makes at most n_gebaude buildings, a 16-bit count. A larger
        // count can only come from a hostile file, whose four bytes per
        // building would claim some eighty bytes of memory each.
        if (!ganz(n, 0, int16_max, {Meldungsart::was_anzahl_gebaeude})) return false;
        if (!l_.platz_fuer(2 * n, {Meldungsart::was_gebaeude, n})) return false;
        // Room for six more, as after a run.
        m_.haeuser.assign(static_cast<std::size_t>(n + 7), Haus{});
        m_.haus_naechster = static_cast<std::int32_t>(n + 1);
        for (int b = 1; b <= n; ++b) {
            Haus& h = m_.haus(b);
            if (!ganz(v, int16_min, int16_max, {Meldungsart::was_nummer_gebaeude, b})) return false;
            h.nummer = static_cast<std::int16_t>(v);
            if (!ganz(v, 0, 255, {Meldungsart::was_form_gebaeude, b})) return false;
            h.rund = static_cast<std::uint8_t>(v);
            if (h.rund == 0) {
                for (int c = 1; c <= 4; ++c)
                    if (!ort(h.ecke_x[c], {Meldungsart::was_x_ecke_gebaeude, b, c}) ||
                        !ort(h.ecke_y[c], {Meldungsart::was_y_ecke_gebaeude, b, c}))
                        return false;
                if (!seite_pruefen(laengste_seite(h.ecke_x, h.ecke_y),
                                   Meldung(Meldungsart::seite_gebaeude, b)))
                    return false;
                // Centre and sides follow from the corners.
                h.x = (h.ecke_x[1] + h.ecke_x[2] + h.ecke_x[3] + h.ecke_x[4]) / 4.0f;
                h.y = (h.ecke_y[1] + h.ecke_y[2] + h.ecke_y[3] + h.ecke_y[4]) / 4.0f;
                h.breite = abstand(h.ecke_x[1], h.ecke_y[1], h.ecke_x[2], h.ecke_y[2]);
                h.laenge = abstand(h.ecke_x[2], h.ecke_y[2], h.ecke_x[3], h.ecke_y[3]);
            } else if (h.rund == 1) {
                if (!ort(h.x, {Meldungsart::was_x_gebaeude, b}) ||
                    !ort(h.y, {Meldungsart::was_y_gebaeude, b}) ||
                    !mass(h.breite, {Meldungsart::was_radius_gebaeude, b}))
                    return false;
                h.laenge = h.breite;
            }
            if ((b % melde_takt == 0 || b == n) &&
                !melden(static_cast<float>(b) / static_cast<float>(n) * 40.0f + 60.0f))
                return false;
        }
        return true;
    }

    bool flaechen(std::vector<Flaeche>& liste, std::int16_t& anzahl, const Flaechenworte& worte) {
        long long n = 0, punkte_max = 0, v = 0;
        if (!ganz(n, 0, int16_max - 1, {worte.anzahl})) return false;
        if (!ganz(punkte_max, 0, std::numeric_limits<std::int32_t>::max(), {worte.kapazitaet}))
            return false;
        if (!l_.platz_fuer(3 * n, {Meldungsart::was_flaechen, n})) return false;
        const long long grenze = std::min<long long>(punkte_max, flaeche_punkte_max);
        liste.assign(static_cast<std::size_t>(n + 2), Flaeche{});
        anzahl = static_cast<std::int16_t>(n);
        for (int i = 1; i <= n; ++i) {
            Flaeche& f = liste[ix(i)];
            if (!ganz(v, int16_min, int16_max, {worte.nummer, i})) return false;
            f.nummer = static_cast<std::int16_t>(v);
            if (!ganz(v, 0, grenze, {worte.punktzahl, i})) return false;
            f.n_punkte = static_cast<std::int16_t>(v);
            if (!punkte_zaehlen(f.n_punkte)) return false;
            if (!zahl(f.wert, {worte.breitenwert, i})) return false;
            if (f.wert > 0.0f && f.wert < breitenwert_min)
                return l_.scheitern(Meldung(Meldungsart::breitenwert, Meldung(worte.breitenwert, i),
                                            zeichen(l_.wert_text()), zahltext(breitenwert_min)));
            if (!l_.platz_fuer(2LL * f.n_punkte, {worte.punkte, i, f.n_punkte})) return false;
            f.x.assign(static_cast<std::size_t>(f.n_punkte) + 1, 0.0f);
            f.y.assign(f.x.size(), 0.0f);
            float x_lo = 0, x_hi = 0, y_lo = 0, y_hi = 0;
            for (int p = 1; p <= f.n_punkte; ++p) {
                if (!ort(f.x[ix(p)], {worte.x, i, p}) || !ort(f.y[ix(p)], {worte.y, i, p}))
                    return false;
                const float x = wie_geschrieben(f.x[ix(p)]), y = wie_geschrieben(f.y[ix(p)]);
                x_lo = p == 1 ? x : std::min(x_lo, x);
                x_hi = p == 1 ? x : std::max(x_hi, x);
                y_lo = p == 1 ? y : std::min(y_lo, y);
                y_hi = p == 1 ? y : std::max(y_hi, y);
            }
            if (!seite_pruefen(std::max(x_hi - x_lo, y_hi - y_lo),
                               Meldung(Meldungsart::ausdehnung, Meldung(worte.wort), i)))
                return false;
        }
        return true;
    }

    bool mauer() {
        m_.mauer_x.assign(1, 0.0f);
        m_.mauer_y.assign(1, 0.0f);
        m_.mauer_flag.assign(1, 0);
        m_.mauer_n_punkte = 0;
        m_.tuerme.assign(tuerme_anfang + 1, Turm{});
        m_.n_tuerme = 0;
        m_.mauer_parameter = 0;
        m_.mauer_vorhanden = false;
        if (version_ < 400) return true;

        long long v = 0, n = 0;
        if (!ganz(v, 0, 255, {Meldungsart::was_mauerkennung})) return false;
        m_.mauer_parameter = static_cast<std::uint8_t>(v);
        if (v != 1) return true;
        m_.mauer_vorhanden = true;

        if (!ganz(n, 0, mauer_punkte_max, {Meldungsart::was_anzahl_mauerpunkte})) return false;
        if (!l_.platz_fuer(3 * n + 2, {Meldungsart::was_mauerpunkte, n})) return false;
        if (!punkte_zaehlen(n)) return false;
        if (!mass(m_.mauer_dicke, {Meldungsart::was_mauerdicke})) return false;
        const auto groesse = static_cast<std::size_t>(n) + 1;
        m_.mauer_x.assign(groesse, 0.0f);
        m_.mauer_y.assign(groesse, 0.0f);
        m_.mauer_flag.assign(groesse, 0);
        m_.mauer_n_punkte = static_cast<std::int32_t>(n);
        for (int i = 1; i <= n; ++i) {
            if (!ort(m_.mauer_px(i), {Meldungsart::was_x_mauerpunkt, i}) ||
                !ort(m_.mauer_py(i), {Meldungsart::was_y_mauerpunkt, i}) ||
                !ganz(v, 0, 255, {Meldungsart::was_kennung_mauerpunkt, i}))
                return false;
            m_.mauer_flag_bei(i) = static_cast<std::uint8_t>(v);
        }

        if (!ganz(n, 0, tuerme_max, {Meldungsart::was_anzahl_tuerme})) return false;
        if (n > tuerme_anfang) {
            // A long wall's table; each tower takes at least its kind and shape.
            if (!l_.platz_fuer(2 * n, {Meldungsart::was_tuerme, n})) return false;
            m_.tuerme.assign(static_cast<std::size_t>(n) + 1, Turm{});
        }
        m_.n_tuerme = static_cast<std::int32_t>(n);
        for (int t = 1; t <= n; ++t) {
            Turm& turm = m_.turm(t);
            if (!ganz(v, 0, 255, {Meldungsart::was_art_turm, t})) return false;
            turm.art = static_cast<std::uint8_t>(v);
            if (!ganze_zahl(turm.form, {Meldungsart::was_form_turm, t})) return false;
            if (turm.form == 1.0f) {
                if (!ort(turm.mx, {Meldungsart::was_x_turm, t}) ||
                    !ort(turm.my, {Meldungsart::was_y_turm, t}) ||
                    !mass(turm.radius, {Meldungsart::was_radius_turm, t}))
                    return false;
            } else if (turm.form == 2.0f) {
                for (int c = 1; c <= 4; ++c)
                    if (!ort(turm.x[ix(c)], {Meldungsart::was_x_ecke_turm, t, c}) ||
                        !ort(turm.y[ix(c)], {Meldungsart::was_y_ecke_turm, t, c}))
                        return false;
                if (!seite_pruefen(laengste_seite(turm.x, turm.y),
                                   Meldung(Meldungsart::seite_turm, t)))
                    return false;
            }
        }
        return true;
    }

    Textleser& l_;
    Stadtmodell& m_;
    Kartenkopf& k_;
    Wirt* wirt_;
    int version_ = 0;       // hundredths: 500 is "5.00"
    float rand_ = 0;        // how far coordinates may lie beyond the map
    float groesse_max_ = 0; // the largest size of a shape
    bool abgebrochen_ = false;
    long long punkte_ = 0; // points read so far
    unsigned gelesen_ = 0; // coordinates read, for the abort button
};

} // namespace

float geladener_rand(const Stadtmodell& modell) {
    return gemessener_rand(modell);
}

namespace {

Ergebnis laden(Textleser& l, const QString& datei, Stadtmodell& modell, Kartenkopf& kopf,
               Wirt* wirt) {
    if (wirt) wirt->status({Statusart::laden});
    if (!l.oeffnen())
        return l.fehler().ergebnis(l.abgebrochen() ? Fehlerart::abbruch : Fehlerart::datei);
    Stadtmodell neu;
    Kartenkopf neuer_kopf;
    Kartenleser leser(l, neu, neuer_kopf, wirt);
    if (!leser.lesen()) {
        if (leser.abgebrochen())
            return Dateifehler{datei, 0, Meldung(Meldungsart::laden_abgebrochen)}.ergebnis(
                Fehlerart::abbruch);
        return l.fehler().ergebnis();
    }
    rahmen_bauen(neu, gemessener_rand(neu));
    neu.plan_vorhanden = true;
    modell = std::move(neu);
    kopf = std::move(neuer_kopf);
    if (wirt) {
        wirt->element_fertig(Element::alles, 0);
        wirt->status({Statusart::geladen});
    }
    return {};
}

} // namespace

Ergebnis stadtplan_laden(const QString& datei, Stadtmodell& modell, Kartenkopf& kopf, Wirt* wirt) {
    Textleser l(datei);
    return laden(l, datei, modell, kopf, wirt);
}

Ergebnis stadtplan_lesen(const QString& datei, std::string_view inhalt, Stadtmodell& modell,
                         Kartenkopf& kopf, Wirt* wirt) {
    Textleser l(datei, inhalt);
    return laden(l, datei, modell, kopf, wirt);
}

} // namespace tarvello
