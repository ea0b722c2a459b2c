#pragma once

#include "tables/CellGrid.h"
#include "tables/CellRange.h"

namespace tillora {

// The moves of the focus cell that keys make; hidden rows and columns are stepped over and the
// header rows and columns are never reached.
enum class FocusMove {
    Right,
    Left,
    Down,
    Up,
    Next,     // Tab: right, wrapping to the next row
    Previous, // Shift+Tab: left, wrapping to the previous row
    Home,     // first column of the row
    End,      // last column of the row
    Top,      // Ctrl+Home: first row and first column
    Bottom    // Ctrl+End: last row and last column
};

// Where the move takes the focus from the cell; the cell itself when there is nowhere to go.
CCellID MovedFocus(const CCellGrid& grid, CCellID from, FocusMove move);

// The focus moved by a number of rows, as a page key moves it with the view (negative is up),
// kept within the data rows and on a visible row.
CCellID MovedByRows(const CCellGrid& grid, CCellID from, int rows);

} // namespace tillora
