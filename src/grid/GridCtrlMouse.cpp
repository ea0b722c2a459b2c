// The control's mouse: selecting with Shift and Ctrl, dragging with auto-scroll, the edit that a
// click on the focus cell prepares, check boxes, the right button and the title tips.
#include "grid/GridCtrl.h"

#include "grid/GridDelegate.h"
#include "grid/TitleTip.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

namespace tillora {

CCellID CGridCtrl::CellAt(const QPoint& viewportPoint) const {
    return m_model->CellOf(indexAt(viewportPoint));
}

// The cell under the point, or the nearest one at the edge when the point is outside the cells.
CCellID CGridCtrl::ClampedCellAt(const QPoint& viewportPoint) const {
    const QRect area = viewport()->rect();
    const QPoint inside(std::clamp(viewportPoint.x(), 0, std::max(area.width() - 1, 0)),
                        std::clamp(viewportPoint.y(), 0, std::max(area.height() - 1, 0)));
    int row = rowAt(inside.y());
    int column = columnAt(inside.x());
    if (row < 0) {
        row = m_model->rowCount() - 1;
    }
    if (column < 0) {
        column = m_model->columnCount() - 1;
    }
    return m_model->CellOf(m_model->index(row, column));
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
    QToolTip::hideText();
    const QPoint point = event->position().toPoint();
    const CCellID cell = CellAt(point);
    setFocus(Qt::MouseFocusReason);
    EndEditing();
    if (event->button() == Qt::RightButton) {
        // The focus goes to the cell under the pointer; the selection stays.
        if (cell.IsValid()) {
            selectionModel()->setCurrentIndex(m_model->IndexOf(cell),
                                              QItemSelectionModel::NoUpdate);
        }
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton || !cell.IsValid()) {
        QTableView::mousePressEvent(event);
        return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const CCellID focus = GetFocusCell();
    if (!shift || !m_anchor.IsValid()) {
        m_anchor = shift && focus.IsValid() ? focus : cell;
    }
    m_pressCell = cell;
    m_dragPoint = point;
    if (!ctrl && !shift && cell == focus && Cells().IsCellEditable(cell.row, cell.col)) {
        m_mouseMode = MouseMode::EditPending;
        return;
    }
    const QModelIndex index = m_model->IndexOf(cell);
    const CCellID anchor = m_anchor;
    if (ctrl && selectionModel()->isSelected(index)) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        SelectRange(shift ? CCellRange::Spanning(anchor, cell)
                          : CCellRange{cell.row, cell.col, cell.row, cell.col},
                    QItemSelectionModel::Deselect);
        m_anchor = anchor;
        return;
    }
    // The focus goes to the clicked cell even inside a selection, so that what is typed next goes
    // where the user clicked.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_anchor = anchor;
    m_selectionBeforeDrag = ctrl ? selectionModel()->selection() : QItemSelection();
    SelectRange(CCellRange::Spanning(anchor, cell),
                ctrl ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
    m_mouseMode = MouseMode::SelectCells;
    m_autoScroll->start();
}

// The rectangle from the anchor to the cell, added to what was selected before a Ctrl drag.
void CGridCtrl::ExtendDragTo(CCellID cell) {
    if (!cell.IsValid() || !m_anchor.IsValid()) {
        return;
    }
    const CCellID anchor = m_anchor;
    selectionModel()->select(m_selectionBeforeDrag, QItemSelectionModel::ClearAndSelect);
    SelectRange(CCellRange::Spanning(anchor, cell), QItemSelectionModel::Select);
    selectionModel()->setCurrentIndex(m_model->IndexOf(cell), QItemSelectionModel::NoUpdate);
    m_anchor = anchor;
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || m_mouseMode == MouseMode::None) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    m_dragPoint = event->position().toPoint();
    const CCellID cell = ClampedCellAt(m_dragPoint);
    if (m_mouseMode == MouseMode::EditPending) {
        if (cell == m_pressCell) {
            return;
        }
        // Dragging away from the focus cell selects after all.
        m_mouseMode = MouseMode::SelectCells;
        m_selectionBeforeDrag = QItemSelection();
        m_autoScroll->start();
    }
    ExtendDragTo(cell);
}

// While the pointer is outside the cells, the view scrolls one row or column towards it.
void CGridCtrl::AutoScrollStep() {
    if (m_mouseMode != MouseMode::SelectCells) {
        m_autoScroll->stop();
        return;
    }
    const QPoint point = m_dragPoint;
    const QRect area = viewport()->rect();
    if (area.contains(point)) {
        return;
    }
    if (point.y() < area.top()) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (point.y() > area.bottom()) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    if (point.x() < area.left()) {
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (point.x() > area.right()) {
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    ExtendDragTo(ClampedCellAt(point));
}

void CGridCtrl::ToggleCheckAt(const QModelIndex& index, QMouseEvent* event) {
    if (!(m_model->flags(index) & Qt::ItemIsUserCheckable)) {
        return;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    itemDelegateForIndex(index)->editorEvent(event, m_model, option, index);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event) {
    m_autoScroll->stop();
    const MouseMode mode = std::exchange(m_mouseMode, MouseMode::None);
    if (event->button() != Qt::LeftButton) {
        QTableView::mouseReleaseEvent(event);
        return;
    }
    const CCellID cell = CellAt(event->position().toPoint());
    if (mode == MouseMode::EditPending && cell == m_pressCell) {
        // A check box takes the click; elsewhere the click opens the editor.
        const QModelIndex index = m_model->IndexOf(cell);
        const int before = index.data(Qt::CheckStateRole).toInt();
        ToggleCheckAt(index, event);
        if (index.data(Qt::CheckStateRole).toInt() == before) {
            OpenEditor(cell, {EditStart::CaretAtEnd, {}, true});
        }
        return;
    }
    if (mode == MouseMode::SelectCells && cell.IsValid() && cell == GetFocusCell()) {
        ToggleCheckAt(m_model->IndexOf(cell), event);
    }
    event->accept();
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    const CCellID cell = CellAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && cell.IsValid() &&
        !(m_model->flags(m_model->IndexOf(cell)) & Qt::ItemIsUserCheckable)) {
        OpenEditor(cell, {EditStart::CaretAtEnd, {}, true});
    }
    event->accept();
}

bool CGridCtrl::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const bool editing = m_editor != nullptr && m_model->CellOf(index) == m_editorCell;
        if (!editing && ShowTitleTip(*this, index, help->pos(), help->globalPos())) {
            return true;
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        QToolTip::hideText();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

} // namespace tillora
