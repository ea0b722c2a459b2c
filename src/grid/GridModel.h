#pragma once

#include "tables/CellGrid.h"
#include "tables/CellRange.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>

namespace tillora {

// The data cells of one cell grid as a table model: model row r and column c are grid row
// r + fixed rows and column c + fixed columns; the header row and label column are the header
// data. Texts cross to Unicode here. It listens to the cell grid and tells the views what the
// grid announced; an edit through it is one step of the grid's history.
class CGridModel : public QAbstractTableModel, private ICellObserver {
    Q_OBJECT
public:
    // The cells must outlive the model.
    explicit CGridModel(CCellGrid& cells, QObject* parent = nullptr);
    ~CGridModel() override;

    CCellGrid& Cells() { return m_cells; }
    const CCellGrid& Cells() const { return m_cells; }

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

    // Cells drawn on a background of their own, whatever their colours: those the predicate
    // names (grid row and column). None: no cell is marked.
    void SetMarkedCells(std::function<bool(int row, int column)> marked, QColor background);
    // The predicate's answers changed: the views draw the cells again.
    void MarksChanged();

signals:
    // The grid's column widths or row heights changed.
    void sizesChanged();
    // Whether there is something to undo or to redo may have changed.
    void historyChanged();
    // A typed or pasted value that the cell refused (it became empty): the text as given.
    void valueRefused(int row, int column, const QString& text);

private:
    // ICellObserver
    void CellsChanged(const CCellRange& range) override;
    void ShapeChanged() override;
    void SizesChanged() override;
    void HistoryChanged() override;
    void ValueRefused(int row, int column, std::string_view text) override;

    CCellGrid& m_cells;
    std::function<bool(int, int)> m_marked;
    QColor m_markBackground;
};

} // namespace tillora
