#pragma once

#include <string_view>

namespace tillora {

// The one idea of white space at the ends of a text: blank, tab, CR, LF, vertical tab and form
// feed. Only ASCII bytes, so that it fits UTF-8 and Windows-1251 texts alike.
std::string_view Trimmed(std::string_view text);

// The same, and the no-break space that spreadsheets put around numbers (0xA0), which is a
// character of its own only in Windows-1251 texts.
std::string_view TrimmedCp1251(std::string_view text);

} // namespace tillora
