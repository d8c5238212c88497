// The result of everything that can fail: success, or the kind of fault and
// the message for the user (core/meldung.h), which the fronts word. Success reads as success where
// the result is looked at: `if (e.gut())` on success, `if (!e.gut())` on
// failure. There is deliberately no conversion to bool and no operator!, so
// `if (e)`, `if (!e)` and a test's EXPECT_FALSE(e) do not compile: none of
// them can be read the wrong way round (an empty optional once meant success).
#pragma once

#include <string>
#include <string_view>

#include "core/meldung.h"
#include "core/sprache.h"

namespace tarvello {

// Kinds of fault. The command line turns each into its exit code
// (cli/befehlszeile.h); the window shows the words.
enum class Fehlerart {
    keiner,    // success
    datei,     // a file (or another output: a printer, the colour store) could
               // not be read or written; the words name it
    bedienung, // the user asked for what cannot be done: a bad option, a
               // control value out of range, a parameter set a run refuses
    abbruch,   // the user or a time limit stopped the work
    kein_plan, // there is no town: the run could not make one, or there was
               // none to draw
};

class [[nodiscard]] Ergebnis {
  public:
    // Success.
    Ergebnis() = default;

    // A fault of kind `art` (not keiner) with its message (not empty): no
    // fault goes without words.
    static Ergebnis fehler(Fehlerart art, Meldung meldung);
    // A fault worded by a front itself, in both languages.
    static Ergebnis fehler(Fehlerart art, std::string deutsch, std::string englisch);

    bool gut() const { return art_ == Fehlerart::keiner; }
    Fehlerart art() const { return art_; }
    // The message; empty on success.
    const Meldung& meldung() const { return meldung_; }

    // The message worded in the language; empty on success.
    std::string text(Sprache s) const { return worten(meldung_, s); }
    std::string deutsch() const { return text(Sprache::deutsch); }
    std::string englisch() const { return text(Sprache::englisch); }

    // The same fault with `vorsatz` before its message ("--set: ...");
    // success stays success.
    Ergebnis mit_vorsatz(std::string_view vorsatz) const;

  private:
    Fehlerart art_ = Fehlerart::keiner;
    Meldung meldung_;
};

} // namespace tarvello
