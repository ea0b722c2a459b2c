#include "transfer/ChangesSend.h"

#include "link/Checksum.h"
#include "link/Link.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "transfer/SendRun.h"

#include <algorithm>
#include <memory>

namespace tillora {
namespace {

bool IsChanged(const ChangedRow& changed, int column) {
    return std::any_of(changed.cells.begin(), changed.cells.end(),
                       [column](const ChangedCell& cell) { return cell.column == column; });
}

// "a" is acknowledged: every changed row, then "z" and the confirmation.
bool SendChangedRows(const SendPlan& plan, const TableChanges& changes, const IGridAccess& grid,
                     CLink& link, TransferSession& session) {
    const auto total = static_cast<unsigned>(changes.rows.size());
    unsigned sent = 0;
    for (const ChangedRow& changed : changes.rows) {
        if (IsStopRequested(session.stop)) {
            ShowSendStopped(session.feedback, sent, total);
            return false;
        }
        session.feedback.SetStatusText(
            FormatMessage(ids::SendingRow, static_cast<unsigned>(changed.row)));
        std::string frame = link.FrameHead(plan.letter);
        frame += ChangedRowPayload(plan, changed, grid, session.settings.EcrType);
        AppendChecksum(frame);
        if (!link.SendFrame(frame) || !link.WaitAck()) {
            return false;
        }
        link.PumpPaintMessages();
        if (session.recordSent) {
            session.recordSent(++sent, total);
        }
    }
    return link.SendCommand('z') && link.ReceiveConfirmation();
}

} // namespace

std::string ChangedRowPayload(const SendPlan& plan, const ChangedRow& changed,
                              const IGridAccess& grid, int model) {
    std::string payload = RecordNumber(plan, changed.row);
    if (changed.sendWhole) {
        return payload + BuildPayload(plan.layout, grid, changed.row, SendScope::WholeTable, model);
    }
    for (const RecordField& field : plan.layout) {
        const bool isCell = field.kind != FieldKind::Constant;
        const std::string text = isCell ? grid.GetItemText(changed.row, field.column) : "";
        payload += EncodeField(field, text, isCell && IsChanged(changed, field.column),
                               SendScope::SelectedCells, model);
    }
    return payload;
}

std::string ChangesSentText(const TableChanges& changes, std::uint64_t elapsedMs) {
    const auto rows = static_cast<unsigned>(changes.rows.size());
    const auto kept = static_cast<unsigned>(changes.keptRows.size());
    if (rows == 0) {
        return kept == 0 ? FormatMessage(ids::NoChanges)
                         : FormatMessage(ids::NoChangesRowsKept, kept);
    }
    // Seconds to the tenth, with the decimal comma the users write.
    const std::uint64_t tenths = (elapsedMs + 50) / 100;
    const std::string seconds = std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
    return kept == 0 ? FormatMessage(ids::ChangesSent, rows, changes.NewRows(), seconds.c_str())
                     : FormatMessage(ids::ChangesSentRowsKept, rows, changes.NewRows(),
                                     seconds.c_str(), kept);
}

bool RunChangesSend(const SendPlan& plan, const TableChanges& changes, const IGridAccess& grid,
                    TransferSession& session) {
    CWaitCursor waitCursor(session.feedback);
    const std::uint64_t started = session.clock.NowMs();
    const std::unique_ptr<ISerialLine> line = OpenRegisterLine(session.line, session.feedback);
    if (!line) {
        return false;
    }
    CLink link(*line, session.clock, session.feedback, session.settings.EcrSerial,
               session.frameGapMs);
    if (!link.SendCommand('a') || !SendChangedRows(plan, changes, grid, link, session)) {
        return false;
    }
    session.feedback.SetStatusText(ChangesSentText(changes, session.clock.NowMs() - started));
    return true;
}

} // namespace tillora
