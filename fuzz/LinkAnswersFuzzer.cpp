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

void QueryInfo(test::FakeClock& clock, test::ScriptedLine& line) {
    int closes = 0;
    LineChoice choice;
    choice.demoLine = [&]() -> std::unique_ptr<ISerialLine> {
        return std::make_unique<test::BorrowedLine>(line, closes);
    };
    fuzz::SilentFeedback feedback;
    const auto serial = QueryEcrInfo(choice, clock, feedback);
    if (serial) {
        // The answer is shown as it came: six characters, not necessarily digits.
        fuzz::Check(serial->size() == 6, "serial not six characters");
    }
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
        QueryInfo(clock, line);
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
