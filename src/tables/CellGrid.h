#pragma once

#include "tables/CellMeasure.h"
#include "tables/CellObserver.h"
#include "tables/CellRange.h"
#include "tables/EditHistory.h"
#include "tables/GridCell.h"
#include "tables/GridDefaultCell.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// Which cells AutoSizeColumn measures.
enum class AutoSizeStyle { Both, Header, Data };

// What a set text became in the cell.
enum class TextTaken {
    AsGiven,    // the cell holds the text as given
    Normalised, // the cell holds it in its normal form
    Refused,    // the cell did not accept it and is empty now
    NoCell      // outside the grid: nothing was set
};

// How the changes of one step are kept.
enum class EditKind {
    UserEdit,  // typed, pasted, cut, deleted, ticked: one undo step; a refused value is announced
    TableLoad, // a file read, an import, clearing: one undo step; the operation tells of refusals
    Unrecorded // set-up, the register's report: no undo step, so the history no longer fits and
               // is emptied
};

// The cells of one table: a rectangle of rows × columns with header rows and columns, the row
// heights and column widths, and the grid-wide settings. Selection and focus belong to whatever
// shows the grid (see IGridAccess). It announces every change to its observers and keeps the
// history of the texts' changes for undo and redo.
class CCellGrid {
public:
    // The measure must outlive the grid; none takes a fixed-pitch measure.
    explicit CCellGrid(const ICellMeasure* measure = nullptr);
    CCellGrid(const CCellGrid&) = delete;
    CCellGrid& operator=(const CCellGrid&) = delete;

    // An observer stays until it removes itself; it is told after each change.
    void AddObserver(ICellObserver* observer);
    void RemoveObserver(ICellObserver* observer);

    // The changes between BeginEdit and the matching EndEdit are one step: kept together in the
    // history and announced together at its end. An inner step joins the outer one.
    void BeginEdit(EditKind kind = EditKind::UserEdit);
    void EndEdit();

    // New cells are CGridCell; a new row gets the default height and a new column the default
    // width as they are at that moment. Removing rows or columns deletes their cells.
    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    void SetFixedRowCount(int rows);
    void SetFixedColumnCount(int columns);
    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedColumns; }
    bool IsValid(int row, int column) const;
    // Changes with every change of the row or column count, so that whoever keeps cells by their
    // place (a selection, a focus cell) can tell that removed cells are gone.
    unsigned GetShapeVersion() const { return static_cast<unsigned>(m_shapes.size()); }
    // The fewest rows and columns the grid had at any time since that version: the cells beyond
    // were removed, even if rows or columns have been added again since.
    CCellID SmallestShapeSince(unsigned version) const;

    // Replaces the cell by one of the class; the old text passes through the new class's SetText.
    bool SetCellType(int row, int column, const CellClass& cellClass);
    // The cell, or null outside the grid.
    CGridCellBase* GetCell(int row, int column);
    const CGridCellBase* GetCell(int row, int column) const;
    CGridCell* GetTextCell(int row, int column);

    // Through the cell's SetText; marks the cell and the grid modified. Outside a step the change
    // is a step of its own that is not recorded.
    TextTaken SetItemText(int row, int column, std::string_view text);
    // Whether giving the cell the text is an edit: the cell may be edited and the text differs
    // from its own, so that a cell left as it was gets no modified mark.
    bool IsEdit(int row, int column, std::string_view text) const;
    // Sets the text as the in-place editor commits one, when that is an edit: a step of its own
    // unless a step is in progress. None when nothing was set.
    std::optional<TextTaken> EditText(int row, int column, std::string_view text);
    // A check cell's box. Ticking is not a change of the text: the cell gets no modified mark. The
    // box answers even where typing is refused, but not in a grid that may not be edited. False
    // when nothing changed.
    bool SetCheck(int row, int column, bool checked);
    bool IsCheck(int row, int column) const;
    bool GetCheck(int row, int column) const;
    // The empty text outside the grid.
    std::string GetItemText(int row, int column) const;
    bool SetItemFormat(int row, int column, std::uint32_t format);
    // The cell's format, or its default cell's when it has none.
    std::uint32_t GetItemFormat(int row, int column) const;
    bool SetItemState(int row, int column, std::uint32_t state);
    // The cell's flags, with the fixed flags of the header rows and columns.
    std::uint32_t GetItemState(int row, int column) const;
    bool GetModified() const { return m_modified; }

    // Takes back the last recorded step, or applies again the last one taken back; the rectangle
    // of the cells it changed, invalid when there was nothing to do.
    CCellRange Undo();
    CCellRange Redo();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    std::size_t UndoCount() const { return m_history.UndoCount(); }

    // Whether the user may edit at all, and this cell.
    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }
    bool IsCellEditable(int row, int column) const;
    void SetRowResize(bool on) { m_rowResize = on; }
    bool GetRowResize() const { return m_rowResize; }

    // Widths and heights in pixels; 0 hides the column or row.
    bool SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    bool SetRowHeight(int row, int height);
    int GetRowHeight(int row) const;
    // Fits the column to its widest cell; nothing for a hidden column.
    void AutoSizeColumn(int column, AutoSizeStyle style = AutoSizeStyle::Both);
    // The same, measured by a front end in the font the grid is shown in.
    void AutoSizeColumn(int column, AutoSizeStyle style, const ICellMeasure& measure);
    // A cell's width and height as measured for AutoSizeColumn.
    CellExtent GetCellExtent(int row, int column) const;
    CellExtent GetCellExtent(int row, int column, const ICellMeasure& measure) const;

    // The defaults for ordinary cells, header-row cells, header-column cells and corner cells.
    CGridDefaultCell& GetDefaultCell(bool fixedRow, bool fixedColumn);
    const CGridDefaultCell& GetDefaultCell(bool fixedRow, bool fixedColumn) const;
    const ICellMeasure& Measure() const { return *m_measure; }
    // Measures the four default cells again with the grid's font, as after a change of font.
    void MeasureDefaults();

private:
    std::unique_ptr<CGridCellBase>& Slot(int row, int column);
    void Record(int row, int column, std::string before, std::string after, bool marks);
    CCellRange Apply(const CEditHistory::Step& step, bool undo);
    void ForgetHistory();
    template <typename Call> void Tell(Call call);
    void Reshape(int rows, int columns);
    int EffectiveMargin(int row, int column) const;

    const ICellMeasure* m_measure;
    int m_rows = 0;
    int m_columns = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    std::vector<std::unique_ptr<CGridCellBase>> m_cells; // row by row
    std::vector<int> m_rowHeights;
    std::vector<int> m_columnWidths;
    std::array<CGridDefaultCell, 4> m_defaultCells;
    bool m_editable = true;
    bool m_rowResize = true;
    bool m_modified = false;
    std::vector<CCellID> m_shapes; // the row and column counts after every reshape

    std::vector<ICellObserver*> m_observers;
    CEditHistory m_history;
    // The step in progress.
    int m_stepDepth = 0;
    EditKind m_stepKind = EditKind::Unrecorded;
    CEditHistory::Step m_stepEdits;
    CCellRange m_stepChanged;
};

// One step of changes for as long as it lives.
class CEditStep {
public:
    explicit CEditStep(CCellGrid& grid, EditKind kind = EditKind::UserEdit) : m_grid(grid) {
        m_grid.BeginEdit(kind);
    }
    ~CEditStep() { m_grid.EndEdit(); }
    CEditStep(const CEditStep&) = delete;
    CEditStep& operator=(const CEditStep&) = delete;

private:
    CCellGrid& m_grid;
};

} // namespace tillora
