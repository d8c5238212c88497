// The state of every parameter control of the main window, without any
// widget: list index and item list of each drop-down list, value and range of
// each slider, and the wall check box. Presets and settings files write it,
// the window binds its widgets to it, the command line sets it by name, and
// parameter_einlesen turns it into the parameter set of a run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ergebnis.h"
#include "core/sprache.h"

namespace tarvello {

struct ListenSteuerung {
    std::string name;                      // "Combo_stadt_abmessung"
    std::vector<std::string> eintraege_de; // item texts, with their leading alignment spaces
    std::vector<std::string> eintraege_en; // English item texts (same as German for most lists)
    int index = 0;                         // selected list position, 0-based

    const std::vector<std::string>& eintraege(Sprache s) const {
        return s == Sprache::englisch ? eintraege_en : eintraege_de;
    }
};

struct Schieberegler {
    std::string name; // "Slider_weg_aufloesung"
    int min = 0;
    int max = 100;
    int start = 0; // value at program start
    int wert = 0;
};

class Steuerwerte {
  public:
    // Every control at its start state: lists at their first item, sliders at
    // their start values, the wall switched off.
    Steuerwerte();

    std::vector<ListenSteuerung> listen; // in the reading order of the parameter set
    std::vector<Schieberegler> schieber; // likewise
    int check_mauer = 0;                 // Check_Mauer: 0 or 1

    ListenSteuerung* finde_liste(std::string_view name);
    const ListenSteuerung* finde_liste(std::string_view name) const;
    Schieberegler* finde_schieber(std::string_view name);
    const Schieberegler* finde_schieber(std::string_view name) const;

    // Access by name for controls that exist. The names are fixed in the
    // program, so an unknown one is a contract violation, not an error
    // result: the program reports it on stderr and aborts. Names from the
    // user go through setzen, which refuses unknown ones.
    int index(std::string_view combo_name) const;
    int wert(std::string_view slider_name) const;
    // German text of the selected item (as the number reader sees it).
    const std::string& text(std::string_view combo_name) const;
    // Number read from the selected item's text (see zahl_aus_text).
    float zahl(std::string_view combo_name) const;

    // Sets a control by name from text, as the command line does:
    // "Combo_x" takes a list index, "Slider_x" a value, "Check_Mauer" 0 or 1.
    // On success the control holds the value. On failure (unknown name, not a
    // whole number, out of range) returns a Fehlerart::bedienung naming the
    // control and leaves everything unchanged.
    Ergebnis setzen(std::string_view name, std::string_view wert);

    // Number of controls that carry a value (lists + sliders + check box).
    std::size_t anzahl() const { return listen.size() + schieber.size() + 1; }

    bool operator==(const Steuerwerte& o) const;
};

// The number at the start of an item text: leading spaces skipped, then an
// optional sign, digits and a decimal point ("  0.5 m" -> 0.5, " 89°" -> 89).
// A text that does not start with a number reads 0.
float zahl_aus_text(std::string_view text);

} // namespace tarvello
