// The command line's host of a run: a progress bar with the status, worded in
// the command's language, on stderr when it is a terminal, Ctrl-C and a time
// limit as the abort button.
#pragma once

#include <string>

#include "core/status.h"
#include "core/uhr.h"
#include "core/wirt.h"

namespace tarvello {

class Konsolenwirt : public Wirt {
  public:
    // zeitlimit <= 0: no limit.
    Konsolenwirt(bool anzeigen, double zeitlimit, Sprache sprache = Sprache::englisch,
                 Uhr& uhr = system_uhr());
    ~Konsolenwirt() override;

    void status(const Status& status) override;
    void fortschritt(float prozent) override;
    bool nachgeben() override;
    // Ends the time limit: it covers the generation run, not the pictures and
    // prints made of its map afterwards. Ctrl-C still aborts.
    void zeitlimit_aufheben() {
        zeitlimit_ = 0;
        zeit_abgelaufen_ = false;
    }

    // Ends the progress line with a newline, keeping its last status, so
    // that what is written next starts a line of its own.
    void zeile_beenden();

  private:
    void zeichnen();
    bool anzeigen_;
    double zeitlimit_;
    Sprache sprache_;
    double start_;
    Uhr& uhr_;
    std::string status_;
    float prozent_ = 0;
    double zuletzt_gezeichnet_ = -1;
    bool zeit_abgelaufen_ = false;
    bool zeile_offen_ = false;
};

} // namespace tarvello
