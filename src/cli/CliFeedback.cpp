#include "cli/CliFeedback.h"

#include "cli/Terminal.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <chrono>
#include <cstring>

namespace tillora::cli {
namespace {

std::uint64_t NowMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

std::string TerminalText(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        result += text[i];
    }
    return result;
}

CCliFeedback::CCliFeedback(std::optional<bool> answer, std::FILE* in, std::FILE* out)
    : m_answer(answer), m_in(in), m_out(out), m_outIsTerminal(IsTerminal(out)) {}

void CCliFeedback::EndProgressLine() {
    if (m_progressShown) {
        std::fputc('\n', m_out);
        m_progressShown = false;
    }
}

void CCliFeedback::ClearProgress() {
    if (m_progressShown) {
        ClearTerminalLine(m_out);
        std::fflush(m_out);
        m_progressShown = false;
    }
}

void CCliFeedback::SetRegister(const std::string& name, std::mutex& outputLock) {
    m_prefix = name + ": ";
    m_outputLock = &outputLock;
    m_outIsTerminal = false;
}

void CCliFeedback::PrintLine(std::FILE* stream, const std::string& text) {
    std::unique_lock<std::mutex> lock;
    if (m_outputLock != nullptr) {
        lock = std::unique_lock(*m_outputLock);
    }
    // Every line of a text of several lines says whose it is.
    std::string lines = m_prefix;
    for (const char c : text) {
        lines += c;
        if (c == '\n') {
            lines += m_prefix;
        }
    }
    Print(stream, "%s\n", lines.c_str());
    std::fflush(stream);
}

void CCliFeedback::ShowMessage(unsigned /*stringId*/, const std::string& text,
                               MessageIcon /*icon*/) {
    EndProgressLine();
    m_lastMessage = TerminalText(text);
    PrintLine(m_out, m_lastMessage);
    ++m_messages;
}

bool CCliFeedback::AskYesNo(unsigned /*stringId*/, const std::string& text, MessageIcon /*icon*/,
                            bool /*defaultNo*/) {
    EndProgressLine();
    // The question and its answer stay together while other registers speak.
    std::unique_lock<std::mutex> lock;
    if (m_outputLock != nullptr) {
        lock = std::unique_lock(*m_outputLock);
    }
    Print(m_out, "%s%s\n", m_prefix.c_str(), TerminalText(text).c_str());
    if (m_answer) {
        Print(
            m_out, "%s\n",
            std::string(LoadString(*m_answer ? ids::CliAnsweredYes : ids::CliAnsweredNo)).c_str());
        return *m_answer;
    }
    // With no terminal to ask, the careful answer is No.
    if (!IsTerminal(m_in)) {
        Print(m_out, "%s\n", std::string(LoadString(ids::CliAnsweredNo)).c_str());
        return false;
    }
    Print(m_out, "%s", std::string(LoadString(ids::CliAskPrompt)).c_str());
    std::fflush(m_out);
    char reply[16] = {};
    if (std::fgets(reply, sizeof reply, m_in) == nullptr) {
        return false;
    }
    return reply[0] == 'y' || reply[0] == 'Y' || std::strncmp(reply, "д", 2) == 0 ||
           std::strncmp(reply, "Д", 2) == 0;
}

void CCliFeedback::SetStatusText(const std::string& text) {
    m_lastStatus = text;
    if (m_progress.Done() == 0) {
        m_progress.Start(NowMs()); // the first record's time counts
    }
    ShowStatusLine();
}

void CCliFeedback::SetProgress(unsigned done, unsigned total) {
    m_progress.Update(done, total, NowMs());
    ShowStatusLine();
}

void CCliFeedback::ShowStatusLine() {
    if (m_outIsTerminal) {
        ClearTerminalLine(m_out);
        Print(m_out, "%s%s", m_lastStatus.c_str(), ProgressSuffix().c_str());
        std::fflush(m_out);
        m_progressShown = true;
    }
}

// "  42%, 1:23 left" once a record is done and while some are left.
std::string CCliFeedback::ProgressSuffix() const {
    const std::optional<std::uint64_t> seconds = m_progress.SecondsLeft();
    if (!seconds) {
        return {}; // nothing done yet to judge by, or nothing left
    }
    return "  " + std::to_string(m_progress.Percent()) + "%, " + MinutesAndSeconds(*seconds) +
           " left";
}

} // namespace tillora::cli
