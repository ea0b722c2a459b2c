#include "grid/GridCtrl.h"

#include "grid/GridClipboard.h"
#include "grid/GridDelegate.h"
#include "grid/QtText.h"
#include "tables/ClipboardText.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace tillora {

CGridCtrl::CGridCtrl(CCellGrid& cells, QWidget* parent)
    : QTableView(parent), m_model(new CGridModel(cells, this)), m_delegate(new CGridDelegate(this)),
      m_measure(font()), m_autoScroll(new QTimer(this)) {
    setModel(m_model);
    connect(m_model, &CGridModel::sizesChanged, this, [this] {
        if (!m_syncingWidths) {
            ApplyCellSizes();
        }
    });
    connect(m_model, &CGridModel::historyChanged, this, &CGridCtrl::historyChanged);
    connect(m_model, &CGridModel::valueRefused, this, &CGridCtrl::valueRefused);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &CGridCtrl::KeepFocus);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CGridCtrl::RestoreFocus);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Editors open by the control's own key and mouse rules.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setMouseTracking(true);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setMinimumSectionSize(0);
    columns->setHighlightSections(true);
    // A double click on a border fits the column by the cells' own measure.
    disconnect(columns, &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
    connect(columns, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int section) { AutoSizeColumn(section + Cells().GetFixedColumnCount()); });
    connect(columns, &QHeaderView::sectionResized, this, &CGridCtrl::ColumnResized);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(true);

    connect(m_delegate, &CGridDelegate::editorOpened, this, &CGridCtrl::RememberEditor);
    m_autoScroll->setInterval(25);
    connect(m_autoScroll, &QTimer::timeout, this, &CGridCtrl::AutoScrollStep);
    ApplyCellSizes();
}

CGridCtrl::~CGridCtrl() = default;

CCellGrid& CGridCtrl::Cells() {
    return m_model->Cells();
}

const CCellGrid& CGridCtrl::Cells() const {
    return m_model->Cells();
}

CGridModel* CGridCtrl::Model() const {
    return m_model;
}

// ---- History ----------------------------------------------------------------------------------

bool CGridCtrl::CanUndo() const {
    return Cells().CanUndo();
}

bool CGridCtrl::CanRedo() const {
    return Cells().CanRedo();
}

void CGridCtrl::Undo() {
    DropEditor();
    ShowChanged(Cells().Undo());
}

void CGridCtrl::Redo() {
    DropEditor();
    ShowChanged(Cells().Redo());
}

// A commit now would add a step while the history moves.
void CGridCtrl::DropEditor() {
    if (m_editor != nullptr) {
        closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
    }
}

void CGridCtrl::ShowChanged(const CCellRange& changed) {
    if (changed.IsValid()) {
        SetSelectedRange(changed);
        SetFocusCell(changed.minRow, changed.minCol);
        EnsureVisible(changed.minRow, changed.minCol);
    }
}

// ---- Selection and focus ---------------------------------------------------------------------

void CGridCtrl::SelectRange(const CCellRange& range, QItemSelectionModel::SelectionFlags flags) {
    const CCellGrid& cells = Cells();
    const int firstRow = std::max(range.minRow, cells.GetFixedRowCount());
    const int firstColumn = std::max(range.minCol, cells.GetFixedColumnCount());
    const int lastRow = std::min(range.maxRow, cells.GetRowCount() - 1);
    const int lastColumn = std::min(range.maxCol, cells.GetColumnCount() - 1);
    if (!range.IsValid() || firstRow > lastRow || firstColumn > lastColumn) {
        if (flags & QItemSelectionModel::Clear) {
            selectionModel()->clearSelection();
        }
        return;
    }
    selectionModel()->select(QItemSelection(m_model->IndexOf(firstRow, firstColumn),
                                            m_model->IndexOf(lastRow, lastColumn)),
                             flags);
}

bool CGridCtrl::IsCellSelected(int row, int column) const {
    const QModelIndex index = m_model->IndexOf(row, column);
    return index.isValid() && selectionModel()->isSelected(index);
}

int CGridCtrl::GetSelectedCount() const {
    int count = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        count += range.width() * range.height();
    }
    return count;
}

CCellRange CGridCtrl::GetSelectedCellRange() const {
    CCellRange bounds;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        const CCellID first = m_model->CellOf(range.topLeft());
        const CCellID last = m_model->CellOf(range.bottomRight());
        bounds = bounds.Including(first.row, first.col).Including(last.row, last.col);
    }
    return bounds;
}

void CGridCtrl::SetSelectedRange(const CCellRange& range) {
    SelectRange(range, QItemSelectionModel::ClearAndSelect);
}

CCellID CGridCtrl::GetFocusCell() const {
    return m_model->CellOf(currentIndex());
}

// The anchor follows, so that Shift extends from where the focus was put.
void CGridCtrl::SetFocusCell(int row, int column) {
    const CCellGrid& cells = Cells();
    row = std::max(row, cells.GetFixedRowCount());
    column = std::max(column, cells.GetFixedColumnCount());
    if (!cells.IsValid(row, column)) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        m_anchor = {};
        return;
    }
    selectionModel()->setCurrentIndex(m_model->IndexOf(row, column), QItemSelectionModel::NoUpdate);
    m_anchor = {row, column};
}

CCellID CGridCtrl::GetTopLeftNonFixedCell() const {
    const QModelIndex index = indexAt(QPoint(0, 0));
    if (index.isValid()) {
        return m_model->CellOf(index);
    }
    const CCellID first{Cells().GetFixedRowCount(), Cells().GetFixedColumnCount()};
    return Cells().IsValid(first.row, first.col) ? first : CCellID{};
}

void CGridCtrl::EnsureVisible(int row, int column) {
    const QModelIndex index = m_model->IndexOf(row, column);
    if (index.isValid()) {
        scrollTo(index);
    }
}

void CGridCtrl::EndEditing() {
    if (m_editor != nullptr) {
        QWidget* editor = m_editor;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CGridCtrl::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

void CGridCtrl::Redraw() {
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

void CGridCtrl::KeepFocus() {
    m_focusBeforeReset = GetFocusCell();
}

// The cells came anew: so do their sizes, and the focus stays on its cell if that is still there.
void CGridCtrl::RestoreFocus() {
    ApplyCellSizes();
    m_anchor = {};
    const CCellID focus = std::exchange(m_focusBeforeReset, CCellID{});
    if (Cells().IsValid(focus.row, focus.col)) {
        SetFocusCell(focus.row, focus.col);
    }
}

// ---- Widths -----------------------------------------------------------------------------------

void CGridCtrl::ApplyCellSizes() {
    const CCellGrid& cells = Cells();
    const int fixedRows = cells.GetFixedRowCount();
    const int fixedColumns = cells.GetFixedColumnCount();
    m_syncingWidths = true;
    for (int c = fixedColumns; c < cells.GetColumnCount(); ++c) {
        const int width = cells.GetColumnWidth(c);
        setColumnHidden(c - fixedColumns, width == 0);
        if (width > 0) {
            setColumnWidth(c - fixedColumns, width);
        }
    }
    m_syncingWidths = false;
    if (cells.GetRowCount() > fixedRows) {
        verticalHeader()->setDefaultSectionSize(std::max(cells.GetRowHeight(fixedRows), 1));
    }
    for (int r = fixedRows; r < cells.GetRowCount(); ++r) {
        const int height = cells.GetRowHeight(r);
        const int section = r - fixedRows;
        if (height == 0 || isRowHidden(section)) {
            setRowHidden(section, height == 0);
        }
        if (height > 0 && height != verticalHeader()->sectionSize(section)) {
            setRowHeight(section, height);
        }
    }
}

// A column dragged to nothing is hidden, as a width of 0 hides it.
void CGridCtrl::ColumnResized(int section, int /*oldSize*/, int newSize) {
    if (m_syncingWidths) {
        return;
    }
    const int column = section + Cells().GetFixedColumnCount();
    m_syncingWidths = true;
    if (newSize <= 0 && !isColumnHidden(section)) {
        Cells().SetColumnWidth(column, 0);
        setColumnHidden(section, true);
    } else if (newSize > 0) {
        Cells().SetColumnWidth(column, newSize);
    }
    m_syncingWidths = false;
}

void CGridCtrl::AutoSizeColumn(int column) {
    if (column < Cells().GetFixedColumnCount() || column >= Cells().GetColumnCount()) {
        return;
    }
    m_measure.SetFont(font());
    Cells().AutoSizeColumn(column, AutoSizeStyle::Both, m_measure); // the grid tells the new width
}

void CGridCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_measure.SetFont(font());
    }
    QTableView::changeEvent(event);
}

// ---- Clipboard --------------------------------------------------------------------------------

bool CGridCtrl::CanCopy() const {
    return GetSelectedCount() > 0;
}

bool CGridCtrl::CanCut() const {
    return Cells().IsEditable() && GetSelectedCount() > 0;
}

bool CGridCtrl::CanPaste() const {
    const CCellID focus = GetFocusCell();
    return Cells().IsCellEditable(focus.row, focus.col) && ClipboardHasText();
}

void CGridCtrl::OnEditCopy() {
    EndEditing();
    if (GetSelectedCount() > 0) {
        PutClipboardText(SelectionText(*this));
    }
}

void CGridCtrl::OnEditCut() {
    EndEditing();
    if (CanCut()) {
        PutClipboardText(CutSelection(*this));
    }
}

void CGridCtrl::OnEditPaste() {
    const CCellID target = PasteTarget(*this);
    if (m_editor != nullptr && m_editorCell == target) {
        m_editor->insert(ClipboardText());
        return;
    }
    EndEditing();
    if (ClipboardHasText()) {
        PasteText(*this, target, ToCp1251(ClipboardText()));
    }
}

void CGridCtrl::OnEditSelectAll() {
    EndEditing();
    selectAll();
}

} // namespace tillora
