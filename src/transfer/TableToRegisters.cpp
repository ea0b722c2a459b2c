#include "transfer/TableToRegisters.h"

#include "link/Clock.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "transfer/KnownStateSends.h"
#include "transfer/RecordingFeedback.h"

#include <string_view>

namespace tillora {
namespace {

// The table file's text read into the table, line by line, as a file would be.
void ReadTableText(IGridAccess& table, std::string_view text) {
    TableReader reader(table);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        reader.ReadLine(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

std::string CellPlace(TableKind kind, CCellID cell) {
    return FormatMessage(ids::CliCellPlace, RowLabel(kind, cell.row), cell.col,
                         ColumnHeader(kind, cell.col).c_str());
}

RegisterOutcome SendToOne(const NamedRegister& reg, std::size_t index,
                          const TableToRegisters& send) {
    CCellGrid cells;
    SetupTable(cells, send.kind);
    CMemoryGridAccess table(cells);
    ReadTableText(table, send.tableText);

    CRecordingFeedback feedback([&send, index](const std::string& text) {
        if (send.told) {
            send.told(index, text);
        }
    });
    const LineChoice line = LineOfRegister(reg, send.devices);
    CSteadyClock clock;
    TransferSession session{line, clock, feedback, reg.settings, reg.frameGapMs, {}};
    session.stop = send.stop;
    session.recordSent = [&send, index](unsigned done, unsigned total) {
        if (send.recordSent) {
            send.recordSent(index, done, total);
        }
    };
    const CKnownRegisterState none{std::filesystem::path()};
    const bool sent = OnSendAllKeepingState(send.kind, table, session,
                                            send.known != nullptr ? *send.known : none);
    RegisterOutcome outcome = OutcomeOf(sent, feedback.LastStatus(), feedback.LastMessage());
    // The table the check stopped at is this thread's copy: the outcome says where.
    if (const CCellID cell = table.GetFocusCell(); !sent && cell.IsValid()) {
        outcome.text += " (" + CellPlace(send.kind, cell) + ")";
    }
    return outcome;
}

} // namespace

std::vector<RegisterOutcome> SendTableToRegisters(const std::vector<NamedRegister>& registers,
                                                  const TableToRegisters& send) {
    std::vector<RegisterOutcome> outcomes(registers.size());
    RunOnEachRegister(registers,
                      [&](std::size_t i) { outcomes[i] = SendToOne(registers[i], i, send); });
    return outcomes;
}

} // namespace tillora
