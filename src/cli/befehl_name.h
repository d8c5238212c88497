// The command "tarvello name": invents town names on the command line with
// the same generator and the same choices as the name dialog.
#pragma once

#include <QStringList>

namespace tarvello {

// argumente[0] is the program text ("tarvello name"), the rest are the
// options after the word "name":
//   --words RANGE      words per name, an item of the dialog's word list ("1-2")
//   --syllables RANGE  syllables per word, an item of the syllable list ("1-3")
//   --mood 0..100      the lovely..ominous slider (50)
//   --count N          number of names, 1..100000 (1)
//   --seed N           makes the names repeatable
// Prints one name per line on stdout and returns 0; on bad input prints a
// one-line message on stderr and returns 2.
int befehl_name(const QStringList& argumente);

} // namespace tarvello
