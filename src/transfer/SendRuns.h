#pragma once

#include "tables/GridAccess.h"
#include "transfer/TransferSession.h"

namespace tillora {

// The send runs of the four programmable tables, each with the grid of its table. A whole-table
// run sends every row that holds something; a selected-cells run sends the rows with a selected
// cell, every other field as the no-value field. True only when the register confirmed the
// transfer.
bool SendArticles(IGridAccess& grid, TransferSession& session);
bool SendSelectedArticles(IGridAccess& grid, TransferSession& session);
bool SendOperators(IGridAccess& grid, TransferSession& session);
bool SendSelectedOperators(IGridAccess& grid, TransferSession& session);
bool SendSubgroups(IGridAccess& grid, TransferSession& session);
bool SendSelectedSubgroups(IGridAccess& grid, TransferSession& session);
bool SendHeaderLines(IGridAccess& grid, TransferSession& session);
bool SendSelectedHeaderLines(IGridAccess& grid, TransferSession& session);

} // namespace tillora
