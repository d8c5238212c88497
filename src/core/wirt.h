// The host of a generation run: whoever runs the generator (the window, the
// command line, a test) hears about the status, progress and finished
// elements through this interface, and gets a chance to process events at
// every yield. The status comes as a value (core/status.h): the host words it
// in its own language. The generator never waits on its host.
#pragma once

#include "core/status.h"

namespace tarvello {

// What just became ready, so a preview can draw it.
enum class Element {
    weg,          // index: way number
    haus,         // index: building number
    plaetze,      // all squares
    parks,        // all parks
    mauer,        // the wall and its towers
    alles,        // the whole model changed (fitting, loading): redraw everything
    zuruecksetzen // a new attempt starts: clear the preview
};

class Wirt {
  public:
    virtual ~Wirt() = default;
    virtual void status(const Status& /*status*/) {}
    virtual void fortschritt(float /*prozent*/) {}
    virtual void element_fertig(Element /*art*/, int /*index*/) {}
    // Lets the front process its events. Returns true when the user asks to
    // abort the run (the abort button, Ctrl-C, a time limit).
    virtual bool nachgeben() { return false; }
};

} // namespace tarvello
