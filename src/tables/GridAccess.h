#pragma once

#include "tables/CellGrid.h"
#include "tables/CellRange.h"

#include <string>
#include <string_view>

namespace tillora {

// What the transfers, the table files, the clipboard rules and find need of a grid on the screen:
// its cells, and the selection and focus that whoever shows it keeps.
class IGridAccess {
public:
    virtual ~IGridAccess() = default;

    virtual CCellGrid& Cells() = 0;
    virtual const CCellGrid& Cells() const = 0;

    int GetRowCount() const { return Cells().GetRowCount(); }
    int GetColumnCount() const { return Cells().GetColumnCount(); }
    std::string GetItemText(int row, int column) const { return Cells().GetItemText(row, column); }
    // Sets the text through the cell; the cell grid announces the change.
    virtual TextTaken SetItemText(int row, int column, std::string_view text) {
        return Cells().SetItemText(row, column, text);
    }

    virtual bool IsCellSelected(int row, int column) const = 0;
    virtual int GetSelectedCount() const = 0;
    // The bounding rectangle of the selection; invalid when nothing is selected.
    virtual CCellRange GetSelectedCellRange() const = 0;
    // Replaces the selection by the cells of the rectangle (none for an invalid one).
    virtual void SetSelectedRange(const CCellRange& range) = 0;

    virtual CCellID GetFocusCell() const = 0;
    // Clamps to the first non-fixed row and column; outside the grid, no focus cell.
    virtual void SetFocusCell(int row, int column) = 0;
    // The first data cell in view, where a paste goes when nothing is selected or focused.
    virtual CCellID GetTopLeftNonFixedCell() const = 0;

    virtual void EnsureVisible(int row, int column) = 0;
    // Closes an open in-place editor, committing its text.
    virtual void EndEditing() = 0;
    // Gives the grid the keyboard focus.
    virtual void SetFocus() = 0;
    virtual void Redraw() = 0;
};

} // namespace tillora
