#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// A plain decimal number taking the whole text: leading white space, a sign, digits with '.' as
// the point whatever the system's settings, and an exponent with "e" or "E". Hexadecimal numbers,
// "d" exponents, infinities and NaN are no numbers here, so that the same text gives the same value
// on every system. A value beyond a double's range is infinite; one too small for it is zero.
std::optional<double> ParseDecimal(std::string_view text);

// The value with the given number of decimals, as "%.Nf" prints it in the POSIX locale.
std::string FormatDecimal(double value, int decimals);

} // namespace tillora
