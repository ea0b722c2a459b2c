#pragma once

#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"

#include <optional>
#include <string>
#include <vector>

namespace tillora::cli {

// Grid rows for a list of row labels as the files and the window show them ("5-9,12"; 0 to 9 for
// the subgroups). Nothing, with the reason in error, for a list that is not one or names a row
// the table does not have.
std::optional<std::vector<int>> RowsFromLabels(TableKind kind, const std::string& list,
                                               std::string& error);

// Grid columns for a list of column numbers or names ("price,stock", "3", "name-price"): name,
// barcode, price, tax, subgroup, payment, stock for the articles; name for the operators; name,
// price, tax for the subgroups; text, flag for the company lines.
std::optional<std::vector<int>> ColumnsFromList(TableKind kind, const std::string& list,
                                                std::string& error);

// The column names of the table, for usage texts and errors; one column's name.
std::string ColumnNames(TableKind kind);
std::string ColumnNameOf(TableKind kind, int column);

// The rows of the table that hold something.
std::vector<int> RowsWithData(const CCellGrid& grid);
// Every data column of the table.
std::vector<int> DataColumns(const CCellGrid& grid);

// Selects the cells where the rows and the columns cross.
void SelectCells(CMemoryGridAccess& grid, const std::vector<int>& rows,
                 const std::vector<int>& columns);

} // namespace tillora::cli
