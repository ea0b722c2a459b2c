#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// A decimal number as strtod reads it in the POSIX locale (leading white space, a sign, an
// exponent; '.' as the separator whatever the system's settings), only when the conversion takes
// the whole text.
std::optional<double> ParseDecimal(std::string_view text);

// The value with the given number of decimals, as "%.Nf" prints it in the POSIX locale.
std::string FormatDecimal(double value, int decimals);

} // namespace tillora
