// The program's version as shown in the window title, `--version` and the
// files it writes.
#pragma once

namespace tarvello {

inline constexpr const char* programm_version = "5.00";

} // namespace tarvello
