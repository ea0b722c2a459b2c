#pragma once

namespace tillora {

// Whether the character is a tax-group letter of the model: "0ABCDEabcde" for models 6 to 9,
// Cyrillic А Б В а б в and the digits 1 2 3 (Windows-1251) for all others.
bool IsTaxGroupLetter(int model, char letter);

// The group digit the register takes for a tax-group letter of the model.
char TaxGroupDigit(int model, char letter);

} // namespace tillora
