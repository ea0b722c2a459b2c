#include "cli/Commands.h"

#include "cli/LoadedTable.h"
#include "cli/SheetImport.h"

namespace tillora::cli {

int RunImport(CCliSession& session, const ImportArguments& arguments, std::FILE* out) {
    CLoadedTable table(session, arguments.kind);
    bool usageError = false;
    if (!ImportSheet(session, table, arguments.sheet, usageError)) {
        return usageError ? ExitUsage : ExitFailed;
    }
    return table.Write(arguments.outFile, out) ? ExitSuccess : ExitFailed;
}

} // namespace tillora::cli
