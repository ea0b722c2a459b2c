#pragma once

#include <optional>
#include <string_view>

namespace tillora {

class IGridAccess;

// The longest row number the go-to-row dialog takes, in characters.
inline constexpr int MaxRowNumberLength = 4;

// The number of data rows N of a table: what go to row accepts at most.
int DataRowCount(const IGridAccess& grid);

// The go-to-row dialog's check: an unsigned decimal number that takes up the whole text, not 0 and
// at most maxRow. None for an empty, zero, non-numeric, partly numeric or too large text, for which
// the dialog shows 20031 with maxRow and stays open.
std::optional<int> ParseRowNumber(std::string_view text, int maxRow);

// After the dialog: grid row r (not its label: in the subgroup tables row 1 is labelled 0), column
// 1, scrolled into view and made the focus cell; the grid gets the keyboard focus. The selection
// stays as it was.
void GoToRow(IGridAccess& grid, int row);

} // namespace tillora
