// Random, pronounceable town names: letters drawn from two weighted tables,
// chained into syllables of nine shapes, then a clean-up pass that repairs
// awkward letter sequences and capitalises every word.
//
// Which control of the name dialog feeds which argument of
// stadtname_erzeugen:
//   Combo_Stadtname_Wortteile (items woerter_eintraege, start item 1 "1-2")
//       -> bereich_lesen -> woerter_min, woerter_max
//   Combo_Stadtname_Silben (items silben_eintraege, start item 3 "1-3")
//       -> bereich_lesen -> silben_min, silben_max
//   Slider_duester (0..100) -> stimmung_aus_regler -> stimmung
//   knopf_neuer_versuch calls stadtname_erzeugen and writes the result into the dialog's
//   Text_Stadtname; knopf_uebernehmen copies that text to the main window.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/zufall.h"

namespace tarvello {

// Item texts of the two range lists, with their alignment spaces. The
// syllable list has no item for 4 to 7.
inline constexpr std::array<std::string_view, 26> silben_eintraege = {
    "  1", "1-2", "  2", "1-3", "2-3", "  3", "1-4", "2-4", "3-4", "  4", "1-5", "2-5", "3-5",
    "4-5", "  5", "1-6", "2-6", "3-6", "4-6", "5-6", "  6", "1-7", "2-7", "3-7", "5-7", "  7"};
inline constexpr int silben_start_index = 3; // "1-3"

inline constexpr std::array<std::string_view, 6> woerter_eintraege = {"  1", "1-2", "  2",
                                                                      "1-3", "2-3", "  3"};
inline constexpr int woerter_start_index = 1; // "1-2"

inline constexpr int regler_duester_min = 0;
inline constexpr int regler_duester_max = 100;

struct Bereich {
    int min = 0;
    int max = 0;
    bool operator==(const Bereich&) const = default;
};

// Reads a range from a list item the way the dialog does: the minimum is the
// number at the start of the text (leading spaces skipped, reading stops at
// "-"), the maximum is the digit in the last character. "  2" -> 2..2,
// "2-5" -> 2..5. Anything unreadable counts as 0.
Bereich bereich_lesen(std::string_view text);

// Strict reading for typed input: "N" or "N-M" (spaces around allowed) that
// denotes the same range as one of the given items. Returns nothing for
// malformed text or a range the list does not offer.
std::optional<Bereich> bereich_aus_liste(std::string_view text,
                                         std::span<const std::string_view> eintraege);

// The mood from the slider: 0 -> 0.05 (lovely), 100 -> 0.95 (ominous).
float stimmung_aus_regler(int regler);

struct Vokal {
    char buchstabe = 'a';
    float wert = 0.0f; // lovely (0) .. ominous (1)
    int erlaubt = 1;
    int doppelt = 0; // may be doubled
};

struct Konsonant {
    char buchstabe = 'b';
    float wert = 0.0f;
    int erlaubt = 1;
    int anlaut_erst = 0; // first letter of an onset cluster
    int anlaut_zweit = 0;
    int auslaut_erst = 0; // first letter of a coda cluster
    int auslaut_zweit = 0;
};

struct Buchstabentabellen {
    std::vector<Vokal> vokale;
    std::vector<Konsonant> konsonanten;
};

// Builds both tables from their letter and digit strings.
Buchstabentabellen buchstabentabellen_laden();

bool ist_vokal(char c);
bool ist_konsonant(char c);

// The building blocks of a name, with the state of one name dialog: the
// tables, the mood and the shape of the last syllable in the current word.
class Stadtnamengenerator {
  public:
    Stadtnamengenerator(Zufall& zufall, float stimmung);

    float stimmung() const { return stimmung_; }
    int letzter_silbentyp() const { return letzter_silbentyp_; }
    void letzter_silbentyp_setzen(int typ) { letzter_silbentyp_ = typ; }
    const Buchstabentabellen& tabellen() const { return tabellen_; }

    std::string vokal_ziehen();
    std::string konsonant_ziehen(); // one letter or "ch"
    std::string doppelvokal_ziehen();
    std::string anlaut_ziehen();
    std::string auslaut_ziehen();

    // Shape 1..9 of the next syllable after letzter_silbentyp, with the
    // transition rule and the mood gate; does not change the state.
    int silbentyp_waehlen();
    // The letters of one syllable of the given shape.
    std::string silbe_bauen(int typ);
    // Chooses a shape, builds it and remembers the shape.
    std::string silbe_ziehen();

    // End of a word: a word ending in "qu" gets one more vowel.
    std::string wort_abschliessen(std::string wort);
    // The repair of the raw name (words each followed by a space): one
    // pass, then further passes until nothing changes, so that no sequence
    // a rule repairs is left (but a "dh" that kept its letters).
    std::string bereinigen(std::string name);

    // A whole name: words and syllables counted within the ranges, cleaned
    // up, capitalised and trimmed.
    std::string name_erzeugen(Bereich woerter, Bereich silben);

  private:
    bool annehmbar(float wert, int erlaubt);
    int vokal_zeile();
    int konsonant_zeile();
    // One pass of the repair rules; true when it changed the name. Only the
    // first pass throws the dice for "dh"; a later one also lets the
    // end-of-word rule see the words again.
    bool durchgang(std::string& name, bool erster);

    Zufall* zufall_; // swapped for the later passes of bereinigen
    Buchstabentabellen tabellen_;
    float stimmung_;
    int letzter_silbentyp_ = 0;
};

// Capital first letter and a capital after every inner space.
std::string gross_schreiben(std::string name);

std::string stadtname_erzeugen(Zufall& zufall, int woerter_min, int woerter_max, int silben_min,
                               int silben_max, float stimmung);

} // namespace tarvello
