#include "tables/ImportValues.h"

#include "tables/TaxGroup.h"
#include "tables/TextTrim.h"
#include "tables/TypedCells.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace tillora {
namespace {

constexpr char NoBreakSpace = '\xA0';   // Windows-1251
constexpr int LargestExponent = 30;     // no price or quantity comes near
constexpr double LargestBarcode = 1e15; // digits beyond are not held exactly by a typed number

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Windows-1251 lower case: Latin and Cyrillic capitals.
std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        const auto code = static_cast<unsigned char>(c);
        if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDF)) {
            c = static_cast<char>(code + 32);
        }
    }
    return lower;
}

// Currency words and signs as price lists write them, lower case, longest first.
constexpr std::array<std::string_view, 9> CurrencyMarks = {
    "\xeb\xe5\xe2\xe0",
    "\xe5\xe2\xf0\xee",
    "euro",
    "\xeb\xe2.",
    "\xeb\xe2",
    "bgn",
    "eur",
    "\x88",
    "$"}; // лева, евро, euro, лв., лв, bgn, eur, €, $

std::string_view WithoutCurrency(std::string_view text) {
    bool stripped = true;
    while (stripped && !text.empty()) {
        stripped = false;
        const std::string lower = Lower(text);
        for (std::string_view mark : CurrencyMarks) {
            if (lower.size() > mark.size() && std::string_view(lower).ends_with(mark)) {
                text = TrimmedCp1251(text.substr(0, text.size() - mark.size()));
                stripped = true;
                break;
            }
            if (lower.size() > mark.size() && std::string_view(lower).starts_with(mark)) {
                text = TrimmedCp1251(text.substr(mark.size()));
                stripped = true;
                break;
            }
        }
    }
    return text;
}

std::string ShortestFixed(double value) {
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

// The mantissa's digits before and after its decimal separator, its thousands separators
// checked: groups of three after the first.
struct Mantissa {
    std::string whole;
    std::string fraction;
    bool ambiguous = false;
};

bool GroupsOfThree(std::string_view whole, std::string_view separators) {
    std::size_t start = 0;
    bool first = true;
    while (true) {
        const std::size_t end = whole.find_first_of(separators, start);
        const std::size_t length = (end == std::string_view::npos ? whole.size() : end) - start;
        if (first ? (length == 0 || (end != std::string_view::npos && length > 3)) : length != 3) {
            return false;
        }
        if (end == std::string_view::npos) {
            return true;
        }
        first = false;
        start = end + 1;
    }
}

std::optional<char> DecimalSeparator(std::string_view text, bool& ambiguous) {
    const std::size_t points = std::count(text.begin(), text.end(), '.');
    const std::size_t commas = std::count(text.begin(), text.end(), ',');
    if (points > 0 && commas > 0) {
        const char last = text[text.find_last_of(".,")];
        return (last == '.' ? points : commas) == 1 ? std::optional(last) : std::nullopt;
    }
    if (points + commas != 1) {
        return '\0'; // none, or the one kind used for thousands only
    }
    const char separator = points == 1 ? '.' : ',';
    const std::size_t at = text.find(separator);
    const bool blanks = text.find_first_of(" \xA0'") != std::string_view::npos;
    ambiguous =
        !blanks && at >= 1 && at <= 3 && text.size() - at - 1 == 3 && text.substr(0, at) != "0";
    return separator;
}

std::optional<Mantissa> ReadMantissa(std::string_view text) {
    Mantissa mantissa;
    const std::optional<char> decimal = DecimalSeparator(text, mantissa.ambiguous);
    if (!decimal || text.empty()) {
        return std::nullopt;
    }
    const std::size_t at = *decimal != '\0' ? text.rfind(*decimal) : std::string_view::npos;
    const std::string_view whole = text.substr(0, at);
    const std::string_view fraction = at == std::string_view::npos ? "" : text.substr(at + 1);
    const std::string grouping = std::string(" \xA0'") + (*decimal == '.'   ? ","
                                                          : *decimal == ',' ? "."
                                                                            : ".,");
    if (!std::all_of(fraction.begin(), fraction.end(), IsDigit) ||
        (whole.empty() && fraction.empty())) {
        return std::nullopt;
    }
    if (whole.find_first_of(grouping) != std::string_view::npos &&
        !GroupsOfThree(whole, grouping)) {
        return std::nullopt;
    }
    for (char c : whole) {
        if (IsDigit(c)) {
            mantissa.whole += c;
        } else if (grouping.find(c) == std::string::npos) {
            return std::nullopt;
        }
    }
    mantissa.fraction = fraction;
    return mantissa;
}

std::optional<int> ReadExponent(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        std::abs(value) > LargestExponent) {
        return std::nullopt;
    }
    return value;
}

// The digits with the point moved by the exponent, without superfluous leading zeros.
std::string PlainDecimal(const Mantissa& mantissa, int exponent) {
    std::string digits = mantissa.whole + mantissa.fraction;
    long point = static_cast<long>(mantissa.whole.size()) + exponent;
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    if (point > static_cast<long>(digits.size())) {
        digits.append(static_cast<std::size_t>(point) - digits.size(), '0');
    }
    std::string whole = digits.substr(0, static_cast<std::size_t>(point));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    const std::string fraction = digits.substr(static_cast<std::size_t>(point));
    return (whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction);
}

ImportedValue Taken(std::string text) {
    return {ValueOutcome::Taken, std::move(text)};
}

ImportedValue Refused() {
    return {ValueOutcome::Refused, {}};
}

// The tax-group letters of the other alphabet that look like one of the model's letters.
char LookAlike(char letter, int model) {
    constexpr std::array<std::pair<char, char>, 7> Pairs = {{{'A', '\xC0'},
                                                             {'a', '\xE0'},
                                                             {'B', '\xC2'},
                                                             {'C', '\xD1'},
                                                             {'c', '\xF1'},
                                                             {'E', '\xC5'},
                                                             {'e', '\xE5'}}};
    for (const auto& [latin, cyrillic] : Pairs) {
        const char other = IsTaxGroupLetter(model, latin) ? cyrillic : latin;
        const char own = other == cyrillic ? latin : cyrillic;
        if (letter == other && IsTaxGroupLetter(model, own)) {
            return own;
        }
    }
    return '\0';
}

} // namespace

std::string SheetCellText(const SheetCell& cell) {
    if (cell.number && std::isfinite(*cell.number)) {
        return ShortestFixed(*cell.number + 0.0);
    }
    return std::string(TrimmedCp1251(cell.text));
}

std::optional<std::string> SheetNumberText(const SheetCell& cell, bool& ambiguous) {
    ambiguous = false;
    if (cell.number) {
        return std::isfinite(*cell.number) ? std::optional(ShortestFixed(*cell.number + 0.0))
                                           : std::nullopt;
    }
    std::string_view text = WithoutCurrency(TrimmedCp1251(cell.text));
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text = TrimmedCp1251(text.substr(1));
    }
    const std::size_t e = text.find_first_of("eE");
    const std::optional<int> exponent =
        e == std::string_view::npos ? std::optional(0) : ReadExponent(text.substr(e + 1));
    const std::optional<Mantissa> mantissa = ReadMantissa(text.substr(0, e));
    if (!exponent || !mantissa) {
        return std::nullopt;
    }
    ambiguous = mantissa->ambiguous && *exponent == 0;
    return (negative ? "-" : "") + PlainDecimal(*mantissa, *exponent);
}

ImportedValue ImportAmount(const SheetCell& cell, int decimals) {
    if (!cell.number && TrimmedCp1251(cell.text).empty()) {
        return Taken({});
    }
    bool ambiguous = false;
    const std::optional<std::string> number = SheetNumberText(cell, ambiguous);
    if (!number) {
        return Refused();
    }
    const std::string form = AmountForm(*number, decimals);
    if (form.empty()) {
        return Refused();
    }
    const bool digitsRoundedAway = ambiguous && decimals < 3;
    return {digitsRoundedAway ? ValueOutcome::Ambiguous : ValueOutcome::Taken, form};
}

// A barcode shown in exponent form keeps its digits only when the mantissa shows all of them.
ImportedValue ImportBarcode(const SheetCell& cell) {
    if (cell.number) {
        const double value = *cell.number;
        if (!(value >= 0 && value < LargestBarcode) || std::floor(value) != value) {
            return Refused();
        }
        return Taken(BarcodeForm(ShortestFixed(value)));
    }
    std::string text(TrimmedCp1251(cell.text));
    if (text.starts_with('\'')) {
        text.erase(0, 1);
    }
    std::erase_if(text, [](char c) { return c == ' ' || c == NoBreakSpace; });
    if (text.empty()) {
        return Taken({});
    }
    const std::size_t e = text.find_first_of("eE");
    const std::size_t point = text.find_first_of(".,");
    if (e == std::string::npos) {
        const bool zeroFraction = point != std::string::npos &&
                                  text.find_first_not_of('0', point + 1) == std::string::npos;
        const std::string form = BarcodeForm(zeroFraction ? text.substr(0, point) : text);
        return form.empty() ? Refused() : Taken(form);
    }
    const std::optional<int> exponent = ReadExponent(text.substr(e + 1));
    const std::string whole = text.substr(0, std::min(point, e));
    const std::string fraction = point < e ? text.substr(point + 1, e - point - 1) : "";
    const auto allDigits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), IsDigit);
    };
    if (!exponent || whole.empty() || !allDigits(whole) || !allDigits(fraction) ||
        static_cast<int>(fraction.size()) > *exponent) {
        return Refused();
    }
    if (static_cast<int>(fraction.size()) < *exponent) {
        return {ValueOutcome::Exponent, {}};
    }
    return Taken(BarcodeForm(whole + fraction));
}

ImportedValue ImportTaxGroup(const SheetCell& cell, int model) {
    const std::string text = SheetCellText(cell);
    if (text.empty()) {
        return Taken({});
    }
    if (text.size() == 1 && IsTaxGroupLetter(model, text[0])) {
        return Taken(text);
    }
    const char own = text.size() == 1 ? LookAlike(text[0], model) : '\0';
    return own != '\0' ? ImportedValue{ValueOutcome::LookAlike, std::string(1, own)} : Refused();
}

// "3", but also 3.0 or "3,00" as a sheet may show a whole number.
ImportedValue ImportDigit(const SheetCell& cell) {
    const std::string text = SheetCellText(cell);
    if (text.empty() || !DigitForm(text).empty()) {
        return Taken(text);
    }
    bool ambiguous = false;
    const std::optional<std::string> number = SheetNumberText(cell, ambiguous);
    if (!number) {
        return Refused();
    }
    const std::size_t point = number->find('.');
    const bool whole = point == std::string::npos ||
                       number->find_first_not_of('0', point + 1) == std::string::npos;
    const std::string digit = whole ? DigitForm(number->substr(0, point)) : std::string();
    return digit.empty() ? Refused() : Taken(digit);
}

ImportedValue ImportFlag(const SheetCell& cell) {
    const std::string text = Lower(SheetCellText(cell));
    constexpr std::array<std::string_view, 6> Off = {"0", "no", "false", "\xed\xe5", "n", "\xed"};
    constexpr std::array<std::string_view, 7> On = {"1",        "yes", "true", "x",
                                                    "\xe4\xe0", "y",   "\xe4"}; // да, д
    if (text.empty()) {
        return Taken({});
    }
    if (std::find(Off.begin(), Off.end(), text) != Off.end()) {
        return Taken("0");
    }
    return std::find(On.begin(), On.end(), text) != On.end() ? Taken("1") : Refused();
}

// A tab or line end would break the table file's lines, so it becomes a blank.
ImportedValue ImportText(const SheetCell& cell) {
    std::string text = SheetCellText(cell);
    const std::size_t breaks = std::count_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    if (breaks == 0) {
        return Taken(std::move(text));
    }
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return {ValueOutcome::LineBreaks, std::move(text)};
}

} // namespace tillora
