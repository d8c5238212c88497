// The two languages the program speaks to its user.
#pragma once

namespace tarvello {

enum class Sprache { deutsch = 0, englisch = 1 };

} // namespace tarvello
