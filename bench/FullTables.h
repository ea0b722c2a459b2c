#pragma once

// Every cell of a table filled with a value its class keeps, so that measured work is the work of
// a full table: the longest files, clipboard texts and pages the program meets.

#include "link/Cp1251.h"
#include "tables/CellGrid.h"
#include "tables/TypedCells.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace tillora::bench {

// A Bulgarian EAN-13: 380, nine digits from the row, and the check digit.
inline std::string Barcode(int row) {
    char digits[14];
    std::snprintf(digits, sizeof digits, "380%09d", row);
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    }
    digits[12] = static_cast<char>('0' + (10 - sum % 10) % 10);
    digits[13] = '\0';
    return digits;
}

// A value of the cell's class for the row: the tax letter is the first of models 0 and 1.
inline std::string SampleValue(std::string_view cellClass, int row) {
    char text[48];
    if (cellClass == CGridCellBarcode::ClassName) {
        return Barcode(row);
    }
    if (cellClass == CGridCellPrice::ClassName) {
        std::snprintf(text, sizeof text, "%d.%02d", row % 1000, row % 97);
    } else if (cellClass == CGridCellQuantity::ClassName) {
        std::snprintf(text, sizeof text, "%d.%03d", row % 250, row % 1000);
    } else if (cellClass == CGridCellChar1::ClassName) {
        return "\xC0";
    } else if (cellClass == CGridCellNum1::ClassName) {
        return std::to_string(row % 10);
    } else if (cellClass == CGridCellCheck::ClassName) {
        return row % 2 == 0 ? "1" : "0";
    } else {
        return Utf8ToCp1251("Артикул номер ") + std::to_string(row);
    }
    return text;
}

// Sets every data cell of the grid.
inline void FillCells(CCellGrid& grid) {
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) {
        for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
            grid.SetItemText(r, c, SampleValue(grid.GetCell(r, c)->GetClass().name, r));
        }
    }
}

// The data cells as a spreadsheet puts them on the clipboard: TAB between cells, LF after rows.
inline std::string ClipboardText(const CCellGrid& grid) {
    std::string text;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) {
        for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
            text += SampleValue(grid.GetCell(r, c)->GetClass().name, r);
            text += c + 1 < grid.GetColumnCount() ? '\t' : '\n';
        }
    }
    return text;
}

} // namespace tillora::bench
