#pragma once

#include "grid/GridModel.h"
#include "grid/InPlaceEdit.h"
#include "grid/QtCellMeasure.h"
#include "tables/CellGrid.h"
#include "tables/FocusMoves.h"
#include "tables/GridAccess.h"

#include <QPointer>
#include <QTableView>

#include <optional>
#include <vector>

class QTimer;

namespace tillora {

class CGridDelegate;

// The spreadsheet-like control that shows and edits one table: a table view over the cell grid,
// with the header row and label column as its headers. Selection and focus are its selection
// model's; the texts, their history and the announcement of their changes are the cell grid's.
class CGridCtrl : public QTableView, public IGridAccess {
    Q_OBJECT
public:
    // The cells must outlive the control.
    explicit CGridCtrl(CCellGrid& cells, QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // IGridAccess
    CCellGrid& Cells() override;
    const CCellGrid& Cells() const override;
    bool IsCellSelected(int row, int column) const override;
    int GetSelectedCount() const override;
    CCellRange GetSelectedCellRange() const override;
    void SetSelectedRange(const CCellRange& range) override;
    CCellID GetFocusCell() const override;
    void SetFocusCell(int row, int column) override;
    CCellID GetTopLeftNonFixedCell() const override;
    void EnsureVisible(int row, int column) override;
    void EndEditing() override;
    void SetFocus() override;
    void Redraw() override;

    // The clipboard commands, and whether each applies now.
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;

    // The cell grid's history, with the changed cells then selected and the focus on the first.
    // An edit in progress is dropped, not committed.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;

    // Fits a column to its widest cell, measured in the control's font.
    void AutoSizeColumn(int column);

    CGridModel* Model() const;

    // Opens the editor on the cell as F2 does; false where it cannot be edited.
    bool EditCell(int row, int column);
    bool IsEditing() const { return m_editor != nullptr; }
    // What AutoSizeColumn measures with: the control's font.
    const CQtCellMeasure& Measure() const { return m_measure; }

    using QTableView::edit;

signals:
    // The focus cell moved (grid rows and columns, headers included); (-1, -1) for none.
    void focusCellChanged(int row, int column);
    // The selection changed (for the commands' enable states).
    void selectionChangedByUser();
    // While an editor is open on the focus cell: its text as typed so far.
    void editorTextChanged(int row, int column, const QString& text);
    // A typed or pasted value that the cell refused (it became empty): the text as given.
    void valueRefused(int row, int column, const QString& text);
    // Whether there is something to undo or to redo may have changed.
    void historyChanged();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowChanged(const CCellRange& changed);
    void DropEditor();
    // Around a reset of the model: the focus cell stays where it was.
    void KeepFocus();
    void RestoreFocus();

    // Keys and moves.
    static std::optional<CursorAction> CursorActionOf(int key);
    static std::optional<FocusMove> FocusMoveOf(CursorAction action, bool ctrl);
    bool HandleCommandKey(const QKeyEvent& event);
    bool HandleMoveKey(const QKeyEvent& event);
    QModelIndex PageMove(bool down);
    void MoveFocusTo(CCellID cell, bool extend);
    bool OpenEditor(CCellID cell, const EditOpening& opening);
    bool ToggleFocusCheck();
    void RememberEditor(CInPlaceEdit* editor, const QModelIndex& index);

    // Mouse.
    CCellID CellAt(const QPoint& viewportPoint) const;
    CCellID ClampedCellAt(const QPoint& viewportPoint) const;
    void ExtendDragTo(CCellID cell);
    void AutoScrollStep();
    void ToggleCheckAt(const QModelIndex& index, QMouseEvent* event);

    void SelectRange(const CCellRange& range, QItemSelectionModel::SelectionFlags flags);
    void ApplyCellSizes();
    void ColumnResized(int section, int oldSize, int newSize);

    CGridModel* m_model;
    CGridDelegate* m_delegate;
    CQtCellMeasure m_measure;
    CCellID m_anchor;
    QPointer<CInPlaceEdit> m_editor;
    CCellID m_editorCell;
    // The key an edit ended with, while the control moves on and edits the next cell.
    std::optional<QKeyCombination> m_continuation;

    CCellID m_focusBeforeReset;

    enum class MouseMode { None, SelectCells, EditPending };
    MouseMode m_mouseMode = MouseMode::None;
    CCellID m_pressCell;
    QPoint m_dragPoint; // where the pointer was last seen while dragging
    QItemSelection m_selectionBeforeDrag;
    QTimer* m_autoScroll;
    bool m_syncingWidths = false;
};

} // namespace tillora
