#include "cli/Commands.h"

#include "cli/CellSelection.h"
#include "cli/LoadedTable.h"
#include "tables/TableSetup.h"
#include "transfer/SendCommands.h"

namespace tillora::cli {
namespace {

void ShowOffendingCell(const CLoadedTable& table, CCellID cell) {
    if (!cell.IsValid()) {
        return;
    }
    std::fprintf(stderr, "row %d, column %d (%s)\n", RowLabel(table.Kind(), cell.row), cell.col,
                 ColumnNameOf(table.Kind(), cell.col).c_str());
}

} // namespace

int RunCheck(CCliSession& session, TableKind kind, const std::string& file) {
    CLoadedTable table(session, kind);
    if (!table.Load(file)) {
        return ExitFailed;
    }
    table.Access().SetFocusCell(-1, -1);
    if (CheckTable(kind, table.Access(), session.Feedback(), session.Settings().EcrType)) {
        return ExitSuccess;
    }
    ShowOffendingCell(table, table.Access().GetFocusCell());
    return ExitFailed;
}

int RunSend(CCliSession& session, const SendArguments& arguments, std::FILE* out) {
    CLoadedTable table(session, arguments.kind);
    if (!table.Load(arguments.file)) {
        return ExitFailed;
    }
    const bool selected = !arguments.rows.empty() || !arguments.columns.empty();
    if (selected) {
        std::string error;
        auto rows = arguments.rows.empty() ? std::optional(RowsWithData(table.Grid()))
                                           : RowsFromLabels(arguments.kind, arguments.rows, error);
        auto columns = arguments.columns.empty()
                           ? std::optional(DataColumns(table.Grid()))
                           : ColumnsFromList(arguments.kind, arguments.columns, error);
        if (!rows || !columns) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return ExitUsage;
        }
        SelectCells(table.Access(), *rows, *columns);
    }
    TransferSession transfer = session.Transfer();
    const bool sent = selected ? OnSendSelected(arguments.kind, table.Access(), transfer)
                               : OnSendAll(arguments.kind, table.Access(), transfer);
    session.Feedback().ClearProgress();
    if (!sent) {
        ShowOffendingCell(table, table.Access().GetFocusCell());
        return ExitFailed;
    }
    std::fprintf(out, "%s\n", session.Feedback().LastStatus().c_str());
    return ExitSuccess;
}

} // namespace tillora::cli
