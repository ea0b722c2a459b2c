#include "tables/DecimalText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tillora {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// White space as strtod skips it in the C locale.
bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The parts of a plain decimal number: digits with an optional point, then an optional exponent.
struct DecimalParts {
    std::string_view whole;    // the integer digits
    std::string_view fraction; // the digits after the point
    std::string_view number;   // all of it but the sign, as from_chars takes it
    long long exponent = 0;    // clamped far beyond any double's range
};

// The text after the sign, when it is a plain decimal number through to its end.
std::optional<DecimalParts> SplitDecimal(std::string_view text) {
    DecimalParts parts;
    const std::size_t wholeEnd = SkipDigits(text, 0);
    parts.whole = text.substr(0, wholeEnd);
    std::size_t at = wholeEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, at + 1);
        parts.fraction = text.substr(at + 1, fractionEnd - at - 1);
        at = fractionEnd;
    }
    if (parts.whole.empty() && parts.fraction.empty()) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t digits = at + 1;
        const bool negative = digits < text.size() && text[digits] == '-';
        if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) {
            ++digits;
        }
        const std::size_t exponentEnd = SkipDigits(text, digits);
        if (exponentEnd == digits) {
            return std::nullopt;
        }
        for (std::size_t i = digits; i < exponentEnd && parts.exponent < 1'000'000; ++i) {
            parts.exponent = parts.exponent * 10 + (text[i] - '0');
        }
        parts.exponent = negative ? -parts.exponent : parts.exponent;
        at = exponentEnd;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    parts.number = text;
    return parts;
}

// Whether a number too large or too small for a double is too small: its first significant digit
// stands after the point.
bool IsBelowRange(const DecimalParts& parts) {
    const std::string digits = std::string(parts.whole) + std::string(parts.fraction);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return true;
    }
    const long long order =
        static_cast<long long>(parts.whole.size()) - static_cast<long long>(first) - 1;
    return order + parts.exponent < 0;
}

// The sign and the parts of a text as ParseDecimal takes it.
struct SignedParts {
    bool negative = false;
    DecimalParts parts;
};

std::optional<SignedParts> SplitSigned(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const std::optional<DecimalParts> parts = SplitDecimal(text.substr(at));
    if (!parts) {
        return std::nullopt;
    }
    return SignedParts{negative, *parts};
}

// Adds one to the last digit of a digit string, carrying to the left.
void AddOneUnit(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// More integer digits than the largest double has.
constexpr long long MostWholeDigits = 310;

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    const std::optional<SignedParts> split = SplitSigned(text);
    if (!split) {
        return std::nullopt;
    }
    const DecimalParts& parts = split->parts;
    double value = 0.0;
    const char* first = parts.number.data();
    const auto result =
        std::from_chars(first, first + parts.number.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = IsBelowRange(parts) ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc() || result.ptr != first + parts.number.size()) {
        return std::nullopt;
    }
    return split->negative ? -value : value;
}

std::string FormatDecimal(double value, int decimals) {
    std::array<char, 400> buffer{}; // the largest double has 309 digits before the point
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::optional<std::string> RoundDecimal(std::string_view text, int decimals) {
    const std::optional<SignedParts> split = SplitSigned(text);
    const std::optional<double> value = ParseDecimal(text);
    if (!split || !value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    const DecimalParts& parts = split->parts;
    std::string digits = std::string(parts.whole) + std::string(parts.fraction);
    const long long kept = std::max(decimals, 0);
    // Where the point stands in the digits; a point far to the left of them leaves only zeros
    // at the kept decimals and at the one that decides the rounding.
    long long point =
        std::max(static_cast<long long>(parts.whole.size()) + parts.exponent, -kept - 1);
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    if (point > MostWholeDigits) {
        return std::nullopt;
    }
    const auto end = static_cast<std::size_t>(point + kept); // just past the last kept digit
    const bool up = end < digits.size() && digits[end] >= '5';
    digits.resize(end, '0');
    digits.insert(0, 1, '0'); // room for a carry, and a whole part of at least one digit
    if (up) {
        AddOneUnit(digits);
    }
    const std::size_t wholeEnd = digits.size() - static_cast<std::size_t>(kept);
    const std::size_t significant = std::min(digits.find_first_not_of('0'), wholeEnd - 1);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string rounded = split->negative && !zero ? "-" : "";
    rounded += digits.substr(significant, wholeEnd - significant);
    if (kept > 0) {
        rounded += "." + digits.substr(wholeEnd);
    }
    return rounded;
}

} // namespace tillora
