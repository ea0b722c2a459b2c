#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace tillora {

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
    QLabel* m_message;
    QLabel* m_focus;
};

} // namespace tillora
