#include "cli/Commands.h"

#include "cli/CellSelection.h"
#include "cli/CliFeedback.h"
#include "cli/LoadedTable.h"
#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"
#include "transfer/KnownStateSends.h"

namespace tillora::cli {
namespace {

// One line a cell: the row label, the column's name, the value the register holds (empty when it
// is not known) and the table's, TAB between them, in UTF-8 like every text the tool prints.
void PrintChangedCells(TableKind kind, const TableChanges& changes, std::FILE* out) {
    for (const ChangedRow& row : changes.rows) {
        for (const ChangedCell& cell : row.cells) {
            Print(out, "%d\t%s\t%s\t%s\n", RowLabel(kind, row.row),
                  ColumnNameOf(kind, cell.column).c_str(), Cp1251ToUtf8(cell.known).c_str(),
                  Cp1251ToUtf8(cell.now).c_str());
        }
    }
}

} // namespace

int RunDiff(CCliSession& session, TableKind kind, const std::string& file, std::FILE* out) {
    CLoadedTable table(session, kind);
    if (!table.Load(file)) {
        return ExitFailed;
    }
    table.TellWhatWasRead();
    TransferSession transfer = session.Transfer();
    const std::optional<TableChanges> changes =
        FindChangesAtRegister(kind, table.Access(), transfer, session.KnownState());
    if (!changes) {
        return ExitFailed;
    }
    PrintChangedCells(kind, *changes, out);
    std::fflush(out);
    Print(stderr, "%s\n",
          FormatMessage(ids::ChangesSummary, static_cast<unsigned>(changes->rows.size()),
                        changes->NewRows(), static_cast<unsigned>(changes->keptRows.size()))
              .c_str());
    return ExitSuccess;
}

} // namespace tillora::cli
