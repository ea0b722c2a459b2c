#pragma once

#include "tables/CellGrid.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tillora {

// A value of the file that its cell did not take (the cell became empty).
struct RefusedValue {
    int line = 0;     // in the file, from 1
    int column = 0;   // in the table
    std::string text; // as the file gave it, Windows-1251
};

// What one read of a table file did, so that the user learns what was taken and what was left.
struct TableReadSummary {
    // How many skipped lines and refused values are named one by one.
    static constexpr std::size_t ListedCount = 5;

    bool opened = false;  // the file could be opened; else it was not read at all (20000)
    int linesRead = 0;    // every line of the file
    int rowsFilled = 0;   // table rows that a line of the file went to
    int linesSkipped = 0; // lines with text but no row number, or a row outside the table
    std::vector<int> skippedLines;
    int valuesRefused = 0;
    std::vector<RefusedValue> refusedValues;

    void NoteSkipped(int line);
    void NoteRefused(int line, int column, std::string text);
};

// One line for the status bar or the terminal (UTF-8), e.g. "Прочетени 40 реда; пропуснати
// редове: 2 (1, 17); отказани стойности: 9 (ред 3 „Цена“: "1,20"; …)"; the parts for skipped
// lines and refused values only when there are any. Columns are named by the grid's header.
std::string FormatReadSummary(const TableReadSummary& summary, const CCellGrid& grid);

} // namespace tillora
