#include "Expectation.h"

#include "CampaignTables.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "transfer/SendCommands.h"

#include <algorithm>

namespace tillora::campaign {
namespace {

// The message each fault calls for: a refusal is 20025, an answer that does not come in time
// (silence, too late, cut short, or a line that is gone) 20024, another register's serial
// 20028, a wrong checksum 20027, anything else in the place of the acknowledgement 20026.
unsigned MessageFor(const RunPlan& plan) {
    switch (plan.fault) {
    case Fault::None:
    case Fault::LateUnder:
        return 0;
    case Fault::Refusal:
        return ids::RegisterRefused;
    case Fault::Silence:
    case Fault::LineClosed:
    case Fault::LateOver:
    case Fault::Truncated:
        return ids::AnswerTimeout;
    case Fault::OtherSerial:
        // The information query is how the user learns the serial: it compares with none.
        return plan.operation == Operation::QueryInfo ? 0 : ids::SerialMismatch;
    case Fault::BadChecksum:
        return ids::ChecksumError;
    case Fault::Noise:
        return ids::InvalidData;
    }
    return 0;
}

const char* FaultReply(Fault fault) {
    switch (fault) {
    case Fault::Refusal:
        return "nak";
    case Fault::Silence:
        return "none";
    case Fault::LineClosed:
        return "close";
    default:
        return "";
    }
}

// The frame the run stops at: the faulted one, or the first for a fault of every answer.
unsigned LastFrame(const RunPlan& plan) {
    return plan.faultFrame != 0 ? plan.faultFrame : 1;
}

void ExpectRecords(const RunPlan& plan, Expectation& expected) {
    if (expected.messageId == 0) {
        expected.recordsWritten = expected.recordsTaken = expected.recordsAcknowledged =
            plan.records;
        return;
    }
    // Frame 1 is "a", frames 2 to records + 1 the records, the last one "z".
    const int last = static_cast<int>(LastFrame(plan));
    expected.recordsWritten = std::clamp(last - 1, 0, plan.records);
    expected.recordsAcknowledged = std::clamp(last - 2, 0, plan.records);
    const bool refusedRecord =
        plan.fault == Fault::Refusal && last >= 2 && last <= plan.records + 1;
    expected.recordsTaken = expected.recordsWritten - (refusedRecord ? 1 : 0);
}

// The plan of the table the run sends: its record letter and its texts.
SendPlan PlanOf(const RunPlan& plan) {
    return SendPlanOf(SentTable(plan.operation), plan.model).value();
}

} // namespace

Expectation Expect(const RunPlan& plan) {
    Expectation expected;
    expected.messageId = MessageFor(plan);
    const bool fails = expected.messageId != 0;
    if (IsSend(plan.operation)) {
        expected.framesReceived = fails ? LastFrame(plan) : AnsweredFrames(plan) + 1;
        ExpectRecords(plan, expected);
    } else {
        expected.framesReceived = 1;
    }
    expected.faultReply = FaultReply(plan.fault);
    expected.lineGone = plan.fault == Fault::LineClosed;
    expected.longWait = IsSlow(plan.fault);
    return expected;
}

std::vector<std::string> ExpectedKinds(const RunPlan& plan, const Expectation& expected) {
    if (plan.operation == Operation::ReadReport) {
        return {"f"};
    }
    if (plan.operation == Operation::SendLogo) {
        return {"R"};
    }
    if (plan.operation == Operation::QueryInfo) {
        return {"?"};
    }
    std::vector<std::string> kinds = {"a"};
    kinds.insert(kinds.end(), static_cast<std::size_t>(plan.records),
                 std::string(1, PlanOf(plan).letter));
    kinds.push_back("z");
    kinds.push_back("ack");
    kinds.resize(expected.framesReceived);
    return kinds;
}

std::string SendFinalText(const RunPlan& plan) {
    if (!plan.selectedCells) {
        return FormatMessage(ids::RowsSent, static_cast<unsigned>(plan.records));
    }
    const unsigned id = PlanOf(plan).selectedFinalText;
    return id == ids::RowsSent ? FormatMessage(id, static_cast<unsigned>(plan.records))
                               : FormatMessage(id);
}

} // namespace tillora::campaign
