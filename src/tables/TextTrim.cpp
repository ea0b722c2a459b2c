#include "tables/TextTrim.h"

namespace tillora {
namespace {

constexpr std::string_view WhiteSpace = " \t\r\n\v\f";
constexpr std::string_view WhiteSpaceCp1251 = " \t\r\n\v\f\xA0";

std::string_view TrimmedOf(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

std::string_view Trimmed(std::string_view text) {
    return TrimmedOf(text, WhiteSpace);
}

std::string_view TrimmedCp1251(std::string_view text) {
    return TrimmedOf(text, WhiteSpaceCp1251);
}

} // namespace tillora
