#pragma once

#include "link/Feedback.h"

#include <string>

namespace tillora::test {

// Feedback for benchmarks, which look only at time: it shows nothing, answers No, and counts the
// messages, since a message means the operation failed.
class QuietFeedback final : public IFeedback {
public:
    void ShowMessage(unsigned, const std::string&, MessageIcon) override { ++messages; }
    bool AskYesNo(unsigned, const std::string&, MessageIcon, bool) override { return false; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}

    int messages = 0;
};

} // namespace tillora::test
