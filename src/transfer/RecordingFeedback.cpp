#include "transfer/RecordingFeedback.h"

namespace tillora {

CRecordingFeedback::CRecordingFeedback(std::function<void(const std::string&)> told)
    : m_told(std::move(told)) {}

void CRecordingFeedback::Keep(unsigned stringId, const std::string& text) {
    m_messages.push_back({stringId, text});
    if (m_told) {
        m_told(text);
    }
}

void CRecordingFeedback::ShowMessage(unsigned stringId, const std::string& text,
                                     MessageIcon /*icon*/) {
    Keep(stringId, text);
}

// The detail (which device, and why the system refused it) is what the user acts on.
void CRecordingFeedback::ShowMessageWithDetail(unsigned stringId, const std::string& text,
                                               MessageIcon /*icon*/, const std::string& detail) {
    Keep(stringId, detail.empty() ? text : text + "\r\n" + detail);
}

bool CRecordingFeedback::AskYesNo(unsigned stringId, const std::string& text, MessageIcon /*icon*/,
                                  bool /*defaultNo*/) {
    Keep(stringId, text);
    return false;
}

void CRecordingFeedback::SetStatusText(const std::string& text) {
    m_lastStatus = text;
    if (m_told) {
        m_told(text);
    }
}

std::string CRecordingFeedback::LastMessage() const {
    return m_messages.empty() ? std::string() : m_messages.back().text;
}

} // namespace tillora
