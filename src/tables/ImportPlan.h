#pragma once

#include "tables/GridAccess.h"
#include "tables/ImportColumns.h"
#include "tables/SheetData.h"
#include "tables/TableKind.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tillora {

// The longest text a column's cells may have for the register to take it (the send's checks
// stop on a longer one); transfer's ImportOptionsFor gives them for a table and model.
struct CellLengthLimit {
    int column = 0;
    std::size_t maxLength = 0;
};

struct ImportOptions {
    int model = 0;                    // the register model: the tax-group letters it takes
    std::optional<ColumnMap> columns; // none: by the header line's titles, else by position
    std::vector<CellLengthLimit> lengthLimits;
};

// Something the import met that the user should know of; messageId is one of the Import* ids
// of the string table (res/StringIds.h).
struct ImportProblem {
    unsigned messageId = 0;
    int line = 0;         // the sheet row's line or row number, from 1; 0 for the whole sheet
    int tableRow = 0;     // the table row the sheet row went to, from 1; 0 when it went to none
    int sheetColumn = 0;  // from 1; 0 for the whole row
    int tableColumn = -1; // the table column the value was meant for; -1 when none
    std::string original; // the cell as the sheet gave it, Windows-1251
    std::string taken;    // what the table got instead, where it got something
    long number = 0;      // the figure some messages name (a length, a row count)

    // Whether the problem leaves a value or a row out, as against taking it in another form
    // (a look-alike tax letter, a text longer than the register takes, a repeated row).
    bool LeavesOut() const;
};

// One cell the import sets, its text already in the column's stored form.
struct ImportCell {
    int row = 0;    // grid row, from 1
    int column = 0; // grid column, from 1
    std::string text;
};

// What an import of a sheet into a table will do, before it is done.
struct ImportPlan {
    TableKind kind = TableKind::Articles;
    int headerLine = 0;   // the header line's line number; 0 when the sheet has none
    ColumnChoice columns; // which sheet column (from 0) fills each table column, -1: none
    std::vector<ImportCell> cells;
    int rowsFilled = 0; // table rows that get at least one cell
    std::vector<ImportProblem> problems;
};

// Chooses the columns (the map, else the header line, else by position, with a leading column
// of row numbers taken as such), numbers the rows (by the row-number column, else one after
// another from the first row of the table, blank rows left out) and turns every value into its
// cell's stored form the way a spreadsheet shows it: decimal comma or point, thousands
// separators, a currency word or sign, half away from zero at the column's decimals, barcodes
// as digit strings.
ImportPlan PlanImport(const SheetData& sheet, TableKind kind, const ImportOptions& options);

// Whether the plan gives the table no cell at all: the import then stops rather than empty the
// table.
bool ImportsNothing(const ImportPlan& plan);

// Replaces the table's contents by the plan's cells, as opening a file does.
void ApplyImportPlan(const ImportPlan& plan, IGridAccess& grid);

// One line for the user (UTF-8): where, what the sheet held and what became of it, e.g.
// "Ред 4, колона 3 „Цена“: ...". Columns are named by the table's headers.
std::string FormatImportProblem(const ImportProblem& problem, TableKind kind);

} // namespace tillora
