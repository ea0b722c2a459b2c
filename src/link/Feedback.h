#pragma once

#include <string>

namespace tillora {

enum class MessageIcon { Error, Information, Question };

// What a long operation needs from whoever started it. The Qt window, the command-line tool and
// the tests each give their own; operations report every failure here, once, by string id.
class IFeedback {
public:
    virtual ~IFeedback() = default;

    // A modal message with an OK button. text is the string-table text, already formatted.
    virtual void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) = 0;

    // The same message with more for whoever can show it beside the text (which device, and why
    // the system refused it); the text and its id stay those of the message. By default the
    // detail is left out.
    virtual void ShowMessageWithDetail(unsigned stringId, const std::string& text, MessageIcon icon,
                                       const std::string& detail) {
        (void)detail;
        ShowMessage(stringId, text, icon);
    }

    // A Yes/No question; true for Yes. defaultNo makes No the button that Enter presses.
    virtual bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                          bool defaultNo) = 0;

    // The first pane of the status bar: progress and success of transfers.
    virtual void SetStatusText(const std::string& text) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Lets pending paint events through and drops user input, so that the window stays drawn
    // while a transfer runs and nothing else can start meanwhile.
    virtual void PumpPaintMessages() = 0;
};

// Shows the wait cursor for as long as it lives.
class CWaitCursor {
public:
    explicit CWaitCursor(IFeedback& feedback) : m_feedback(feedback) {
        m_feedback.BeginWaitCursor();
    }
    ~CWaitCursor() { m_feedback.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    IFeedback& m_feedback;
};

} // namespace tillora
