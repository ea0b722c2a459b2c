#include "cli/Commands.h"

#include "cli/LoadedTable.h"

namespace tillora::cli {

int RunLoad(CCliSession& session, TableKind kind, const std::string& file,
            const std::string& outFile, std::FILE* out) {
    CLoadedTable table(session, kind);
    if (!table.Load(file)) {
        return ExitFailed;
    }
    table.TellWhatWasRead();
    return table.Write(outFile, out) ? ExitSuccess : ExitFailed;
}

} // namespace tillora::cli
