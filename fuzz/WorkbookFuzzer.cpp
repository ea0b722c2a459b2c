// A workbook of any bytes, as an .xlsx or .ods file: reading it never crashes and either fails
// with a message or gives rows in the sheet's order, each ending on a value; those rows then
// plan an import like any sheet. The seeds are small workbooks that spreadsheet programs saved,
// so that the mutations start inside well-formed archives.
#include "FuzzSupport.h"
#include "sheets/SpreadsheetFile.h"
#include "tables/ImportPlan.h"
#include "tables/TableSetup.h"

using namespace tillora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SheetData sheet;
    std::string error;
    const bool read = ReadSpreadsheetBytes(fuzz::AsText(data, size), "fuzz.xlsx", {}, sheet, error);
    fuzz::Check(read || !error.empty(), "a workbook refused without a message");
    fuzz::Check(read || sheet.rows.empty(), "rows from a workbook that was refused");
    int line = 0;
    for (const SheetRow& row : sheet.rows) {
        fuzz::Check(row.line > line, "rows out of the sheet's order");
        fuzz::Check(!row.cells.empty() &&
                        (!row.cells.back().text.empty() || row.cells.back().number),
                    "a row that does not end on a value");
        line = row.line;
    }
    const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {});
    fuzz::Check(plan.rowsFilled <= ShapeOf(TableKind::Articles).dataRows, "more rows than fit");
    return 0;
}
