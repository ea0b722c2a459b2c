// A price list of any bytes imported into a table: the text splits into rows whose lines only
// grow, the plan sets only data cells of the table with texts that keep the table file's lines
// whole, and applying it leaves every planned cell with exactly the planned text, since the plan
// gives the stored forms. The first byte chooses the table, the model and the separator.
#include "FuzzSupport.h"
#include "TableBench.h"
#include "link/EcrSettings.h"
#include "tables/ImportPlan.h"
#include "tables/MemoryGridAccess.h"
#include "tables/SheetText.h"

#include <map>

using namespace tillora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const TableKind kind = AllTables[data[0] % TableCount];
    const int model = (data[0] / TableCount) % 10;
    constexpr char Separators[] = {0, '\t', ';', ','};
    const char separator = Separators[(data[0] / 60) % 4];

    SheetData sheet;
    ReadTextSheet(fuzz::AsText(data + 1, size - 1), {std::nullopt, separator}, sheet);
    int line = 0;
    for (const SheetRow& row : sheet.rows) {
        fuzz::Check(row.line > line && !row.cells.empty(), "rows out of line order");
        line = row.line;
    }

    const ImportPlan plan = PlanImport(sheet, kind, {model, std::nullopt, {{1, 12}}});
    const TableShape& shape = ShapeOf(kind);
    std::map<std::pair<int, int>, std::string> last;
    for (const ImportCell& cell : plan.cells) {
        fuzz::Check(cell.row >= 1 && cell.row <= shape.dataRows && cell.column >= 1 &&
                        cell.column < shape.columns,
                    "a planned cell outside the table's data cells");
        fuzz::Check(!cell.text.empty() && cell.text.find_first_of("\t\r\n") == std::string::npos,
                    "a planned text that would break the table file");
        last[{cell.row, cell.column}] = cell.text;
    }
    for (const ImportProblem& problem : plan.problems) {
        fuzz::Check(problem.messageId >= 30920 && problem.messageId <= 30949,
                    "a problem without an import message");
        fuzz::Check(!FormatImportProblem(problem, kind).empty(), "a problem with no text");
    }

    ConnectionSettings().EcrType = model;
    CCellGrid& grid = fuzz::BenchOf(kind).Fresh();
    CMemoryGridAccess access(grid);
    ApplyImportPlan(plan, access);
    for (const auto& [where, text] : last) {
        fuzz::Check(grid.GetItemText(where.first, where.second) == text,
                    "a cell did not keep the planned text");
    }
    ConnectionSettings() = {};
    return 0;
}
