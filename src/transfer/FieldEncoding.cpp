#include "transfer/FieldEncoding.h"

#include "link/Charset.h"
#include "tables/DecimalText.h"
#include "tables/TaxGroup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tillora {
namespace {

constexpr double PriceLimit = 999999.0;
// The largest values that eight and nine digits hold; the checks keep the texts well below.
constexpr double EightDigitsMax = 99999999.0;
constexpr double NineDigitsMax = 999999999.0;

// The cell's value; a text that is not a number counts as 0, as do negative values, which the
// cells never hold.
double ValueOf(std::string_view text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || !std::isfinite(*value) || *value < 0.0) {
        return 0.0;
    }
    return *value;
}

std::string Digits(double value, double max, const char* format) {
    char field[16];
    std::snprintf(field, sizeof field, format, static_cast<unsigned>(std::min(value, max)));
    return field;
}

} // namespace

std::string EncodeText(std::string_view text, std::size_t width) {
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    ConvertText(field, Direction::ToRegister);
    return field;
}

std::string EncodeDigits(std::string_view text, std::size_t width) {
    std::string field(text.substr(0, width));
    field.insert(0, width - field.size(), '0');
    return field;
}

std::string EncodePrice(std::string_view text) {
    const double value = ValueOf(text);
    if (value > PriceLimit) {
        return Digits(std::floor(value), EightDigitsMax, "%08u0");
    }
    return Digits(std::round(value * 100.0), EightDigitsMax, "%08u2");
}

std::string EncodeQuantity(std::string_view text) {
    return Digits(std::round(ValueOf(text) * 1000.0), NineDigitsMax, "%09u");
}

std::string EncodeTaxGroup(std::string_view text, int model) {
    return std::string(1, TaxGroupDigit(model, text.empty() ? '\0' : text.front()));
}

std::string NoValueField(std::size_t width) {
    return std::string(width, NoValueByte);
}

std::string DefaultTextField(std::size_t width) {
    return std::string(width, ' ');
}

std::string DefaultTaxGroupField(int model) {
    return model >= 2 && model <= 5 ? "2" : "1";
}

std::string DefaultNumberField(std::size_t width) {
    return std::string(width, '0');
}

} // namespace tillora
