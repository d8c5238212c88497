#include "files/geojson.h"

#include <QDir>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "core/version.h"
#include "core/zahlen.h"
#include "wall/mauer.h"

namespace tarvello {

namespace {

constexpr int kreis_ecken = 16;

struct Punkt2 {
    double x = 0, y = 0;
};

// What a feature stands for, in messages: "building 5" / "Gebäude 5".
struct Bezeichnung {
    Meldungsart wort;
    int nummer = 0;
    Meldung meldung() const {
        return nummer > 0 ? Meldung(Meldungsart::element_nummer, Meldung(wort), nummer)
                          : Meldung(wort);
    }
};

class Geojsonschreiber {
  public:
    Geojsonschreiber(Textschreiber& s, const Stadtmodell& m, const Geoursprung& ursprung)
        : s_(s), m_(m), abbildung_(ursprung, static_cast<double>(m.stadt_abmessung)) {
        groesse_ = static_cast<double>(m.stadt_abmessung);
    }

    // False when a value was not finite (see fehler()) or the device failed.
    bool schreiben(const Kartenkopf& kopf);
    const Bezeichnung& fehler() const { return element_; }
    bool nicht_endlich() const { return !endlich_; }

  private:
    // Metres to millimetres, degrees to nine decimals (a tenth of a
    // millimetre); trailing zeros dropped.
    void zahl(double v, int stellen = 3) {
        if (!std::isfinite(v)) {
            endlich_ = false;
            return;
        }
        char puffer[64];
        auto r =
            std::to_chars(puffer, puffer + sizeof puffer, v, std::chars_format::fixed, stellen);
        char* ende = r.ptr;
        while (ende[-1] == '0')
            --ende;
        if (ende[-1] == '.') --ende;
        std::string_view t(puffer, static_cast<std::size_t>(ende - puffer));
        if (t == "-0") t = "0";
        zeile_ += t;
    }
    // A plane point as longitude, latitude.
    void punkt(Punkt2 p) {
        const Geolage g = abbildung_.grad_eben(p.x - groesse_ / 2.0, p.y - groesse_ / 2.0);
        zeile_ += '[';
        zahl(g.laenge, 9);
        zeile_ += ',';
        zahl(g.breite, 9);
        zeile_ += ']';
    }
    // A map point on the plane: metres, y up.
    Punkt2 eben(float x, float y) const {
        return {static_cast<double>(x), groesse_ - static_cast<double>(y)};
    }
    void text(std::string_view t) {
        zeile_ += '"';
        for (const char c : t) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                zeile_ += '\\';
                zeile_ += c;
            } else if (u < 0x20) {
                static const char hex[] = "0123456789abcdef";
                zeile_ += "\\u00";
                zeile_ += hex[u >> 4];
                zeile_ += hex[u & 15];
            } else {
                zeile_ += c;
            }
        }
        zeile_ += '"';
    }

    // A feature: its properties (the caller's "kind" first), then its geometry.
    void beginnen(const char* art, Bezeichnung e) {
        element_ = e;
        zeile_ = R"({"type":"Feature","properties":{"kind":)";
        text(art);
    }
    void eigenschaft(const char* name) {
        zeile_ += ",\"";
        zeile_ += name;
        zeile_ += "\":";
    }
    void eigenschaft(const char* name, double v) {
        eigenschaft(name);
        zahl(v);
    }
    void eigenschaft(const char* name, bool v) {
        eigenschaft(name);
        zeile_ += v ? "true" : "false";
    }
    void nummer(int n) {
        if (n <= 0) return;
        eigenschaft("number");
        zeile_ += std::to_string(n);
    }
    void geometrie(const char* typ) {
        zeile_ += R"(},"geometry":{"type":")";
        zeile_ += typ;
        zeile_ += R"(","coordinates":)";
    }
    void linie(const std::vector<Punkt2>& p) {
        zeile_ += '[';
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (i > 0) zeile_ += ',';
            punkt(p[i]);
        }
        zeile_ += ']';
    }
    // A polygon's outer ring, closed and anticlockwise on the plane.
    void flaeche(std::vector<Punkt2> p) {
        if (p.empty()) return;
        if (p.front().x != p.back().x || p.front().y != p.back().y) p.push_back(p.front());
        double doppelt = 0;
        for (std::size_t i = 0; i + 1 < p.size(); ++i)
            doppelt += p[i].x * p[i + 1].y - p[i + 1].x * p[i].y;
        if (doppelt < 0) std::reverse(p.begin(), p.end());
        zeile_ += '[';
        linie(p);
        zeile_ += ']';
    }
    // Ends the feature and hands the one before it on: the last is written
    // without the comma that separates it from a next one.
    bool beenden() {
        zeile_ += "}}";
        if (!endlich_) return false;
        if (!offen_.empty()) {
            offen_ += ',';
            s_.text(offen_);
        }
        offen_.swap(zeile_);
        zeile_.clear();
        return !s_.fehlerhaft();
    }

    bool wege();
    bool gebaeude();
    bool flaechen(const std::vector<Flaeche>& liste, int anzahl, bool parks);
    bool mauer();

    Textschreiber& s_;
    const Stadtmodell& m_;
    Geoabbildung abbildung_;
    double groesse_ = 0;
    std::string zeile_, offen_;
    bool endlich_ = true;
    Bezeichnung element_{Meldungsart::wort_kopf, 0};
};

bool Geojsonschreiber::schreiben(const Kartenkopf& kopf) {
    const std::string name = kopf.stadtname.toStdString();
    element_ = {Meldungsart::wort_kopf, 0};
    // Tools name their layer after "name": never empty.
    zeile_ = R"({"type":"FeatureCollection","name":)";
    text(name.empty() ? std::string("tarvello") : name);
    zeile_ += R"(,"size":)";
    zahl(groesse_);
    // How to go back to map metres, and the map square in degrees.
    const Geoursprung& u = abbildung_.ursprung();
    zeile_ += ",\"tarvello\":{\"units\":\"m\",\"coordinates\":\"WGS 84 longitude, latitude; "
              "the map's centre at the origin, a local equirectangular projection\",\"origin\":";
    zeile_ += '[';
    zahl(u.laenge, 9);
    zeile_ += ',';
    zahl(u.breite, 9);
    zeile_ += R"(],"metres_per_degree_longitude":)";
    zahl(abbildung_.meter_je_grad_laenge());
    zeile_ += R"(,"metres_per_degree_latitude":)";
    zahl(abbildung_.meter_je_grad_breite());
    zeile_ +=
        R"(,"map_x":"size / 2 + (longitude - origin longitude) * metres_per_degree_longitude")";
    zeile_ += R"(,"map_y":"size / 2 - (latitude - origin latitude) * metres_per_degree_latitude")";
    zeile_ += R"(,"extent":[)";
    const Geolage sw = abbildung_.grad(0.0, groesse_), no = abbildung_.grad(groesse_, 0.0);
    zahl(sw.laenge, 9);
    for (const double v : {sw.breite, no.laenge, no.breite}) {
        zeile_ += ',';
        zahl(v, 9);
    }
    zeile_ += R"(],"size":)";
    zahl(groesse_);
    zeile_ += R"(,"name":)";
    text(name);
    // The compass rose's north, turned 30 degrees anticlockwise per button.
    zeile_ += R"(,"north_degrees_anticlockwise_from_y":)";
    zeile_ += std::to_string(std::clamp(kopf.nord, 0, 11) * 30);
    zeile_ += R"(,"version":)";
    text(programm_version);
    zeile_ += R"(},"features":[)";
    if (!endlich_) return false;
    s_.text(zeile_);
    zeile_.clear();

    // In the order the map draws them.
    if (!flaechen(m_.parks, m_.n_parks, true) || !flaechen(m_.plaetze, m_.n_plaetze, false) ||
        !wege() || !gebaeude() || !mauer())
        return false;
    if (!offen_.empty()) s_.text(offen_);
    s_.text("]}");
    return !s_.fehlerhaft();
}

bool Geojsonschreiber::flaechen(const std::vector<Flaeche>& liste, int anzahl, bool parks) {
    anzahl = std::min<int>(anzahl, static_cast<int>(liste.size()) - 1);
    for (int q = 1; q <= anzahl; ++q) {
        const Flaeche& f = liste[ix(q)];
        // What the map fills.
        if (!(f.wert > 0.0f) || f.n_punkte < 3 || static_cast<int>(f.x.size()) <= f.n_punkte ||
            static_cast<int>(f.y.size()) <= f.n_punkte)
            continue;
        beginnen(parks ? "park" : "square",
                 Bezeichnung{parks ? Meldungsart::wort_park : Meldungsart::wort_platz, q});
        nummer(f.nummer);
        geometrie("Polygon");
        std::vector<Punkt2> p;
        for (int i = 1; i <= f.n_punkte; ++i)
            p.push_back(eben(f.px(i), f.py(i)));
        flaeche(std::move(p));
        if (!beenden()) return false;
    }
    return true;
}

bool Geojsonschreiber::wege() {
    const int n = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
    for (int a = 1; a <= n; ++a) {
        const Weg& w = m_.weg(a);
        // A way of one point draws nothing.
        if (w.n_punkte < 2 || static_cast<int>(w.x.size()) <= w.n_punkte ||
            static_cast<int>(w.y.size()) <= w.n_punkte)
            continue;
        const bool fluss = w.ist_fluss == 1;
        beginnen(fluss ? "river" : "street",
                 Bezeichnung{fluss ? Meldungsart::wort_fluss : Meldungsart::wort_strasse, a});
        eigenschaft("river", fluss);
        eigenschaft("width", static_cast<double>(w.breite));
        nummer(w.nummer);
        geometrie("LineString");
        std::vector<Punkt2> p;
        for (int k = 1; k <= w.n_punkte; ++k)
            p.push_back(eben(w.px(k), w.py(k)));
        linie(p);
        if (!beenden()) return false;
    }
    return true;
}

bool Geojsonschreiber::gebaeude() {
    const int anzahl = std::min<int>(m_.haus_naechster - 1, m_.haeuser_kapazitaet());
    for (int b = 1; b <= anzahl; ++b) {
        const Haus& h = m_.haus(b);
        if (h.rund != 0 && h.rund != 1) continue; // the map draws neither shape
        beginnen("building", {Meldungsart::wort_gebaeude, b});
        const bool rund = h.rund == 1;
        eigenschaft("round", rund);
        // A round building's width is its diameter.
        const double r = static_cast<double>(h.breite) / 2.0;
        if (rund) eigenschaft("radius", r);
        nummer(h.nummer);
        geometrie("Polygon");
        std::vector<Punkt2> p;
        if (rund) {
            const Punkt2 c = eben(h.x, h.y);
            for (int k = 0; k < kreis_ecken; ++k) {
                const double a = 2.0 * M_PI * k / kreis_ecken;
                p.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
            }
        } else {
            for (int c = 1; c <= 4; ++c)
                p.push_back(eben(h.ecke_x[ix(c)], h.ecke_y[ix(c)]));
        }
        flaeche(std::move(p));
        if (!beenden()) return false;
    }
    return true;
}

bool Geojsonschreiber::mauer() {
    if (m_.mauer_parameter != 1) return true; // the map draws no wall then
    const int n = std::min<int>(
        m_.mauer_n_punkte,
        static_cast<int>(std::min({m_.mauer_x.size(), m_.mauer_y.size(), m_.mauer_flag.size()})) -
            1);
    // The drawn stretches: runs of segments whose points are both flagged.
    std::vector<std::vector<Punkt2>> zuege;
    std::vector<Punkt2> zug;
    for (int i = 1; i <= n - 1; ++i) {
        if (m_.mauer_flag_bei(i) == 1 && m_.mauer_flag_bei(i + 1) == 1) {
            if (zug.empty()) zug.push_back(eben(m_.mauer_px(i), m_.mauer_py(i)));
            zug.push_back(eben(m_.mauer_px(i + 1), m_.mauer_py(i + 1)));
        } else if (!zug.empty()) {
            zuege.push_back(std::move(zug));
            zug.clear();
        }
    }
    if (!zug.empty()) zuege.push_back(std::move(zug));
    if (!zuege.empty()) {
        beginnen("wall", {Meldungsart::wort_mauer, 0});
        eigenschaft("thickness", static_cast<double>(m_.mauer_dicke));
        geometrie("MultiLineString");
        zeile_ += '[';
        for (std::size_t z = 0; z < zuege.size(); ++z) {
            if (z > 0) zeile_ += ',';
            linie(zuege[z]);
        }
        zeile_ += ']';
        if (!beenden()) return false;
    }

    const int n_tuerme = std::min<int>(m_.n_tuerme, static_cast<int>(m_.tuerme.size()) - 1);
    for (int t = 1; t <= n_tuerme; ++t) {
        const Turm& tu = m_.turm(t);
        if (tu.art == 0 || (tu.form != 1.0f && tu.form != 2.0f)) continue;
        beginnen("tower", {Meldungsart::wort_turm, t});
        const bool rund = tu.form == 1.0f;
        eigenschaft("round", rund);
        if (rund) {
            eigenschaft("radius", static_cast<double>(tu.radius));
            geometrie("Point");
            punkt(eben(tu.mx, tu.my));
        } else {
            geometrie("Polygon");
            std::vector<Punkt2> p;
            for (int c = 1; c <= 4; ++c)
                p.push_back(eben(tu.x[ix(c)], tu.y[ix(c)]));
            flaeche(std::move(p));
        }
        if (!beenden()) return false;
    }

    int nr = 0;
    for (const Durchgang& d : mauer_durchgaenge(m_)) {
        beginnen("gate", {Meldungsart::wort_tor, ++nr});
        const int strasse = m_.weg(d.weg).nummer;
        if (strasse > 0) {
            eigenschaft("street");
            zeile_ += std::to_string(strasse);
        }
        eigenschaft("opening", static_cast<double>(d.oeffnung));
        geometrie("Point");
        punkt(eben(d.x, d.y));
        if (!beenden()) return false;
    }
    return true;
}

} // namespace

Ergebnis geojson_speichern(const QString& datei, const Stadtmodell& modell, const Kartenkopf& kopf,
                           const Geoursprung& ursprung, Dateisystem& dateisystem) {
    const std::string name = QDir::toNativeSeparators(datei).toStdString();
    if (!modell.plan_vorhanden || !(modell.stadt_abmessung > 0.0f))
        return Ergebnis::fehler(Fehlerart::kein_plan,
                                Meldung(Meldungsart::geojson_kein_plan, name));
    bool nicht_endlich = false;
    Bezeichnung was{Meldungsart::wort_kopf, 0};
    Ergebnis e = textdatei_schreiben(
        datei,
        [&](Textschreiber& s) {
            Geojsonschreiber g(s, modell, ursprung);
            const bool gut = g.schreiben(kopf);
            nicht_endlich = g.nicht_endlich();
            was = g.fehler();
            return gut;
        },
        dateisystem);
    if (!nicht_endlich) return e;
    return Ergebnis::fehler(Fehlerart::datei,
                            Meldung(Meldungsart::geojson_nicht_endlich, name, was.meldung()));
}

} // namespace tarvello
