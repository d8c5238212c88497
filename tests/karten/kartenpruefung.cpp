#include "karten/kartenpruefung.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/parameter.h"
#include "core/uhr.h"
#include "core/vorlagen.h"
#include "core/wirt.h"
#include "core/zahlen.h"
#include "core/zufall.h"
#include "generator/treiber.h"

namespace tarvello {

namespace {

// Geometry in double precision, independent of the generator's own tests.

struct P {
    double x = 0, y = 0;
};

P operator-(P a, P b) {
    return {a.x - b.x, a.y - b.y};
}
double kreuz(P a, P b) {
    return a.x * b.y - a.y * b.x;
}
double punkt(P a, P b) {
    return a.x * b.x + a.y * b.y;
}

struct Kasten {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Kasten erweitert(double r) const { return {x0 - r, y0 - r, x1 + r, y1 + r}; }
};

// Nearest point of segment ab to p.
P naechster_punkt(P p, P a, P b) {
    const P d = b - a;
    const double l2 = punkt(d, d);
    double t = l2 > 0 ? punkt(p - a, d) / l2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return {a.x + t * d.x, a.y + t * d.y};
}
double punkt_strecke(P p, P a, P b) {
    const P q = naechster_punkt(p, a, b);
    return std::hypot(p.x - q.x, p.y - q.y);
}

// Whether ab and cd cross at a point inside both (ends touching do not count).
bool kreuzen(P a, P b, P c, P d, P* wo = nullptr) {
    const double d1 = kreuz(b - a, c - a), d2 = kreuz(b - a, d - a);
    const double d3 = kreuz(d - c, a - c), d4 = kreuz(d - c, b - c);
    if (!(((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))))
        return false;
    if (wo) {
        const double t = d3 / (d3 - d4);
        *wo = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    }
    return true;
}

// Distance of two segments and the point of ab nearest to cd.
double strecke_strecke(P a, P b, P c, P d, P& naechst) {
    if (kreuzen(a, b, c, d, &naechst)) return 0.0;
    double best = std::numeric_limits<double>::max();
    const auto nimm = [&](double e, P q) {
        if (e < best) {
            best = e;
            naechst = q;
        }
    };
    nimm(punkt_strecke(a, c, d), a);
    nimm(punkt_strecke(b, c, d), b);
    const P qc = naechster_punkt(c, a, b), qd = naechster_punkt(d, a, b);
    nimm(std::hypot(c.x - qc.x, c.y - qc.y), qc);
    nimm(std::hypot(d.x - qd.x, d.y - qd.y), qd);
    return best;
}

// A drawn shape: a convex quadrilateral or a disc.
struct Form {
    bool kreis = false;
    P m;
    double r = 0;
    std::array<P, 4> e{};
    Kasten kasten;
};

Form viereck(const float* ex, const float* ey) {
    Form f;
    f.kasten = {1e300, 1e300, -1e300, -1e300};
    for (int i = 0; i < 4; ++i) {
        f.e[static_cast<std::size_t>(i)] = {ex[i + 1], ey[i + 1]};
        f.m.x += ex[i + 1] / 4.0;
        f.m.y += ey[i + 1] / 4.0;
        f.kasten.x0 = std::min<double>(f.kasten.x0, ex[i + 1]);
        f.kasten.y0 = std::min<double>(f.kasten.y0, ey[i + 1]);
        f.kasten.x1 = std::max<double>(f.kasten.x1, ex[i + 1]);
        f.kasten.y1 = std::max<double>(f.kasten.y1, ey[i + 1]);
    }
    return f;
}

Form scheibe(double x, double y, double r) {
    Form f;
    f.kreis = true;
    f.m = {x, y};
    f.r = r;
    f.kasten = {x - r, y - r, x + r, y + r};
    return f;
}

bool in_viereck(P p, const Form& f) {
    bool pos = false, neg = false;
    for (std::size_t i = 0; i < 4; ++i) {
        const double k = kreuz(f.e[(i + 1) % 4] - f.e[i], p - f.e[i]);
        pos = pos || k > 0;
        neg = neg || k < 0;
    }
    return !(pos && neg);
}

// Distance of a shape to segment ab (negative inside a disc), and the point
// of ab nearest to the shape.
double form_strecke(const Form& f, P a, P b, P& naechst) {
    if (f.kreis) {
        naechst = naechster_punkt(f.m, a, b);
        return std::hypot(f.m.x - naechst.x, f.m.y - naechst.y) - f.r;
    }
    if (in_viereck(a, f)) {
        naechst = a;
        return 0.0;
    }
    double best = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < 4; ++i) {
        P q;
        const double e = strecke_strecke(a, b, f.e[i], f.e[(i + 1) % 4], q);
        if (e < best) {
            best = e;
            naechst = q;
        }
    }
    return best;
}

double flaeche(const std::vector<P>& v) {
    double a = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        a += kreuz(v[i], v[(i + 1) % v.size()]);
    return std::fabs(a) / 2.0;
}

// Area common to two convex quadrilaterals: a clipped by each edge of b.
double schnittflaeche(const Form& a, const Form& b) {
    std::vector<P> poly(a.e.begin(), a.e.end()), neu;
    double umlauf = 0;
    for (std::size_t i = 0; i < 4; ++i)
        umlauf += kreuz(b.e[i], b.e[(i + 1) % 4]);
    const double s = umlauf < 0 ? -1.0 : 1.0;
    for (std::size_t i = 0; i < 4 && !poly.empty(); ++i) {
        const P c = b.e[i], d = b.e[(i + 1) % 4];
        if (!(std::hypot(d.x - c.x, d.y - c.y) > 1e-12)) continue;
        const auto seite = [&](P p) { return s * kreuz(d - c, p - c); };
        neu.clear();
        for (std::size_t j = 0; j < poly.size(); ++j) {
            const P p = poly[j], q = poly[(j + 1) % poly.size()];
            const double sp = seite(p), sq = seite(q);
            if (sp >= 0) neu.push_back(p);
            if ((sp >= 0) != (sq >= 0)) {
                const double t = sp / (sp - sq);
                neu.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            }
        }
        poly.swap(neu);
    }
    return poly.size() < 3 ? 0.0 : flaeche(poly);
}

// Projection of a shape onto the unit axis n.
void projizieren(const Form& f, P n, double& lo, double& hi) {
    if (f.kreis) {
        const double c = punkt(f.m, n);
        lo = c - f.r;
        hi = c + f.r;
        return;
    }
    lo = hi = punkt(f.e[0], n);
    for (std::size_t i = 1; i < 4; ++i) {
        const double c = punkt(f.e[i], n);
        lo = std::min(lo, c);
        hi = std::max(hi, c);
    }
}

// Depth of the overlap of two shapes (separating axes); negative when apart.
double eindringtiefe(const Form& a, const Form& b) {
    if (a.kreis && b.kreis) return a.r + b.r - std::hypot(a.m.x - b.m.x, a.m.y - b.m.y);
    double tiefe = std::numeric_limits<double>::max();
    bool achse = false;
    const auto pruefen = [&](P n) {
        const double l = std::hypot(n.x, n.y);
        if (!(l > 1e-12)) return;
        n = {n.x / l, n.y / l};
        double alo, ahi, blo, bhi;
        projizieren(a, n, alo, ahi);
        projizieren(b, n, blo, bhi);
        tiefe = std::min(tiefe, std::min(ahi, bhi) - std::max(alo, blo));
        achse = true;
    };
    for (const Form* f : {&a, &b}) {
        if (f->kreis) continue;
        for (std::size_t i = 0; i < 4; ++i) {
            const P d = f->e[(i + 1) % 4] - f->e[i];
            pruefen({-d.y, d.x});
        }
    }
    // A disc against a polygon: also the axis towards the polygon's nearest corner.
    const Form* k = a.kreis ? &a : (b.kreis ? &b : nullptr);
    if (k) {
        const Form& v = a.kreis ? b : a;
        P nah = v.e[0];
        for (std::size_t i = 1; i < 4; ++i)
            if (std::hypot(v.e[i].x - k->m.x, v.e[i].y - k->m.y) <
                std::hypot(nah.x - k->m.x, nah.y - k->m.y))
                nah = v.e[i];
        pruefen(nah - k->m);
    }
    if (!achse) return -1.0; // degenerate shapes (points) cover nothing
    return tiefe;
}

// Uniform grid of boxes, for finding the elements near a place.
class Raster {
  public:
    Raster(Kasten welt, double zelle) : welt_(welt), zelle_(zelle) {
        nx_ = std::clamp(static_cast<int>((welt.x1 - welt.x0) / zelle) + 1, 1, 2000);
        ny_ = std::clamp(static_cast<int>((welt.y1 - welt.y0) / zelle) + 1, 1, 2000);
        zellen_.resize(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_));
    }
    void eintragen(int id, const Kasten& k) {
        bereich(k, [&](std::vector<int>& z) { z.push_back(id); });
    }
    // The ids whose cells meet the box, each once, in increasing order.
    const std::vector<int>& abfragen(const Kasten& k) {
        treffer_.clear();
        bereich(k,
                [&](std::vector<int>& z) { treffer_.insert(treffer_.end(), z.begin(), z.end()); });
        std::sort(treffer_.begin(), treffer_.end());
        treffer_.erase(std::unique(treffer_.begin(), treffer_.end()), treffer_.end());
        return treffer_;
    }

  private:
    int spalte(double x) const {
        return std::clamp(static_cast<int>(std::floor((x - welt_.x0) / zelle_)), 0, nx_ - 1);
    }
    int zeile(double y) const {
        return std::clamp(static_cast<int>(std::floor((y - welt_.y0) / zelle_)), 0, ny_ - 1);
    }
    template <class F> void bereich(const Kasten& k, F f) {
        if (!(std::isfinite(k.x0) && std::isfinite(k.y0) && std::isfinite(k.x1) &&
              std::isfinite(k.y1)))
            return;
        for (int j = zeile(k.y0); j <= zeile(k.y1); ++j)
            for (int i = spalte(k.x0); i <= spalte(k.x1); ++i)
                f(zellen_[static_cast<std::size_t>(j) * static_cast<std::size_t>(nx_) +
                          static_cast<std::size_t>(i)]);
    }

    Kasten welt_;
    double zelle_;
    int nx_ = 1, ny_ = 1;
    std::vector<std::vector<int>> zellen_;
    std::vector<int> treffer_;
};

struct Strecke {
    int weg = 0, k = 0; // segment k runs from point k to point k + 1
    P a, b;
    double r = 0; // drawn half-width of the way's body
    Kasten kasten() const {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
};

class Pruefung {
  public:
    Pruefung(const Stadtmodell& m, const Pruefmass& mass) : m_(m), mass_(mass) {}

    Kartenbefund ausfuehren() {
        sammeln();
        Raster strassen(welt_, 8.0), fluesse(welt_, 8.0), haeuser(welt_, 8.0), tuerme(welt_, 8.0),
            mauer(welt_, 8.0);
        for (std::size_t i = 0; i < strassen_.size(); ++i)
            strassen.eintragen(static_cast<int>(i), strassen_[i].kasten());
        for (std::size_t i = 0; i < fluesse_.size(); ++i)
            fluesse.eintragen(static_cast<int>(i), fluesse_[i].kasten());
        for (std::size_t i = 0; i < haeuser_.size(); ++i)
            haeuser.eintragen(static_cast<int>(i), haeuser_[i].form.kasten);
        for (std::size_t i = 0; i < tuerme_.size(); ++i)
            tuerme.eintragen(static_cast<int>(i), tuerme_[i].form.kasten);
        for (std::size_t i = 0; i < mauer_.size(); ++i)
            mauer.eintragen(static_cast<int>(i), mauer_[i].kasten());

        for (const Element& h : haeuser_) {
            auf_wegen(h, strassen_, strassen, r_strasse_max_, Kartenfehler::haus_auf_strasse);
            auf_wegen(h, fluesse_, fluesse, r_fluss_max_, Kartenfehler::haus_im_fluss);
            auf_haeusern(h, haeuser);
        }
        for (const Element& t : tuerme_) {
            auf_wegen(t, strassen_, strassen, r_strasse_max_, Kartenfehler::turm_auf_strasse);
            auf_wegen(t, fluesse_, fluesse, r_fluss_max_, Kartenfehler::turm_im_fluss);
        }
        tuerme_und_haeuser(tuerme);
        strassenpunkte(fluesse);
        flussenden_sammeln();
        strassenstrecken(fluesse, mauer);
        maengel_pruefen(strassen, fluesse, haeuser, mauer);

        for (auto& liste : b_.mangel_beispiele)
            if (static_cast<int>(liste.size()) > mass_.beispiele_max)
                liste.resize(static_cast<std::size_t>(std::max(0, mass_.beispiele_max)));
        for (auto& liste : b_.beispiele) {
            std::stable_sort(
                liste.begin(), liste.end(),
                [](const Fundstelle& x, const Fundstelle& y) { return x.tiefe > y.tiefe; });
            if (static_cast<int>(liste.size()) > mass_.beispiele_max)
                liste.resize(static_cast<std::size_t>(std::max(0, mass_.beispiele_max)));
        }
        return b_;
    }

  private:
    struct Element {
        int nummer = 0;
        Form form;
        bool reihe = false; // hangs on its predecessor's corner
    };

    void melden(Kartenfehler a, const Fundstelle& f) {
        ++b_.anzahl[static_cast<std::size_t>(a)];
        b_.beispiele[static_cast<std::size_t>(a)].push_back(f);
    }

    void welt_nehmen(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        welt_.x0 = std::min(welt_.x0, x);
        welt_.y0 = std::min(welt_.y0, y);
        welt_.x1 = std::max(welt_.x1, x);
        welt_.y1 = std::max(welt_.y1, y);
    }

    // The drawn elements, as the renderer reads them.
    void sammeln() {
        welt_ = {1e300, 1e300, -1e300, -1e300};
        const int n_wege = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
        for (int w = 1; w <= n_wege; ++w) {
            const Weg& weg = m_.weg(w);
            if (weg.n_punkte < 2 || static_cast<int>(weg.x.size()) <= weg.n_punkte) continue;
            const bool fluss = weg.ist_fluss == 1;
            const double r = mass_.weg_faktor * weg.breite;
            (fluss ? b_.fluesse : b_.strassen) += 1;
            auto& liste = fluss ? fluesse_ : strassen_;
            (fluss ? r_fluss_max_ : r_strasse_max_) =
                std::max(fluss ? r_fluss_max_ : r_strasse_max_, r);
            for (int k = 1; k < weg.n_punkte; ++k) {
                liste.push_back({w, k, {weg.px(k), weg.py(k)}, {weg.px(k + 1), weg.py(k + 1)}, r});
                welt_nehmen(weg.px(k), weg.py(k));
            }
            welt_nehmen(weg.px(weg.n_punkte), weg.py(weg.n_punkte));
        }
        const int n_haeuser = std::min<int>(m_.haus_naechster - 1, m_.haeuser_kapazitaet());
        for (int h = 1; h <= n_haeuser; ++h) {
            const Haus& haus = m_.haus(h);
            if (haus.rund == 0)
                haeuser_.push_back({h, viereck(haus.ecke_x.data(), haus.ecke_y.data())});
            else if (haus.rund == 1)
                haeuser_.push_back(
                    {h, scheibe(haus.x, haus.y,
                                std::max(0.0, haus.breite / 2.0 - mass_.scheibe_abzug))});
            else
                continue;
            welt_nehmen(haeuser_.back().form.kasten.x0, haeuser_.back().form.kasten.y0);
            welt_nehmen(haeuser_.back().form.kasten.x1, haeuser_.back().form.kasten.y1);
        }
        b_.gebaeude = static_cast<int>(haeuser_.size());
        reihen_erkennen();
        if (m_.mauer_parameter == 1) mauer_sammeln();
        if (welt_.x0 > welt_.x1) welt_ = {0, 0, 1, 1};
    }

    void reihen_erkennen() {
        const auto nah = [&](P a, P b) {
            return std::hypot(a.x - b.x, a.y - b.y) <= mass_.toleranz;
        };
        for (std::size_t i = 1; i < haeuser_.size(); ++i) {
            Element& h = haeuser_[i];
            const Element& v = haeuser_[i - 1];
            if (h.form.kreis || v.form.kreis || v.nummer != h.nummer - 1) continue;
            h.reihe = nah(h.form.e[1], v.form.e[0]) || nah(h.form.e[2], v.form.e[3]);
            if (h.reihe) ++b_.reihenglieder;
        }
    }

    // Standing towers with a body, and the wall segments drawn (both ends
    // carry wall: gates and gaps are open).
    void mauer_sammeln() {
        const int n_tuerme = std::min<int>(m_.n_tuerme, static_cast<int>(m_.tuerme.size()) - 1);
        for (int t = 1; t <= n_tuerme; ++t) {
            const Turm& turm = m_.turm(t);
            if (turm.art == 0) continue;
            if (turm.form == 1.0f)
                tuerme_.push_back({t, scheibe(turm.mx, turm.my,
                                              std::max(0.0, turm.radius - mass_.scheibe_abzug))});
            else if (turm.form == 2.0f)
                tuerme_.push_back({t, viereck(turm.x.data(), turm.y.data())});
        }
        b_.tuerme = static_cast<int>(tuerme_.size());
        const int n = std::min<int>(m_.mauer_n_punkte, static_cast<int>(m_.mauer_x.size()) - 1);
        for (int i = 1; i <= n - 1; ++i) {
            if (m_.mauer_flag_bei(i) != 1 || m_.mauer_flag_bei(i + 1) != 1) continue;
            mauer_.push_back({0,
                              i,
                              {m_.mauer_px(i), m_.mauer_py(i)},
                              {m_.mauer_px(i + 1), m_.mauer_py(i + 1)},
                              0.0});
            welt_nehmen(m_.mauer_px(i), m_.mauer_py(i));
        }
    }

    // A building or tower on the body of a street or river: reported once,
    // with the deepest way.
    void auf_wegen(const Element& e, const std::vector<Strecke>& strecken, Raster& raster,
                   double r_max, Kartenfehler art) {
        Fundstelle f;
        for (int i : raster.abfragen(e.form.kasten.erweitert(r_max))) {
            const Strecke& s = strecken[static_cast<std::size_t>(i)];
            P q;
            const double tiefe = s.r - form_strecke(e.form, s.a, s.b, q);
            if (tiefe > mass_.toleranz && tiefe > f.tiefe) f = {e.nummer, s.weg, q.x, q.y, tiefe};
        }
        if (f.element != 0) melden(art, f);
    }

    // A building over an earlier one: a row member over its predecessor
    // (folding back), or any building over another.
    void auf_haeusern(const Element& h, Raster& raster) {
        Fundstelle vorgaenger, andere;
        for (int i : raster.abfragen(h.form.kasten)) {
            const Element& g = haeuser_[static_cast<std::size_t>(i)];
            if (g.nummer >= h.nummer) break;
            const double tiefe = eindringtiefe(h.form, g.form);
            if (!(tiefe > mass_.toleranz)) continue;
            const bool reihe = h.reihe && g.nummer == h.nummer - 1;
            double anteil = 0;
            if (!h.form.kreis && !g.form.kreis) {
                const double a = std::min(flaeche({h.form.e.begin(), h.form.e.end()}),
                                          flaeche({g.form.e.begin(), g.form.e.end()}));
                if (a > 0) anteil = schnittflaeche(h.form, g.form) / a;
            }
            Fundstelle& f = reihe ? vorgaenger : andere;
            if (tiefe > f.tiefe) f = {h.nummer, g.nummer, h.form.m.x, h.form.m.y, tiefe, anteil};
        }
        if (vorgaenger.element != 0) {
            melden(Kartenfehler::reihe_auf_vorgaenger, vorgaenger);
            if (vorgaenger.anteil > 0.5) melden(Kartenfehler::reihe_deckt_vorgaenger, vorgaenger);
        }
        if (andere.element != 0) melden(Kartenfehler::haus_auf_haus, andere);
    }

    void tuerme_und_haeuser(Raster& turmraster) {
        std::vector<Fundstelle> je_turm(tuerme_.size());
        for (const Element& h : haeuser_) {
            Fundstelle f;
            for (int i : turmraster.abfragen(h.form.kasten)) {
                const Element& t = tuerme_[static_cast<std::size_t>(i)];
                const double tiefe = eindringtiefe(h.form, t.form);
                if (!(tiefe > mass_.toleranz)) continue;
                if (tiefe > f.tiefe) f = {h.nummer, t.nummer, h.form.m.x, h.form.m.y, tiefe};
                Fundstelle& ft = je_turm[static_cast<std::size_t>(i)];
                if (tiefe > ft.tiefe) ft = {t.nummer, h.nummer, t.form.m.x, t.form.m.y, tiefe};
            }
            if (f.element != 0) melden(Kartenfehler::haus_auf_turm, f);
        }
        for (const Fundstelle& ft : je_turm)
            if (ft.element != 0) melden(Kartenfehler::turm_auf_haus, ft);
    }

    void strassenpunkte(Raster& flussraster) {
        const int n_wege = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
        for (int w = 1; w <= n_wege; ++w) {
            const Weg& weg = m_.weg(w);
            if (weg.ist_fluss == 1 || weg.n_punkte < 2 ||
                static_cast<int>(weg.x.size()) <= weg.n_punkte)
                continue;
            for (int k = 1; k <= weg.n_punkte; ++k) {
                const P p{weg.px(k), weg.py(k)};
                double tiefe = 0;
                for (int i :
                     flussraster.abfragen(Kasten{p.x, p.y, p.x, p.y}.erweitert(r_fluss_max_))) {
                    const Strecke& s = fluesse_[static_cast<std::size_t>(i)];
                    tiefe = std::max(tiefe, s.r - punkt_strecke(p, s.a, s.b));
                }
                if (tiefe > mass_.toleranz)
                    melden(Kartenfehler::strassenpunkt_im_fluss, {w, k, p.x, p.y, tiefe});
            }
        }
    }

    // Where the water ends (not where it flows on into another river or
    // forks), a street over the round end crosses no river: whether its
    // centre line meets the river's last point is a matter of rounding.
    void flussenden_sammeln() {
        const int n_wege = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
        for (int w = 1; w <= n_wege; ++w) {
            const Weg& weg = m_.weg(w);
            if (weg.ist_fluss != 1 || weg.n_punkte < 2 ||
                static_cast<int>(weg.x.size()) <= weg.n_punkte)
                continue;
            for (const int k : {1, static_cast<int>(weg.n_punkte)}) {
                const P e{weg.px(k), weg.py(k)};
                bool frei = true;
                for (const Strecke& f : fluesse_)
                    if (f.weg != w && punkt_strecke(e, f.a, f.b) < 0.05) {
                        frei = false;
                        break;
                    }
                if (frei) flussenden_.push_back({w, k, e, e, mass_.weg_faktor * weg.breite});
            }
        }
    }
    bool an_flussende(P p, const Strecke& fluss) const {
        for (const Strecke& e : flussenden_)
            if (e.weg == fluss.weg && std::hypot(p.x - e.a.x, p.y - e.a.y) < e.r) return true;
        return false;
    }

    // Each street segment: the rivers whose centre line it crosses (bridges),
    // the rivers whose body it enters without crossing, the drawn wall it
    // crosses.
    void strassenstrecken(Raster& flussraster, Raster& mauerraster) {
        std::vector<int> gekreuzt;
        int letzte_mauerstrasse = 0; // segments come street by street
        for (const Strecke& s : strassen_) {
            gekreuzt.clear();
            const auto& nahe = flussraster.abfragen(s.kasten().erweitert(r_fluss_max_));
            for (int i : nahe) {
                const Strecke& f = fluesse_[static_cast<std::size_t>(i)];
                P wo;
                if (!kreuzen(s.a, s.b, f.a, f.b, &wo) || an_flussende(wo, f)) continue;
                if (std::find(gekreuzt.begin(), gekreuzt.end(), f.weg) != gekreuzt.end()) continue;
                gekreuzt.push_back(f.weg);
                ++b_.bruecken;
                b_.bruecken_orte.push_back({s.weg, f.weg, wo.x, wo.y, 0.0});
            }
            Fundstelle im_fluss;
            for (int i : nahe) {
                const Strecke& f = fluesse_[static_cast<std::size_t>(i)];
                if (std::find(gekreuzt.begin(), gekreuzt.end(), f.weg) != gekreuzt.end()) continue;
                P q;
                const double tiefe = f.r - strecke_strecke(s.a, s.b, f.a, f.b, q);
                if (tiefe > mass_.toleranz && tiefe > im_fluss.tiefe)
                    im_fluss = {s.weg, s.k, q.x, q.y, tiefe};
            }
            if (im_fluss.element != 0) melden(Kartenfehler::strecke_im_fluss, im_fluss);
            for (int i : mauerraster.abfragen(s.kasten())) {
                const Strecke& w = mauer_[static_cast<std::size_t>(i)];
                P wo;
                if (!kreuzen(s.a, s.b, w.a, w.b, &wo)) continue;
                melden(Kartenfehler::strecke_durch_mauer, {s.weg, s.k, wo.x, wo.y, 0.0});
                if (s.weg != letzte_mauerstrasse) ++b_.strassen_durch_mauer;
                letzte_mauerstrasse = s.weg;
                break;
            }
        }
        if (static_cast<int>(b_.bruecken_orte.size()) > mass_.beispiele_max)
            b_.bruecken_orte.resize(static_cast<std::size_t>(std::max(0, mass_.beispiele_max)));
    }

    void mangel(Kartenmangel a, const Fundstelle& f) {
        ++b_.maengel[static_cast<std::size_t>(a)];
        b_.mangel_beispiele[static_cast<std::size_t>(a)].push_back(f);
    }

    bool am_rand(P p) const {
        const double a = m_.stadt_abmessung, t = mass_.randnaehe;
        return p.x <= t || p.y <= t || p.x >= a - t || p.y >= a - t;
    }

    // Whether p lies on the body of a way of the given kind other than w.
    bool auf_anderem_weg(P p, int w, const std::vector<Strecke>& strecken, Raster& raster,
                         double r_max, double zugabe) {
        for (int i : raster.abfragen(Kasten{p.x, p.y, p.x, p.y}.erweitert(r_max + zugabe))) {
            const Strecke& s = strecken[static_cast<std::size_t>(i)];
            if (s.weg != w && punkt_strecke(p, s.a, s.b) < s.r + zugabe) return true;
        }
        return false;
    }

    // A street end that leads nowhere: not on the map edge, not on another street.
    bool strassenende_frei(P p, int w, Raster& strassenraster) {
        return !am_rand(p) && !auf_anderem_weg(p, w, strassen_, strassenraster, r_strasse_max_,
                                               r_strasse_max_ + 0.5);
    }

    P wegpunkt(const Weg& weg, int k) const { return {weg.px(k), weg.py(k)}; }

    bool im_mauerring(P p) const {
        const int n = std::min<int>(m_.mauer_n_punkte, static_cast<int>(m_.mauer_x.size()) - 1);
        bool innen = false;
        for (int i = 1, j = n; i <= n; j = i++) {
            const double xi = m_.mauer_px(i), yi = m_.mauer_py(i);
            const double xj = m_.mauer_px(j), yj = m_.mauer_py(j);
            if ((yi > p.y) != (yj > p.y) && p.x < (xj - xi) * (p.y - yi) / (yj - yi) + xi)
                innen = !innen;
        }
        return innen;
    }

    void maengel_pruefen(Raster& strassenraster, Raster& flussraster, Raster& hausraster,
                         Raster& mauerraster) {
        const double a = m_.stadt_abmessung, h = a / 2.0;
        const int n_wege = std::min<int>(m_.n_wege, m_.wege_kapazitaet());
        const int n_mauer =
            std::min<int>(m_.mauer_n_punkte, static_cast<int>(m_.mauer_x.size()) - 1);
        const bool ring = m_.mauer_parameter == 1 && n_mauer >= 4;

        // The town's extent: buildings, wall, squares.
        Kasten k{1e300, 1e300, -1e300, -1e300};
        const auto nimm = [&](double x, double y) {
            k.x0 = std::min(k.x0, x);
            k.y0 = std::min(k.y0, y);
            k.x1 = std::max(k.x1, x);
            k.y1 = std::max(k.y1, y);
        };
        for (const Element& e : haeuser_) {
            nimm(e.form.kasten.x0, e.form.kasten.y0);
            nimm(e.form.kasten.x1, e.form.kasten.y1);
        }
        if (ring)
            for (int i = 1; i <= n_mauer; ++i)
                nimm(m_.mauer_px(i), m_.mauer_py(i));
        for (int s = 1; s <= std::min<int>(m_.n_plaetze, static_cast<int>(m_.plaetze.size()) - 1);
             ++s) {
            const Flaeche& f = m_.platz(s);
            for (int j = 1; j <= f.n_punkte && j < static_cast<int>(f.x.size()); ++j)
                nimm(f.px(j), f.py(j));
        }
        if (k.x0 <= k.x1 && h > 0) {
            const double cx = (k.x0 + k.x1) / 2.0, cy = (k.y0 + k.y1) / 2.0;
            b_.mitte_versatz = std::max(std::fabs(cx - h), std::fabs(cy - h)) / h;
            if (b_.mitte_versatz > mass_.mitte_anteil)
                mangel(Kartenmangel::abseits, {0, 0, cx, cy, b_.mitte_versatz});
        }

        // The drawn wall over a river: each run of segments on its body.
        int letzte = -10;
        for (const Strecke& w : mauer_) {
            bool nass = false;
            for (int i : flussraster.abfragen(w.kasten().erweitert(r_fluss_max_))) {
                const Strecke& f = fluesse_[static_cast<std::size_t>(i)];
                P q;
                if (strecke_strecke(w.a, w.b, f.a, f.b, q) < f.r) {
                    nass = true;
                    if (w.k != letzte + 1)
                        mangel(Kartenmangel::mauer_ueber_fluss, {w.k, f.weg, q.x, q.y, 0.0});
                    break;
                }
            }
            if (nass) letzte = w.k;
        }

        // A walled town with streets: some street passes the ring line.
        if (ring && !mauer_.empty() && !strassen_.empty()) {
            bool tor = false;
            for (int i = 1; i < n_mauer && !tor; ++i) {
                const P wa{m_.mauer_px(i), m_.mauer_py(i)},
                    wb{m_.mauer_px(i + 1), m_.mauer_py(i + 1)};
                const Kasten wk{std::min(wa.x, wb.x), std::min(wa.y, wb.y), std::max(wa.x, wb.x),
                                std::max(wa.y, wb.y)};
                for (int s : strassenraster.abfragen(wk)) {
                    const Strecke& st = strassen_[static_cast<std::size_t>(s)];
                    if (kreuzen(st.a, st.b, wa, wb)) {
                        tor = true;
                        break;
                    }
                }
            }
            if (!tor) mangel(Kartenmangel::ohne_tor, {0, 0, m_.mauer_px(1), m_.mauer_py(1), 0.0});
        }

        // Towers away from the drawn wall (a wall drawn nowhere is a ring of towers).
        const double dicke = m_.mauer_dicke;
        for (const Element& t : mauer_.empty() ? std::vector<Element>{} : tuerme_) {
            double reich = t.form.r;
            if (!t.form.kreis)
                for (const P& e : t.form.e)
                    reich = std::max(reich, std::hypot(e.x - t.form.m.x, e.y - t.form.m.y));
            const double grenze = reich + dicke + 1.0;
            bool an_mauer = false;
            for (int i : mauerraster.abfragen(t.form.kasten.erweitert(grenze))) {
                const Strecke& w = mauer_[static_cast<std::size_t>(i)];
                if (punkt_strecke(t.form.m, w.a, w.b) < grenze) {
                    an_mauer = true;
                    break;
                }
            }
            if (!an_mauer)
                mangel(Kartenmangel::einsamer_turm, {t.nummer, 0, t.form.m.x, t.form.m.y, 0.0});
        }

        for (int w = 1; w <= n_wege; ++w) {
            const Weg& weg = m_.weg(w);
            if (weg.n_punkte < 2 || static_cast<int>(weg.x.size()) <= weg.n_punkte) continue;
            const int n = weg.n_punkte;
            if (weg.ist_fluss == 1) {
                // A river ends on the map edge, on another river, or far enough
                // from its start to read as a brook; the first never ends inside.
                double laenge = 0;
                for (int j = 1; j < n; ++j)
                    laenge += std::hypot(weg.px(j + 1) - weg.px(j), weg.py(j + 1) - weg.py(j));
                const bool bach =
                    w != 1 && laenge >= std::max(mass_.bach_laenge, mass_.bach_anteil * a);
                for (const int j : {1, n}) {
                    const P e = wegpunkt(weg, j);
                    if (bach || am_rand(e) ||
                        auf_anderem_weg(e, w, fluesse_, flussraster, r_fluss_max_, 0.5))
                        continue;
                    mangel(Kartenmangel::fluss_endet_im_feld, {w, j, e.x, e.y, laenge});
                }
                continue;
            }
            // Turning back: the heading between two segments changes by over 120 degrees.
            int kehren = 0;
            P erste_kehre;
            P vorher{0, 0};
            bool hat_vorher = false;
            for (int j = 1; j < n; ++j) {
                const P d = wegpunkt(weg, j + 1) - wegpunkt(weg, j);
                const double l = std::hypot(d.x, d.y);
                if (!(l > 1e-6)) continue;
                const P r{d.x / l, d.y / l};
                if (hat_vorher && punkt(r, vorher) < -0.5) {
                    if (kehren++ == 0) erste_kehre = wegpunkt(weg, j);
                }
                vorher = r;
                hat_vorher = true;
            }
            if (kehren >= 3)
                mangel(Kartenmangel::kehrt_um, {w, kehren, erste_kehre.x, erste_kehre.y, 0.0});

            // Ends in open land: off the edge and other streets, away from
            // the rivers' banks, with no building near, outside the wall.
            for (const int j : {1, n}) {
                const P e = wegpunkt(weg, j);
                if (!strassenende_frei(e, w, strassenraster)) continue;
                if (auf_anderem_weg(e, 0, fluesse_, flussraster, r_fluss_max_, 10.0)) continue;
                if (ring && im_mauerring(e)) continue;
                bool haus = false;
                for (int i :
                     hausraster.abfragen(Kasten{e.x, e.y, e.x, e.y}.erweitert(mass_.freiland))) {
                    const Form& f = haeuser_[static_cast<std::size_t>(i)].form;
                    if (std::hypot(f.m.x - e.x, f.m.y - e.y) < mass_.freiland) {
                        haus = true;
                        break;
                    }
                }
                if (!haus) mangel(Kartenmangel::strasse_endet_kurz, {w, j, e.x, e.y, 0.0});
            }

            // Bridges: the street goes on beyond both banks, or ends on
            // another street or the edge.
            std::vector<double> bis(static_cast<std::size_t>(n) + 1, 0.0);
            for (int j = 1; j < n; ++j)
                bis[static_cast<std::size_t>(j) + 1] =
                    bis[static_cast<std::size_t>(j)] +
                    std::hypot(weg.px(j + 1) - weg.px(j), weg.py(j + 1) - weg.py(j));
            const double gesamt = bis[static_cast<std::size_t>(n)];
            const bool anfang_frei = strassenende_frei(wegpunkt(weg, 1), w, strassenraster);
            const bool ende_frei = strassenende_frei(wegpunkt(weg, n), w, strassenraster);
            if (!anfang_frei && !ende_frei) continue;
            for (int j = 1; j < n; ++j) {
                const P sa = wegpunkt(weg, j), sb = wegpunkt(weg, j + 1);
                const Kasten sk{std::min(sa.x, sb.x), std::min(sa.y, sb.y), std::max(sa.x, sb.x),
                                std::max(sa.y, sb.y)};
                for (int i : flussraster.abfragen(sk)) {
                    const Strecke& f = fluesse_[static_cast<std::size_t>(i)];
                    P wo;
                    if (!kreuzen(sa, sb, f.a, f.b, &wo) || an_flussende(wo, f)) continue;
                    const double vor = bis[static_cast<std::size_t>(j)] +
                                       std::hypot(wo.x - sa.x, wo.y - sa.y) - f.r;
                    const double nach = gesamt - vor - 2.0 * f.r;
                    const double rest =
                        std::min(anfang_frei ? vor : 1e300, ende_frei ? nach : 1e300);
                    if (rest < mass_.brueckenrest)
                        mangel(Kartenmangel::bruecke_ins_nichts, {w, f.weg, wo.x, wo.y, rest});
                }
            }
        }
    }

    const Stadtmodell& m_;
    const Pruefmass& mass_;
    Kartenbefund b_;
    Kasten welt_;
    std::vector<Strecke> strassen_, fluesse_, mauer_;
    std::vector<Strecke> flussenden_; // free ends of rivers (a = b), drawn radius
    std::vector<Element> haeuser_, tuerme_;
    double r_strasse_max_ = 0, r_fluss_max_ = 0;
};

} // namespace

const char* fehlerart_name(Kartenfehler a) {
    switch (a) {
    case Kartenfehler::haus_auf_strasse:
        return "house_street";
    case Kartenfehler::haus_im_fluss:
        return "house_river";
    case Kartenfehler::haus_auf_turm:
        return "house_tower";
    case Kartenfehler::turm_auf_strasse:
        return "tower_street";
    case Kartenfehler::turm_im_fluss:
        return "tower_river";
    case Kartenfehler::turm_auf_haus:
        return "tower_house";
    case Kartenfehler::strassenpunkt_im_fluss:
        return "point_river";
    case Kartenfehler::strecke_im_fluss:
        return "segment_river";
    case Kartenfehler::strecke_durch_mauer:
        return "street_wall";
    case Kartenfehler::haus_auf_haus:
        return "house_house";
    case Kartenfehler::reihe_auf_vorgaenger:
        return "row_prev";
    case Kartenfehler::reihe_deckt_vorgaenger:
        return "row_prev_half";
    }
    return "?";
}

const char* mangelart_name(Kartenmangel a) {
    switch (a) {
    case Kartenmangel::abseits:
        return "off_centre";
    case Kartenmangel::mauer_ueber_fluss:
        return "wall_river";
    case Kartenmangel::ohne_tor:
        return "no_gate";
    case Kartenmangel::einsamer_turm:
        return "lone_tower";
    case Kartenmangel::kehrt_um:
        return "turns_back";
    case Kartenmangel::fluss_endet_im_feld:
        return "river_field";
    case Kartenmangel::strasse_endet_kurz:
        return "road_short";
    case Kartenmangel::bruecke_ins_nichts:
        return "bridge_nowhere";
    }
    return "?";
}

int Kartenbefund::fehler_gesamt() const {
    int n = 0;
    for (int a : anzahl)
        n += a;
    return n;
}

Kartenbefund karte_pruefen(const Stadtmodell& m, const Pruefmass& mass) {
    return Pruefung(m, mass).ausfuehren();
}

Kartenbefund vorlage_pruefen(int vorlage, std::uint64_t startwert, const Pruefmass& mass,
                             bool* fertig) {
    Steuerwerte s = start_steuerwerte();
    vorlage_anwenden(s, vorlage);
    return steuerwerte_pruefen(s, startwert, mass, fertig);
}

Kartenbefund steuerwerte_pruefen(const Steuerwerte& s, std::uint64_t startwert,
                                 const Pruefmass& mass, bool* fertig) {
    Stadtmodell m;
    Wirt wirt;
    const Laufbericht bericht = stadtplan_erstellen({s, startwert, {}}, m, system_uhr(), wirt);
    if (fertig) *fertig = bericht.ende == Laufende::fertig && m.plan_vorhanden;
    Kartenbefund b = karte_pruefen(m, mass);
    b.bruecken_gemeldet = bericht.bruecken;
    return b;
}

std::string befund_zeile(const Kartenbefund& b) {
    std::string z;
    char teil[64];
    for (int a = 0; a < n_fehlerarten; ++a) {
        std::snprintf(teil, sizeof teil, "%s%s=%d", a ? " " : "",
                      fehlerart_name(static_cast<Kartenfehler>(a)),
                      b.anzahl[static_cast<std::size_t>(a)]);
        z += teil;
    }
    std::snprintf(teil, sizeof teil, " rows=%d streets_wall=%d bridges=%d", b.reihenglieder,
                  b.strassen_durch_mauer, b.bruecken);
    z += teil;
    if (b.bruecken_gemeldet >= 0) {
        std::snprintf(teil, sizeof teil, " reported=%d", b.bruecken_gemeldet);
        z += teil;
    }
    for (int a = 0; a < n_mangelarten; ++a) {
        std::snprintf(teil, sizeof teil, " %s=%d", mangelart_name(static_cast<Kartenmangel>(a)),
                      b.maengel[static_cast<std::size_t>(a)]);
        z += teil;
    }
    return z;
}

} // namespace tarvello
