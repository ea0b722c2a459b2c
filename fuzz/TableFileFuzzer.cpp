// A table file loaded, saved and loaded again into a fresh table: the second save must equal the
// first, since a saved table holds only stored forms. Each load starts from the table as set up.
#include "FuzzSupport.h"
#include "TableBench.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "tables/TableReader.h"
#include "tables/TableWriter.h"

using namespace tillora;

namespace {

std::string LoadedText(TableKind kind, const std::string& path) {
    CCellGrid& grid = fuzz::BenchOf(kind).Fresh();
    CMemoryGridAccess access(grid);
    TableReader reader(access);
    fuzz::SilentFeedback feedback;
    reader.ReadTableFile(path, feedback);
    return TableFileText(grid);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const TableKind kind = AllTables[data[0] % TableCount];
    const std::string path = fuzz::ScratchPath("table.txt");
    fuzz::WriteBytes(path, fuzz::AsText(data + 1, size - 1));
    const std::string first = LoadedText(kind, path);

    fuzz::WriteBytes(path, first);
    const std::string second = LoadedText(kind, path);
    fuzz::Check(first == second, "load, save, load changed the table");
    return 0;
}
