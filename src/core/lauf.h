// The state of one generation run shared by the driver and its stages: the
// parameter set, the model, the random generator, the clock, the host, why
// the run stops and the walk state of the street or river being grown. It
// lives below the stages because every stage works on it.
#pragma once

#include <utility>

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

// Why a run stops, weakest first: a stronger reason overrides a weaker one,
// so a user's abort is never forgotten and a fault is always reported.
enum class Halt {
    keiner,
    versuch_gescheitert, // this attempt failed; the driver starts another
    unmoeglich,          // the controls let the run make no town
    anwender,            // the host asked to stop
    rechenfehler         // an arithmetic fault ended the run
};

struct Lauf {
    Lauf(const Parameter& p_, Stadtmodell& m_, Zufall& z_, Uhr& u_, Wirt& w_)
        : p(p_), m(m_), z(z_), uhr(u_), wirt(w_) {}

    const Parameter& p;
    Stadtmodell& m;
    Zufall& z;
    Uhr& uhr;
    Wirt& wirt;

    Halt halt = Halt::keiner;
    // The status the run ends with when it could make no town or met a fault.
    Status haltstatus;

    // Every stage stops at its next test of this.
    bool abbruch() const { return halt != Halt::keiner; }
    void anhalten(Halt grund, Status s = {}) {
        if (grund <= halt) return;
        halt = grund;
        haltstatus = std::move(s);
    }

    // Street state of the current attempt.
    int erster_strassenweg = 1;
    bool kern_erreicht = false;
    int n_bruecken = 0; // bridges of the kept streets of the attempt
    int startversuche = 0;
    float mauer_schritt = 1.0f; // wall point spacing, set by the wall stage
    int mauer_tore = 0;         // gates cut by the wall stage of this attempt

    Gang gang;

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
    // Yield to the host; a host's abort request stops the run.
    void nachgeben() {
        const bool stopp = wirt.nachgeben();
        vektorzustand_leeren();
        if (stopp) anhalten(Halt::anwender);
    }
};

} // namespace tarvello
