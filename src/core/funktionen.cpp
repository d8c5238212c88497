#include "core/funktionen.h"

#include <cmath>

#include "core/zahlen.h"

namespace tarvello {

float richtungswinkel(float dx, float dy) {
    const float t = static_cast<float>(std::atan(static_cast<double>(std::fabs(dy)) /
                                                 (static_cast<double>(std::fabs(dx)) + 1e-8)));
    if (dx < 0.0f && dy >= 0.0f) return pi - t;
    if (dx < 0.0f && dy < 0.0f) return pi + t;
    if (dx >= 0.0f && dy < 0.0f) return 2.0f * pi - t;
    return t;
}

float mittlere_richtung(float x1, float y1, float x2, float y2, float x3, float y3) {
    return (richtungswinkel(x2 - x1, y2 - y1) + richtungswinkel(x3 - x2, y3 - y2)) / 2.0f;
}

float abstand(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

int index_des_minimums(float a, float b, float c, float d) {
    int beste = 1;
    float wert = a;
    if (b < wert) {
        beste = 2;
        wert = b;
    }
    if (c < wert) {
        beste = 3;
        wert = c;
    }
    if (d < wert) beste = 4;
    return beste;
}

float umriss_radius(const Parameter& p, const Stadtmodell& m, float winkel, float glaettung) {
    if (p.stadt_form == 0) {
        const int n = m.stadtrand_n_wellen;
        if (n <= 0) return p.stadt_durchmesser / 2.0f;
        float b = 0.0f;
        for (int k = 1; k <= n; ++k) {
            b += (1.0f + (1.0f - glaettung) * p.stadt_turbulenz * m.stadtrand_amplitude[k] *
                             std::cos(static_cast<float>(m.stadtrand_frequenz[k]) * winkel +
                                      m.stadtrand_phase[k])) /
                 static_cast<float>(n);
        }
        return p.stadt_durchmesser * b / 2.0f;
    }
    if (p.stadt_form == 1) {
        const float h = p.stadt_abmessung / 2.0f;
        float a = winkel;
        // Fold the angle into [0, pi/4]; the outline repeats every quarter turn.
        if (std::isfinite(a)) {
            if (a > pi) a = std::fmod(a, pi);
            if (a < 0.0f) a = std::fmod(a, pi) + pi;
        } else {
            a = 0.0f;
        }
        if (a > pi / 2.0f) a = pi - a;
        if (a > pi / 4.0f) a = pi / 2.0f - a;
        const float t = h * std::tan(a);
        return std::sqrt(t * t + h * h) * 0.75f;
    }
    return 0.0f;
}

float gauss_dichte(float x, float mu, float sigma) {
    if (sigma == 0.0f) return 1.0f;
    return std::exp(-(x - mu) * (x - mu) / (2.0f * sigma * sigma)) / (sigma * 6.283185308f);
}

float groessen_gewicht(float x, float min, float max, float zentrum, float breite) {
    const float mu = min + (max - min) * zentrum;
    const float sigma = (2.0f * breite) * (2.0f * breite) * (max - min);
    // The density at its centre, without the exponential: exp(-0) is exactly
    // 1 (this runs for every building size drawn).
    const float spitze = sigma == 0.0f       ? 1.0f
                         : std::isfinite(mu) ? 1.0f / (sigma * 6.283185308f)
                                             : gauss_dichte(mu, mu, sigma);
    return gauss_dichte(x, mu, sigma) / spitze;
}

std::string komma_zu_punkt(std::string text) {
    for (char& c : text)
        if (c == ',') c = '.';
    return text;
}

} // namespace tarvello
