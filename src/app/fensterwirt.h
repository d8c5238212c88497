// The window's host of a run or of a file operation: the status goes to the
// status line (worded there in the window's language), progress to the progress bar, finished
// elements to the preview, and every yield lets the window process its events (at most every 15 ms,
// so the run is not slowed down by repainting). The preview shows the elements drawn since the
// last round at each round and when the host goes.
#pragma once

#include <QElapsedTimer>

#include <optional>

#include "core/status.h"
#include "core/wirt.h"

namespace tarvello {

class Eingabe;

class Fensterwirt : public Wirt {
  public:
    explicit Fensterwirt(Eingabe& fenster, int takt_ms = 15);
    ~Fensterwirt() override;

    void status(const Status& status) override;
    void fortschritt(float prozent) override;
    void element_fertig(Element art, int index) override;
    bool nachgeben() override;

    // How often events were processed so far.
    int ereignisrunden() const { return runden_; }

  private:
    Eingabe& fenster_;
    int takt_ms_;
    QElapsedTimer uhr_;
    int runden_ = 0;
    unsigned zaehler_ = 0;
    // The bar starts again only with a new kind of status (a stage); a new
    // attempt of the same stage says so in the status while the bar holds.
    std::optional<Statusart> art_;
    bool neue_art_ = true;
};

} // namespace tarvello
