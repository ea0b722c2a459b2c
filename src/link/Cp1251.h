#pragma once

#include <string>
#include <string_view>

namespace tillora {

// Windows-1251, the register's and the table files' 8-bit text, to and from UTF-8 at the edges
// (widgets, clipboard, terminal). A character Windows-1251 cannot hold becomes "?"; so does a
// byte sequence that is not UTF-8.
std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);

} // namespace tillora
