#include "tables/DecimalText.h"

#include <array>
#include <charconv>
#include <cstdlib>

#ifdef _WIN32
#include <locale.h>
#else
#include <clocale>
#include <locale.h>
#endif

namespace tillora {
namespace {

#ifdef _WIN32
double StrtodPosix(const char* text, char** end) {
    static const _locale_t posix = _create_locale(LC_NUMERIC, "C");
    return _strtod_l(text, end, posix);
}
#else
double StrtodPosix(const char* text, char** end) {
    static const locale_t posix = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, end, posix);
}
#endif

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    const std::string terminated(text); // strtod needs the NUL; an inner NUL ends the number early
    char* end = nullptr;
    const double value = StrtodPosix(terminated.c_str(), &end);
    if (end == terminated.c_str() || end != terminated.c_str() + terminated.size()) {
        return std::nullopt;
    }
    return value;
}

std::string FormatDecimal(double value, int decimals) {
    std::array<char, 400> buffer{}; // the largest double has 309 digits before the point
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

} // namespace tillora
