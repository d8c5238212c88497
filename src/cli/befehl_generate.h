// `tarvello generate`: one whole generation run without a window.
#pragma once

#include <QStringList>

namespace tarvello {

int befehl_generate(const QStringList& argumente);

} // namespace tarvello
