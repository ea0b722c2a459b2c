#include "transfer/SendPlan.h"

#include <algorithm>
#include <cstdio>

namespace tillora {

std::string RecordNumber(const SendPlan& plan, int row) {
    char number[16];
    std::snprintf(number, sizeof number, "%0*u", plan.numberDigits,
                  static_cast<unsigned>(row + plan.numberOffset));
    return number;
}

bool IsRowSkipped(const SendPlan& plan, SendScope scope, const IGridAccess& grid, int row) {
    if (scope == SendScope::WholeTable) {
        return std::all_of(plan.sendColumns.begin(), plan.sendColumns.end(),
                           [&](int column) { return grid.GetItemText(row, column).empty(); });
    }
    return std::none_of(plan.selectableColumns.begin(), plan.selectableColumns.end(),
                        [&](int column) { return grid.IsCellSelected(row, column); });
}

unsigned CountRowsToSend(const SendPlan& plan, SendScope scope, const IGridAccess& grid) {
    unsigned count = 0;
    for (int row = 1; row <= plan.rowCount; ++row) {
        count += IsRowSkipped(plan, scope, grid, row) ? 0 : 1;
    }
    return count;
}

} // namespace tillora
