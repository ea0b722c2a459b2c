// A table file loaded, saved and loaded again into a fresh table: the second save must equal the
// first, since a saved table holds only stored forms. Each load starts from the table as set up.
// The one exception is the reader's UTF-8 detection: a saved Windows-1251 text whose every
// non-ASCII byte happens to form a UTF-8 sequence ("\xD0\xB0", "Р°", reads as "а") is read as
// UTF-8. No real Bulgarian text does that, since two Cyrillic letters in a row never form a
// sequence. Such a file changes while it reads as UTF-8; each time, every sequence shrinks to one
// byte, so it must settle within a few rounds and then stay as it is.
#include "FuzzSupport.h"
#include "TableBench.h"
#include "link/TextDecoding.h"
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
    if (TextAsCp1251(first) == first) {
        fuzz::Check(first == second, "load, save, load changed the table");
        return 0;
    }
    std::string saved = second;
    for (int round = 0; round < 16; ++round) {
        fuzz::WriteBytes(path, saved);
        std::string again = LoadedText(kind, path);
        if (again == saved) {
            return 0;
        }
        fuzz::Check(TextAsCp1251(saved) != saved, "load, save, load changed the table");
        saved = std::move(again);
    }
    fuzz::Fail("a file read as UTF-8 kept changing");
}
