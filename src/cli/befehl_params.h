// `tarvello params`: shows the control states and the parameter set a run
// would use.
#pragma once

#include "cli/befehlszeile.h"

namespace tarvello {

extern const Befehl params_befehl;

} // namespace tarvello
