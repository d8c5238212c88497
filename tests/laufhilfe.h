// The pieces of one generator run for the stage and driver tests: parameter
// set, model, a clock that only moves when told, a seeded random generator
// and the recording host. Tests build their model on it by hand or
// run presets through the driver; what they set and check stays in the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "core/lauf.h"
#include "core/vorlagen.h"
#include "generator/treiber.h"
#include "modellbau.h"
#include "testwirt.h"

namespace tarvello {

struct Laufaufbau {
    Parameter p;
    Stadtmodell m;
    TestUhr uhr;
    std::uint64_t startwert;
    Zufall z;
    Testwirt wirt;

    explicit Laufaufbau(std::uint64_t saat = 1) : startwert(saat), z(saat, uhr) {}

    // A run context over the pieces; the driver too makes one per run.
    Lauf lauf() { return Lauf(p, m, z, uhr, wirt); }

    // Reads the controls into the parameter set (sizing the model) and runs
    // the driver; a refused parameter set fails the test.
    Laufende generieren(const Steuerwerte& s) {
        if (const Ergebnis e = parameter_einlesen(s, z, p, m); !e.gut()) {
            ADD_FAILURE() << e.englisch();
            return Laufende::abgelehnt;
        }
        Lauf l = lauf();
        return stadt_generieren(l).ende;
    }

    // Everything the Start button does with the controls, with the label
    // counts the model holds; p gets the parameter set the run used.
    Laufbericht erstellen(const Steuerwerte& s) {
        p = parameter_umrechnen(s);
        return stadtplan_erstellen({s, startwert, nummernzahlen(m)}, m, uhr, wirt);
    }
};

// The start controls with preset v applied.
inline Steuerwerte vorlage_steuerwerte(int v) {
    Steuerwerte s = start_steuerwerte();
    EXPECT_TRUE(vorlage_anwenden(s, v)) << "preset " << v;
    return s;
}

} // namespace tarvello
