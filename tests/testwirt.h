// The one host of the tests: records what a run, a load, a save or a drawing
// tells it and asks to stop when the test says so.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/status.h"
#include "core/uhr.h"
#include "core/wirt.h"

namespace tarvello {

struct Testwirt : Wirt {
    Sprache sprache = Sprache::englisch; // of the recorded texts
    std::vector<std::string> texte;
    Status letzter; // the last status
    std::vector<float> fortschritte;
    std::vector<std::pair<Element, int>> elemente;
    long long nachgaben = 0;

    // Asks to stop from this yield on (1: the first; -1: never) ...
    long long abbruch_bei = -1;
    // ... once this many status texts came (0: never) ...
    std::size_t abbruch_ab_texten = 0;
    // ... at every yield after a status of this kind ...
    std::optional<Statusart> abbruch_nach;
    // ... or once the clock passes frist_ende (see frist).
    double frist_ende = 0;
    bool abgelaufen = false; // the time limit stopped the work

    // Called at every yield and every finished element, for tests that
    // interfere on cue.
    std::function<void()> bei_nachgabe;
    std::function<void(Element, int)> bei_element;

    // A limit in seconds from now: work that takes far longer than it should
    // fails instead of hanging.
    void frist(double sekunden) { frist_ende = system_uhr().sekunden() + sekunden; }

    void status(const Status& s) override {
        letzter = s;
        texte.push_back(status_text(s, sprache));
        if (abbruch_nach && s.art == *abbruch_nach) gesehen_ = true;
    }
    void fortschritt(float prozent) override { fortschritte.push_back(prozent); }
    void element_fertig(Element art, int index) override {
        elemente.emplace_back(art, index);
        if (bei_element) bei_element(art, index);
    }
    bool nachgeben() override {
        ++nachgaben;
        if (bei_nachgabe) bei_nachgabe();
        if (frist_ende > 0 && system_uhr().sekunden() > frist_ende) abgelaufen = true;
        return abgelaufen || (abbruch_bei >= 0 && nachgaben >= abbruch_bei) ||
               (abbruch_ab_texten > 0 && texte.size() >= abbruch_ab_texten) || gesehen_;
    }

    // How often elements of this kind were reported, and their indices.
    int anzahl(Element art) const {
        return static_cast<int>(std::count_if(elemente.begin(), elemente.end(),
                                              [&](const auto& e) { return e.first == art; }));
    }
    std::vector<int> indizes(Element art) const {
        std::vector<int> r;
        for (const auto& [a, i] : elemente)
            if (a == art) r.push_back(i);
        return r;
    }
    // Position of the first status text equal to t, or -1.
    int wo(const std::string& t) const {
        const auto i = std::find(texte.begin(), texte.end(), t);
        return i == texte.end() ? -1 : static_cast<int>(i - texte.begin());
    }

  private:
    bool gesehen_ = false;
};

} // namespace tarvello
