#include "tables/MemoryGridAccess.h"

#include <algorithm>

namespace tillora {

void CMemoryGridAccess::ForgetRemovedCells() const {
    if (m_shapeVersion == m_cells.GetShapeVersion()) {
        return;
    }
    const CCellID kept = m_cells.SmallestShapeSince(m_shapeVersion);
    m_shapeVersion = m_cells.GetShapeVersion();
    const auto removed = [&](int row, int column) { return row >= kept.row || column >= kept.col; };
    std::erase_if(m_selected, [&](const auto& cell) { return removed(cell.first, cell.second); });
    if (removed(m_focus.row, m_focus.col)) {
        m_focus = {};
    }
}

bool CMemoryGridAccess::IsCellSelected(int row, int column) const {
    ForgetRemovedCells();
    return m_selected.count({row, column}) != 0;
}

int CMemoryGridAccess::GetSelectedCount() const {
    ForgetRemovedCells();
    return static_cast<int>(m_selected.size());
}

CCellRange CMemoryGridAccess::GetSelectedCellRange() const {
    ForgetRemovedCells();
    if (m_selected.empty()) {
        return {};
    }
    CCellRange range{m_cells.GetRowCount(), m_cells.GetColumnCount(), -1, -1};
    for (const auto& [row, column] : m_selected) {
        range.minRow = std::min(range.minRow, row);
        range.minCol = std::min(range.minCol, column);
        range.maxRow = std::max(range.maxRow, row);
        range.maxCol = std::max(range.maxCol, column);
    }
    return range;
}

void CMemoryGridAccess::SetSelectedRange(const CCellRange& range) {
    ClearSelection();
    if (!range.IsValid()) {
        return;
    }
    const int lastRow = std::min(range.maxRow, m_cells.GetRowCount() - 1);
    const int lastColumn = std::min(range.maxCol, m_cells.GetColumnCount() - 1);
    for (int r = range.minRow; r <= lastRow; ++r) {
        for (int c = range.minCol; c <= lastColumn; ++c) {
            m_selected.emplace_hint(m_selected.end(), r, c);
        }
    }
}

void CMemoryGridAccess::SetCellSelected(int row, int column, bool selected) {
    ForgetRemovedCells();
    if (!m_cells.IsValid(row, column)) {
        return;
    }
    if (selected) {
        m_selected.emplace(row, column);
    } else {
        m_selected.erase({row, column});
    }
}

void CMemoryGridAccess::ClearSelection() {
    ForgetRemovedCells();
    m_selected.clear();
}

CCellID CMemoryGridAccess::GetFocusCell() const {
    ForgetRemovedCells();
    return m_focus;
}

void CMemoryGridAccess::SetFocusCell(int row, int column) {
    ForgetRemovedCells();
    row = std::max(row, m_cells.GetFixedRowCount());
    column = std::max(column, m_cells.GetFixedColumnCount());
    m_focus = m_cells.IsValid(row, column) ? CCellID{row, column} : CCellID{};
}

CCellID CMemoryGridAccess::GetTopLeftNonFixedCell() const {
    const CCellID cell{m_cells.GetFixedRowCount(), m_cells.GetFixedColumnCount()};
    return m_cells.IsValid(cell.row, cell.col) ? cell : CCellID{};
}

} // namespace tillora
