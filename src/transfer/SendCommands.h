#pragma once

#include "link/Feedback.h"
#include "tables/GridAccess.h"
#include "tables/ImportPlan.h"
#include "tables/TableKind.h"
#include "transfer/SendPlan.h"
#include "transfer/TableChecks.h"
#include "transfer/TransferSession.h"

#include <optional>

namespace tillora {

// The send commands of the table in the current tab. Both first check the connection settings
// (and stop with their message); send all then commits a cell being edited. The reports (tabs 4
// and 5) are never sent. True only when the register confirmed the transfer.
bool OnSendAll(TableKind current, IGridAccess& grid, TransferSession& session);
bool OnSendSelected(TableKind current, IGridAccess& grid, TransferSession& session);

// Whether the commands are enabled: for the four programmable tables, send selected only with a
// selected cell.
bool CanSendAll(TableKind current);
// The record plan of a programmable table for the model; none for the reports.
std::optional<SendPlan> SendPlanOf(TableKind kind, int model);
bool CanSendSelected(TableKind current, const IGridAccess& grid);

// The check a send of the whole table makes before opening the port, alone: true when it passes
// (always for the reports, which have none). A broken rule shows its message and moves the
// focus cell onto the offending cell.
bool CheckTable(TableKind kind, IGridAccess& grid, IFeedback& feedback, int model);
// How an import into the table reads a sheet for the model: the tax letters the model takes and
// the longest texts the check lets through (none for the reports), so that the import warns of
// every text a send would refuse. The window and the command line both import with these.
ImportOptions ImportOptionsFor(TableKind kind, int model);

// Every cell of the table that breaks a rule of that check, without a message.
std::vector<BrokenRule> FindBrokenRules(TableKind kind, const IGridAccess& grid, int model);

} // namespace tillora
