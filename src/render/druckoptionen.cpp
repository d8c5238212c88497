#include "render/druckoptionen.h"

#include <algorithm>
#include <cmath>

#include "core/zahlen.h"

namespace tarvello {

void bildausschnitt_begrenzen(Bildausschnitt& a, float stadt_abmessung) {
    const float m = stadt_abmessung - stadt_abmessung / a.zoom;
    if (a.x < 0.0f) a.x = 0.0f;
    if (a.x > m) a.x = m;
    if (a.y < 0.0f) a.y = 0.0f;
    if (a.y > m) a.y = m;
}

int export_schriftgroesse_aus_regler(int regler, int pixel) {
    // The base of 6 points shrinks with pictures below 1200 pixels, so labels
    // keep their share of a small picture too; below 5 points digits blur.
    const double sockel = 6.0 * std::min(pixel, 1200) / 1200.0;
    return std::max(
        export_schrift_min,
        static_cast<int>(std::floor(static_cast<double>(regler) * pixel / 2000.0 + sockel)));
}

int export_schriftgroesse(const Druckoptionen& o, int pixel) {
    if (o.export_schriftgroesse > 0) return o.export_schriftgroesse;
    return export_schriftgroesse_aus_regler(export_regler_vorgabe, std::max(1, pixel));
}

} // namespace tarvello
