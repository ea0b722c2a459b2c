#pragma once

#include "link/Feedback.h"

#include <functional>
#include <string>
#include <vector>

namespace tillora {

// The feedback of one register among several sent to at once, on that register's thread: it
// never opens anything modal. Every message is kept for whoever shows the register's outcome,
// and every message and status text is passed on as it comes to whoever follows the run. A
// question has no one to answer it: it is kept as a message and answered No.
class CRecordingFeedback final : public IFeedback {
public:
    // Called on the register's thread with every message and status text; may be empty.
    explicit CRecordingFeedback(std::function<void(const std::string& text)> told = {});

    void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) override;
    void ShowMessageWithDetail(unsigned stringId, const std::string& text, MessageIcon icon,
                               const std::string& detail) override;
    bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                  bool defaultNo) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}

    struct Message {
        unsigned stringId;
        std::string text;
    };
    const std::vector<Message>& Messages() const { return m_messages; }
    // The last status text: how a transfer reports success.
    const std::string& LastStatus() const { return m_lastStatus; }
    // The last message: how a transfer that failed says why; empty when none was shown.
    std::string LastMessage() const;

private:
    void Keep(unsigned stringId, const std::string& text);

    std::function<void(const std::string&)> m_told;
    std::vector<Message> m_messages;
    std::string m_lastStatus;
};

} // namespace tillora
