#pragma once

#include <algorithm>

namespace tillora {

// One cell by row and column; (-1, -1) is no cell.
struct CCellID {
    int row = -1;
    int col = -1;
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const CCellID&) const = default;
};

// A rectangle of cells, both corners included; the default is no rectangle.
struct CCellRange {
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    static CCellRange Spanning(CCellID a, CCellID b) {
        return {std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row),
                std::max(a.col, b.col)};
    }
    bool IsValid() const {
        return minRow >= 0 && minCol >= 0 && maxRow >= minRow && maxCol >= minCol;
    }
    bool Contains(int row, int col) const {
        return IsValid() && row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
    }
    CCellID TopLeft() const { return {minRow, minCol}; }
    // The smallest rectangle holding this one and the cell.
    CCellRange Including(int row, int col) const {
        if (!IsValid()) {
            return {row, col, row, col};
        }
        return {std::min(minRow, row), std::min(minCol, col), std::max(maxRow, row),
                std::max(maxCol, col)};
    }
    bool operator==(const CCellRange&) const = default;
};

} // namespace tillora
