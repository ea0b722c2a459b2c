#pragma once

#include "link/Feedback.h"

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace tillora {

class CStatusPanes;

// The feedback of the window: message boxes over it, the status bar's message pane, the wait
// cursor, and a paint pump that keeps the window drawn during a transfer while discarding what
// the user types or clicks meanwhile, so that nothing of it acts later.
class CQtFeedback final : public QObject, public IFeedback {
    Q_OBJECT
public:
    // panes may be null (no status bar): status texts are then dropped.
    CQtFeedback(QWidget* window, CStatusPanes* panes);
    ~CQtFeedback() override;

    void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) override;
    // The detail stands under the message's text, where it is read without another click.
    void ShowMessageWithDetail(unsigned stringId, const std::string& text, MessageIcon icon,
                               const std::string& detail) override;
    bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                  bool defaultNo) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void PumpPaintMessages() override;

    // The events that the pump discards: keys, mouse, wheel, touch and closing a window.
    static bool IsUserInput(QEvent::Type type);

    // The one control that still takes the mouse while a transfer pumps (its Stop button), and
    // what Esc does meanwhile; every other input is discarded as before.
    void LetInputThrough(QWidget* control, std::function<void()> onEscape);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowBox(const std::string& text, MessageIcon icon, const std::string& detail);
    // Delivers what is pending with user input discarded.
    void DiscardPendingInput();

    QPointer<QWidget> m_window;
    QPointer<CStatusPanes> m_panes;
    int m_waitDepth = 0;
    bool m_pumped = false;
    bool m_discarding = false;
    QPointer<QWidget> m_passage;
    std::function<void()> m_onEscape;
};

} // namespace tillora
