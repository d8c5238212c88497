#include "render/strichraster.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tarvello {

namespace {

// Coordinates beyond this are left to the painter: far outside any picture,
// where the pixel arithmetic below would lose its precision.
constexpr double grenze = 1e7;
// Coverage is gathered for a band of rows at a time, small enough to stay in
// the cache however wide the stroke.
constexpr int band_bytes = 1 << 16;
// Half the diagonal of a pixel: no pixel farther from the stroke's edge than
// this is touched by it.
constexpr double halbdiagonale = 0.70711;

// How a pixel looks seen along a unit normal with components u >= v >= 0:
// its projection onto the normal is a trapezoid reaching h = (u + v) / 2 to
// either side of the centre, flat up to g = (u - v) / 2.
struct Profil {
    double h, g, kehr_u, k;
};

Profil profil(double nx, double ny) {
    double u = std::abs(nx), v = std::abs(ny);
    if (u < v) std::swap(u, v);
    if (!(u > 0.0)) return {0.5, 0.5, 1.0, 0.0};
    return {(u + v) / 2.0, (u - v) / 2.0, 1.0 / u, v > 1e-9 ? 1.0 / (2.0 * u * v) : 0.0};
}

// Share of the pixel on the side q <= s of a straight edge, q running along
// the normal from the pixel's centre.
inline double anteil(double s, const Profil& p) {
    if (s >= p.h) return 1.0;
    if (s <= -p.h) return 0.0;
    if (s > p.g) {
        const double t = p.h - s;
        return 1.0 - t * t * p.k;
    }
    if (s < -p.g) {
        const double t = p.h + s;
        return t * t * p.k;
    }
    return 0.5 + s * p.kehr_u;
}

// Share of the pixel within radius r of a line (or point) at distance d from
// its centre, the edge taken as straight across the pixel.
inline double band(double d, double r, const Profil& p) {
    return anteil(r - d, p) - anteil(-r - d, p);
}

// Below this radius a round end bends too much within a pixel to be taken
// as straight there.
constexpr double eng_gekruemmt = 1.5;

// Share of the pixel whose centre lies (ex, ey) from a disc's centre that the
// disc of radius r covers, counted on a grid of points in the pixel.
double scheibe_gezaehlt(double ex, double ey, double r) {
    constexpr int raster = 8;
    const double r2 = r * r;
    int treffer = 0;
    for (int j = 0; j < raster; ++j) {
        const double y = ey + (j + 0.5) / raster - 0.5;
        for (int i = 0; i < raster; ++i) {
            const double x = ex + (i + 0.5) / raster - 0.5;
            treffer += x * x + y * y <= r2;
        }
    }
    return static_cast<double>(treffer) / (raster * raster);
}

inline uint8_t stufe(double anteil) {
    // The painter's fill truncates the covered area to 0..255 likewise.
    return static_cast<uint8_t>(anteil * 255.0);
}

// All four channels of x times a / 255, rounded, as the painter's blending
// computes them, two channels at a time.
inline uint32_t byte_mul(uint32_t x, uint32_t a) {
    uint32_t t = (x & 0xff00ffu) * a;
    t = (t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8;
    t &= 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a;
    x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u);
    x &= 0xff00ff00u;
    return x | t;
}

} // namespace

bool Strichraster::linienzug(QImage& bild, const QRect& clip, const QPointF* punkte, int n,
                             double breite, QRgb farbe) {
    if (!(breite > 1.0 && breite < grenze)) return false;
    double x_min = grenze, x_max = -grenze, y_min = grenze, y_max = -grenze;
    for (int i = 0; i < n; ++i) {
        const double x = punkte[i].x(), y = punkte[i].y();
        // Also false for NaN.
        if (!(std::abs(x) < grenze && std::abs(y) < grenze)) return false;
        x_min = std::min(x_min, x);
        x_max = std::max(x_max, x);
        y_min = std::min(y_min, y);
        y_max = std::max(y_max, y);
    }
    if (n < 2 || clip.isEmpty()) return true;
    radius_ = breite / 2.0;
    reichweite_ = radius_ + halbdiagonale;
    const int x0 = std::max(clip.left(), static_cast<int>(std::floor(x_min - reichweite_)));
    const int x1 = std::min(clip.right(), static_cast<int>(std::floor(x_max + reichweite_)));
    const int y0 = std::max(clip.top(), static_cast<int>(std::floor(y_min - reichweite_)));
    const int y1 = std::min(clip.bottom(), static_cast<int>(std::floor(y_max + reichweite_)));
    if (x0 > x1 || y0 > y1) return true;

    strecken_.clear();
    int letztes_ende = -1;
    for (int i = 0; i + 1 < n; ++i) {
        const double ax = punkte[i].x(), ay = punkte[i].y();
        const double dx = punkte[i + 1].x() - ax, dy = punkte[i + 1].y() - ay;
        const double l2 = dx * dx + dy * dy;
        // A segment without length adds nothing its neighbours' ends do not
        // cover; a stroke of nothing else stays invisible, as with the painter.
        if (!(l2 > 0.0)) continue;
        const double bx = ax + dx, by = ay + dy;
        if (std::floor(std::max(ax, bx) + reichweite_) < x0 ||
            std::floor(std::min(ax, bx) - reichweite_) > x1)
            continue;
        const int von = std::max(y0, static_cast<int>(std::floor(std::min(ay, by) - reichweite_)));
        const int bis = std::min(y1, static_cast<int>(std::floor(std::max(ay, by) + reichweite_)));
        if (von > bis) continue;
        const double l = std::sqrt(l2);
        const Profil p = profil(dy / l, dx / l);
        const bool nachfolger =
            letztes_ende >= 0 && punkte[letztes_ende].x() == ax && punkte[letztes_ende].y() == ay;
        letztes_ende = i + 1;
        strecken_.push_back(
            {ax, ay, dx, dy, l2, 1.0 / l, p.h, p.g, p.kehr_u, p.k, von, bis, nachfolger});
    }
    if (strecken_.empty()) return true;

    breite_band_ = x1 - x0 + 1;
    const int zeilen = std::clamp(band_bytes / breite_band_, 1, y1 - y0 + 1);
    // Coverage left behind is always zero again, so growing is all it needs.
    const size_t noetig = static_cast<size_t>(zeilen) * static_cast<size_t>(breite_band_);
    if (deckung_.size() < noetig) {
        deckung_.resize(noetig, 0);
        eigner_.resize(noetig);
    }
    spalte_von_.assign(static_cast<size_t>(zeilen), INT_MAX);
    spalte_bis_.assign(static_cast<size_t>(zeilen), INT_MIN);
    for (int oben = y0; oben <= y1; oben += zeilen) {
        const int unten = std::min(y1, oben + zeilen - 1);
        band_oben_ = oben;
        for (size_t i = 0; i < strecken_.size(); ++i) {
            const Strecke& s = strecken_[i];
            if (s.zeile_bis >= oben && s.zeile_von <= unten)
                strecke_rastern(static_cast<uint32_t>(i), x0, x1, oben, unten);
        }
        kreuzungen_aufloesen(x0);
        band_zeichnen(bild, x0, oben, unten, farbe);
    }
    return true;
}

// Raises the coverage of the band's pixels (rows oben..unten of the band
// starting at row band_oben_, columns x0..x1) to what the segment's capsule
// covers.
void Strichraster::strecke_rastern(uint32_t nummer, int x0, int x1, int oben, int unten) {
    // A copy: the coverage written below is bytes, which could alias anything
    // read through a reference.
    const Strecke s = strecken_[nummer];
    const double r = radius_, reich = reichweite_;
    const double voll = r - halbdiagonale; // nearer than this, a pixel is covered
    const double laenge = s.laenge2 * s.kehr_laenge;
    const Profil normale{s.h, s.g, s.kehr_u, s.k};
    // Coverage near one of the segment's ends, (ex, ey) away from it.
    const bool eng = r < eng_gekruemmt;
    const auto ende = [=](double ex, double ey) {
        const double d = std::sqrt(ex * ex + ey * ey);
        if (d <= voll) return 1.0;
        if (d >= reich) return 0.0;
        if (eng) return scheibe_gezaehlt(ex, ey, r);
        return band(d, r, d > 1e-12 ? profil(ex / d, ey / d) : profil(1.0, 0.0));
    };
    // Where the row at height qy above the start crosses the band of half
    // width `halb` along the segment, as x - ax.
    const auto quer_zum_band = [&](double qy, double halb, double& a, double& b) {
        a = -grenze;
        b = grenze;
        // Along the segment: 0 <= X dx + qy dy <= l2, X = x - ax.
        if (s.dx != 0.0) {
            const double t1 = -qy * s.dy / s.dx, t2 = (s.laenge2 - qy * s.dy) / s.dx;
            a = std::max(a, std::min(t1, t2));
            b = std::min(b, std::max(t1, t2));
        } else if (qy * s.dy < 0.0 || qy * s.dy > s.laenge2) {
            return false;
        }
        // Across it: |X dy - qy dx| <= halb * length.
        const double quer = halb * laenge;
        if (s.dy != 0.0) {
            const double t1 = (qy * s.dx - quer) / s.dy, t2 = (qy * s.dx + quer) / s.dy;
            a = std::max(a, std::min(t1, t2));
            b = std::min(b, std::max(t1, t2));
        } else if (std::abs(qy * s.dx) > quer) {
            return false;
        }
        return a <= b;
    };
    const int ya = std::max(oben, s.zeile_von), yb = std::min(unten, s.zeile_bis);
    for (int y = ya; y <= yb; ++y) {
        const double yc = y + 0.5;
        const double qy = yc - s.ay;
        // The pixel centres of this row within reach: the row crosses the
        // capsule widened by the reach in one interval, the hull of where it
        // crosses the two end discs and the band between them.
        double lo = grenze, hi = -grenze;
        for (int e = s.nachfolger ? 1 : 0; e < 2; ++e) {
            const double abw = qy - (e ? s.dy : 0.0);
            if (std::abs(abw) > reich) continue;
            const double halb = std::sqrt(reich * reich - abw * abw);
            const double cx = s.ax + (e ? s.dx : 0.0);
            lo = std::min(lo, cx - halb);
            hi = std::max(hi, cx + halb);
        }
        double a, b;
        if (quer_zum_band(qy, reich, a, b)) {
            lo = std::min(lo, s.ax + a);
            hi = std::max(hi, s.ax + b);
        }
        if (lo > hi) continue;
        const int xa = std::max(x0, static_cast<int>(std::ceil(lo - 0.5)));
        const int xb = std::min(x1, static_cast<int>(std::floor(hi - 0.5)));
        if (xa > xb) continue;
        // Within it, the pixels the band covers wholly.
        int va = xb + 1, vb = xb;
        if (voll > 0.0 && quer_zum_band(qy, voll, a, b)) {
            va = std::max(xa, static_cast<int>(std::ceil(s.ax + a - 0.5 + 1e-9)));
            vb = std::min(xb, static_cast<int>(std::floor(s.ax + b - 0.5 - 1e-9)));
            if (va > vb) {
                va = xb + 1;
                vb = xb;
            }
        }

        const auto zeile = static_cast<size_t>(y - band_oben_);
        const size_t zeilenanfang = zeile * static_cast<size_t>(breite_band_);
        uint8_t* d = deckung_.data() + zeilenanfang;
        uint32_t* eigner = eigner_.data() + zeilenanfang;
        std::fill(d + (va - x0), d + (vb + 1 - x0), uint8_t{255});
        // The pixels along the edges, left and right of those.
        for (int seite = 0; seite < 2; ++seite) {
            const int von = seite == 0 ? xa : vb + 1, bis = seite == 0 ? va - 1 : xb;
            for (int x = von; x <= bis; ++x) {
                const double qx = x + 0.5 - s.ax;
                const double t = qx * s.dx + qy * s.dy;
                double c;
                if (t <= 0.0) {
                    // The end shared with the segment before is drawn with it.
                    c = s.nachfolger ? 0.0 : ende(qx, qy);
                } else if (t >= s.laenge2) {
                    c = ende(qx - s.dx, qy - s.dy);
                } else {
                    const double abstand = std::abs(qx * s.dy - qy * s.dx) * s.kehr_laenge;
                    c = abstand <= voll ? 1.0 : band(abstand, r, normale);
                }
                const uint8_t w = stufe(c);
                const int i = x - x0;
                const uint8_t alt = d[i];
                // Two segments' edges crossing in one pixel at an angle: the
                // larger share alone would leave a notch in the inner corner.
                if (w > 0 && w < 255 && alt > 0 && alt < 255 && eigner[i] != nummer &&
                    kanten_kreuzen(eigner[i], nummer, x + 0.5, yc))
                    kreuzungen_.push_back(
                        {zeilenanfang + static_cast<size_t>(i), eigner[i], nummer});
                if (w > alt) {
                    d[i] = w;
                    eigner[i] = nummer;
                }
            }
        }
        spalte_von_[zeile] = std::min(spalte_von_[zeile], xa);
        spalte_bis_[zeile] = std::max(spalte_bis_[zeile], xb);
    }
}

namespace {
// The direction from the segment's nearest point to (px, py), of length one
// (zero on the segment), and where that point lies along it (0..1).
double normale(const Strichraster::Strecke& s, double px, double py, double& nx, double& ny) {
    const double qx = px - s.ax, qy = py - s.ay;
    const double t = std::clamp((qx * s.dx + qy * s.dy) / s.laenge2, 0.0, 1.0);
    nx = qx - t * s.dx;
    ny = qy - t * s.dy;
    const double l = std::sqrt(nx * nx + ny * ny);
    if (l > 1e-12) {
        nx /= l;
        ny /= l;
    }
    return t;
}
} // namespace

bool Strichraster::kanten_kreuzen(uint32_t a, uint32_t b, double px, double py) const {
    double ax, ay, bx, by;
    const double ta = normale(strecken_[a], px, py, ax, ay);
    const double tb = normale(strecken_[b], px, py, bx, by);
    // The round end two neighbours share lies in both: nearest to it, one
    // covers all the other does.
    if (b == a + 1 && strecken_[b].nachfolger && (ta >= 1.0 || tb <= 0.0)) return false;
    if (a == b + 1 && strecken_[a].nachfolger && (tb >= 1.0 || ta <= 0.0)) return false;
    // Edges facing the same way within about 15 degrees cover the pixel much
    // like the larger share alone.
    return ax * bx + ay * by < 0.966;
}

// Where two segments' edges cross in a pixel, its share of the pair's union
// is counted on a grid of points in it.
void Strichraster::kreuzungen_aufloesen(int x0) {
    constexpr int raster = 8;
    const double r2 = radius_ * radius_;
    const auto innen = [&](const Strecke& s, double px, double py) {
        const double qx = px - s.ax, qy = py - s.ay;
        const double t = std::clamp((qx * s.dx + qy * s.dy) / s.laenge2, 0.0, 1.0);
        const double ex = qx - t * s.dx, ey = qy - t * s.dy;
        return ex * ex + ey * ey <= r2;
    };
    for (const Kreuzung& k : kreuzungen_) {
        const size_t b = static_cast<size_t>(breite_band_);
        const double x = static_cast<double>(x0 + static_cast<int>(k.stelle % b));
        const double y = static_cast<double>(band_oben_ + static_cast<int>(k.stelle / b));
        const Strecke& s1 = strecken_[k.erste];
        const Strecke& s2 = strecken_[k.zweite];
        int treffer = 0;
        for (int j = 0; j < raster; ++j)
            for (int i = 0; i < raster; ++i) {
                const double px = x + (i + 0.5) / raster, py = y + (j + 0.5) / raster;
                treffer += innen(s1, px, py) || innen(s2, px, py);
            }
        const uint8_t w = stufe(static_cast<double>(treffer) / (raster * raster));
        if (w > deckung_[k.stelle]) deckung_[k.stelle] = w;
    }
    kreuzungen_.clear();
}

// Blends the band's covered pixels into the picture, each once, and leaves
// the coverage zero again.
void Strichraster::band_zeichnen(QImage& bild, int x0, int oben, int unten, QRgb farbe) {
    const qsizetype zeilenlaenge = bild.bytesPerLine();
    uchar* daten = bild.bits(); // not shared while painted on: no copy
    for (int y = oben; y <= unten; ++y) {
        const size_t zeile = static_cast<size_t>(y - oben);
        const int von = spalte_von_[zeile], bis = spalte_bis_[zeile];
        if (von > bis) continue;
        spalte_von_[zeile] = INT_MAX;
        spalte_bis_[zeile] = INT_MIN;
        uint8_t* d = deckung_.data() + zeile * static_cast<size_t>(breite_band_);
        auto* ziel = reinterpret_cast<uint32_t*>(daten + y * zeilenlaenge);
        for (int x = von; x <= bis; ++x) {
            const uint32_t a = d[x - x0];
            if (a == 0) continue;
            d[x - x0] = 0;
            ziel[x] = a == 255 ? farbe : byte_mul(farbe, a) + byte_mul(ziel[x], 255 - a);
        }
    }
}

} // namespace tarvello
