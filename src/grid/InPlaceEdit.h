#pragma once

#include "tables/CellFormat.h"

#include <QLineEdit>

namespace tillora {

// How the key or click that opened the editor leaves its text.
enum class EditStart {
    CaretAtEnd, // the mouse, F2, Enter
    SelectAll,  // Tab, blank, the page keys, Home, End, the arrows
    Replace,    // a typed character, which replaces the text
    Backspace   // the caret at the end and the last character removed
};

struct EditOpening {
    EditStart start = EditStart::CaretAtEnd;
    QString typed;        // the character of Replace
    bool byF2Key = false; // F2 or the mouse: the arrows then move the caret
};

// The in-place editor: one line over the cell, taking typed input by the cell's options.
class CInPlaceEdit final : public QLineEdit {
    Q_OBJECT
public:
    CInPlaceEdit(const EditorOptions& options, const EditOpening& opening, QWidget* parent);

    // Puts the cell's text in and applies the opening; once only, so that a later refresh of
    // the cell does not undo the typing.
    void Start(const QString& text);
    bool IsStarted() const { return m_started; }
    const QString& Original() const { return m_original; }
    bool ArrowsMoveCaret() const { return m_opening.byF2Key; }

    // Types the text as the keys would, by the cell's rules for typed input.
    void Type(const QString& text);
    // The width the text wants, two blanks included.
    int WantedWidth() const;
    // The editor grows with its text up to this x of its parent.
    void SetRightLimit(int x) { m_rightLimit = x; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString Typed(const QString& text, bool keypad) const;
    void Widen();

    EditorOptions m_options;
    EditOpening m_opening;
    QString m_original;
    bool m_started = false;
    int m_rightLimit = 0;
};

} // namespace tillora
