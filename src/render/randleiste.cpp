#include "render/randleiste.h"

#include <algorithm>

#include "core/zahlen.h"
#include "render/stadtplan.h"

namespace tarvello {

Rechteck schnittrahmen(const Renderzustand& z) {
    const int n = z.blaetter_je_seite;
    const float h = z.kartenseite;
    Rechteck r;
    r.links = z.blatt_spalte == 1 ? z.rand_links : z.rand_links + 0.1f * h;
    r.oben = z.blatt_zeile == 1 ? z.rand_oben : z.rand_oben + 0.1f * h;
    r.rechts = z.blatt_spalte == n ? z.karte_rechts : z.rand_links + 0.9f * h;
    r.unten = z.blatt_zeile == n ? z.karte_unten : z.rand_oben + 0.9f * h;
    return r;
}

Massstabsbalken massstabsbalken(float v) {
    // The table's bounds are whole tenths; v rounded to one decimal is
    // compared in tenths so that no bound falls between two float values.
    struct Zeile {
        double bis_zehntel;
        float u;
        int n;
    };
    static constexpr Zeile tabelle[] = {
        {10, 0.5f, 5},     {20, 1, 10},         {50, 2, 8},         {100, 5, 5},
        {200, 10, 10},     {500, 20, 8},        {1000, 50, 5},      {2000, 100, 10},
        {5000, 200, 8},    {10000, 500, 5},     {20000, 1000, 10},  {50000, 2000, 8},
        {100000, 5000, 5}, {200000, 10000, 10}, {500000, 20000, 8}, {1000000, 50000, 5},
    };
    const double zehntel = runden(static_cast<double>(v * 10.0f));
    for (const Zeile& z : tabelle)
        if (zehntel <= z.bis_zehntel) return {z.u, z.n};
    const Zeile& letzte = tabelle[std::size(tabelle) - 1];
    return {letzte.u, letzte.n};
}

float titel_schriftgroesse(double breite_bei_14, float platz) {
    if (!(breite_bei_14 > platz) || !(platz > 0.0f)) return titel_punkte;
    return static_cast<float>(titel_punkte * platz / breite_bei_14);
}

float nordrichtung(int knopf) {
    const float grad = static_cast<float>(std::clamp(knopf, 0, 11) * 30 + 90);
    return grad * pi / 180.0f;
}

} // namespace tarvello
