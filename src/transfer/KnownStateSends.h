#pragma once

#include "tables/GridAccess.h"
#include "tables/TableKind.h"
#include "transfer/ChangedRows.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/ReportReader.h"
#include "transfer/TransferSession.h"

#include <optional>

namespace tillora {

// The register commands that keep the register's known state (KnownRegisterState.h), the state
// of the serial and model in force. No exchange is needed to know which register that is: every
// acknowledgement carries the register's serial and is checked against the settings, so a run the
// register acknowledged was with the register of the settings. A send forgets the table's state
// before the line opens and, once the register has confirmed the transfer, keeps what was sent;
// so a send that fails anywhere leaves the table unknown.

// Send all and send selected (SendCommands.h), keeping the state.
bool OnSendAllKeepingState(TableKind current, IGridAccess& grid, TransferSession& session,
                           const CKnownRegisterState& store);
bool OnSendSelectedKeepingState(TableKind current, IGridAccess& grid, TransferSession& session,
                                const CKnownRegisterState& store);

enum class ChangesOutcome {
    NotSent,        // stopped by the settings, the check or the line; its message shown
    Declined,       // the table's state is not known and the user would not send it whole
    NothingToSend,  // the register already holds the table: nothing went on the line
    Sent,           // the changed rows went and the register confirmed them
    WholeTableSent, // the state was not known and the user had the whole table sent instead
};

// Send the changes: the settings, the end of an edit and the table's whole-table check as for
// send all; then only the rows whose values differ from the register's known state go
// (ChangedRows.h). Without a known state the user is asked (20xxx, No by default) whether to send
// the whole table instead. The status bar tells what went and what was left.
ChangesOutcome OnSendChanges(TableKind current, IGridAccess& grid, TransferSession& session,
                             const CKnownRegisterState& store);
// Enabled where send all is.
bool CanSendChanges(TableKind current);

// Whether the outcome leaves the register holding the table.
inline bool IsSent(ChangesOutcome outcome) {
    return outcome == ChangesOutcome::NothingToSend || outcome == ChangesOutcome::Sent ||
           outcome == ChangesOutcome::WholeTableSent;
}

// The report command (ReportReader.h); the report's articles then renew the known articles.
ReportOutcome OnReadReportKeepingState(IGridAccess& report, IGridAccess& subgroupReport,
                                       TransferSession& session, const CKnownRegisterState& store);

// How the table differs from what the register holds, without sending and without the line: the
// settings are checked as for a send. Nothing, after a message, when they fail or when the
// table's state is not known (31308).
std::optional<TableChanges> FindChangesAtRegister(TableKind kind, const IGridAccess& grid,
                                                  TransferSession& session,
                                                  const CKnownRegisterState& store);

} // namespace tillora
