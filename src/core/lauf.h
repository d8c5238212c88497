// The state of one generation run shared by the driver and its stages: the
// parameter set, the model, the random generator, the clock, the host, the
// run flags and the walk state of the street or river being grown. It lives
// below the stages because every stage works on it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "core/ergebnis.h"
#include "core/parameter.h"
#include "core/stadtmodell.h"
#include "core/status.h"
#include "core/uhr.h"
#include "core/vektorzustand.h"
#include "core/wirt.h"
#include "core/zufall.h"

namespace tarvello {

// Walk state of the way being grown.
struct Gang {
    float pos_x = 0, pos_y = 0; // head
    float richtung = 0;         // heading, radians
    float halbbreite = 0;
    float abstand_min = 0;
    float schritt = 0;
    float rauschen = 0;
    float richtung_vorzeichen = 0;
    bool ende = false;
    bool verworfen = false;
    bool ausserhalb_gelaufen = false;
    bool an_mauer = false;
    int i = 1;          // index of the last stored point of the way
    float gelaufen = 0; // distance walked since the start or the last crossing
    int letzte_bruecke = 0;
    int bruecken = 0; // bridges of this try, counted for the attempt when the street is kept
};

// Seconds spent in each stage of the last attempt (summed over attempts for
// the rivers and streets, as those are repeated).
struct Stufenzeiten {
    double fluesse = 0, strassen = 0, mauer = 0, parks = 0, plaetze = 0, eingrenzen = 0,
           gebaeude = 0, einpassen = 0, nummerierung = 0, gesamt = 0;
};

struct Lauf {
    Lauf(const Parameter& p_, Stadtmodell& m_, Zufall& z_, Uhr& u_, Wirt& w_)
        : p(p_), m(m_), z(z_), uhr(u_), wirt(w_) {}

    const Parameter& p;
    Stadtmodell& m;
    Zufall& z;
    Uhr& uhr;
    Wirt& wirt;

    // Run flags.
    bool abbruch = false;          // stop request (user or automatic failure)
    bool anwender_abbruch = false; // the host asked to stop
    bool versuch_gescheitert = false;
    int versuch_nr = 0;
    // Set (kein_plan) when a run ends on an arithmetic fault; says what.
    Ergebnis fehler;
    // Set (with abbruch) when the controls let the run make no town; says why.
    Status unmoeglich{Statusart::meldung};

    // Driver state of the current attempt.
    int erster_strassenweg = 1;
    int letzter_strassenweg = 0;
    std::int32_t n_wege_aus_stadt = 0;
    bool kern_erreicht = false;
    bool mitte_berechnet = false;
    double versuch_start = 0; // clock at the start of the attempt
    double zeit_mauer = 0, zeit_parks = 0;
    int n_bruecken = 0; // bridges of the kept streets of the attempt
    int startversuche = 0;
    float mauer_schritt = 1.0f; // wall point spacing, set by the wall stage
    int mauer_tore = 0;         // gates cut by the wall stage of this attempt

    Gang gang;
    long long haus_kandidaten = 0; // building candidates tested in the last building stage

    Stufenzeiten zeiten;
    Status letzter_status; // the last status, for the run report

    float rnd() { return z.rnd(); }
    double jetzt() { return uhr.sekunden(); }

    // Every call of the host is followed by clearing the vector state the
    // host's code may have left (core/vektorzustand.h).
    void status(Status s) {
        letzter_status = std::move(s);
        wirt.status(letzter_status);
        vektorzustand_leeren();
    }
    void fortschritt(float prozent) {
        wirt.fortschritt(prozent);
        vektorzustand_leeren();
    }
    void element_fertig(Element art, int index = 0) {
        wirt.element_fertig(art, index);
        vektorzustand_leeren();
    }
    // Yield to the host; a host's abort request sets the abort flag.
    void nachgeben() {
        const bool anhalten = wirt.nachgeben();
        vektorzustand_leeren();
        if (anhalten) {
            abbruch = true;
            anwender_abbruch = true;
        }
    }
};

} // namespace tarvello
