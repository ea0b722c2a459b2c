// One line of a table file, applied to one of the six tables.
#include "FuzzSupport.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "tables/TableLine.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"

using namespace tillora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const TableKind kind = AllTables[data[0] % TableCount];
    const std::string_view line = fuzz::AsText(data + 1, size - 1);

    const int fields = FieldCount(line);
    fuzz::Check(fields >= 1, "FieldCount below one");
    for (int n = 0; n <= fields; ++n) {
        const std::string_view field = GetField(line, n);
        fuzz::Check(field.size() <= line.size(), "field longer than the line");
    }
    fuzz::Check(GetField(line, fields).empty(), "a field past the last one");
    const int row = ParseRowNumber(line);
    fuzz::Check(row >= -1, "row number below -1");
    fuzz::Check(CutLineEnd(line).size() <= line.size(), "line end cut grew the line");

    CCellGrid grid;
    SetupTable(grid, kind);
    CMemoryGridAccess access(grid);
    TableReader reader(access);
    reader.ReadLine(line);
    return 0;
}
