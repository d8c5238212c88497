#include "render/druckoptionen.h"

#include "core/zahlen.h"

namespace tarvello {

void bildausschnitt_begrenzen(Bildausschnitt& a, float stadt_abmessung) {
    const float m = stadt_abmessung - stadt_abmessung / a.zoom;
    if (a.x < 0.0f) a.x = 0.0f;
    if (a.x > m) a.x = m;
    if (a.y < 0.0f) a.y = 0.0f;
    if (a.y > m) a.y = m;
}

int export_schriftgroesse_bestimmen(Druckoptionen& o, float stadt_abmessung) {
    if (o.export_schriftgroesse == 0)
        o.export_schriftgroesse = static_cast<int>(runden(stadt_abmessung / 36.0f));
    return o.export_schriftgroesse;
}

} // namespace tarvello
