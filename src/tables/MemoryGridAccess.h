#pragma once

#include "tables/GridAccess.h"

#include <set>
#include <utility>

namespace tillora {

// Grid access without a screen, for the command-line tool and the tests: a selection set and a
// focus cell over a cell grid it does not own. The view it would show starts at the first data
// cell and never scrolls.
class CMemoryGridAccess final : public IGridAccess {
public:
    explicit CMemoryGridAccess(CCellGrid& cells)
        : m_cells(cells), m_shapeVersion(cells.GetShapeVersion()) {}

    CCellGrid& Cells() override { return m_cells; }
    const CCellGrid& Cells() const override { return m_cells; }

    bool IsCellSelected(int row, int column) const override;
    int GetSelectedCount() const override;
    CCellRange GetSelectedCellRange() const override;
    void SetSelectedRange(const CCellRange& range) override;
    // Adds or removes one cell, as a Ctrl+click does.
    void SetCellSelected(int row, int column, bool selected);
    void ClearSelection();

    CCellID GetFocusCell() const override;
    void SetFocusCell(int row, int column) override;
    CCellID GetTopLeftNonFixedCell() const override;

    void EnsureVisible(int row, int column) override { m_lastShown = {row, column}; }
    void EndEditing() override { ++m_editsEnded; }
    void SetFocus() override { m_hasKeyboardFocus = true; }
    void Redraw() override { ++m_redraws; }

    // What a screen would have shown, for tests and the tool's messages.
    CCellID LastShown() const { return m_lastShown; }
    int EditsEnded() const { return m_editsEnded; }
    bool HasKeyboardFocus() const { return m_hasKeyboardFocus; }
    int Redraws() const { return m_redraws; }

private:
    // After a reshape, forgets the selected cells and the focus cell that the grid removed.
    void ForgetRemovedCells() const;

    CCellGrid& m_cells;
    mutable std::set<std::pair<int, int>> m_selected;
    mutable CCellID m_focus;
    mutable unsigned m_shapeVersion;
    CCellID m_lastShown;
    int m_editsEnded = 0;
    bool m_hasKeyboardFocus = false;
    int m_redraws = 0;
};

} // namespace tillora
