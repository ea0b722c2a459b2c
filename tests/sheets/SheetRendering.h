#pragma once

#include "link/Cp1251.h"
#include "tables/SheetData.h"

#include <string>
#include <vector>

namespace tillora::test {

// A sheet as one line per row, for comparing in one assertion: "4: #2|Мляко||#2.4", where a
// cell typed as a number starts with '#' and the texts are turned back into UTF-8.
inline std::vector<std::string> RenderSheet(const SheetData& sheet) {
    std::vector<std::string> lines;
    for (const SheetRow& row : sheet.rows) {
        std::string line = std::to_string(row.line) + ":";
        for (std::size_t i = 0; i < row.cells.size(); ++i) {
            line += i == 0 ? " " : "|";
            line += row.cells[i].number ? "#" : "";
            line += Cp1251ToUtf8(row.cells[i].text);
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace tillora::test
