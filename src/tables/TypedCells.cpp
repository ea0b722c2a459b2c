#include "tables/TypedCells.h"

#include "link/EcrSettings.h"
#include "tables/DecimalText.h"
#include "tables/TaxGroup.h"

#include <algorithm>

namespace tillora {
namespace {

constexpr std::size_t BarcodeDigits = 12;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

// The digits are kept exactly, whatever their number: a double would round barcodes past fifteen
// digits into other barcodes.
std::string BarcodeForm(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return {};
    }
    const std::size_t firstSignificant = std::min(text.find_first_not_of('0'), text.size());
    std::string digits(text.substr(firstSignificant));
    if (digits.size() < BarcodeDigits) {
        digits.insert(0, BarcodeDigits - digits.size(), '0');
    }
    return digits;
}

std::string TaxGroupForm(std::string_view text, int model) {
    if (text.size() != 1 || !IsTaxGroupLetter(model, text[0])) {
        return {};
    }
    return std::string(text);
}

std::string DigitForm(std::string_view text) {
    if (text.size() != 1 || !IsDigit(text[0])) {
        return {};
    }
    return std::string(text);
}

// Rounded as written, so that a price is the same whichever road it came by. A value that is not
// finite cannot be sent, so it is no value; "-0" is 0.00.
std::string AmountForm(std::string_view text, int decimals) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || *value < 0.0) {
        return {};
    }
    return RoundDecimal(text, decimals).value_or(std::string());
}

void CGridCellBarcode::SetText(std::string_view text) {
    StoreText(BarcodeForm(text));
}

void CGridCellChar1::SetText(std::string_view text) {
    StoreText(TaxGroupForm(text, ConnectionSettings().EcrType));
}

void CGridCellCheck::SetText(std::string_view text) {
    StoreText({});
    m_checked = !(text.empty() || text == "0");
}

void CGridCellCheck::Reset() {
    CGridCell::Reset();
    m_checked = false;
}

void CGridCellNum1::SetText(std::string_view text) {
    StoreText(DigitForm(text));
}

void CGridCellPrice::SetText(std::string_view text) {
    StoreText(AmountForm(text, 2));
}

void CGridCellQuantity::SetText(std::string_view text) {
    StoreText(AmountForm(text, 3));
}

} // namespace tillora
