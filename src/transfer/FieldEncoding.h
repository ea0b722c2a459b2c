#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tillora {

// The fixed-width fields of the record frames, each made from one cell's text in its normal form.

// What a field that carries no value holds: the register keeps what it had for it.
inline constexpr char NoValueByte = '"';
inline constexpr std::size_t PriceWidth = 9;
inline constexpr std::size_t QuantityWidth = 9;

// The first characters of the text up to the width, padded with blanks, in the register's
// character set.
std::string EncodeText(std::string_view text, std::size_t width);

// The first width characters of the text as they are. A shorter text is completed with leading
// zeros, so that the frame keeps its layout.
std::string EncodeDigits(std::string_view text, std::size_t width);

// Eight digits and the number of decimals they hold: hundredths and "2", or, above 999999, the
// whole part and "0".
std::string EncodePrice(std::string_view text);

// The value in thousandths, nine digits.
std::string EncodeQuantity(std::string_view text);

// The register's group digit for the tax-group letter under the model.
std::string EncodeTaxGroup(std::string_view text, int model);

// The no-value field over the width.
std::string NoValueField(std::size_t width);

// What a selected empty cell is sent as: blanks for a text field, the first tax group of the
// model for a tax-group field, zeros for every other field.
std::string DefaultTextField(std::size_t width);
std::string DefaultTaxGroupField(int model);
std::string DefaultNumberField(std::size_t width);

} // namespace tillora
