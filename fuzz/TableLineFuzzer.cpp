// One line of a table file, applied to one of the six tables.
#include "FuzzSupport.h"
#include "TableBench.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "tables/TableLine.h"
#include "tables/TableReader.h"

#include <limits>

using namespace tillora;

namespace {

// The first field, without the line's end, as a row number; -1 for none.
long long ExpectedRow(std::string_view line) {
    if (line.size() >= 2 && (line[line.size() - 2] == '\r' || line[line.size() - 2] == '\n')) {
        line.remove_suffix(2);
    } else if (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    const std::string_view field = line.substr(0, line.find('\t'));
    if (field.empty()) {
        return -1; // a blank spreadsheet row or title line is no row
    }
    return fuzz::ExpectedDecimal(field, std::numeric_limits<int>::max());
}

} // namespace

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
    fuzz::Check(ParseRowNumber(line) == ExpectedRow(line), "row number not the first field's");
    fuzz::Check(CutLineEnd(line).size() <= line.size(), "line end cut grew the line");

    CMemoryGridAccess access(fuzz::BenchOf(kind).Fresh());
    TableReader reader(access);
    reader.ReadLine(line);
    return 0;
}
