#pragma once

#include "link/Feedback.h"
#include "transfer/ProgressEstimate.h"

#include <cstdio>
#include <mutex>
#include <optional>
#include <string>

namespace tillora::cli {

// The feedback of a terminal: messages on stderr, questions answered by --yes/--no or asked on
// the terminal (No when there is none), progress on stderr while it is a terminal.
class CCliFeedback final : public IFeedback {
public:
    // answer: the reply to every question, or none to ask.
    CCliFeedback(std::optional<bool> answer, std::FILE* in = stdin, std::FILE* out = stderr);

    void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) override;
    bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                  bool defaultNo) override;
    void SetStatusText(const std::string& text) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}

    // How far a transfer has come: shown after the status text on a terminal, as the percentage
    // of records done and the time left.
    void SetProgress(unsigned done, unsigned total);

    // For one of several registers that run at once: every line goes out whole, under the lock
    // the registers share, after "NAME: "; no progress line is kept on the terminal.
    void SetRegister(const std::string& name, std::mutex& outputLock);
    // A line of the command's own, to stream: with the register's name before it, if any.
    void PrintLine(std::FILE* stream, const std::string& text);

    // The last status text: how a transfer reports success.
    const std::string& LastStatus() const { return m_lastStatus; }
    // The last message shown: how a transfer that failed says why.
    const std::string& LastMessage() const { return m_lastMessage; }
    bool ShowedMessage() const { return m_messages > 0; }
    // Takes the progress line off the terminal, before the command prints its result.
    void ClearProgress();

private:
    void EndProgressLine();
    void ShowStatusLine();
    std::string ProgressSuffix() const;

    std::optional<bool> m_answer;
    std::FILE* m_in;
    std::FILE* m_out;
    bool m_outIsTerminal;
    bool m_progressShown = false;
    unsigned m_messages = 0;
    std::string m_lastStatus;
    std::string m_lastMessage;
    std::string m_prefix;
    std::mutex* m_outputLock = nullptr;
    CProgressEstimate m_progress;
};

// A string-table text as a terminal shows it: CR LF becomes a plain line end.
std::string TerminalText(const std::string& text);

} // namespace tillora::cli
