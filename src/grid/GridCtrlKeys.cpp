// The control's keyboard: the moves of the focus, the editors' opening keys and the continuation
// after an edit that a key ended.
#include "grid/GridCtrl.h"

#include "grid/GridDelegate.h"
#include "tables/ClipboardText.h"
#include "tables/FocusMoves.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QToolTip>

namespace tillora {
namespace {

// The editor a continued edit opens: Enter leaves the caret at the end, the moves select all.
EditOpening ContinuedOpening(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return {EditStart::CaretAtEnd, {}, false};
    }
    return {EditStart::SelectAll, {}, false};
}

bool IsTab(int key) {
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

// The cursor action of a key that moves the focus; Enter goes down.
std::optional<QAbstractItemView::CursorAction> CGridCtrl::CursorActionOf(int key) {
    using A = QAbstractItemView::CursorAction;
    switch (key) {
    case Qt::Key_Up:
        return A::MoveUp;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return A::MoveDown;
    case Qt::Key_Left:
        return A::MoveLeft;
    case Qt::Key_Right:
        return A::MoveRight;
    case Qt::Key_Tab:
        return A::MoveNext;
    case Qt::Key_Backtab:
        return A::MovePrevious;
    case Qt::Key_PageUp:
        return A::MovePageUp;
    case Qt::Key_PageDown:
        return A::MovePageDown;
    case Qt::Key_Home:
        return A::MoveHome;
    case Qt::Key_End:
        return A::MoveEnd;
    default:
        return std::nullopt;
    }
}

std::optional<FocusMove> CGridCtrl::FocusMoveOf(CursorAction action, bool ctrl) {
    using A = QAbstractItemView::CursorAction;
    switch (action) {
    case A::MoveUp:
        return FocusMove::Up;
    case A::MoveDown:
        return FocusMove::Down;
    case A::MoveLeft:
        return FocusMove::Left;
    case A::MoveRight:
        return FocusMove::Right;
    case A::MoveNext:
        return FocusMove::Next;
    case A::MovePrevious:
        return FocusMove::Previous;
    case A::MoveHome:
        return ctrl ? FocusMove::Top : FocusMove::Home;
    case A::MoveEnd:
        return ctrl ? FocusMove::Bottom : FocusMove::End;
    default:
        return std::nullopt;
    }
}

QModelIndex CGridCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const CCellID focus = GetFocusCell();
    if (m_continuation && action == MoveNext) {
        const std::optional<CursorAction> continued = CursorActionOf(m_continuation->key());
        if (continued) {
            action = *continued;
            modifiers = m_continuation->keyboardModifiers();
        }
    }
    if (!focus.IsValid()) {
        return m_model->IndexOf(GetTopLeftNonFixedCell());
    }
    CCellID target = focus;
    if (action == MovePageDown || action == MovePageUp) {
        return PageMove(action == MovePageDown);
    }
    if (const std::optional<FocusMove> move =
            FocusMoveOf(action, (modifiers & Qt::ControlModifier) != 0)) {
        target = MovedFocus(Cells(), focus, *move);
    }
    // A continued edit that cannot move ends where it is.
    if (m_continuation && target == focus) {
        return {};
    }
    return m_model->IndexOf(target);
}

// The view scrolls one page and the focus moves as far as the top row did; a view that could not
// move sends the focus to the first or the last row.
QModelIndex CGridCtrl::PageMove(bool down) {
    const CCellID focus = GetFocusCell();
    const int topBefore = rowAt(0);
    verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd
                                            : QAbstractSlider::SliderPageStepSub);
    const int moved = rowAt(0) - topBefore;
    const int rows = moved != 0 ? moved : (down ? Cells().GetRowCount() : -Cells().GetRowCount());
    const CCellID target = MovedByRows(Cells(), focus, rows);
    if (m_continuation && target == focus) {
        return {};
    }
    return m_model->IndexOf(target);
}

// Without Shift the anchor moves to the new cell and the selection is that cell; with Shift the
// selection is the block from the anchor.
void CGridCtrl::MoveFocusTo(CCellID cell, bool extend) {
    if (!extend || !m_anchor.IsValid()) {
        m_anchor = cell;
    }
    const CCellID anchor = m_anchor;
    SelectRange(CCellRange::Spanning(anchor, cell), QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(m_model->IndexOf(cell), QItemSelectionModel::NoUpdate);
    m_anchor = anchor;
    EnsureVisible(cell.row, cell.col);
}

bool CGridCtrl::OpenEditor(CCellID cell, const EditOpening& opening) {
    const QModelIndex index = m_model->IndexOf(cell);
    if (!index.isValid() || !Cells().IsCellEditable(cell.row, cell.col)) {
        return false;
    }
    scrollTo(index);
    m_delegate->SetOpening(opening);
    return edit(index, AllEditTriggers, nullptr);
}

bool CGridCtrl::EditCell(int row, int column) {
    return OpenEditor({row, column}, {EditStart::CaretAtEnd, {}, true});
}

void CGridCtrl::RememberEditor(CInPlaceEdit* editor, const QModelIndex& index) {
    m_editor = editor;
    m_editorCell = m_model->CellOf(index);
    const CCellID cell = m_editorCell;
    connect(editor, &QLineEdit::textChanged, this, [this, cell](const QString& text) {
        emit editorTextChanged(cell.row, cell.col, text);
    });
}

// Editors open only by the control's rules; a continued edit opens by the key that ended the
// last. The opening is applied once the view has done its own set-up of the new editor.
bool CGridCtrl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger != AllEditTriggers) {
        // Whatever else asks (a click on a check box) is for the cell, not an editor.
        return QTableView::edit(index, NoEditTriggers, event);
    }
    if (m_continuation) {
        m_delegate->SetOpening(ContinuedOpening(m_continuation->key()));
    }
    if (!QTableView::edit(index, trigger, event)) {
        return false;
    }
    if (m_editor != nullptr && !m_editor->IsStarted()) {
        m_editor->Start(index.data(Qt::EditRole).toString());
    }
    return true;
}

void CGridCtrl::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == m_editor) {
        m_editor = nullptr;
        m_editorCell = {};
    }
    std::optional<QKeyCombination> key = m_delegate->TakeEndingKey();
    if (!key || hint != QAbstractItemDelegate::EditNextItem) {
        QTableView::closeEditor(editor, hint == QAbstractItemDelegate::EditNextItem
                                            ? QAbstractItemDelegate::NoHint
                                            : hint);
        return;
    }
    m_continuation = key;
    QTableView::closeEditor(editor, hint);
    m_continuation.reset();
    m_anchor = GetFocusCell();
}

void CGridCtrl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    const CCellID cell = m_model->CellOf(current);
    emit focusCellChanged(cell.row, cell.col);
}

void CGridCtrl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    emit selectionChangedByUser();
}

// Every scroll ends an edit in progress and hides the tip.
void CGridCtrl::scrollContentsBy(int dx, int dy) {
    QToolTip::hideText();
    EndEditing();
    QTableView::scrollContentsBy(dx, dy);
}

// The control keeps Tab: at the last cell nothing moves, and the focus stays.
// Qt also calls this when a hidden page takes the focus away from the grid or its editor; only a
// visible grid treats it as the Tab key, or switching tables would move the focus cell.
bool CGridCtrl::focusNextPrevChild(bool next) {
    if (isVisible() && tabKeyNavigation() && isEnabled()) {
        QKeyEvent key(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab, Qt::NoModifier);
        keyPressEvent(&key);
        return true;
    }
    // Past the item view, whose own version would press Tab all the same.
    return QAbstractScrollArea::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
}

bool CGridCtrl::HandleCommandKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event.key();
    const bool ctrl = modifiers == Qt::ControlModifier;
    if ((ctrl && (key == Qt::Key_C || key == Qt::Key_Insert))) {
        OnEditCopy();
    } else if (ctrl && key == Qt::Key_X) {
        OnEditCut();
    } else if ((ctrl && key == Qt::Key_V) ||
               (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert)) {
        OnEditPaste();
    } else if (ctrl && key == Qt::Key_A) {
        OnEditSelectAll();
    } else if (ctrl && key == Qt::Key_Z) {
        Undo();
    } else if ((ctrl && key == Qt::Key_Y) ||
               (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_Z)) {
        Redo();
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_Delete) {
        ClearSelectedCells(*this);
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_F2) {
        EditCell(GetFocusCell().row, GetFocusCell().col);
    } else {
        return false;
    }
    return true;
}

bool CGridCtrl::HandleMoveKey(const QKeyEvent& event) {
    const int key = event.key();
    const std::optional<CursorAction> action = CursorActionOf(key);
    if (!action || (IsTab(key) && (event.modifiers() & Qt::ControlModifier))) {
        return false;
    }
    const QModelIndex target = moveCursor(*action, event.modifiers());
    const CCellID cell = m_model->CellOf(target);
    if (cell.IsValid()) {
        MoveFocusTo(cell, (event.modifiers() & Qt::ShiftModifier) && !IsTab(key));
    }
    return true;
}

// The blank toggles a flag that typing cannot reach, so that the keyboard alone sets every flag.
bool CGridCtrl::ToggleFocusCheck() {
    const QModelIndex index = m_model->IndexOf(GetFocusCell());
    if (!(m_model->flags(index) & Qt::ItemIsUserCheckable) ||
        (m_model->flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return m_model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

// What the control does not take (Ctrl+Tab, Alt combinations, the function keys) goes on to the
// window, and no key searches the cells by their text.
void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    QToolTip::hideText();
    if (HandleCommandKey(*event) || HandleMoveKey(*event)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typed = !text.isEmpty() && event->key() != Qt::Key_Escape &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!typed) {
        event->ignore();
        return;
    }
    EditOpening opening{EditStart::Replace, text, false};
    if (event->key() == Qt::Key_Backspace) {
        opening = {EditStart::Backspace, {}, false};
    } else if (event->key() == Qt::Key_Space) {
        if (ToggleFocusCheck()) {
            event->accept();
            return;
        }
        opening = {EditStart::SelectAll, {}, false};
    } else if (!text.at(0).isPrint()) {
        event->ignore();
        return;
    }
    OpenEditor(GetFocusCell(), opening);
    event->accept();
}

} // namespace tillora
