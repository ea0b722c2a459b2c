#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

class QLabel;
class QStatusBar;

namespace tillora {

// The message pane: one line of text, drawn as it comes and cut short with "..." where it does
// not fit. A label would have the status bar lay itself out anew for every text, and the status
// bar answers that by repainting every pane; a transfer sets a text for every record, so this
// pane repaints itself alone.
class CMessagePane final : public QWidget {
    Q_OBJECT
public:
    explicit CMessagePane(QWidget* parent);

    void SetText(const QString& text);
    const QString& Text() const { return m_text; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

// The status bar's panes: the message pane at the left (transfers' progress and results, the
// commands' prompts while a menu item is highlighted) and the pane that follows the focus cell.
// Qt cannot read the state of Caps Lock, Num Lock and Scroll Lock, so their indicators are not
// shown.
class CStatusPanes : public QObject {
    Q_OBJECT
public:
    explicit CStatusPanes(QStatusBar* bar);

    void SetMessage(const QString& text);
    QString Message() const;
    void SetFocusPane(const QString& text);
    QString FocusPane() const;

private:
    CMessagePane* m_message;
    QLabel* m_focus;
};

} // namespace tillora
