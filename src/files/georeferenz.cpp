#include "files/georeferenz.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <string>

namespace tarvello {

namespace {

// WGS 84.
constexpr double halbachse = 6378137.0;
constexpr double abplattung = 1.0 / 298.257223563;
constexpr double pi = 3.14159265358979323846;

std::string grad_text(double v) {
    // A pixel spans a few millionths of a degree: fifteen decimals keep its
    // size to a millionth over a picture ten thousand pixels wide.
    char puffer[64];
    auto r = std::to_chars(puffer, puffer + sizeof puffer, v, std::chars_format::fixed, 15);
    return std::string(puffer, r.ptr);
}

} // namespace

Geoabbildung::Geoabbildung(Geoursprung ursprung, double groesse)
    : ursprung_(ursprung), groesse_(groesse) {
    const double e2 = abplattung * (2.0 - abplattung);
    const double phi = ursprung.breite * pi / 180.0;
    const double w = 1.0 - e2 * std::sin(phi) * std::sin(phi);
    const double meridian = halbachse * (1.0 - e2) / (w * std::sqrt(w));
    const double quer = halbachse / std::sqrt(w);
    m_breite_ = meridian * pi / 180.0;
    m_laenge_ = quer * std::cos(phi) * pi / 180.0;
}

Geolage Geoabbildung::grad_eben(double ost, double nord) const {
    return {ursprung_.laenge + ost / m_laenge_, ursprung_.breite + nord / m_breite_};
}

Geolage Geoabbildung::grad(double x, double y) const {
    return grad_eben(x - groesse_ / 2.0, groesse_ / 2.0 - y);
}

bool geoursprung_lesen(const QString& text, Geoursprung& ursprung) {
    const QStringList teile = text.split(',');
    if (teile.size() != 2) return false;
    bool gut_b = false, gut_l = false;
    const double b = teile[0].trimmed().toDouble(&gut_b);
    const double l = teile[1].trimmed().toDouble(&gut_l);
    // Near the poles a degree of longitude shrinks to nothing.
    if (!gut_b || !gut_l || !(std::fabs(b) <= 85.0) || !(std::fabs(l) <= 180.0)) return false;
    ursprung = {b, l};
    return true;
}

Ergebnis weltdatei_speichern(const QString& datei, const Geoabbildung& abbildung,
                             const Pixelraster& raster, Dateisystem& dateisystem) {
    const Geolage mitte =
        abbildung.grad(raster.links + raster.pixel / 2.0, raster.oben + raster.pixel / 2.0);
    const double a = raster.pixel / abbildung.meter_je_grad_laenge();
    const double e = -raster.pixel / abbildung.meter_je_grad_breite();
    return textdatei_schreiben(
        datei,
        [&](Textschreiber& s) {
            // One number per line (the writer ends each line).
            for (const double v : {a, 0.0, 0.0, e, mitte.laenge, mitte.breite})
                s.text(grad_text(v));
            return !s.fehlerhaft();
        },
        dateisystem);
}

QString weltdatei_name(const QString& bilddatei) {
    const qsizetype punkt = bilddatei.lastIndexOf('.');
    const qsizetype strich = bilddatei.lastIndexOf('/');
    const QString endung = punkt > strich ? bilddatei.mid(punkt + 1).toLower() : QString();
    const QString stamm = punkt > strich ? bilddatei.left(punkt) : bilddatei;
    if (endung == QLatin1String("png")) return stamm + QStringLiteral(".pgw");
    if (endung == QLatin1String("bmp")) return stamm + QStringLiteral(".bmpw");
    return stamm + QStringLiteral(".wld");
}

} // namespace tarvello
