#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tillora {

// One cell of a spreadsheet as the file gave it: text files give only text, .xlsx and .ods
// also type numbers, which then never pass through an exponent or a rounded display form.
struct SheetCell {
    std::string text;             // Windows-1251, as every text of the tables
    std::optional<double> number; // set where the spreadsheet typed the cell as a number
};

// One line of a text file or one row of a sheet, with where it stood so that every problem
// found in it can be told by the user's own line or row number.
struct SheetRow {
    int line = 0; // from 1
    std::vector<SheetCell> cells;
};

// A whole sheet, whatever file it came from; the import reads its columns from here.
struct SheetData {
    std::vector<SheetRow> rows;
};

} // namespace tillora
