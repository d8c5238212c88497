// `tarvello params`: shows the control states and the parameter set a run
// would use.
#pragma once

#include <QStringList>

namespace tarvello {

int befehl_params(const QStringList& argumente);

} // namespace tarvello
