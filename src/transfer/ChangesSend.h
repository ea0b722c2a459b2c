#pragma once

#include "tables/GridAccess.h"
#include "transfer/ChangedRows.h"
#include "transfer/SendPlan.h"
#include "transfer/TransferSession.h"

#include <cstdint>
#include <string>

namespace tillora {

// The payload of a changed row behind the kind letter: the record number, then a row the
// register does not know (or one with a changed flag) exactly as a whole-table run sends it, and
// a known row with only its changed cells, every other field as the no-value field so that the
// register keeps it.
std::string ChangedRowPayload(const SendPlan& plan, const ChangedRow& changed,
                              const IGridAccess& grid, int model);

// One send run of the changed rows alone: "a", one record per changed row, "z" and the
// register's confirmation, with the progress of the records. Makes no check of its own: the
// caller has checked the table. True only when the register confirmed the transfer; the status
// bar then tells how many rows went and how many empty rows were left alone.
bool RunChangesSend(const SendPlan& plan, const TableChanges& changes, const IGridAccess& grid,
                    TransferSession& session);

// The status text of a changes-only send: the rows sent (none: nothing to send) and the rows
// left alone.
std::string ChangesSentText(const TableChanges& changes, std::uint64_t elapsedMs = 0);

} // namespace tillora
