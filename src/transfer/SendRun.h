#pragma once

#include "tables/GridAccess.h"
#include "transfer/SendPlan.h"
#include "transfer/TransferSession.h"

#include <functional>

namespace tillora {

// One send run of a table: the check, then "a", one record per row that is not skipped, "z" and
// the register's confirmation, under the wait cursor. The port is opened only once the check
// has passed and closed on every way out. True only when the register confirmed the transfer;
// the status bar then shows the run's final text.
bool RunSend(const SendPlan& plan, SendScope scope, IGridAccess& grid, TransferSession& session);

// The same, with a word to the caller once the check has passed and before the line is opened:
// from then on the register may take records. False from it ends the run there.
bool RunSend(const SendPlan& plan, SendScope scope, IGridAccess& grid, TransferSession& session,
             const std::function<bool()>& beforeOpening);

// Tells that a send was stopped with sent of its total records acknowledged.
void ShowSendStopped(IFeedback& feedback, unsigned sent, unsigned total);

} // namespace tillora
