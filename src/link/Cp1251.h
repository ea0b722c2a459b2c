#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tillora {

// Windows-1251, the register's and the table files' 8-bit text, to and from UTF-8 at the edges
// (widgets, clipboard, terminal). A character Windows-1251 cannot hold becomes "?"; so does a
// byte sequence that is not UTF-8.
std::string Cp1251ToUtf8(std::string_view text);
std::string Utf8ToCp1251(std::string_view text);

// The length of the well-formed UTF-8 sequence at text[pos] (no overlong forms, no surrogates,
// nothing past U+10FFFF), or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

} // namespace tillora
