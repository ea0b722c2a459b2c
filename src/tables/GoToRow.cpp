#include "tables/GoToRow.h"

#include "tables/GridAccess.h"

namespace tillora {

int DataRowCount(const IGridAccess& grid) {
    return grid.GetRowCount() > 0 ? grid.GetRowCount() - 1 : 0;
}

std::optional<int> ParseRowNumber(std::string_view text, int maxRow) {
    if (text.empty()) {
        return std::nullopt;
    }
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
        if (number > maxRow) {
            return std::nullopt;
        }
    }
    if (number == 0) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

void GoToRow(IGridAccess& grid, int row) {
    grid.EnsureVisible(row, 1);
    grid.SetFocusCell(row, 1);
    grid.SetFocus();
}

} // namespace tillora
