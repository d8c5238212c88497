#include "areas/gebaeude.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "core/funktionen.h"
#include "core/zahlen.h"

namespace tarvello {

namespace {

// Bounds of the repeat loops that the stage would otherwise spin in for ever
// on settings that leave no way out (a size range that no weight accepts, a
// town without street points inside it).
constexpr int groesse_versuche_max = 10000;
constexpr int form_versuche_max = 1000;

// A drawn anchor: a street point, its segment to the next point and a side
// of the street (1: left of the way's direction).
struct Anker {
    std::size_t nummer = 0; // in the anchor draw: 2 i + seite
    std::size_t i = 0;      // point in the stage's point tables
    std::uint8_t seite = 0;
};

struct Ankerstrecke {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float winkel = 0; // direction from point 1 to point 2
    float breite = 0; // the way's breite
};

Ankerstrecke anker_lesen(const Gebaeudestufe& st, const Anker& an) {
    const Gebaeudestufe::Ankerpunkt& punkt = st.ankerpunkte[an.i];
    const Gebaeudestufe::Ankerpunkt& naechster = st.ankerpunkte[an.i + 1];
    return {punkt.x, punkt.y, naechster.x, naechster.y, punkt.winkel, punkt.breite};
}

// The anchor's frontage: strips in front of the middle of its segment, as
// wide as the narrowest building and as deep as the smallest, one at the
// street's edge and one where the smallest candidate stands set farthest
// back. Every candidate of the anchor covers a strip's width and most of
// them its depth: buildings on both leave the anchor no room.
struct Front {
    Ecken x{}, y{};
};
Front anker_front(const Gebaeudestufe& st, const Anker& an, bool hinten, float halbe_breite) {
    const Ankerstrecke s = anker_lesen(st, an);
    const float dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const float laenge = std::sqrt(dx * dx + dy * dy);
    const float mx = (s.x1 + s.x2) / 2.0f, my = (s.y1 + s.y2) / 2.0f;
    Front f;
    if (!(laenge > 0.0f)) {
        f.x.fill(mx);
        f.y.fill(my);
        return f;
    }
    const float ux = dx / laenge, uy = dy / laenge;
    // Left of the way's direction (side 1) is (-uy, ux).
    const float nx = an.seite == 1 ? -uy : uy, ny = an.seite == 1 ? ux : -ux;
    const float tiefe = st.front_tiefe;
    const float hinten_mitte = (s.breite / 2.0f + tiefe / 2.0f) * st.abstand_max;
    const float d1 = hinten ? hinten_mitte - tiefe / 2.0f : s.breite / 2.0f * 1.05f;
    const float d2 = d1 + tiefe;
    const float b = halbe_breite;
    f.x = {0.0f, mx + d1 * nx + b * ux, mx + d1 * nx - b * ux, mx + d2 * nx - b * ux,
           mx + d2 * nx + b * ux};
    f.y = {0.0f, my + d1 * ny + b * uy, my + d1 * ny - b * uy, my + d2 * ny - b * uy,
           my + d2 * ny + b * uy};
    return f;
}

// An anchor still in play, by its weight. An anchor whose frontage a kept
// building covers leaves the draw when it comes up, before any candidate.
std::optional<Anker> anker_ziehen(Lauf& l, Gebaeudestufe& st) {
    while (st.ankerwahl.lebend() > 0) {
        const std::size_t n = st.ankerwahl.ziehen(l.z.roh64());
        const Anker an{n, n / 2, static_cast<std::uint8_t>(n % 2)};
        const Front vorn = anker_front(st, an, false, st.front_breite);
        if (!viereck_trifft_haeuser(st.daten, vorn.x, vorn.y)) return an;
        const Front hinten = anker_front(st, an, true, st.front_breite);
        if (!viereck_trifft_haeuser(st.daten, hinten.x, hinten.y)) return an;
        st.ankerwahl.entfernen(n);
    }
    return std::nullopt;
}

// A refusal at the anchor: it leaves the draw after too many in a row.
void anker_absage(Gebaeudestufe& st, const Anker& an) {
    if (!st.ankerwahl.im_spiel(an.nummer)) return;
    if (++st.anker_absagen[an.nummer] >= anker_absagen_max) st.ankerwahl.entfernen(an.nummer);
}

bool gewicht_nimmt(Lauf& l, float a) {
    const Parameter& p = l.p;
    return groessen_gewicht(a, p.haus_gxy_min, p.haus_gxy_max, p.haeuser_groessenverteilung_zentrum,
                            p.haeuser_groessenverteilung_breite) > l.rnd();
}

// Size a of a free candidate, drawn until the size weight accepts it.
std::optional<float> freie_groesse(Lauf& l) {
    const Parameter& p = l.p;
    for (int n = 0; n < groesse_versuche_max; ++n) {
        const float a = l.rnd() * p.haus_gxy_spanne + p.haus_gxy_min;
        if (gewicht_nimmt(l, a)) return a;
    }
    return std::nullopt;
}

struct Seiten {
    float a = 0, b = 0;
};

// Sides of a free rectangle: a by the weight, b by the side ratio, both
// strictly inside the size range, then turned by chance.
std::optional<Seiten> rechteck_seiten(Lauf& l) {
    const Parameter& p = l.p;
    if (!(p.haus_gxy_min < p.haus_gxy_max)) return std::nullopt; // no size fits strictly
    for (int n = 0; n < form_versuche_max; ++n) {
        const std::optional<float> a0 = freie_groesse(l);
        if (!a0) return std::nullopt;
        const std::optional<Seitenpaar> s =
            seiten_paar(*a0, p.haus_seitenverhaeltnis_max, p.haus_gxy_min, p.haus_gxy_max, l.z);
        if (!s) continue;
        if (l.rnd() > 0.5f) return Seiten{s->b, s->a};
        return Seiten{s->a, s->b};
    }
    return std::nullopt;
}

// Sides brought into the size range keeping the footprint where the range
// allows: a side beyond a bound is set to it and the other takes up the
// area, itself held within the range.
Seiten seiten_begrenzt(const Parameter& p, Seiten s) {
    const float lo = p.haus_gxy_min, hi = p.haus_gxy_max;
    const float flaeche = s.a * s.b;
    auto klemmen = [&](float v) { return maximum(lo, minimum(v, hi)); };
    const bool a_kurz = s.a <= s.b;
    float kurz = a_kurz ? s.a : s.b, lang = a_kurz ? s.b : s.a;
    if (lang > hi) {
        lang = hi;
        kurz = klemmen(flaeche / hi);
    }
    if (kurz < lo) {
        kurz = lo;
        lang = klemmen(flaeche / lo);
    }
    return a_kurz ? Seiten{kurz, lang} : Seiten{lang, kurz};
}

// Sides of a row member: around the row's first a, with its side ratio, the
// other side held within the size range too.
std::optional<Seiten> reihen_seiten(Lauf& l, const Gebaeudestufe& st) {
    const Parameter& p = l.p;
    for (int n = 0; n < groesse_versuche_max; ++n) {
        Seiten s;
        bool passt = false;
        for (int i = 0; i < form_versuche_max && !passt; ++i) {
            s.a = st.reihe_a + (l.rnd() - 0.5f) * p.haus_blockbildung_homogen * p.haus_gxy_spanne;
            s.b = maximum(p.haus_gxy_min, minimum(s.a * st.reihe_verhaeltnis, p.haus_gxy_max));
            passt = p.haus_gxy_min < s.a && s.a < p.haus_gxy_max;
        }
        if (!passt) return std::nullopt;
        if (gewicht_nimmt(l, s.a)) return s;
    }
    return std::nullopt;
}

// The direction of a free candidate, with its sine and cosine.
struct Richtungswinkel {
    float winkel = 0, sinus = 0, kosinus = 1;
};

// Direction and centre of a free candidate beside the anchor's segment.
// Returns the side of the street (1: left of the way's direction).
std::uint8_t neben_die_strasse(Lauf& l, Gebaeudestufe& st, const Anker& anker, float halbe_tiefe,
                               Kandidat& k, Richtungswinkel& r) {
    const Parameter& p = l.p;
    const Ankerstrecke an = anker_lesen(st, anker);
    r.winkel = an.winkel + (l.rnd() - 0.5f) * p.haus_winkel_weg;
    r.sinus = std::sin(r.winkel);
    r.kosinus = std::cos(r.winkel);
    const float mx = (an.x1 + an.x2) / 2.0f, my = (an.y1 + an.y2) / 2.0f;
    const float d =
        (an.breite / 2.0f + halbe_tiefe) * (l.rnd() * 10.0f * p.haus_abstand_weg + 1.05f);
    if (anker.seite == 1) {
        k.x = mx - d * r.sinus;
        k.y = my + d * r.kosinus;
        return 1;
    }
    k.x = mx + d * r.sinus;
    k.y = my - d * r.kosinus;
    return 0;
}

enum class Bildung { gut, verworfen, kein_anker };

Bildung kandidat_bilden(Lauf& l, Gebaeudestufe& st, Kandidat& k, float& reihe_abstand,
                        std::optional<Anker>& an) {
    const Parameter& p = l.p;
    const Stadtmodell& m = l.m;
    reihe_abstand = -1.0f;
    an.reset();
    if (!st.reihe_aktiv) {
        an = anker_ziehen(l, st);
        if (!an) return Bildung::kein_anker;
    }
    k.rund = 0;
    if (!st.reihe_aktiv && l.rnd() < p.haus_anteil_rund) k.rund = 1;

    if (k.rund == 1) {
        const std::optional<float> a = freie_groesse(l);
        if (!a) return Bildung::verworfen;
        k.a = k.b = *a;
        Richtungswinkel r;
        neben_die_strasse(l, st, *an, k.a / 2.0f, k, r);
        // A round building has no corners; its centre stands in for them, so
        // whatever reads corners (labels, fitting) finds the building there.
        for (int c = 1; c <= 4; ++c) {
            k.ex[ix(c)] = k.x;
            k.ey[ix(c)] = k.y;
        }
        return Bildung::gut;
    }

    if (!st.reihe_aktiv) {
        const std::optional<Seiten> s = rechteck_seiten(l);
        if (!s) return Bildung::verworfen;
        k.a = s->a;
        k.b = s->b;
        Richtungswinkel r;
        st.reihe_seite = neben_die_strasse(l, st, *an, k.b / 2.0f, k, r);
        // The corners lie on a circle of diameter a, the sides in the ratio
        // a : b, unless that takes a side out of the size range. (a and b
        // are positive: the sides a cos and a sin of atan(b / a), without
        // the angle.)
        const float diagonale = std::sqrt(k.a * k.a + k.b * k.b);
        const Seiten seiten =
            seiten_begrenzt(p, {k.a * (k.a / diagonale), k.a * (k.b / diagonale)});
        const float laengs = seiten.a / 2.0f, quer = seiten.b / 2.0f;
        const float ux = r.kosinus, uy = r.sinus;
        const float s_laengs[5] = {0.0f, 1.0f, -1.0f, -1.0f, 1.0f};
        const float s_quer[5] = {0.0f, 1.0f, 1.0f, -1.0f, -1.0f};
        for (int c = 1; c <= 4; ++c) {
            k.ex[ix(c)] = k.x + s_laengs[c] * laengs * ux - s_quer[c] * quer * uy;
            k.ey[ix(c)] = k.y + s_laengs[c] * laengs * uy + s_quer[c] * quer * ux;
        }
        return Bildung::gut;
    }

    // A row member hangs on corner 1 or 4 of its predecessor and is turned to
    // the direction of the way nearest to it.
    const std::optional<Seiten> s = reihen_seiten(l, st);
    if (!s) return Bildung::verworfen;
    k.a = s->a;
    k.b = s->b;
    const float a = k.a, b = k.b;
    float dreh_x = 0.0f, dreh_y = 0.0f;
    NaechsterWeg nw;
    if (st.reihe_seite == 0) {
        const float x1 = st.vorher_ecke1_x, y1 = st.vorher_ecke1_y;
        k.ex = {0.0f, x1 + a, x1, x1, x1 + a};
        k.ey = {0.0f, y1, y1, y1 - b, y1 - b};
        nw = naechster_weg_raster(m, st.daten, (x1 + a + x1) / 2.0f, y1);
        dreh_x = k.ex[2];
        dreh_y = k.ey[2];
    } else {
        const float x4 = st.vorher_ecke4_x, y4 = st.vorher_ecke4_y;
        k.ex = {0.0f, x4 + a, x4, x4, x4 + a};
        k.ey = {0.0f, y4 + b, y4 + b, y4, y4};
        nw = naechster_weg_raster(m, st.daten, (x4 + a + x4) / 2.0f, y4);
        dreh_x = k.ex[3];
        dreh_y = k.ey[3];
    }
    const std::optional<float> richtung = reihen_richtung(m, nw);
    if (!richtung) return Bildung::verworfen; // no way to follow: the row ends
    reihe_abstand = nw.abstand;
    // Both share the corner the member turns about; turned towards the
    // predecessor's side it would fold onto it, so it then keeps the
    // predecessor's direction and lies flush against it.
    float drehung = *richtung;
    float gegen = *richtung - st.vorher_winkel;
    while (gegen > pi)
        gegen -= 2.0f * pi;
    while (gegen <= -pi)
        gegen += 2.0f * pi;
    if (st.reihe_seite == 0 ? gegen < 0.0f : gegen > 0.0f) drehung = st.vorher_winkel;
    ecken_drehen(k.ex, k.ey, dreh_x, dreh_y, drehung);
    k.x = (k.ex[1] + k.ex[2] + k.ex[3] + k.ex[4]) / 4.0f;
    k.y = (k.ey[1] + k.ey[2] + k.ey[3] + k.ey[4]) / 4.0f;
    return Bildung::gut;
}

void stufe_beginnen(Lauf& l, Gebaeudestufe& st) {
    const int grenze = st.kandidaten_max;
    st = Gebaeudestufe{};
    st.kandidaten_max = grenze;
    st.lauf = &l;
    st.naechster = l.m.haus_naechster;
    st.daten = stufendaten_bilden(l.m);
    // The anchors' weights, as the plain draw gave them: a street (of at
    // least one segment) at random, a point 1..n - 2 of it at random, taken
    // when in the town and, outside the core, by chance 1 - kernbildung.
    // Where each point lies does not change while buildings are placed.
    const int n_wege = std::max<int>(l.m.n_wege, 0);
    st.weg_anfang.assign(ix(n_wege) + 1, Gebaeudestufe::keine_anker);
    std::size_t punkte = 0;
    for (int w = 1; w <= n_wege; ++w) {
        const Weg& weg = l.m.weg(w);
        if (weg.ist_fluss != 0 || weg.n_punkte < 2) continue;
        st.weg_anfang[ix(w)] = static_cast<std::uint32_t>(punkte);
        punkte += ix(weg.n_punkte) + 1;
    }
    st.ankerpunkte.assign(punkte, {});
    std::vector<std::uint64_t> gewichte(2 * punkte, 0);
    const double ausserhalb =
        std::clamp(1.0 - static_cast<double>(l.p.stadt_kernbildung), 0.0, 1.0);
    for (int w = 1; w <= n_wege; ++w) {
        const std::uint32_t anfang = st.weg_anfang[ix(w)];
        if (anfang == Gebaeudestufe::keine_anker) continue;
        const Weg& weg = l.m.weg(w);
        for (int k = 1; k <= weg.n_punkte; ++k) {
            Gebaeudestufe::Ankerpunkt& punkt = st.ankerpunkte[anfang + ix(k)];
            punkt.x = weg.px(k);
            punkt.y = weg.py(k);
            punkt.breite = weg.breite;
        }
        const int letzter = std::max(1, weg.n_punkte - 2);
        for (int k = 1; k <= letzter; ++k) {
            Gebaeudestufe::Ankerpunkt& punkt = st.ankerpunkte[anfang + ix(k)];
            const float dx = weg.px(k + 1) - punkt.x, dy = weg.py(k + 1) - punkt.y;
            punkt.winkel = winkel_aus(dx, dy);
            const Lage lage = lage_pruefen(l.p, l.m, punkt.x, punkt.y);
            if (!lage.in_stadt) continue;
            const double anteil = lage.im_kern ? 1.0 : ausserhalb;
            const auto g =
                static_cast<std::uint64_t>(anteil * 4294967296.0 / static_cast<double>(letzter));
            gewichte[2 * (anfang + ix(k))] = g;
            gewichte[2 * (anfang + ix(k)) + 1] = g;
        }
    }
    st.ankerwahl.anlegen(gewichte);
    st.anker_absagen.assign(gewichte.size(), 0);
    // Every free candidate is at least haus_gxy_min along and across.
    st.front_tiefe = l.p.haus_gxy_min;
    st.front_breite = 0.45f * l.p.haus_gxy_min;
    st.abstand_max = 10.0f * l.p.haus_abstand_weg + 1.05f;
}

bool aufgeben(Lauf& l, Gebaeudestufe& st) {
    st.aufgegeben = true;
    l.status({Statusart::gebaeude_aufgegeben, l.m.haus_naechster - 1, l.p.n_gebaude});
    return false;
}

// Whether the next building continues the row, after building b was kept.
void reihe_entscheiden(Lauf& l, Gebaeudestufe& st, const Kandidat& k, float reihe_abstand,
                       bool reihe_vorher) {
    const Parameter& p = l.p;
    const Stadtmodell& m = l.m;
    const float sx = (k.ex[1] + k.ex[2] + k.ex[3] + k.ex[4]) / 4.0f;
    const float sy = (k.ey[1] + k.ey[2] + k.ey[3] + k.ey[4]) / 4.0f;
    const float rel =
        minimum(abstand(m.zentrum_x, m.zentrum_y, sx, sy) / (p.stadt_abmessung / 2.0f), 1.0f);
    const float p_zentral =
        std::pow(std::cos(pi * 0.5f * rel), p.haus_blockbildung_zentral * 5.0f + 1.0f);
    l.z.neu_saeen();
    const float r1 = l.rnd();
    const float r2 = l.rnd();
    st.reihe_aktiv = k.rund == 0 && 2.0f * p.haus_gxy_max > reihe_abstand &&
                     r1 < std::sqrt(p.haus_blockbildung) * 0.99f && r2 < p_zentral;
    if (st.reihe_aktiv && !reihe_vorher) {
        st.reihe_a = k.a;
        st.reihe_verhaeltnis = k.b / k.a;
    }
    st.vorher_ecke1_x = k.ex[1];
    st.vorher_ecke1_y = k.ey[1];
    st.vorher_ecke4_x = k.ex[4];
    st.vorher_ecke4_y = k.ey[4];
    st.vorher_winkel = winkel_aus(k.ex[1] - k.ex[2], k.ey[1] - k.ey[2]);
}

// What turned a candidate down.
enum class Sperre : std::uint8_t { keine, weg, mauer, platz, park, ueberlappung, turm };

// The candidate's tests, first refusal wins. The square, park and overlap
// tests each draw one random number when they are reached. The overlap test
// (unless this building was let off it) comes first: in a crowded town it
// turns most candidates down and costs far less than the street test.
Sperre kandidat_pruefen(Lauf& l, Gebaeudestufe& st, Haus& haus, const Kandidat& k, int b) {
    haus_rahmen_setzen(haus, k.ex, k.ey, k.x, k.y, k.a);
    // A row member may touch its predecessor.
    const int letzter = st.reihe_aktiv ? b - 2 : b - 1;
    if (!st.ueberlappung_frei && haeuser_kollision(l.m, st.daten, b, k.ex, k.ey, letzter)) {
        l.nachgeben(); // as the street test does: once per candidate
        return Sperre::ueberlappung;
    }
    if (weg_kollision(l, k, st.daten)) return Sperre::weg;
    if (l.m.mauer_vorhanden && mauer_kollision(l, k, st.daten)) return Sperre::mauer;
    if (turm_kollision(l.m, k, st.daten)) return Sperre::turm;
    if (plaetze_kollision(l, k)) return Sperre::platz;
    if (parks_kollision(l, k)) return Sperre::park;
    return Sperre::keine;
}

#ifdef TARVELLO_KANDIDATEN_LOG
// Records the outcome, or replays it without the tests; the replay still
// makes the tests' draws, so the same candidates and the same map follow.
Sperre kandidat_pruefen_mit_log(Lauf& l, Gebaeudestufe& st, Haus& haus, const Kandidat& k, int b) {
    Kandidatenlog& log = kandidatenlog();
    if (log.modus != Kandidatenlog::Modus::abspielen) {
        const Sperre s = kandidat_pruefen(l, st, haus, k, b);
        if (log.modus == Kandidatenlog::Modus::aufnehmen)
            log.sperren.push_back(static_cast<std::uint8_t>(s));
        return s;
    }
    const auto s = static_cast<Sperre>(log.sperren.at(log.stelle++));
    haus_rahmen_setzen(haus, k.ex, k.ey, k.x, k.y, k.a);
    if (s == Sperre::ueberlappung || s == Sperre::weg || s == Sperre::mauer || s == Sperre::turm)
        return s;
    l.rnd(); // the square test's draw
    if (s == Sperre::platz) return s;
    l.rnd(); // the park test's draw
    return s;
}
#endif

} // namespace

std::optional<Seitenpaar> seiten_paar(float a0, float v, float lo, float hi, Zufall& z) {
    // The plain way, drawing until a pair fits: for settings outside the
    // direct draw's reach (no ratio above 1, no lower bound), and as the
    // last resort should rounding keep the direct draw out of the range.
    auto verwerfend = [&]() -> std::optional<Seitenpaar> {
        for (int i = 0; i < form_versuche_max; ++i) {
            float a = a0;
            const float b = ((v - 1.0f) * z.rnd() + 1.0f) * a;
            if (z.rnd() < v / 10.0f) a = b / ((v - 1.0f) * z.rnd() + 1.0f);
            if (lo < b && b < hi && lo < a && a < hi) return Seitenpaar{a, b};
        }
        return std::nullopt;
    };
    if (!(v > 1.0f && std::isfinite(v) && lo > 0.0f && lo < a0 && a0 < hi && std::isfinite(hi)))
        return verwerfend();
    // b = s1 a0 and, with chance v / 10, a = b / s2, s1 and s2 uniform in
    // [1, v). Drawn directly from what fits: a big a0 leaves only a sliver
    // of ratios, and drawing until one fits took dozens of tries.
    const double a = a0, vd = v;
    const double s_max = std::min(vd, static_cast<double>(hi) / a); // b < hi
    const double c = a / static_cast<double>(lo);                   // a > lo: s2 < c s1
    if (!(s_max > 1.0)) return verwerfend();
    const double p_b = std::clamp(vd / 10.0, 0.0, 1.0);
    // The pairs (s1, s2) that fit lie under min(v, c s1): a slope up to
    // the knee, level beyond it.
    const double knick = std::clamp(vd / c, 1.0, s_max);
    const double f_schraeg = c / 2.0 * (knick * knick - 1.0) - (knick - 1.0);
    const double f_ganz = f_schraeg + (vd - 1.0) * (s_max - knick);
    // Chances of the two ways of drawing to fit, both times (v - 1)^2.
    const double w_a = (1.0 - p_b) * (s_max - 1.0) * (vd - 1.0), w_b = p_b * f_ganz;
    for (int versuch = 0; versuch < 100; ++versuch) {
        const bool geteilt = static_cast<double>(z.rnd()) * (w_a + w_b) < w_b;
        double s1 = 0.0, s2 = 1.0;
        if (!geteilt) {
            s1 = 1.0 + static_cast<double>(z.rnd()) * (s_max - 1.0);
        } else {
            const double t = static_cast<double>(z.rnd()) * f_ganz;
            s1 = t < f_schraeg ? (1.0 + std::sqrt((c - 1.0) * (c - 1.0) + 2.0 * c * t)) / c
                               : knick + (t - f_schraeg) / (vd - 1.0);
            s2 = 1.0 + static_cast<double>(z.rnd()) * (std::min(vd, c * s1) - 1.0);
        }
        const float b = static_cast<float>(s1) * a0;
        const float a_neu = geteilt ? b / static_cast<float>(s2) : a0;
        if (lo < b && b < hi && lo < a_neu && a_neu < hi) return Seitenpaar{a_neu, b};
    }
    return verwerfend();
}

#ifdef TARVELLO_KANDIDATEN_LOG
Kandidatenlog& kandidatenlog() {
    static Kandidatenlog log;
    return log;
}
#endif

bool haus_platzieren(Lauf& l, Gebaeudestufe& st) {
    Stadtmodell& m = l.m;
    const Parameter& p = l.p;
    if (st.lauf != &l || m.haus_naechster == 1 || m.haus_naechster != st.naechster)
        stufe_beginnen(l, st);
    const int b = m.haus_naechster;
    if (b < 1 || b > m.haeuser_kapazitaet() || l.abbruch()) return false;
    Haus& haus = m.haus(b);
    // The overlap avoidance is skipped for a share of the buildings, not of
    // the candidates: drawn per candidate, a crowded town would let ever more
    // of its many overlapping candidates through, and once full it would
    // pile every further building onto the others.
    st.ueberlappung_frei = !(l.rnd() < p.haus_antiueberlappung);

    for (;;) {
        if (st.folge >= st.kandidaten_max) return aufgeben(l, st);
        Kandidat k;
        float reihe_abstand = -1.0f;
        std::optional<Anker> an;
        const Bildung bildung = kandidat_bilden(l, st, k, reihe_abstand, an);
        // No anchor left in play: the town is full.
        if (bildung == Bildung::kein_anker) return aufgeben(l, st);
        ++st.kandidaten;

        // A candidate that found no good spot counts as one on a way.
        Sperre sperre = Sperre::weg;
        if (bildung == Bildung::gut) {
            haus.rund = k.rund;
            haus.x = k.x;
            haus.y = k.y;
            haus.breite = k.a;
            haus.laenge = k.b;
#ifdef TARVELLO_KANDIDATEN_LOG
            sperre = kandidat_pruefen_mit_log(l, st, haus, k, b);
#else
            sperre = kandidat_pruefen(l, st, haus, k, b);
#endif
        }

        const bool reihe_vorher = st.reihe_aktiv;
        st.reihe_aktiv = false;
        if (l.abbruch()) return false;
        if (sperre != Sperre::keine) {
            ++st.folge;
            if (an) anker_absage(st, *an);
            continue;
        }

        haus.breite = k.a;
        haus.laenge = k.b;
        for (int c = 1; c <= 4; ++c) {
            haus.ecke_x[ix(c)] = k.ex[ix(c)];
            haus.ecke_y[ix(c)] = k.ey[ix(c)];
        }
        haus.ecke_x[5] = k.ex[1];
        haus.ecke_y[5] = k.ey[1];
        haus_eintragen(st.daten, m, b);
        if (an) st.anker_absagen[an->nummer] = 0;
        if (reihe_vorher) ++st.reihenglieder;
        st.laengste_folge = std::max(st.laengste_folge, st.folge);
        st.folge = 0;
        st.naechster = b + 1;
        if (b + 1 <= p.n_gebaude) reihe_entscheiden(l, st, k, reihe_abstand, reihe_vorher);
        return true;
    }
}

} // namespace tarvello
