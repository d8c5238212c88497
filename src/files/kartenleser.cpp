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
        return kopf() && wege() && haeuser() && flaechen(m_.plaetze, m_.n_plaetze, "square") &&
               flaechen(m_.parks, m_.n_parks, "park") && mauer() && l_.ende_pruefen();
    }

    bool abgebrochen() const { return abgebrochen_; }

  private:
    bool ganz(long long& v, long long min, long long max, const Was& was) {
        return l_.ganzzahl(v, min, max, was);
    }
    bool zahl(float& v, const Was& was) { return l_.gleitzahl(v, was); }
    // A number within min..max (limits that are whole numbers, so that the
    // value written back with two decimals stays within them).
    bool zahl(float& v, float min, float max, const Was& was) {
        if (!zahl(v, was)) return false;
        if (v >= min && v <= max) return true;
        return l_.scheitern(Worte{QStringLiteral("%1 ist %2, außerhalb von %3..%4"),
                                  QStringLiteral("%1 is %2, outside %3..%4")}
                                .arg(was.beschreiben())
                                .arg(l_.wert_text())
                                .arg(static_cast<double>(min), 0, 'f', 0)
                                .arg(static_cast<double>(max), 0, 'f', 0));
    }
    // A point's coordinate: on the map or within the margin streets reach.
    bool ort(float& v, const Was& was) { return zahl(v, -rand_, m_.stadt_abmessung + rand_, was); }
    // A radius, half-width or thickness.
    bool mass(float& v, const Was& was) { return zahl(v, 0.0f, groesse_max_, was); }
    // A size measured between points, refused when beyond the sizes allowed.
    bool seite_pruefen(float laenge, const Worte& was) {
        if (laenge <= groesse_max_) return true;
        return l_.scheitern(Worte{QStringLiteral("%1 misst %2 m, mehr als %3 m"),
                                  QStringLiteral("%1 measures %2 m, more than %3 m")}
                                .arg(was)
                                .arg(static_cast<double>(laenge), 0, 'g', 7)
                                .arg(static_cast<double>(groesse_max_), 0, 'f', 0));
    }
    // A whole-number float: read as a number and rounded, as it is written.
    bool ganze_zahl(float& v, const Was& was) {
        if (!zahl(v, was)) return false;
        if (std::fabs(v) > ganzzahl_float_max)
            return l_.scheitern(Worte{QStringLiteral("%1 ist %2, jenseits von %3"),
                                      QStringLiteral("%1 is %2, beyond %3")}
                                    .arg(was.beschreiben())
                                    .arg(l_.wert_text())
                                    .arg(static_cast<double>(ganzzahl_float_max), 0, 'g', 6));
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
        if (!l_.zeile(t, {"the version"})) return false;
        const std::optional<float> v = gleitzahl_aus_zeile(t);
        if (!v || *v < 1.0f)
            return l_.scheitern({QStringLiteral("keine Stadtplandatei: die erste Zeile enthält "
                                                "keine Versionsnummer"),
                                 QStringLiteral("not a city map file: the first line holds no "
                                                "version number")});
        version_ = static_cast<int>(std::lround(static_cast<double>(*v) * 100.0));
        if (version_ > 500)
            return l_.scheitern(Worte{QStringLiteral("von einem neueren Programm geschrieben "
                                                     "(Version %1); dieses liest Versionen bis %2"),
                                      QStringLiteral("written by a newer program (version %1); "
                                                     "this one reads versions up to %2")}
                                    .arg(static_cast<double>(*v), 0, 'f', 2)
                                    .arg(kartendatei_version));

        m_.karten_faktor = 1.0f;
        if (version_ >= 400 && !zahl(m_.karten_faktor, {"the map factor"})) return false;

        if (!l_.zeile(t, {"the town name"})) return false;
        k_.stadtname = stadtname(t);

        if (!ganze_zahl(m_.stadt_abmessung, {"the map size"})) return false;
        if (!(m_.stadt_abmessung >= kartengroesse_min && m_.stadt_abmessung <= kartengroesse_max))
            return l_.scheitern(Worte{QStringLiteral("die Kartengröße ist %1 m, außerhalb von "
                                                     "%2..%3 m"),
                                      QStringLiteral("the map size is %1 m, outside %2..%3 m")}
                                    .arg(l_.wert_text())
                                    .arg(static_cast<double>(kartengroesse_min))
                                    .arg(static_cast<double>(kartengroesse_max)));
        rand_ = koordinatenrand(m_.stadt_abmessung);
        groesse_max_ = m_.stadt_abmessung + groessen_zugabe;
        m_.zentrum_x = m_.zentrum_y = m_.stadt_abmessung / 2.0f;

        // The button whose line reads "1" is selected; an older file may hold
        // other words for the cleared ones.
        k_.nord = -1;
        for (int i = 0; i < nord_knoepfe; ++i) {
            if (!l_.zeile(t, {"north button %1", i})) return false;
            while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
                t.remove_prefix(1);
            while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
                t.remove_suffix(1);
            if (t == "1") k_.nord = i;
        }

        long long v16 = 0;
        const auto zaehler = [&](std::int16_t& ziel, const Was& was) {
            if (!ganz(v16, int16_min, int16_max, was)) return false;
            ziel = static_cast<std::int16_t>(v16);
            return true;
        };
        if (!zaehler(m_.n_nummer_wege, {"the count of numbered ways"}) ||
            !zaehler(m_.n_nummer_haeuser, {"the count of numbered buildings"}))
            return false;
        if (version_ >= 300 && (!zaehler(m_.n_nummer_plaetze, {"the count of numbered squares"}) ||
                                !zaehler(m_.n_nummer_parks, {"the count of numbered parks"})))
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
        if (!ganz(n, 0, int16_max - weg_reserve, {"the number of ways"})) return false;
        if (!l_.platz_fuer(n * (version_ >= 200 ? 4 : 3), {"%1 ways", n})) return false;
        if (!ganz(punkte_max, 0, int16_max - weg_reserve, {"the point capacity of the ways"}))
            return false;
        if (!mass(m_.weg_halbbreite_min, {"the smallest half-width"}) ||
            !mass(m_.weg_halbbreite_max, {"the largest half-width"}))
            return false;

        m_.wege.assign(static_cast<std::size_t>(n + weg_reserve + 1), Weg{});
        m_.n_wege = static_cast<std::int16_t>(n);
        m_.weg_punkte_max = static_cast<std::int16_t>(punkte_max);
        long long v = 0;
        for (int w = 1; w <= n; ++w) {
            Weg& weg = m_.weg(w);
            if (version_ >= 200) {
                if (!ganz(v, 0, 255, {"the river flag of way %1", w})) return false;
                weg.ist_fluss = static_cast<std::uint8_t>(v);
            }
            if (!ganz(v, 0, punkte_max + weg_reserve, {"the number of points of way %1", w}))
                return false;
            weg.n_punkte = static_cast<std::int16_t>(v);
            if (!mass(weg.breite, {"the half-width of way %1", w})) return false;
            if (!ganz(v, int16_min, int16_max, {"the number label of way %1", w})) return false;
            weg.nummer = static_cast<std::int16_t>(v);
            if (!l_.platz_fuer(2LL * weg.n_punkte, {"%2 points of way %1", w, weg.n_punkte}))
                return false;
            const auto groesse = static_cast<std::size_t>(weg.n_punkte) + 1;
            weg.x.assign(groesse, 0.0f);
            weg.y.assign(groesse, 0.0f);
            for (int p = 1; p <= weg.n_punkte; ++p)
                if (!ort(weg.x[ix(p)], {"x of point %2 of way %1", w, p}) ||
                    !ort(weg.y[ix(p)], {"y of point %2 of way %1", w, p}))
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
        if (!ganz(n, 0, int16_max, {"the number of buildings"})) return false;
        if (!l_.platz_fuer(2 * n, {"%1 buildings", n})) return false;
        // Room for six more, as after a run.
        m_.haeuser.assign(static_cast<std::size_t>(n + 7), Haus{});
        m_.haus_naechster = static_cast<std::int32_t>(n + 1);
        for (int b = 1; b <= n; ++b) {
            Haus& h = m_.haus(b);
            if (!ganz(v, int16_min, int16_max, {"the number label of building %1", b}))
                return false;
            h.nummer = static_cast<std::int16_t>(v);
            if (!ganz(v, 0, 255, {"the shape of building %1", b})) return false;
            h.rund = static_cast<std::uint8_t>(v);
            if (h.rund == 0) {
                for (int c = 1; c <= 4; ++c)
                    if (!ort(h.ecke_x[c], {"x of corner %2 of building %1", b, c}) ||
                        !ort(h.ecke_y[c], {"y of corner %2 of building %1", b, c}))
                        return false;
                if (!seite_pruefen(laengste_seite(h.ecke_x, h.ecke_y),
                                   Worte{QStringLiteral("eine Seite von Gebäude %1"),
                                         QStringLiteral("a side of building %1")}
                                       .arg(b)))
                    return false;
                // Centre and sides follow from the corners.
                h.x = (h.ecke_x[1] + h.ecke_x[2] + h.ecke_x[3] + h.ecke_x[4]) / 4.0f;
                h.y = (h.ecke_y[1] + h.ecke_y[2] + h.ecke_y[3] + h.ecke_y[4]) / 4.0f;
                h.breite = abstand(h.ecke_x[1], h.ecke_y[1], h.ecke_x[2], h.ecke_y[2]);
                h.laenge = abstand(h.ecke_x[2], h.ecke_y[2], h.ecke_x[3], h.ecke_y[3]);
            } else if (h.rund == 1) {
                if (!ort(h.x, {"x of building %1", b}) || !ort(h.y, {"y of building %1", b}) ||
                    !mass(h.breite, {"the radius of building %1", b}))
                    return false;
                h.laenge = h.breite;
            }
            if ((b % melde_takt == 0 || b == n) &&
                !melden(static_cast<float>(b) / static_cast<float>(n) * 40.0f + 60.0f))
                return false;
        }
        return true;
    }

    bool flaechen(std::vector<Flaeche>& liste, std::int16_t& anzahl, const char* art) {
        const std::string was_anzahl = std::string("the number of ") + art + "s";
        const std::string was_max = std::string("the point capacity of the ") + art + "s";
        const std::string was_nummer = std::string("the number label of ") + art + " %1";
        const std::string was_n = std::string("the number of points of ") + art + " %1";
        const std::string was_platz = std::string("%2 points of ") + art + " %1";
        const std::string was_wert = std::string("the width value of ") + art + " %1";
        const std::string was_x = std::string("x of point %2 of ") + art + " %1";
        const std::string was_y = std::string("y of point %2 of ") + art + " %1";

        long long n = 0, punkte_max = 0, v = 0;
        if (!ganz(n, 0, int16_max - 1, {was_anzahl.c_str()})) return false;
        if (!ganz(punkte_max, 0, std::numeric_limits<std::int32_t>::max(), {was_max.c_str()}))
            return false;
        if (!l_.platz_fuer(3 * n, {"%1 areas", n})) return false;
        const long long grenze = std::min<long long>(punkte_max, flaeche_punkte_max);
        liste.assign(static_cast<std::size_t>(n + 2), Flaeche{});
        anzahl = static_cast<std::int16_t>(n);
        for (int i = 1; i <= n; ++i) {
            Flaeche& f = liste[ix(i)];
            if (!ganz(v, int16_min, int16_max, {was_nummer.c_str(), i})) return false;
            f.nummer = static_cast<std::int16_t>(v);
            if (!ganz(v, 0, grenze, {was_n.c_str(), i})) return false;
            f.n_punkte = static_cast<std::int16_t>(v);
            if (!zahl(f.wert, {was_wert.c_str(), i})) return false;
            if (f.wert > 0.0f && f.wert < breitenwert_min)
                return l_.scheitern(
                    Worte{QStringLiteral("%1 ist %2; ein Breitenwert ist 0 oder mindestens %3"),
                          QStringLiteral("%1 is %2; a width value is 0 or at least %3")}
                        .arg(Was{was_wert.c_str(), i}.beschreiben())
                        .arg(l_.wert_text())
                        .arg(static_cast<double>(breitenwert_min)));
            if (!l_.platz_fuer(2LL * f.n_punkte, {was_platz.c_str(), i, f.n_punkte})) return false;
            f.x.assign(static_cast<std::size_t>(f.n_punkte) + 1, 0.0f);
            f.y.assign(f.x.size(), 0.0f);
            float x_lo = 0, x_hi = 0, y_lo = 0, y_hi = 0;
            for (int p = 1; p <= f.n_punkte; ++p) {
                if (!ort(f.x[ix(p)], {was_x.c_str(), i, p}) ||
                    !ort(f.y[ix(p)], {was_y.c_str(), i, p}))
                    return false;
                const float x = wie_geschrieben(f.x[ix(p)]), y = wie_geschrieben(f.y[ix(p)]);
                x_lo = p == 1 ? x : std::min(x_lo, x);
                x_hi = p == 1 ? x : std::max(x_hi, x);
                y_lo = p == 1 ? y : std::min(y_lo, y);
                y_hi = p == 1 ? y : std::max(y_hi, y);
            }
            if (!seite_pruefen(
                    std::max(x_hi - x_lo, y_hi - y_lo),
                    Worte{QStringLiteral("die Ausdehnung von %1 %2"),
                          QStringLiteral("the extent of %1 %2")}
                        .arg(std::string_view(art) == "park"
                                 ? Worte{QStringLiteral("Park"), QStringLiteral("park")}
                                 : Worte{QStringLiteral("Platz"), QStringLiteral("square")})
                        .arg(i)))
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
        if (!ganz(v, 0, 255, {"the wall flag"})) return false;
        m_.mauer_parameter = static_cast<std::uint8_t>(v);
        if (v != 1) return true;
        m_.mauer_vorhanden = true;

        if (!ganz(n, 0, mauer_punkte_max, {"the number of wall points"})) return false;
        if (!l_.platz_fuer(3 * n + 2, {"%1 wall points", n})) return false;
        if (!mass(m_.mauer_dicke, {"the wall thickness"})) return false;
        const auto groesse = static_cast<std::size_t>(n) + 1;
        m_.mauer_x.assign(groesse, 0.0f);
        m_.mauer_y.assign(groesse, 0.0f);
        m_.mauer_flag.assign(groesse, 0);
        m_.mauer_n_punkte = static_cast<std::int32_t>(n);
        for (int i = 1; i <= n; ++i) {
            if (!ort(m_.mauer_px(i), {"x of wall point %1", i}) ||
                !ort(m_.mauer_py(i), {"y of wall point %1", i}) ||
                !ganz(v, 0, 255, {"the flag of wall point %1", i}))
                return false;
            m_.mauer_flag_bei(i) = static_cast<std::uint8_t>(v);
        }

        if (!ganz(n, 0, tuerme_max, {"the number of towers"})) return false;
        if (n > tuerme_anfang) {
            // A long wall's table; each tower takes at least its kind and shape.
            if (!l_.platz_fuer(2 * n, {"%1 towers", n})) return false;
            m_.tuerme.assign(static_cast<std::size_t>(n) + 1, Turm{});
        }
        m_.n_tuerme = static_cast<std::int32_t>(n);
        for (int t = 1; t <= n; ++t) {
            Turm& turm = m_.turm(t);
            if (!ganz(v, 0, 255, {"the kind of tower %1", t})) return false;
            turm.art = static_cast<std::uint8_t>(v);
            if (!ganze_zahl(turm.form, {"the shape of tower %1", t})) return false;
            if (turm.form == 1.0f) {
                if (!ort(turm.mx, {"x of tower %1", t}) || !ort(turm.my, {"y of tower %1", t}) ||
                    !mass(turm.radius, {"the radius of tower %1", t}))
                    return false;
            } else if (turm.form == 2.0f) {
                for (int c = 1; c <= 4; ++c)
                    if (!ort(turm.x[ix(c)], {"x of corner %2 of tower %1", t, c}) ||
                        !ort(turm.y[ix(c)], {"y of corner %2 of tower %1", t, c}))
                        return false;
                if (!seite_pruefen(laengste_seite(turm.x, turm.y),
                                   Worte{QStringLiteral("eine Seite von Turm %1"),
                                         QStringLiteral("a side of tower %1")}
                                       .arg(t)))
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
};

} // namespace

float geladener_rand(const Stadtmodell& modell) {
    return gemessener_rand(modell);
}

namespace {

Ergebnis laden(Textleser& l, const QString& datei, Stadtmodell& modell, Kartenkopf& kopf,
               Wirt* wirt) {
    if (wirt) wirt->status({Statusart::laden});
    if (!l.oeffnen()) return l.fehler().ergebnis();
    Stadtmodell neu;
    Kartenkopf neuer_kopf;
    Kartenleser leser(l, neu, neuer_kopf, wirt);
    if (!leser.lesen()) {
        if (leser.abgebrochen())
            return Dateifehler{datei,
                               0,
                               {QStringLiteral("das Laden wurde abgebrochen; der Stadtplan blieb "
                                               "unverändert"),
                                QStringLiteral("loading was aborted; the map was not changed")}}
                .ergebnis(Fehlerart::abbruch);
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
