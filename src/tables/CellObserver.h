#pragma once

#include "tables/CellRange.h"

#include <string_view>

namespace tillora {

// Whoever shows a cell grid listens to it: the grid says what changed after every change, so
// that no caller has to remember to renew the screen.
class ICellObserver {
public:
    virtual ~ICellObserver() = default;

    // The texts or states of the rectangle changed, header cells included.
    virtual void CellsChanged(const CCellRange& range) = 0;
    // Rows, columns, fixed rows or columns or cell types changed: every cell may be another.
    virtual void ShapeChanged() = 0;
    // A column width or a row height changed.
    virtual void SizesChanged() {}
    // Whether there is something to undo or to redo may have changed.
    virtual void HistoryChanged() {}
    // An edit gave the cell a text that it refused, so the cell is empty now.
    virtual void ValueRefused(int /*row*/, int /*column*/, std::string_view /*text*/) {}
};

} // namespace tillora
