#pragma once

#include <string_view>

namespace tillora {

// Every text the user sees, by its number, as UTF-8. Message formats keep their printf
// directives exactly as the register's users know them.
//
// Returns the empty text for a number that has no entry.
std::string_view LoadString(unsigned id);

// True when the table holds a text under this number.
bool HasString(unsigned id);

} // namespace tillora
