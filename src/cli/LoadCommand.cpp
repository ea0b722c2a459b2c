#include "cli/Commands.h"

#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

namespace tillora::cli {

int RunLoad(CCliSession& session, TableKind kind, const std::string& file,
            const std::string& outFile, std::FILE* out) {
    ConnectionSettings() = session.Settings(); // the tax-group letters follow the model
    CCellGrid grid;
    SetupTable(grid, kind);
    CMemoryGridAccess access(grid);
    TableReader reader(access);
    if (!reader.ReadTableFile(file, session.Feedback())) {
        return ExitFailed;
    }
    if (!outFile.empty()) {
        return TableWriter(grid).WriteTableFile(outFile, session.Feedback()) ? ExitSuccess
                                                                             : ExitFailed;
    }
    // A terminal shows the table in its own text; a pipe or a file gets the table file's bytes.
    const std::string text = TableFileText(grid);
    const std::string shown = IsTerminal(out) ? Cp1251ToUtf8(text) : text;
    std::fwrite(shown.data(), 1, shown.size(), out);
    return std::fflush(out) == 0 ? ExitSuccess : ExitFailed;
}

} // namespace tillora::cli
