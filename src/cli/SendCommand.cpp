#include "cli/Commands.h"

#include "cli/Terminal.h"

#include "cli/CellSelection.h"
#include "cli/CliFeedback.h"
#include "cli/LoadedTable.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"
#include "transfer/KnownStateSends.h"
#include "transfer/SendCommands.h"

namespace tillora::cli {
namespace {

std::string CellName(const CLoadedTable& table, CCellID cell) {
    return FormatMessage(ids::CliCellPlace, RowLabel(table.Kind(), cell.row), cell.col,
                         ColumnHeader(table.Kind(), cell.col).c_str());
}

void ShowOffendingCell(CCliSession& session, const CLoadedTable& table, CCellID cell) {
    if (cell.IsValid()) {
        session.Feedback().PrintLine(stderr, CellName(table, cell));
    }
}

} // namespace

// Every broken rule, one line each, so that a file is mended in one go.
int RunCheck(CCliSession& session, TableKind kind, const std::string& file) {
    CLoadedTable table(session, kind);
    if (!table.Load(file)) {
        return ExitFailed;
    }
    const std::vector<BrokenRule> broken =
        FindBrokenRules(kind, table.Access(), session.Settings().EcrType);
    for (const BrokenRule& rule : broken) {
        Print(stderr, "%s — %s\n", TerminalText(FormatMessage(rule.messageId)).c_str(),
              CellName(table, {rule.row, rule.column}).c_str());
    }
    return broken.empty() ? ExitSuccess : ExitFailed;
}

// The table from its file, or imported from a sheet; a status to end with when it cannot be had
// or the user would not send an import with problems.
std::optional<int> FillTable(CCliSession& session, CLoadedTable& table,
                             const SendArguments& arguments) {
    if (!arguments.import) {
        if (!table.Load(arguments.file)) {
            return ExitFailed;
        }
        table.TellWhatWasRead();
        return std::nullopt;
    }
    SheetImportArguments importing = arguments.importing;
    importing.file = arguments.file;
    bool usageError = false;
    const std::optional<int> problems = ImportSheet(session, table, importing, usageError);
    if (!problems) {
        return usageError ? ExitUsage : ExitFailed;
    }
    const bool send = *problems == 0 ||
                      session.Feedback().AskYesNo(ids::ImportSendAnyway,
                                                  FormatMessage(ids::ImportSendAnyway, *problems),
                                                  MessageIcon::Question, true);
    return send ? std::nullopt : std::optional(ExitFailed);
}

namespace {

// The table's changes alone; without a known state, the whole table when the user says so.
int SendChanges(CCliSession& session, CLoadedTable& table) {
    TransferSession transfer = session.Transfer();
    const ChangesOutcome outcome =
        OnSendChanges(table.Kind(), table.Access(), transfer, session.KnownState());
    session.Feedback().ClearProgress();
    if (outcome == ChangesOutcome::Declined) {
        session.Feedback().ShowMessage(ids::NothingSent, FormatMessage(ids::NothingSent),
                                       MessageIcon::Information);
        return ExitFailed;
    }
    if (!IsSent(outcome)) {
        ShowOffendingCell(session, table, table.Access().GetFocusCell());
        return ExitFailed;
    }
    return ExitSuccess;
}

} // namespace

int SendTable(CCliSession& session, const SendArguments& arguments) {
    CLoadedTable table(session, arguments.kind);
    if (const std::optional<int> status = FillTable(session, table, arguments)) {
        return *status;
    }
    if (arguments.changed) {
        return SendChanges(session, table);
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
            session.Feedback().PrintLine(stderr, error);
            return ExitUsage;
        }
        SelectCells(table.Access(), *rows, *columns);
    }
    TransferSession transfer = session.Transfer();
    const CKnownRegisterState& known = session.KnownState();
    const bool sent =
        selected ? OnSendSelectedKeepingState(arguments.kind, table.Access(), transfer, known)
                 : OnSendAllKeepingState(arguments.kind, table.Access(), transfer, known);
    session.Feedback().ClearProgress();
    if (!sent) {
        ShowOffendingCell(session, table, table.Access().GetFocusCell());
        return ExitFailed;
    }
    return ExitSuccess;
}

int RunSend(CCliSession& session, const SendArguments& arguments, std::FILE* out) {
    const int status = SendTable(session, arguments);
    if (status == ExitSuccess) {
        Print(out, "%s\n", session.Feedback().LastStatus().c_str());
    }
    return status;
}

} // namespace tillora::cli
