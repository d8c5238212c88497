// The state of one generation run that the driver and every stage share: the
// parameter set, the model, the random generator, the clock, the host and why
// the run stops. What only some stages share lives with them or in the
// geometry below them.
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
