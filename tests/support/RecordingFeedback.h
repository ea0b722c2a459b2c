#pragma once

#include "link/Clock.h"
#include "link/Feedback.h"

#include <cstdint>

#include <string>
#include <vector>

namespace tillora::test {

// Keeps everything an operation showed, so that tests assert on string ids.
class RecordingFeedback final : public IFeedback {
public:
    struct Message {
        unsigned id;
        std::string text;
        MessageIcon icon;
        std::string detail; // empty for a message without one
    };
    struct Question {
        unsigned id;
        std::string text;
        bool defaultNo;
        MessageIcon icon;
    };

    void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) override {
        messages.push_back({stringId, text, icon, {}});
    }
    void ShowMessageWithDetail(unsigned stringId, const std::string& text, MessageIcon icon,
                               const std::string& detail) override {
        messages.push_back({stringId, text, icon, detail});
    }
    bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                  bool defaultNo) override {
        questions.push_back({stringId, text, defaultNo, icon});
        return answer;
    }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void BeginWaitCursor() override { ++waitDepth, ++waitCursorShown; }
    void EndWaitCursor() override { --waitDepth; }
    void PumpPaintMessages() override {
        ++pumps;
        if (clock != nullptr) {
            pumpTimes.push_back(clock->NowMs());
        }
    }

    // The icons of the questions asked, in order.
    std::vector<MessageIcon> QuestionIcons() const {
        std::vector<MessageIcon> icons;
        for (const auto& q : questions) {
            icons.push_back(q.icon);
        }
        return icons;
    }

    // The ids of the messages shown, in order.
    std::vector<unsigned> Ids() const {
        std::vector<unsigned> ids;
        for (const auto& m : messages) {
            ids.push_back(m.id);
        }
        return ids;
    }

    std::vector<Message> messages;
    std::vector<Question> questions;
    std::vector<std::string> statusTexts;
    bool answer = false; // what every question is answered with
    int waitDepth = 0;
    int waitCursorShown = 0;
    int pumps = 0;
    IClock* clock = nullptr; // when set, the time of every pump is kept
    std::vector<std::uint64_t> pumpTimes;
};

} // namespace tillora::test
