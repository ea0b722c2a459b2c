#pragma once

#include "link/Feedback.h"
#include "link/StopRequest.h"
#include "transfer/ProgressEstimate.h"

#include <QObject>

class QProgressBar;
class QStatusBar;
class QToolButton;

namespace tillora {

// The progress of the register's transfers in the status bar, beside the message pane's texts: a
// bar with the share of records done and the time left while a table is sent, a bar that only
// moves while the report comes in (the register does not say how long it is), and nothing
// between transfers.
class CTransferProgress : public QObject {
    Q_OBJECT
public:
    explicit CTransferProgress(QStatusBar* bar);

    QProgressBar* Bar() const { return m_bar; }
    // Beside the bar while it shows: asks the transfer to stop after the answer in flight.
    QToolButton* StopButton() const { return m_stopButton; }
    // What the transfer checks between frames; renewed for every run.
    const CStopRequest* Stop() const { return &m_stop; }
    void RequestStop() { m_stop.Request(); }

    // One transfer, from the command's start to its end: its feedback goes to the window's, and
    // its first progress text (the port is open, the records are going) brings up the bar, which
    // goes when the run ends. A transfer that stops before, at the settings, a table check or the
    // port, never shows it.
    class CRun final : public IFeedback {
    public:
        // counted: a send, whose records the bar counts; else the report.
        CRun(CTransferProgress& progress, IFeedback& window, bool counted);
        ~CRun() override;
        CRun(const CRun&) = delete;
        CRun& operator=(const CRun&) = delete;

        // A record acknowledged: done of total.
        void RecordSent(unsigned done, unsigned total);

        void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) override;
        void ShowMessageWithDetail(unsigned stringId, const std::string& text, MessageIcon icon,
                                   const std::string& detail) override;
        bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                      bool defaultNo) override;
        void SetStatusText(const std::string& text) override;
        void BeginWaitCursor() override;
        void EndWaitCursor() override;
        void PumpPaintMessages() override;

    private:
        CTransferProgress& m_progress;
        IFeedback& m_window;
        bool m_counted;
        bool m_shown = false;
    };

private:
    void Begin(bool counted);
    void Show(unsigned done, unsigned total);
    void End();

    QProgressBar* m_bar;
    QToolButton* m_stopButton;
    CStopRequest m_stop;
    CProgressEstimate m_estimate;
    std::uint64_t m_shownMs = 0; // when the bar last moved
};

} // namespace tillora
