// The map writer: the model's tables checked against its counts, then every
// record in the order of the current version.
#include <cmath>
#include <optional>

#include "core/funktionen.h"
#include "core/wirt.h"
#include "files/kartendatei.h"
#include "files/kartenform.h"

namespace tarvello {

namespace {

// Whether the model's counts fit its tables, so that writing never reads
// past them.
std::optional<Meldung> modell_unstimmig(const Stadtmodell& m) {
    if (m.n_wege < 0 || m.n_wege > m.wege_kapazitaet())
        return Meldung(Meldungsart::zu_viele_wege, m.n_wege, m.wege_kapazitaet());
    for (int w = 1; w <= m.n_wege; ++w) {
        const Weg& weg = m.weg(w);
        if (weg.n_punkte < 0 ||
            (weg.n_punkte > 0 && weg.n_punkte >= static_cast<int>(weg.x.size())) ||
            weg.x.size() != weg.y.size())
            return Meldung(Meldungsart::weg_punkte_tabelle, w, weg.n_punkte);
    }
    if (m.haus_naechster < 1 || m.haus_naechster - 1 > m.haeuser_kapazitaet())
        return Meldung(Meldungsart::zu_viele_gebaeude, m.haus_naechster - 1,
                       m.haeuser_kapazitaet());
    const auto flaechen = [](const std::vector<Flaeche>& liste, int n,
                             const Flaechenworte& worte) -> std::optional<Meldung> {
        if (n < 0 || n > static_cast<int>(liste.size()) - 1)
            return Meldung(Meldungsart::zu_viele_flaechen, n, Meldung(worte.woerter));
        for (int i = 1; i <= n; ++i) {
            const Flaeche& f = liste[ix(i)];
            if (f.n_punkte < 0 || (f.n_punkte > 0 && f.n_punkte >= static_cast<int>(f.x.size())) ||
                f.x.size() != f.y.size())
                return Meldung(Meldungsart::flaeche_punkte_tabelle, Meldung(worte.wort), i,
                               f.n_punkte);
        }
        return std::nullopt;
    };
    if (auto f = flaechen(m.plaetze, m.n_plaetze, platz_worte)) return f;
    if (auto f = flaechen(m.parks, m.n_parks, park_worte)) return f;
    if (m.mauer_parameter == 1) {
        const std::size_t n = static_cast<std::size_t>(std::max(m.mauer_n_punkte, 0));
        if (m.mauer_n_punkte < 0 || m.mauer_n_punkte > mauer_punkte_max || m.mauer_x.size() <= n ||
            m.mauer_y.size() <= n || m.mauer_flag.size() <= n)
            return Meldung(Meldungsart::mauer_punkte_tabelle, m.mauer_n_punkte);
        if (m.n_tuerme < 0 || m.n_tuerme > static_cast<int>(m.tuerme.size()) - 1)
            return Meldung(Meldungsart::mauer_tuerme_tabelle, m.n_tuerme);
    }
    return std::nullopt;
}

class Kartenschreiber {
  public:
    Kartenschreiber(Textschreiber& s, const Stadtmodell& m, Wirt* wirt)
        : s_(s), m_(m), wirt_(wirt) {}

    bool schreiben(const Kartenkopf& k) {
        s_.text(kartendatei_version);
        if (!zahl(m_.karten_faktor, {Meldungsart::was_kartenfaktor})) return false;
        QString text = k.stadtname;
        text.replace(u'\r', u' ').replace(u'\n', u' ');
        const QByteArray name = stadtname_schreiben(text);
        s_.text(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
        if (!ganz(m_.stadt_abmessung, {Meldungsart::was_kartengroesse})) return false;
        for (int i = 0; i < nord_knoepfe; ++i)
            s_.text(i == k.nord ? "1" : "0");
        s_.ganzzahl(m_.n_nummer_wege);
        s_.ganzzahl(m_.n_nummer_haeuser);
        s_.ganzzahl(m_.n_nummer_plaetze);
        s_.ganzzahl(m_.n_nummer_parks);
        return wege() && haeuser() && flaechen(m_.plaetze, m_.n_plaetze, platz_worte) &&
               flaechen(m_.parks, m_.n_parks, park_worte) && mauer();
    }

  private:
    bool zahl(float v, const Meldung& was, int stellen = 2) {
        return s_.gleitzahl(v, stellen, was);
    }
    // A float that holds a whole number, written as an integer.
    bool ganz(float v, const Meldung& was) {
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
            s_.fehler_setzen(Meldung(Meldungsart::speichern_abgebrochen));
            return false;
        }
        return true;
    }

    bool wege() {
        s_.ganzzahl(m_.n_wege);
        s_.ganzzahl(m_.weg_punkte_max);
        if (!zahl(m_.weg_halbbreite_min, {Meldungsart::was_kleinste_halbbreite}) ||
            !zahl(m_.weg_halbbreite_max, {Meldungsart::was_groesste_halbbreite}))
            return false;
        for (int w = 1; w <= m_.n_wege; ++w) {
            const Weg& weg = m_.weg(w);
            s_.ganzzahl(weg.ist_fluss);
            s_.ganzzahl(weg.n_punkte);
            if (!zahl(weg.breite, {Meldungsart::was_halbbreite_weg, w})) return false;
            s_.ganzzahl(weg.nummer);
            for (int p = 1; p <= weg.n_punkte; ++p)
                if (!zahl(weg.px(p), {Meldungsart::was_x_punkt_weg, w, p}) ||
                    !zahl(weg.py(p), {Meldungsart::was_y_punkt_weg, w, p}))
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
                    if (!zahl(h.ecke_x[c], {Meldungsart::was_x_ecke_gebaeude, b, c}) ||
                        !zahl(h.ecke_y[c], {Meldungsart::was_y_ecke_gebaeude, b, c}))
                        return false;
            } else if (h.rund == 1) {
                if (!zahl(h.x, {Meldungsart::was_x_gebaeude, b}) ||
                    !zahl(h.y, {Meldungsart::was_y_gebaeude, b}) ||
                    !zahl(h.breite, {Meldungsart::was_radius_gebaeude, b}))
                    return false;
            }
            if ((b % melde_takt == 0 || b == n) &&
                !melden(static_cast<float>(b) / static_cast<float>(n) * 40.0f + 60.0f))
                return false;
        }
        return true;
    }

    bool flaechen(const std::vector<Flaeche>& liste, int n, const Flaechenworte& worte) {
        s_.ganzzahl(n);
        s_.ganzzahl(flaeche_punkte_max);
        for (int i = 1; i <= n; ++i) {
            const Flaeche& f = liste[ix(i)];
            s_.ganzzahl(f.nummer);
            s_.ganzzahl(f.n_punkte);
            if (!zahl(f.wert, {worte.breitenwert, i}, 6)) return false;
            for (int p = 1; p <= f.n_punkte; ++p)
                if (!zahl(f.x[ix(p)], {worte.x, i, p}) || !zahl(f.y[ix(p)], {worte.y, i, p}))
                    return false;
        }
        return true;
    }

    bool mauer() {
        s_.ganzzahl(m_.mauer_parameter);
        if (m_.mauer_parameter != 1) return true;
        s_.ganzzahl(m_.mauer_n_punkte);
        if (!zahl(m_.mauer_dicke, {Meldungsart::was_mauerdicke})) return false;
        for (int i = 1; i <= m_.mauer_n_punkte; ++i) {
            if (!zahl(m_.mauer_px(i), {Meldungsart::was_x_mauerpunkt, i}) ||
                !zahl(m_.mauer_py(i), {Meldungsart::was_y_mauerpunkt, i}))
                return false;
            s_.ganzzahl(m_.mauer_flag_bei(i));
        }
        s_.ganzzahl(m_.n_tuerme);
        for (int t = 1; t <= m_.n_tuerme; ++t) {
            const Turm& turm = m_.turm(t);
            s_.ganzzahl(turm.art);
            if (!ganz(turm.form, {Meldungsart::was_form_turm, t})) return false;
            if (turm.form == 1.0f) {
                if (!zahl(turm.mx, {Meldungsart::was_x_turm, t}) ||
                    !zahl(turm.my, {Meldungsart::was_y_turm, t}) ||
                    !zahl(turm.radius, {Meldungsart::was_radius_turm, t}))
                    return false;
            } else if (turm.form == 2.0f) {
                for (int c = 1; c <= 4; ++c)
                    if (!zahl(turm.x[ix(c)], {Meldungsart::was_x_ecke_turm, t, c}) ||
                        !zahl(turm.y[ix(c)], {Meldungsart::was_y_ecke_turm, t, c}))
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
    if (const std::optional<Meldung> unstimmig = modell_unstimmig(modell))
        return Dateifehler{datei, 0, Meldung(Meldungsart::nicht_gespeichert, *unstimmig)}
            .ergebnis();
    if (kopf.stadtname.size() > stadtname_max)
        return Dateifehler{datei, 0,
                           Meldung(Meldungsart::nicht_gespeichert,
                                   Meldung(Meldungsart::stadtname_zu_lang,
                                           static_cast<long long>(kopf.stadtname.size()),
                                           static_cast<long long>(stadtname_max)))}
            .ergebnis();
    if (wirt) wirt->status({Statusart::speichern});
    Ergebnis e = textdatei_schreiben(
        datei, [&](Textschreiber& s) { return Kartenschreiber(s, modell, wirt).schreiben(kopf); },
        dateisystem);
    if (e.gut() && wirt) wirt->status({Statusart::gespeichert});
    return e;
}

} // namespace tarvello
