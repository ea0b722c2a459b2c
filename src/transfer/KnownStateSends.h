#pragma once

#include "tables/GridAccess.h"
#include "tables/TableKind.h"
#include "transfer/ChangedRows.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/ReportReader.h"
#include "transfer/TransferSession.h"

#include <optional>

namespace tillora {

// The register commands that keep the register's known state (KnownRegisterState.h). Each first
// identifies the register by the information query, on its own short exchange, and keeps the
// state of that serial and the model in force. A send forgets the table's state before the line
// opens and, once the register has confirmed the transfer, keeps what was sent; so a send that
// fails anywhere leaves the table unknown.

// The register on the line: its serial by the information query, with the model in force.
// Nothing after the query's message (or 20026 when the serial it gives is not six digits).
std::optional<RegisterIdentity> IdentifyRegister(TransferSession& session);

// Send all and send selected (SendCommands.h), keeping the state.
bool OnSendAllKeepingState(TableKind current, IGridAccess& grid, TransferSession& session,
                           const CKnownRegisterState& store);
bool OnSendSelectedKeepingState(TableKind current, IGridAccess& grid, TransferSession& session,
                                const CKnownRegisterState& store);

enum class ChangesOutcome {
    NotSent,        // stopped by the settings, the check, the query or the line; its message shown
    Declined,       // the table's state is not known and the user would not send it whole
    NothingToSend,  // the register already holds the table: nothing went on the line
    Sent,           // the changed rows went and the register confirmed them
    WholeTableSent, // the state was not known and the user had the whole table sent instead
};

// Send the changes: the settings, the end of an edit and the table's whole-table check as for
// send all; then the register is identified and only the rows whose values differ from its
// known state go (ChangedRows.h). Without a known state the user is asked (20xxx, No by default)
// whether to send the whole table instead. The status bar tells what went and what was left.
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

// How the table differs from what the register holds, without sending: the settings are
// checked and the register identified as for a send. Nothing, after a message, when that fails
// or when the table's state is not known (31308).
std::optional<TableChanges> FindChangesAtRegister(TableKind kind, const IGridAccess& grid,
                                                  TransferSession& session,
                                                  const CKnownRegisterState& store);

} // namespace tillora
