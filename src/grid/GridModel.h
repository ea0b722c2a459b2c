#pragma once

#include "tables/CellGrid.h"
#include "tables/CellRange.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>

#include <string>

namespace tillora {

// How the model's edits reach the grid's one edit path (with its undo record); without one the
// model sets the cells itself.
class IGridEdits {
public:
    virtual ~IGridEdits() = default;
    // A text typed into the cell; false when the cell kept its text.
    virtual bool CommitText(int row, int column, const std::string& text) = 0;
    // A click on a check box.
    virtual bool ToggleCheck(int row, int column) = 0;
};

// The data cells of one cell grid as a table model: model row r and column c are grid row
// r + fixed rows and column c + fixed columns; the header row and label column are the header
// data. Texts cross to Unicode here.
class CGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CGridModel(CCellGrid& cells, QObject* parent = nullptr);

    CCellGrid& Cells() { return m_cells; }
    const CCellGrid& Cells() const { return m_cells; }
    void SetEdits(IGridEdits* edits) { m_edits = edits; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Between grid cells and model indexes; a header cell has no index.
    QModelIndex IndexOf(int row, int column) const;
    QModelIndex IndexOf(CCellID cell) const { return IndexOf(cell.row, cell.col); }
    CCellID CellOf(const QModelIndex& index) const;

    // Tells the views that the texts of the rectangle changed, headers included.
    void CellsChanged(const CCellRange& range);
    // After the grid changed its shape or all its cells.
    void Reset();

    // Cells drawn on a background of their own, whatever their colours: those the predicate
    // names (grid row and column). None: no cell is marked.
    void SetMarkedCells(std::function<bool(int row, int column)> marked, QColor background);
    // The predicate's answers changed: the views draw the cells again.
    void MarksChanged();

private:
    bool IsCheck(int row, int column) const;

    CCellGrid& m_cells;
    IGridEdits* m_edits = nullptr;
    std::function<bool(int, int)> m_marked;
    QColor m_markBackground;
};

} // namespace tillora
