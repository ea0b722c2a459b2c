#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// A text cell an .xlsx file keeps in the sheet itself (t="inlineStr"), as openpyxl, pandas and
// Gnumeric write them; liborcus 0.17 passes such cells by.
struct InlineString {
    std::string sheet; // the sheet's name, UTF-8
    int row = 0;       // from 0
    int column = 0;    // from 0
    std::string text;  // UTF-8, its formatting runs joined
};

// Every inline string of every sheet of the .xlsx file in bytes. Throws where the file's parts
// cannot be read; a part that is not there has none.
std::vector<InlineString> ReadInlineStrings(std::string_view bytes);

} // namespace tillora
