#pragma once

#include "tables/CellMeasure.h"
#include "tables/CellRange.h"
#include "tables/GridCell.h"
#include "tables/GridDefaultCell.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {

// Which cells AutoSizeColumn measures.
enum class AutoSizeStyle { Both, Header, Data };

// The cells of one table: a rectangle of rows × columns with header rows and columns, the row
// heights and column widths, and the grid-wide settings. Selection and focus belong to whatever
// shows the grid (see IGridAccess).
class CCellGrid {
public:
    // The measure must outlive the grid; none takes a fixed-pitch measure.
    explicit CCellGrid(const ICellMeasure* measure = nullptr);

    // New cells are CGridCell; a new row gets the default height and a new column the default
    // width as they are at that moment. Removing rows or columns deletes their cells.
    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    void SetFixedRowCount(int rows) { m_fixedRows = rows; }
    void SetFixedColumnCount(int columns) { m_fixedColumns = columns; }
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

    // Through the cell's SetText; marks the cell and the grid modified. False outside the grid.
    bool SetItemText(int row, int column, std::string_view text);
    // The empty text outside the grid.
    std::string GetItemText(int row, int column) const;
    bool SetItemFormat(int row, int column, std::uint32_t format);
    // The cell's format, or its default cell's when it has none.
    std::uint32_t GetItemFormat(int row, int column) const;
    bool SetItemState(int row, int column, std::uint32_t state);
    // The cell's flags, with the fixed flags of the header rows and columns.
    std::uint32_t GetItemState(int row, int column) const;
    bool GetModified() const { return m_modified; }

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
};

} // namespace tillora
