#include "tables/FocusMoves.h"

#include <algorithm>

namespace tillora {
namespace {

bool RowShown(const CCellGrid& grid, int row) {
    return grid.GetRowHeight(row) > 0;
}

bool ColumnShown(const CCellGrid& grid, int column) {
    return grid.GetColumnWidth(column) > 0;
}

// The first visible row from start stepping by step within the data rows; -1 when none.
int VisibleRow(const CCellGrid& grid, int start, int step) {
    for (int r = start; r >= grid.GetFixedRowCount() && r < grid.GetRowCount(); r += step) {
        if (RowShown(grid, r)) {
            return r;
        }
    }
    return -1;
}

int VisibleColumn(const CCellGrid& grid, int start, int step) {
    for (int c = start; c >= grid.GetFixedColumnCount() && c < grid.GetColumnCount(); c += step) {
        if (ColumnShown(grid, c)) {
            return c;
        }
    }
    return -1;
}

// The cell when both are found, else where the move started.
CCellID Found(CCellID from, int row, int column) {
    return row >= 0 && column >= 0 ? CCellID{row, column} : from;
}

CCellID Next(const CCellGrid& grid, CCellID from) {
    const int column = VisibleColumn(grid, from.col + 1, 1);
    if (column >= 0) {
        return {from.row, column};
    }
    return Found(from, VisibleRow(grid, from.row + 1, 1),
                 VisibleColumn(grid, grid.GetFixedColumnCount(), 1));
}

CCellID Previous(const CCellGrid& grid, CCellID from) {
    const int column = VisibleColumn(grid, from.col - 1, -1);
    if (column >= 0) {
        return {from.row, column};
    }
    return Found(from, VisibleRow(grid, from.row - 1, -1),
                 VisibleColumn(grid, grid.GetColumnCount() - 1, -1));
}

} // namespace

CCellID MovedFocus(const CCellGrid& grid, CCellID from, FocusMove move) {
    if (!grid.IsValid(from.row, from.col)) {
        return from;
    }
    const int firstRow = grid.GetFixedRowCount();
    const int firstColumn = grid.GetFixedColumnCount();
    const int lastRow = grid.GetRowCount() - 1;
    const int lastColumn = grid.GetColumnCount() - 1;
    switch (move) {
    case FocusMove::Right:
        return Found(from, from.row, VisibleColumn(grid, from.col + 1, 1));
    case FocusMove::Left:
        return Found(from, from.row, VisibleColumn(grid, from.col - 1, -1));
    case FocusMove::Down:
        return Found(from, VisibleRow(grid, from.row + 1, 1), from.col);
    case FocusMove::Up:
        return Found(from, VisibleRow(grid, from.row - 1, -1), from.col);
    case FocusMove::Next:
        return Next(grid, from);
    case FocusMove::Previous:
        return Previous(grid, from);
    case FocusMove::Home:
        return Found(from, from.row, VisibleColumn(grid, firstColumn, 1));
    case FocusMove::End:
        return Found(from, from.row, VisibleColumn(grid, lastColumn, -1));
    case FocusMove::Top:
        return Found(from, VisibleRow(grid, firstRow, 1), VisibleColumn(grid, firstColumn, 1));
    case FocusMove::Bottom:
        return Found(from, VisibleRow(grid, lastRow, -1), VisibleColumn(grid, lastColumn, -1));
    }
    return from;
}

CCellID MovedByRows(const CCellGrid& grid, CCellID from, int rows) {
    if (!grid.IsValid(from.row, from.col) || grid.GetRowCount() <= grid.GetFixedRowCount()) {
        return from;
    }
    const int target = std::clamp(from.row + rows, grid.GetFixedRowCount(), grid.GetRowCount() - 1);
    const int step = rows < 0 ? -1 : 1;
    int row = VisibleRow(grid, target, step);
    if (row < 0) {
        row = VisibleRow(grid, target, -step);
    }
    return Found(from, row, from.col);
}

} // namespace tillora
