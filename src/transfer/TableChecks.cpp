#include "transfer/TableChecks.h"

#include "link/Message.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

bool Breaks(const LengthRule& rule, const IGridAccess& grid, int row) {
    return grid.GetItemText(row, rule.column).size() > rule.maxLength;
}

void ReportBroken(const BrokenRule& broken, IGridAccess& grid, IFeedback& feedback) {
    ShowError(feedback, broken.messageId);
    grid.SetFocusCell(broken.row, broken.column);
    grid.SetFocus();
}

const LengthRule* RuleOf(const std::vector<LengthRule>& rules, int column) {
    for (const LengthRule& rule : rules) {
        if (rule.column == column) {
            return &rule;
        }
    }
    return nullptr;
}

bool CheckSelectedLengths(const SendPlan& plan, IGridAccess& grid, IFeedback& feedback) {
    for (int row = 1; row <= plan.rowCount; ++row) {
        for (int column : plan.checkColumns) {
            const LengthRule* rule = RuleOf(plan.selectedRules, column);
            if (rule != nullptr && grid.IsCellSelected(row, column) && Breaks(*rule, grid, row)) {
                ReportBroken({rule->messageId, row, column}, grid, feedback);
                return false;
            }
        }
    }
    return true;
}

bool HasSelectedEmptyCell(const SendPlan& plan, const IGridAccess& grid) {
    for (int row = 1; row <= plan.rowCount; ++row) {
        for (int column : plan.checkColumns) {
            if (grid.IsCellSelected(row, column) && grid.GetItemText(row, column).empty()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

std::vector<BrokenRule> FindBrokenRules(const SendPlan& plan, const IGridAccess& grid) {
    std::vector<BrokenRule> broken;
    for (const LengthRule& rule : plan.tableRules) {
        for (int row = 1; row <= plan.rowCount; ++row) {
            if (Breaks(rule, grid, row)) {
                broken.push_back({rule.messageId, row, rule.column});
            }
        }
    }
    return broken;
}

bool CheckWholeTable(const SendPlan& plan, IGridAccess& grid, IFeedback& feedback) {
    const std::vector<BrokenRule> broken = FindBrokenRules(plan, grid);
    if (broken.empty()) {
        return true;
    }
    ReportBroken(broken.front(), grid, feedback);
    return false;
}

bool CheckSelectedCells(const SendPlan& plan, IGridAccess& grid, IFeedback& feedback) {
    if (!CheckSelectedLengths(plan, grid, feedback)) {
        return false;
    }
    if (!HasSelectedEmptyCell(plan, grid)) {
        return true;
    }
    return feedback.AskYesNo(ids::ConfirmDefaultsForEmptyCells,
                             FormatMessage(ids::ConfirmDefaultsForEmptyCells),
                             MessageIcon::Question, /*defaultNo=*/true);
}

} // namespace tillora
