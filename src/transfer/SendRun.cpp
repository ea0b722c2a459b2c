#include "transfer/SendRun.h"

#include "link/Checksum.h"
#include "link/Link.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "transfer/TableChecks.h"

namespace tillora {
namespace {

enum class RowResult { Failed, Sent, Skipped };

class CSendRun {
public:
    CSendRun(const SendPlan& plan, SendScope scope, const IGridAccess& grid, CLink& link,
             TransferSession& session)
        : m_plan(plan), m_scope(scope), m_grid(grid), m_link(link), m_session(session),
          m_total(CountRowsToSend(plan, scope, grid)) {}

    // Every row in ascending order; false at the first row that fails, or before the next
    // frame once a stop is requested.
    bool SendRows() {
        for (int row = 1; row <= m_plan.rowCount; ++row) {
            if (IsStopRequested(m_session.stop)) {
                ShowSendStopped(m_session.feedback, m_sent, m_total);
                return false;
            }
            const RowResult result = SendRow(row);
            if (result == RowResult::Failed) {
                return false;
            }
            m_link.PumpPaintMessages();
            if (result == RowResult::Sent) {
                ReportRecordSent();
            }
        }
        return true;
    }

    unsigned Sent() const { return m_sent; }

private:
    RowResult SendRow(int row) {
        if (IsRowSkipped(m_plan, m_scope, m_grid, row)) {
            return RowResult::Skipped;
        }
        m_session.feedback.SetStatusText(
            FormatMessage(ids::SendingRow, static_cast<unsigned>(row)));
        std::string frame = m_link.FrameHead(m_plan.letter);
        frame += RecordNumber(m_plan, row);
        frame += BuildPayload(m_plan.layout, m_grid, row, m_scope, m_session.settings.EcrType);
        AppendChecksum(frame);
        // A failed write shows 20029 like that of a command, so that the run never ends
        // without a word.
        if (!m_link.SendFrame(frame) || !m_link.WaitAck()) {
            return RowResult::Failed;
        }
        return RowResult::Sent;
    }

    void ReportRecordSent() {
        ++m_sent;
        if (m_session.recordSent) {
            m_session.recordSent(m_sent, m_total);
        }
    }

    const SendPlan& m_plan;
    SendScope m_scope;
    const IGridAccess& m_grid;
    CLink& m_link;
    TransferSession& m_session;
    unsigned m_total;
    unsigned m_sent = 0;
};

bool CheckBeforeSending(const SendPlan& plan, SendScope scope, IGridAccess& grid,
                        IFeedback& feedback) {
    return scope == SendScope::WholeTable ? CheckWholeTable(plan, grid, feedback)
                                          : CheckSelectedCells(plan, grid, feedback);
}

std::string FinalText(const SendPlan& plan, SendScope scope, unsigned sent) {
    const unsigned id = scope == SendScope::WholeTable ? ids::RowsSent : plan.selectedFinalText;
    return id == ids::RowsSent ? FormatMessage(id, sent) : FormatMessage(id);
}

} // namespace

void ShowSendStopped(IFeedback& feedback, unsigned sent, unsigned total) {
    feedback.ShowMessage(ids::SendStopped, FormatMessage(ids::SendStopped, sent, total),
                         MessageIcon::Information);
}

bool RunSend(const SendPlan& plan, SendScope scope, IGridAccess& grid, TransferSession& session) {
    return RunSend(plan, scope, grid, session, {});
}

bool RunSend(const SendPlan& plan, SendScope scope, IGridAccess& grid, TransferSession& session,
             const std::function<bool()>& beforeOpening) {
    IFeedback& feedback = session.feedback;
    CWaitCursor waitCursor(feedback);
    if (!CheckBeforeSending(plan, scope, grid, feedback)) {
        return false;
    }
    if (beforeOpening && !beforeOpening()) {
        return false;
    }
    const std::unique_ptr<ISerialLine> line = OpenRegisterLine(session.line, feedback);
    if (!line) {
        return false;
    }
    CLink link(*line, session.clock, feedback, session.settings.EcrSerial, session.frameGapMs);
    if (!link.SendCommand('a')) {
        return false;
    }
    CSendRun run(plan, scope, grid, link, session);
    if (!run.SendRows() || !link.SendCommand('z') || !link.ReceiveConfirmation()) {
        return false;
    }
    feedback.SetStatusText(FinalText(plan, scope, run.Sent()));
    return true;
}

} // namespace tillora
