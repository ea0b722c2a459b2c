#include "tables/ClipboardText.h"

#include "tables/TextTrim.h"

#include <algorithm>
#include <vector>

namespace tillora {
namespace {

constexpr std::string_view FieldSeparators = "\t,";

// The rows from first to last that are not hidden, found once so that the cell loops never ask.
std::vector<int> VisibleRows(const CCellGrid& cells, int first, int last) {
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) {
        if (cells.GetRowHeight(r) > 0) {
            rows.push_back(r);
        }
    }
    return rows;
}

std::vector<int> VisibleColumns(const CCellGrid& cells, int first, int last) {
    std::vector<int> columns;
    for (int c = first; c <= last; ++c) {
        if (cells.GetColumnWidth(c) > 0) {
            columns.push_back(c);
        }
    }
    return columns;
}

// Sets a text as the in-place editor commits one.
void CommitText(IGridAccess& grid, int row, int column, std::string_view text) {
    if (grid.Cells().IsEdit(row, column, text)) {
        grid.SetItemText(row, column, text);
    }
}

std::string CopyText(const IGridAccess& grid, const CCellRange& range) {
    const std::vector<int> rows = VisibleRows(grid.Cells(), range.minRow, range.maxRow);
    const std::vector<int> columns = VisibleColumns(grid.Cells(), range.minCol, range.maxCol);
    std::string text;
    if (columns.empty()) {
        return text;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        for (std::size_t j = 0; j < columns.size(); ++j) {
            if (j > 0) {
                text += '\t';
            }
            if (grid.IsCellSelected(rows[i], columns[j])) {
                text += grid.GetItemText(rows[i], columns[j]);
            }
        }
    }
    return text;
}

void ClearCells(IGridAccess& grid, const CCellRange& range) {
    for (int r = range.minRow; r <= range.maxRow; ++r) {
        for (int c = range.minCol; c <= range.maxCol; ++c) {
            if (grid.IsCellSelected(r, c)) {
                CommitText(grid, r, c, {});
            }
        }
    }
}

// An empty line takes its row and sets nothing; the line left by a CR LF pair around nothing is
// one too, so that CR LF texts paste as LF texts do.
bool IsEmptyLine(std::string_view line) {
    return line.empty() || line == "\r";
}

// Sets the line's fields into the row, one per column; the fields past the last column are
// dropped. Returns how many columns the line reached.
std::size_t PasteLine(IGridAccess& grid, int row, const std::vector<int>& columns,
                      std::string_view line) {
    std::size_t field = 0;
    std::size_t start = 0;
    while (field < columns.size()) {
        const std::size_t end = line.find_first_of(FieldSeparators, start);
        CommitText(grid, row, columns[field], Trimmed(line.substr(start, end - start)));
        ++field;
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return field;
}

} // namespace

std::string SelectionText(const IGridAccess& grid) {
    const CCellRange range = grid.GetSelectedCellRange();
    return range.IsValid() ? CopyText(grid, range) : std::string();
}

CCellID PasteTarget(const IGridAccess& grid) {
    const CCellRange selection = grid.GetSelectedCellRange();
    if (selection.IsValid()) {
        return selection.TopLeft();
    }
    const CCellID focus = grid.GetFocusCell();
    return focus.IsValid() ? focus : grid.GetTopLeftNonFixedCell();
}

// Line k goes to the k-th visible row at or below the target and field m to the m-th visible
// column at or right of it. When the lines have different numbers of fields, the pasted
// rectangle reaches down to the last row a non-empty line went to and right to the furthest
// column any line reached inside the grid, so that everything the paste touched is selected.
// Cells that kept their text (read-only, or already holding it) count as reached.
CCellRange PasteText(IGridAccess& grid, CCellID target, std::string_view text) {
    const CCellGrid& cells = grid.Cells();
    if (text.empty() || !cells.IsCellEditable(target.row, target.col)) {
        return {};
    }
    CEditStep step(grid.Cells());
    const std::vector<int> rows = VisibleRows(cells, target.row, cells.GetRowCount() - 1);
    const std::vector<int> columns = VisibleColumns(cells, target.col, cells.GetColumnCount() - 1);
    int lastRow = -1;
    std::size_t widest = 0;
    std::size_t start = 0;
    for (int row : rows) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        if (!IsEmptyLine(line)) {
            const std::size_t reached = PasteLine(grid, row, columns, line);
            if (reached > 0) {
                lastRow = row;
                widest = std::max(widest, reached);
            }
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (widest == 0) {
        return {};
    }
    const CCellRange pasted{target.row, target.col, lastRow, columns[widest - 1]};
    grid.SetSelectedRange(pasted);
    return pasted;
}

void ClearSelectedCells(IGridAccess& grid) {
    const CCellRange range = grid.GetSelectedCellRange();
    if (range.IsValid()) {
        CEditStep step(grid.Cells());
        ClearCells(grid, range);
    }
}

std::string CutSelection(IGridAccess& grid) {
    if (!grid.Cells().IsEditable()) {
        return {};
    }
    const CCellRange range = grid.GetSelectedCellRange();
    if (!range.IsValid()) {
        return {};
    }
    std::string text = CopyText(grid, range);
    CEditStep step(grid.Cells());
    ClearCells(grid, range);
    return text;
}

} // namespace tillora
