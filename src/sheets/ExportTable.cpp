#include "sheets/ExportTable.h"

#include "link/Cp1251.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tables/TypedCells.h"

namespace tillora {
namespace {

// Amounts and quantities are figures an accountant sums; a barcode, a tax-group letter and a
// name stay text; single digits and flags are small numbers.
ExportColumn ColumnOf(const CCellGrid& grid, int column) {
    ExportColumn result{Cp1251ToUtf8(grid.GetItemText(0, column)), ExportValue::Text, 0};
    const CGridCellBase* cell = grid.GetCell(grid.GetFixedRowCount(), column);
    const std::string_view kind = cell ? cell->GetClass().name : std::string_view();
    if (kind == CGridCellPrice::ClassName) {
        result = {result.title, ExportValue::Number, 2};
    } else if (kind == CGridCellQuantity::ClassName) {
        result = {result.title, ExportValue::Number, 3};
    } else if (kind == CGridCellNum1::ClassName || kind == CGridCellCheck::ClassName) {
        result = {result.title, ExportValue::Number, 0};
    }
    return result;
}

bool RowHoldsValue(const CCellGrid& grid, int row) {
    for (int column = grid.GetFixedColumnCount(); column < grid.GetColumnCount(); ++column) {
        if (!grid.GetItemText(row, column).empty()) {
            return true;
        }
    }
    return false;
}

} // namespace

ExportTable MakeExportTable(const CCellGrid& grid, const std::string& sheetNameUtf8) {
    ExportTable table;
    table.sheetName = sheetNameUtf8;
    table.columns.push_back({std::string(LoadString(ids::SheetLabelTitle)), ExportValue::Number});
    for (int column = 1; column < grid.GetColumnCount(); ++column) {
        table.columns.push_back(ColumnOf(grid, column));
    }
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row) {
        if (!RowHoldsValue(grid, row)) {
            continue;
        }
        ExportRow& line = table.rows.emplace_back();
        line.cells.reserve(table.columns.size());
        for (int column = 0; column < grid.GetColumnCount(); ++column) {
            line.cells.push_back(Cp1251ToUtf8(grid.GetItemText(row, column)));
        }
    }
    return table;
}

} // namespace tillora
