#pragma once

#include "grid/InPlaceEdit.h"

#include <QStyledItemDelegate>

#include <optional>

namespace tillora {

// Opens the in-place editor with the cell's options and the opening key, and ends it by the keys
// of the grid: Tab, Enter and (after a typed start, or with Ctrl) the arrows and page keys end
// the edit and name the key the grid continues with; Escape puts back the starting text.
class CGridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CGridDelegate(QObject* parent = nullptr);

    // How the next editor opens.
    void SetOpening(const EditOpening& opening) { m_opening = opening; }
    // The key that ended the last edit, when the grid is to move and edit on; once.
    std::optional<QKeyCombination> TakeEndingKey();

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    // Frames the focus cell plainly, so that a cell reached by find or go-to stands out even
    // beside a selection elsewhere.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

signals:
    // A new editor for the cell at the model index.
    void editorOpened(CInPlaceEdit* editor, const QModelIndex& index) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void EndWithKey(CInPlaceEdit* editor, QKeyCombination key);

    EditOpening m_opening;
    std::optional<QKeyCombination> m_endingKey;
};

} // namespace tillora
