// The command "tarvello name": invents town names on the command line with
// the same generator and the same choices as the name dialog.
#pragma once

#include "cli/befehlszeile.h"

namespace tarvello {

// The options after the word "name":
//   --words RANGE      words per name, an item of the dialog's word list ("1-2")
//   --syllables RANGE  syllables per word, an item of the syllable list ("1-3")
//   --mood 0..100      the lovely..ominous slider (50)
//   --count N          number of names, 1..100000 (1)
//   --seed N           makes the names repeatable
// Prints one name per line on stdout and returns 0; on bad input prints a
// one-line message on stderr and returns 2.
extern const Befehl name_befehl;

} // namespace tarvello
