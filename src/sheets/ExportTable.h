#pragma once

#include "tables/CellGrid.h"

#include <string>
#include <vector>

namespace tillora {

// How a column's values go into a spreadsheet.
enum class ExportValue {
    Text,   // as written, also digits that must keep their leading zeros (barcodes)
    Number, // a number shown with the column's decimals
};

struct ExportColumn {
    std::string title; // UTF-8
    ExportValue value = ExportValue::Text;
    int decimals = 0;
};

struct ExportRow {
    std::vector<std::string> cells; // UTF-8, the label first, one per column
};

// A table as a spreadsheet takes it: the label column and the data columns with their titles,
// and the rows that hold a value, in order.
struct ExportTable {
    std::string sheetName; // UTF-8
    std::vector<ExportColumn> columns;
    std::vector<ExportRow> rows;
};

// The table's columns take their kind from the cell classes of its first data row.
ExportTable MakeExportTable(const CCellGrid& grid, const std::string& sheetNameUtf8);

} // namespace tillora
