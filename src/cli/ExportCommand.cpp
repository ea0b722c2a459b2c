#include "cli/Commands.h"

#include "cli/LoadedTable.h"
#include "sheets/SpreadsheetFile.h"

namespace tillora::cli {

int RunExport(CCliSession& session, TableKind kind, const std::string& file,
              const std::string& outFile) {
    CLoadedTable table(session, kind);
    if (!table.Load(file)) {
        return ExitFailed;
    }
    table.TellWhatWasRead();
    return WriteSpreadsheetFile(outFile, table.Grid(), kind, session.Feedback()) ? ExitSuccess
                                                                                 : ExitFailed;
}

} // namespace tillora::cli
