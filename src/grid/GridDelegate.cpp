#include "grid/GridDelegate.h"

#include "grid/GridModel.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace tillora {
namespace {

bool IsMoveKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

EditorOptions OptionsOf(const QModelIndex& index) {
    const auto* model = qobject_cast<const CGridModel*>(index.model());
    if (model == nullptr) {
        return {};
    }
    const CCellID cell = model->CellOf(index);
    const CGridCellBase* base = model->Cells().GetCell(cell.row, cell.col);
    return base != nullptr ? base->GetEditorOptions() : EditorOptions{};
}

} // namespace

CGridDelegate::CGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void CGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!option.state.testFlag(QStyle::State_HasFocus)) {
        return;
    }
    constexpr int frameWidth = 2;
    painter->save();
    QPen pen(option.palette.color(QPalette::Active, QPalette::Text), frameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    painter->restore();
}

std::optional<QKeyCombination> CGridDelegate::TakeEndingKey() {
    return std::exchange(m_endingKey, std::nullopt);
}

QWidget* CGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    auto* editor = new CInPlaceEdit(OptionsOf(index), m_opening, parent);
    editor->setFont(option.font);
    editor->SetRightLimit(parent->width());
    emit editorOpened(editor, index);
    return editor;
}

// The control starts the editor itself, after the view's own set-up; a refresh of the cell later
// must not undo the typing.
void CGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (qobject_cast<CInPlaceEdit*>(editor) == nullptr) {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void CGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
    if (auto* edit = qobject_cast<CInPlaceEdit*>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
    }
}

// The editor keeps the width its text gave it.
void CGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                         const QModelIndex& /*index*/) const {
    QRect rect = option.rect;
    if (auto* edit = qobject_cast<CInPlaceEdit*>(editor)) {
        edit->SetRightLimit(editor->parentWidget()->width());
        const int limit = std::max(editor->parentWidget()->width() - rect.left(), rect.width());
        rect.setWidth(std::min(std::max(rect.width(), edit->WantedWidth()), limit));
    }
    editor->setGeometry(rect);
}

void CGridDelegate::EndWithKey(CInPlaceEdit* editor, QKeyCombination key) {
    m_endingKey = key;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
}

bool CGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<CInPlaceEdit*>(object);
    if (editor == nullptr || event->type() != QEvent::KeyPress) {
        return QStyledItemDelegate::eventFilter(object, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EndWithKey(editor, key->keyCombination());
        return true;
    case Qt::Key_Escape:
        editor->setText(editor->Original());
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return true;
    default:
        break;
    }
    if (IsMoveKey(key->key())) {
        if (!editor->ArrowsMoveCaret() || (modifiers & Qt::ControlModifier)) {
            EndWithKey(editor, key->keyCombination());
            return true;
        }
        // A single line has no lines to move between: only the caret keys act.
        return key->key() != Qt::Key_Left && key->key() != Qt::Key_Right;
    }
    if (modifiers & Qt::AltModifier) {
        return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace tillora
