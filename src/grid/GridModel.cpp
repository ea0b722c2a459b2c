#include "grid/GridModel.h"

#include "grid/QtCellMeasure.h"
#include "grid/QtColour.h"
#include "grid/QtText.h"

#include <QColor>
#include <QGuiApplication>

#include <algorithm>

namespace tillora {
namespace {

Qt::Alignment AlignmentOf(std::uint32_t format) {
    if ((format & CellFormat::Right) != 0) {
        return Qt::AlignRight | Qt::AlignVCenter;
    }
    if ((format & CellFormat::Center) != 0) {
        return Qt::AlignHCenter | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant ColourOf(Colour colour) {
    if (colour == DefaultColour) {
        return {};
    }
    return ToQColor(colour);
}

} // namespace

CGridModel::CGridModel(CCellGrid& cells, QObject* parent)
    : QAbstractTableModel(parent), m_cells(cells) {
    m_cells.AddObserver(this);
}

CGridModel::~CGridModel() {
    m_cells.RemoveObserver(this);
}

int CGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(m_cells.GetRowCount() - m_cells.GetFixedRowCount(), 0);
}

int CGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0
                            : std::max(m_cells.GetColumnCount() - m_cells.GetFixedColumnCount(), 0);
}

QModelIndex CGridModel::IndexOf(int row, int column) const {
    return index(row - m_cells.GetFixedRowCount(), column - m_cells.GetFixedColumnCount());
}

CCellID CGridModel::CellOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) {
        return {};
    }
    return {index.row() + m_cells.GetFixedRowCount(),
            index.column() + m_cells.GetFixedColumnCount()};
}

QVariant CGridModel::data(const QModelIndex& index, int role) const {
    const CCellID cell = CellOf(index);
    const CGridCellBase* base = m_cells.GetCell(cell.row, cell.col);
    if (base == nullptr) {
        return {};
    }
    const auto* text = dynamic_cast<const CGridCell*>(base);
    const bool check = m_cells.IsCheck(cell.row, cell.col);
    switch (role) {
    case Qt::DisplayRole:
        // A check box shows no digit beside it.
        return check ? QVariant() : QVariant(FromCp1251(base->GetText()));
    case Qt::EditRole:
        return FromCp1251(base->GetText());
    case Qt::CheckStateRole:
        return check ? QVariant(m_cells.GetCheck(cell.row, cell.col) ? Qt::Checked : Qt::Unchecked)
                     : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(AlignmentOf(m_cells.GetItemFormat(cell.row, cell.col)));
    case Qt::BackgroundRole:
        if (m_marked && m_marked(cell.row, cell.col)) {
            return m_markBackground;
        }
        return text != nullptr ? ColourOf(text->GetBackClr()) : QVariant();
    case Qt::ForegroundRole:
        return text != nullptr ? ColourOf(text->GetTextClr()) : QVariant();
    case Qt::FontRole:
        if (text != nullptr && text->GetFont() != nullptr) {
            return ToQFont(*text->GetFont(), QGuiApplication::font());
        }
        return {};
    default:
        return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool horizontal = orientation == Qt::Horizontal;
    const int row = horizontal ? 0 : section + m_cells.GetFixedRowCount();
    const int column = horizontal ? section + m_cells.GetFixedColumnCount() : 0;
    if (section < 0 || !m_cells.IsValid(row, column)) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return FromCp1251(m_cells.GetItemText(row, column));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(AlignmentOf(m_cells.GetItemFormat(row, column)));
    default:
        return {};
    }
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const {
    const CCellID cell = CellOf(index);
    if (!m_cells.IsValid(cell.row, cell.col)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_cells.IsCellEditable(cell.row, cell.col)) {
        result |= Qt::ItemIsEditable;
    }
    // A flag's box answers a click even where typing is refused; a table that is not editable
    // keeps its flags.
    if (m_cells.IsEditable() && m_cells.IsCheck(cell.row, cell.col)) {
        result |= Qt::ItemIsUserCheckable;
    }
    return result;
}

bool CGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const CCellID cell = CellOf(index);
    if (role == Qt::CheckStateRole) {
        return m_cells.SetCheck(cell.row, cell.col, value.toInt() == Qt::Checked);
    }
    if (role != Qt::EditRole) {
        return false;
    }
    return m_cells.EditText(cell.row, cell.col, ToCp1251(value.toString())).has_value();
}

void CGridModel::CellsChanged(const CCellRange& range) {
    if (!range.IsValid()) {
        return;
    }
    const int fixedRows = m_cells.GetFixedRowCount();
    const int fixedColumns = m_cells.GetFixedColumnCount();
    if (range.minRow < fixedRows) {
        emit headerDataChanged(Qt::Horizontal, 0, std::max(columnCount() - 1, 0));
    }
    if (range.minCol < fixedColumns) {
        emit headerDataChanged(Qt::Vertical, 0, std::max(rowCount() - 1, 0));
    }
    const int lastRow = std::min(range.maxRow, m_cells.GetRowCount() - 1);
    const int lastColumn = std::min(range.maxCol, m_cells.GetColumnCount() - 1);
    if (lastRow < fixedRows || lastColumn < fixedColumns) {
        return;
    }
    emit dataChanged(
        IndexOf(std::max(range.minRow, fixedRows), std::max(range.minCol, fixedColumns)),
        IndexOf(lastRow, lastColumn));
}

// The grid has already changed: the views take everything anew.
void CGridModel::ShapeChanged() {
    beginResetModel();
    endResetModel();
}

void CGridModel::SizesChanged() {
    emit sizesChanged();
}

void CGridModel::HistoryChanged() {
    emit historyChanged();
}

void CGridModel::ValueRefused(int row, int column, std::string_view text) {
    emit valueRefused(row, column, FromCp1251(text));
}

void CGridModel::SetMarkedCells(std::function<bool(int row, int column)> marked,
                                QColor background) {
    m_marked = std::move(marked);
    m_markBackground = background;
    MarksChanged();
}

void CGridModel::MarksChanged() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole});
    }
}

} // namespace tillora
