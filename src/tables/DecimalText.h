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

// A text that ParseDecimal takes, rounded half away from zero to the decimals from its decimal
// digits, not from the nearest double: "2.675" gives "2.68" and "1.005" "1.01" at two decimals,
// as they are written, where "%.2f" of the double gives 2.67 and 1.00. A plain text with a "-"
// for a negative value ("-12.35"), never "-0.00". Nothing for a text that is no number or whose
// value a double cannot hold.
std::optional<std::string> RoundDecimal(std::string_view text, int decimals);

} // namespace tillora
