// The renderer's inside: one drawing of a map on the sheets of a target,
// shared by the files that draw its parts (sheet loop, ways and areas,
// building shapes). Not for use outside the renderer.
#pragma once

#include <QColor>
#include <QLineF>
#include <QPointF>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "areas/fuellpunkte.h"
#include "core/vektorzustand.h"
#include "core/wirt.h"
#include "render/beschriftung.h"
#include "render/stadtplan.h"

namespace tarvello {

// Edge tests for the fill points of all squares and parks of one drawing.
inline constexpr double fuellarbeit_max = 3.0e9;

class Zeichner {
  public:
    Zeichner(const Zeichenauftrag& a, Blattziel& z)
        : auf_(a), m_(a.modell), f_(a.farben), o_(a.optionen), ziel_(z) {}

    Ergebnis ausfuehren();

  private:
    // After each host call: the state the host's code may leave (core/vektorzustand.h).
    void status(Status s) {
        if (auf_.wirt) auf_.wirt->status(s);
        vektorzustand_leeren();
    }
    void fortschritt(float prozent) {
        if (auf_.wirt) auf_.wirt->fortschritt(prozent);
        vektorzustand_leeren();
    }
    void nachgeben() {
        if (auf_.wirt && auf_.wirt->nachgeben()) abbruch_ = true;
        vektorzustand_leeren();
    }
    bool bild() const { return z_.art != Zielart::drucker; }

    Ergebnis drucker_vorbereiten();
    void blatt_meldung();
    bool blatt_zeichnen();
    void flaechen_zeichnen(bool parks);
    bool wege_zeichnen(float breitenfaktor, bool umriss, int durchgang);
    bool gebaeude_zeichnen();
    void mauer_zeichnen();
    void nummern_zeichnen();

    void viereck_zeichnen(const float* ex, const float* ey, int farbe);
    void viereck_abtasten(const float* ex, const float* ey, QColor farbe);
    void viereck_drucken(const float* ex, const float* ey, QColor farbe);
    void kreis_zeichnen(float x, float y, float groesse, int farbe);
    // A quadrilateral's edges (device corners) as a line `breite` pixels wide
    // inside them, so an outline makes no building larger.
    void innen_umreissen(const QPointF ecken[4], double breite, QColor farbe, bool nur_umriss);

    // Strokes the collected run of points and starts a new one.
    void zug_abschliessen(double breite, QColor farbe);

    const Zeichenauftrag& auf_;
    const Stadtmodell& m_;
    const Druckfarben& f_;
    const Druckoptionen& o_;
    Blattziel& ziel_;
    Zeichenflaeche* flaeche_ = nullptr;
    Renderzustand z_;
    bool abbruch_ = false;
    std::vector<QPointF> zug_;
    std::vector<QLineF> striche_; // hatch lines of one building
    // Fill points depend on the area only, so every sheet reuses them.
    std::vector<Fuellpunkte> park_punkte_, platz_punkte_;
    std::vector<std::uint8_t> park_bereit_, platz_bereit_;
    std::size_t fuellpunkte_behalten_ = 0;
    double fuellarbeit_rest_ = fuellarbeit_max;
    // Labels are gathered and placed once per run, so every sheet shows
    // each at the same place.
    std::vector<Beschriftung> beschriftungen_;
    bool beschriftungen_bereit_ = false;
};

} // namespace tarvello
