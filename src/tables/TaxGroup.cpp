#include "tables/TaxGroup.h"

#include <string_view>

namespace tillora {
namespace {

bool HasLatinGroups(int model) {
    return model >= 6 && model <= 9;
}

constexpr std::string_view LatinGroups = "0ABCDEabcde";
constexpr std::string_view CyrillicGroups = "\xC0\xC1\xC2\xE0\xE1\xE2"
                                            "123";

} // namespace

bool IsTaxGroupLetter(int model, char letter) {
    const std::string_view groups = HasLatinGroups(model) ? LatinGroups : CyrillicGroups;
    return groups.find(letter) != std::string_view::npos;
}

// The low four bits of the code plus '0', with each alphabet's correction: the digits of models
// 0 and 1 count from 0, the Cyrillic letters of models 2 to 5 from 1, and E of models 6 to 9 is 0.
char TaxGroupDigit(int model, char letter) {
    int code = static_cast<unsigned char>(letter);
    if (model >= 2 && model <= 5 && code >= 0x80) {
        ++code;
    }
    int digit = (code & 0x0F) + '0';
    if (model <= 1 && code < 0x80) {
        --digit;
    }
    if (HasLatinGroups(model) && digit == '5') {
        digit = '0';
    }
    return static_cast<char>(digit);
}

} // namespace tillora
