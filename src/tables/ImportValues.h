#pragma once

#include "tables/SheetData.h"

#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// A sheet cell's value turned into a cell's stored form, the way a spreadsheet shows it. Texts
// are Windows-1251.

// What became of one value.
enum class ValueOutcome {
    Taken,      // the value, in its stored form
    Refused,    // not a value of the column
    Exponent,   // a barcode in exponent form: its digits are lost
    LookAlike,  // a tax-group letter of the other alphabet, taken as its look-alike
    Ambiguous,  // one separator before three digits: taken as the decimal point
    LineBreaks, // a text with tabs or line ends, which became blanks
};

struct ImportedValue {
    ValueOutcome outcome = ValueOutcome::Taken;
    std::string text; // the stored form; empty when refused or for an empty cell
};

// The decimal text of a number as a sheet shows it: a typed number by its shortest form, a text
// with a decimal comma or point, thousands separators (blank, no-break space, apostrophe, point
// or comma where unambiguous), a sign, an exponent and a currency word or sign before or after
// it ("лв.", "BGN", "€", "EUR"...). Nothing for a text that is no number. ambiguous tells of a
// single point or comma followed by exactly three digits, taken as the decimal separator.
std::optional<std::string> SheetNumberText(const SheetCell& cell, bool& ambiguous);

// Per column class: an amount with the decimals (price 2, quantity 3), a barcode, a tax-group
// letter under the model, one digit, an on/off flag, free text.
ImportedValue ImportAmount(const SheetCell& cell, int decimals);
ImportedValue ImportBarcode(const SheetCell& cell);
ImportedValue ImportTaxGroup(const SheetCell& cell, int model);
ImportedValue ImportDigit(const SheetCell& cell);
ImportedValue ImportFlag(const SheetCell& cell);
ImportedValue ImportText(const SheetCell& cell);

// The cell's text without blanks, no-break spaces or tabs around it; a typed number's shortest
// form.
std::string SheetCellText(const SheetCell& cell);

} // namespace tillora
