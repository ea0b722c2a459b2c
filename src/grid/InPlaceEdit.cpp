#include "grid/InPlaceEdit.h"

#include <QKeyEvent>
#include <QStyle>

#include <algorithm>

namespace tillora {
namespace {

Qt::Alignment AlignmentOf(EditorAlignment alignment) {
    switch (alignment) {
    case EditorAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case EditorAlignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case EditorAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

CInPlaceEdit::CInPlaceEdit(const EditorOptions& options, const EditOpening& opening,
                           QWidget* parent)
    : QLineEdit(parent), m_options(options), m_opening(opening) {
    setAlignment(AlignmentOf(options.alignment));
    if (options.maxLength > 0) {
        setMaxLength(options.maxLength);
    }
    connect(this, &QLineEdit::textEdited, this, &CInPlaceEdit::Widen);
}

void CInPlaceEdit::Start(const QString& text) {
    if (m_started) {
        return;
    }
    m_started = true;
    m_original = text;
    // The limit is one of typing: a longer text set otherwise (a 13-digit barcode from a file) is
    // shown whole, or committing it unchanged would cut off its end.
    if (m_options.maxLength > 0 && text.size() > maxLength()) {
        setMaxLength(static_cast<int>(text.size()));
    }
    setText(text);
    switch (m_opening.start) {
    case EditStart::CaretAtEnd:
        end(false);
        break;
    case EditStart::SelectAll:
        selectAll();
        break;
    case EditStart::Replace:
        selectAll();
        Type(m_opening.typed);
        break;
    case EditStart::Backspace:
        end(false);
        backspace();
        break;
    }
}

// Digits-only cells take no other character from the keyboard, and amounts take the comma as
// their decimal point.
QString CInPlaceEdit::Typed(const QString& text, bool keypad) const {
    QString typed;
    for (QChar c : text) {
        if (m_options.commaIsPoint &&
            (c == QLatin1Char(',') || (keypad && c == QLatin1Char('.')))) {
            c = QLatin1Char('.');
        }
        if (m_options.digitsOnly && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            continue;
        }
        typed += c;
    }
    return typed;
}

void CInPlaceEdit::Type(const QString& text) {
    const QString typed = Typed(text, false);
    if (!typed.isEmpty()) {
        insert(typed);
        Widen();
    }
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && (m_options.digitsOnly || m_options.commaIsPoint)) {
        const QString typed = Typed(text, (event->modifiers() & Qt::KeypadModifier) != 0);
        if (!typed.isEmpty()) {
            insert(typed);
            Widen();
        }
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

int CInPlaceEdit::WantedWidth() const {
    const QMargins margins = textMargins() + contentsMargins();
    // The frame on both sides and the two pixels a line edit keeps beside its text.
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 4;
    return fontMetrics().horizontalAdvance(text() + QStringLiteral("  ")) + margins.left() +
           margins.right() + frame;
}

void CInPlaceEdit::Widen() {
    const int wanted = WantedWidth();
    if (wanted <= width()) {
        return;
    }
    const int limit = m_rightLimit > x() ? m_rightLimit - x() : wanted;
    resize(std::min(wanted, std::max(limit, width())), height());
}

} // namespace tillora
