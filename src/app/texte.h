// The window's texts in German and English: captions of buttons, labels and
// menu items, the layout of the parameter tabs with the caption of every
// control and the help texts of the "?" buttons and of the menus, each a
// Wortpaar. Status texts and the messages from below are worded from the
// catalogue (core/meldungen.cpp).
#pragma once

#include <QString>
#include <string_view>
#include <vector>

#include "core/sprache.h"
#include "core/steuerwerte.h"
#include "files/worte.h"

namespace tarvello {

// Caption of a button, label or menu item by its object name; null when the
// name has no fixed caption.
const Wortpaar* beschriftung(std::string_view name);

// One row of a parameter tab: a control and the caption beside it.
struct Steuerzeile {
    const char* name; // "Combo_stadt_abmessung", "Slider_...", "Check_Mauer"
    Wortpaar beschriftung;
};

// The controls one "?" button explains. `grafik` puts the building-size
// distribution graph below the rows.
struct Steuergruppe {
    int hilfe; // its "?" button's help text, see knopf_hilfe
    std::vector<Steuerzeile> zeilen;
    bool grafik = false;
};

struct Reiter {
    Wortpaar titel;
    std::vector<Steuergruppe> gruppen;
};

// The six parameter tabs in order: City, Streets, Buildings, Rivers,
// Parks/Squares, City Wall.
const std::vector<Reiter>& reiter_aufbau();

// Help text n of a "?" button; null for a number without one. The group's
// button is named hilfe_<first control's name>.
const Wortpaar* knopf_hilfe(int n);

// Message texts the window shows.
extern const Wortpaar text_nicht_verfuegbar;
extern const Wortpaar text_hilfe_stadtplan;
extern const Wortpaar text_hilfe_stadteinstellungen;
extern const Wortpaar text_nutzungsbedingungen;
// No desktop handler took an address; %1 is the address.
extern const Wortpaar text_seite_nicht_geoeffnet;
extern const Wortpaar text_gebaeude_info;
extern const Wortpaar text_spende;
extern const Wortpaar text_startwert_ungueltig;

// The maker's pages, handed to the shell; German or English page by language.
QString adresse_anleitung(Sprache s);
QString adresse_updates(Sprache s);
QString adresse_spende(Sprache s);
// mailto: address whose subject ends in the version text.
QString adresse_kontakt(const QString& version);

} // namespace tarvello
