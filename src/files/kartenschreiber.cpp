// The map writer: the model's tables checked against its counts, then every
// record in the order of the current version.
#include <cmath>

#include "core/funktionen.h"
#include "core/wirt.h"
#include "files/kartendatei.h"
#include "files/kartenform.h"

namespace tarvello {

namespace {

// Whether the model's counts fit its tables, so that writing never reads
// past them.
Worte modell_unstimmig(const Stadtmodell& m) {
    if (m.n_wege < 0 || m.n_wege > m.wege_kapazitaet())
        return Worte{QStringLiteral("die Karte hat %1 Wege in Tabellen für %2"),
                     QStringLiteral("the map has %1 ways in tables for %2")}
            .arg(m.n_wege)
            .arg(m.wege_kapazitaet());
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.weg(w);
        if (weg.n_punkte < 0 ||
            (weg.n_punkte > 0 && weg.n_punkte >= static_cast<int>(weg.x.size())) ||
            weg.x.size() != weg.y.size())
            return Worte{QStringLiteral("Weg %1 hat %2 Punkte in Tabellen für weniger"),
                         QStringLiteral("way %1 has %2 points in tables for fewer")}
                .arg(w)
                .arg(weg.n_punkte);
    }
    if (m.haus_naechster < 1 || m.haus_naechster - 1 > m.haeuser_kapazitaet())
        return Worte{QStringLiteral("die Karte hat %1 Gebäude in Tabellen für %2"),
                     QStringLiteral("the map has %1 buildings in tables for %2")}
            .arg(m.haus_naechster - 1)
            .arg(m.haeuser_kapazitaet());
    const auto flaechen = [](const std::vector<Flaeche>& liste, int n, const Worte& art,
                             const Worte& arten) {
        if (n < 0 || n > static_cast<int>(liste.size()) - 1)
            return Worte{QStringLiteral("die Karte hat %1 %2 in Tabellen für weniger"),
                         QStringLiteral("the map has %1 %2 in tables for fewer")}
                .arg(n)
                .arg(arten);
        for (int i = 1; i <= n; ++i) {
            const Flaeche& f = liste[ix(i)];
            if (f.n_punkte < 0 || (f.n_punkte > 0 && f.n_punkte >= static_cast<int>(f.x.size())) ||
                f.x.size() != f.y.size())
                return Worte{QStringLiteral("%1 %2 hat %3 Punkte in Tabellen für weniger"),
                             QStringLiteral("%1 %2 has %3 points in tables for fewer")}
                    .arg(art)
                    .arg(i)
                    .arg(f.n_punkte);
        }
        return Worte();
    };
    Worte f = flaechen(m.plaetze, m.n_plaetze, {QStringLiteral("Platz"), QStringLiteral("square")},
                       {QStringLiteral("Plätze"), QStringLiteral("squares")});
    if (f.englisch.isEmpty())
        f = flaechen(m.parks, m.n_parks, {QStringLiteral("Park"), QStringLiteral("park")},
                     {QStringLiteral("Parks"), QStringLiteral("parks")});
    if (!f.englisch.isEmpty()) return f;
    if (m.mauer_parameter == 1) {
        const std::size_t n = static_cast<std::size_t>(std::max(m.mauer_n_punkte, 0));
        if (m.mauer_n_punkte < 0 || m.mauer_n_punkte > mauer_punkte_max || m.mauer_x.size() <= n ||
            m.mauer_y.size() <= n || m.mauer_flag.size() <= n)
            return Worte{QStringLiteral("die Mauer hat %1 Punkte in Tabellen für weniger"),
                         QStringLiteral("the wall has %1 points in tables for fewer")}
                .arg(m.mauer_n_punkte);
        if (m.n_tuerme < 0 || m.n_tuerme > static_cast<int>(m.tuerme.size()) - 1)
            return Worte{QStringLiteral("die Mauer hat %1 Türme in Tabellen für weniger"),
                         QStringLiteral("the wall has %1 towers in tables for fewer")}
                .arg(m.n_tuerme);
    }
    return Worte();
}

class Kartenschreiber {
  public:
    Kartenschreiber(Textschreiber& s, const Stadtmodell& m, Wirt* wirt)
        : s_(s), m_(m), wirt_(wirt) {}

    bool schreiben(const Kartenkopf& k) {
        s_.text(kartendatei_version);
        if (!zahl(m_.karten_faktor, {"the map factor"})) return false;
        QString text = k.stadtname;
        text.replace(u'\r', u' ').replace(u'\n', u' ');
        const QByteArray name = stadtname_schreiben(text);
        s_.text(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
        if (!ganz(m_.stadt_abmessung, {"the map size"})) return false;
        for (int i = 0; i < nord_knoepfe; ++i)
            s_.text(i == k.nord ? "1" : "0");
        s_.ganzzahl(m_.n_nummer_wege);
        s_.ganzzahl(m_.n_nummer_haeuser);
        s_.ganzzahl(m_.n_nummer_plaetze);
        s_.ganzzahl(m_.n_nummer_parks);
        return wege() && haeuser() && flaechen(m_.plaetze, m_.n_plaetze, "square") &&
               flaechen(m_.parks, m_.n_parks, "park") && mauer();
    }

  private:
    bool zahl(float v, const Was& was, int stellen = 2) { return s_.gleitzahl(v, stellen, was); }
    // A float that holds a whole number, written as an integer.
    bool ganz(float v, const Was& was) {
        if (!std::isfinite(v) || std::fabs(v) > ganzzahl_float_max) {
            s_.fehler_setzen(nicht_endlich(was));
            return false;
        }
        s_.ganzzahl(static_cast<long long>(runden(static_cast<double>(v))));
        return true;
    }
    bool melden(float prozent) {
        if (!wirt_) return true;
        wirt_->fortschritt(prozent);
        if (wirt_->nachgeben()) {
            s_.fehler_setzen({QStringLiteral("das Speichern wurde abgebrochen; die Datei blieb "
                                             "unverändert"),
                              QStringLiteral("saving was aborted; the file was not changed")});
            return false;
        }
        return true;
    }

    bool wege() {
        s_.ganzzahl(m_.n_wege);
        s_.ganzzahl(m_.weg_punkte_max);
        if (!zahl(m_.weg_halbbreite_min, {"the smallest half-width"}) ||
            !zahl(m_.weg_halbbreite_max, {"the largest half-width"}))
            return false;
        for (int w = 1; w <= m_.n_wege; ++w) {
            const Weg& weg = m_.weg(w);
            s_.ganzzahl(weg.ist_fluss);
            s_.ganzzahl(weg.n_punkte);
            if (!zahl(weg.breite, {"the half-width of way %1", w})) return false;
            s_.ganzzahl(weg.nummer);
            for (int p = 1; p <= weg.n_punkte; ++p)
                if (!zahl(weg.px(p), {"x of point %2 of way %1", w, p}) ||
                    !zahl(weg.py(p), {"y of point %2 of way %1", w, p}))
                    return false;
            if ((w % melde_takt == 0 || w == m_.n_wege) &&
                !melden(static_cast<float>(w) / static_cast<float>(m_.n_wege) * 60.0f))
                return false;
        }
        return true;
    }

    bool haeuser() {
        const int n = m_.haus_naechster - 1;
        s_.ganzzahl(n);
        for (int b = 1; b <= n; ++b) {
            const Haus& h = m_.haus(b);
            s_.ganzzahl(h.nummer);
            s_.ganzzahl(h.rund);
            if (h.rund == 0) {
                for (int c = 1; c <= 4; ++c)
                    if (!zahl(h.ecke_x[c], {"x of corner %2 of building %1", b, c}) ||
                        !zahl(h.ecke_y[c], {"y of corner %2 of building %1", b, c}))
                        return false;
            } else if (h.rund == 1) {
                if (!zahl(h.x, {"x of building %1", b}) || !zahl(h.y, {"y of building %1", b}) ||
                    !zahl(h.breite, {"the radius of building %1", b}))
                    return false;
            }
            if ((b % melde_takt == 0 || b == n) &&
                !melden(static_cast<float>(b) / static_cast<float>(n) * 40.0f + 60.0f))
                return false;
        }
        return true;
    }

    bool flaechen(const std::vector<Flaeche>& liste, int n, const char* art) {
        s_.ganzzahl(n);
        s_.ganzzahl(flaeche_punkte_max);
        const std::string x_was = std::string("x of point %2 of ") + art + " %1";
        const std::string y_was = std::string("y of point %2 of ") + art + " %1";
        const std::string w_was = std::string("the width value of ") + art + " %1";
        for (int i = 1; i <= n; ++i) {
            const Flaeche& f = liste[ix(i)];
            s_.ganzzahl(f.nummer);
            s_.ganzzahl(f.n_punkte);
            if (!zahl(f.wert, {w_was.c_str(), i}, 6)) return false;
            for (int p = 1; p <= f.n_punkte; ++p)
                if (!zahl(f.x[ix(p)], {x_was.c_str(), i, p}) ||
                    !zahl(f.y[ix(p)], {y_was.c_str(), i, p}))
                    return false;
        }
        return true;
    }

    bool mauer() {
        s_.ganzzahl(m_.mauer_parameter);
        if (m_.mauer_parameter != 1) return true;
        s_.ganzzahl(m_.mauer_n_punkte);
        if (!zahl(m_.mauer_dicke, {"the wall thickness"})) return false;
        for (int i = 1; i <= m_.mauer_n_punkte; ++i) {
            if (!zahl(m_.mauer_px(i), {"x of wall point %1", i}) ||
                !zahl(m_.mauer_py(i), {"y of wall point %1", i}))
                return false;
            s_.ganzzahl(m_.mauer_flag_bei(i));
        }
        s_.ganzzahl(m_.n_tuerme);
        for (int t = 1; t <= m_.n_tuerme; ++t) {
            const Turm& turm = m_.turm(t);
            s_.ganzzahl(turm.art);
            if (!ganz(turm.form, {"the shape of tower %1", t})) return false;
            if (turm.form == 1.0f) {
                if (!zahl(turm.mx, {"x of tower %1", t}) || !zahl(turm.my, {"y of tower %1", t}) ||
                    !zahl(turm.radius, {"the radius of tower %1", t}))
                    return false;
            } else if (turm.form == 2.0f) {
                for (int c = 1; c <= 4; ++c)
                    if (!zahl(turm.x[ix(c)], {"x of corner %2 of tower %1", t, c}) ||
                        !zahl(turm.y[ix(c)], {"y of corner %2 of tower %1", t, c}))
                        return false;
            }
        }
        return true;
    }

    Textschreiber& s_;
    const Stadtmodell& m_;
    Wirt* wirt_;
};

} // namespace

Ergebnis stadtplan_speichern(const QString& datei, const Stadtmodell& modell,
                             const Kartenkopf& kopf, Wirt* wirt, Dateisystem& dateisystem) {
    const Worte unstimmig = modell_unstimmig(modell);
    if (!unstimmig.englisch.isEmpty())
        return Dateifehler{
            datei, 0,
            Worte{QStringLiteral("nicht gespeichert: %1"), QStringLiteral("not saved: %1")}.arg(
                unstimmig)}
            .ergebnis();
    if (wirt) wirt->status({Statusart::speichern});
    Ergebnis e = textdatei_schreiben(
        datei, [&](Textschreiber& s) { return Kartenschreiber(s, modell, wirt).schreiben(kopf); },
        dateisystem);
    if (e.gut() && wirt) wirt->status({Statusart::gespeichert});
    return e;
}

} // namespace tarvello
