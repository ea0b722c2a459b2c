// What the register answers to one of the link's waits or to the information query.
#include "BorrowedLine.h"
#include "FakeClock.h"
#include "FuzzSupport.h"
#include "ScriptedLine.h"
#include "link/EcrInfo.h"
#include "link/EcrSettings.h"
#include "link/LineOpener.h"
#include "link/Link.h"

#include <cstring>
#include <memory>
#include <vector>

using namespace tillora;

namespace {

void ReceiveOneLine(CLink& link) {
    std::uint8_t buffer[ReportLineCapacity + 8];
    std::memset(buffer, 0x55, sizeof buffer);
    const std::size_t length = link.ReceiveLine(buffer, ReportLineCapacity);
    fuzz::Check(length < ReportLineCapacity, "line longer than its buffer");
    if (length > 0) {
        fuzz::Check(buffer[0] == FrameStart, "line not starting with the start byte");
        fuzz::Check(buffer[length - 1] == FrameEnd, "line not ending with the line feed");
        fuzz::Check(buffer[length] == 0, "line not NUL-terminated");
    }
    fuzz::Check(buffer[ReportLineCapacity] == 0x55, "written past the capacity");
}

// Whether ten answer bytes pass the information answer's checks, rebuilt here from its rules:
// 0x06 or 0x0E first, a line feed last, and the checksum characters (only their low four bits
// count) matching the XOR of the first seven bytes.
bool ValidInfoAnswer(const std::vector<std::uint8_t>& answer) {
    if (answer.size() < 10 || (answer[0] != 0x06 && answer[0] != 0x0E) || answer[9] != 0x0A) {
        return false;
    }
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < 7; ++i) {
        sum = static_cast<std::uint8_t>(sum ^ answer[i]);
    }
    const auto rebuilt = static_cast<std::uint8_t>((answer[7] << 4) | (answer[8] & 0x0F));
    return sum == rebuilt;
}

void QueryInfo(test::FakeClock& clock, test::ScriptedLine& line,
               const std::vector<std::uint8_t>& answer) {
    int closes = 0;
    LineChoice choice;
    choice.demoLine = [&]() -> std::unique_ptr<ISerialLine> {
        return std::make_unique<test::BorrowedLine>(line, closes);
    };
    fuzz::SilentFeedback feedback;
    const auto serial = QueryEcrInfo(choice, clock, feedback);
    fuzz::Check(serial.has_value() == ValidInfoAnswer(answer),
                "an information answer taken against its checks, or refused despite them");
    if (serial) {
        // The six bytes where the serial stands are shown as they came, digits or not: the
        // dialog's own check refuses a serial that is no number when the user presses OK.
        fuzz::Check(*serial == std::string(answer.begin() + 1, answer.begin() + 7),
                    "the serial is not the answer's bytes 1 to 6");
    }
    fuzz::Check(closes == 1, "the line was not closed once");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int choice = data[0] % 4;
    test::FakeClock clock;
    test::ScriptedLine line(clock);
    const std::vector<std::uint8_t> answer(data + 1, data + size);
    if (choice == 3) {
        line.AnswerNextWrite(10, answer);
        QueryInfo(clock, line, answer);
        return 0;
    }
    line.ArriveAt(clock.NowMs() + 10, answer);
    fuzz::SilentFeedback feedback;
    CLink link(line, clock, feedback, 123, DefaultFrameGapMs);
    switch (choice) {
    case 0:
        link.WaitAck();
        break;
    case 1:
        link.ReceiveConfirmation();
        break;
    default:
        ReceiveOneLine(link);
        break;
    }
    return 0;
}
