#include "sheets/SheetStyles.h"

#include <cctype>

namespace tillora {
namespace {

// The formats an .xlsx file names by number only: 14 to 22 and 45 to 47 are dates and times.
bool IsBuiltInDateFormat(std::size_t id) {
    return (id >= 14 && id <= 22) || (id >= 45 && id <= 47);
}

} // namespace

bool IsDateFormatCode(std::string_view code) {
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            i = close == std::string_view::npos ? code.size() : close;
        } else if (c == '[') {
            // [h] and [mm] count elapsed time; [Red] and [$лв.-402] are no part of the value.
            const std::size_t close = code.find(']', i + 1);
            const std::string_view inside =
                code.substr(i + 1, close == std::string_view::npos ? 0 : close - i - 1);
            if (!inside.empty() && std::string_view("hHmMsS").find(inside[0]) != inside.npos &&
                inside.find_first_not_of(inside[0]) == std::string_view::npos) {
                return true;
            }
            i = close == std::string_view::npos ? code.size() : close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i; // an escaped character, a space as wide as one, a fill character
        } else if (std::string_view("dDmMyYhHsS").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

std::size_t CSheetStyles::commit_number_format() {
    m_codes[m_numberFormatId] = m_numberFormatCode;
    m_numberFormatId = 0;
    m_numberFormatCode.clear();
    return m_numberFormatsCommitted++;
}

std::size_t CSheetStyles::commit_cell_xf() {
    const auto custom = m_codes.find(m_xfNumberFormat);
    m_dateXfs.push_back(custom != m_codes.end() ? IsDateFormatCode(custom->second)
                                                : IsBuiltInDateFormat(m_xfNumberFormat));
    m_xfNumberFormat = 0;
    return m_dateXfs.size() - 1;
}

bool CSheetStyles::IsDateFormat(std::size_t xf) const {
    return xf < m_dateXfs.size() && m_dateXfs[xf];
}

} // namespace tillora
