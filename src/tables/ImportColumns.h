#pragma once

#include "tables/SheetData.h"
#include "tables/TableKind.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// The row-number column of a sheet ("№"), as a table column: the label column.
inline constexpr int RowNumberColumn = 0;

// The title a table column goes by wherever an import names it (its messages, the preview, the
// columns taken): the sheet's row-number title for RowNumberColumn, else the table's header.
std::string ImportColumnTitle(TableKind kind, int column);

// Where one table column is taken from: a sheet column by its number (from 1, as a user counts
// them) or by the title it has in the sheet's header line.
struct ColumnSource {
    int tableColumn = 0; // RowNumberColumn for the row numbers, else a data column
    int sheetColumn = 0; // from 1; 0 when the title tells
    std::string title;   // Windows-1251; used when sheetColumn is 0
};

// A column map given by the user; table columns it leaves out are not imported.
struct ColumnMap {
    std::vector<ColumnSource> sources;
};

// A map written as "name=2,price=4", "price=Цена на дребно" or "row=1,name=Артикул": the table
// column by its command-line name (name, barcode, price, tax, subgroup, payment, stock; text,
// flag; row for the row numbers) or by a title the table's column is known by, then the sheet
// column by number or by title. The text is UTF-8, as a command line gives it. Nothing, with
// the reason in errorUtf8, for a map that is not one.
std::optional<ColumnMap> ParseColumnMap(TableKind kind, std::string_view textUtf8,
                                        std::string& errorUtf8);

// The table column a sheet title stands for (any case, Bulgarian or English, the table's own
// header or a common one such as "Наименование", "Price" or "EAN"); RowNumberColumn for a row
// number title such as "№"; none for a title the table does not know.
std::optional<int> TableColumnOfTitle(TableKind kind, std::string_view titleCp1251);

// Whether two titles are the same but for case and blanks (Windows-1251).
bool SameTitle(std::string_view a, std::string_view b);

// Which sheet column fills each table column: the index is the table column (0 for the row
// numbers), the value the sheet column counted from 0, or -1 when none does.
using ColumnChoice = std::vector<int>;

// The header line of the sheet, if one of its first rows names the table's columns: the index
// into sheet.rows, or none.
std::optional<std::size_t> FindHeaderRow(const SheetData& sheet, TableKind kind);

} // namespace tillora
