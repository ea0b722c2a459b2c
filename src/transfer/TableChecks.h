#pragma once

#include "link/Feedback.h"
#include "tables/GridAccess.h"
#include "transfer/SendPlan.h"

#include <vector>

namespace tillora {

// The checks a send run makes before it opens the port. A broken rule shows its message, puts
// the focus cell on the offending cell, gives the grid the keyboard focus and fails the check.

// Each rule over all rows of the table before the next rule.
bool CheckWholeTable(const SendPlan& plan, IGridAccess& grid, IFeedback& feedback);

// A cell that breaks a rule of the whole-table check, with the rule's message.
struct BrokenRule {
    unsigned messageId;
    int row;
    int column;
};

// Every cell that breaks a rule of the whole-table check, in the order the check meets them.
std::vector<BrokenRule> FindBrokenRules(const SendPlan& plan, const IGridAccess& grid);

// The selected cells of the check columns, row by row and column by column: first the length
// rules, then, when one of them is empty, the question whether defaults may be sent for the
// empty cells (No, the default answer, fails the check).
bool CheckSelectedCells(const SendPlan& plan, IGridAccess& grid, IFeedback& feedback);

} // namespace tillora
