#include "sim/SimulatedLine.h"
#include "FakeClock.h"
#include "Frames.h"
#include "link/Checksum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes PcFrame(char kind) {
    std::string frame = "\xAA"
                        "000123";
    frame += kind;
    AppendChecksum(frame);
    return {frame.begin(), frame.end()};
}

class SimulatedLineTest : public ::testing::Test {
protected:
    void Start(SimFaults faults) {
        ecr = std::make_shared<CSimRegister>(0, 123, faults);
        line = std::make_unique<CSimulatedLine>(ecr, clock);
    }

    bool Write(char kind) {
        const Bytes frame = PcFrame(kind);
        return line->Write(frame.data(), frame.size());
    }

    Bytes ReadAll() {
        Bytes bytes(64);
        std::size_t count = 0;
        line->Read(bytes.data(), bytes.size(), count);
        bytes.resize(count);
        return bytes;
    }

    // Waits and reads as the link does, until length bytes are in or the wait says otherwise.
    Bytes Receive(std::size_t length, LineWait& last) {
        Bytes received;
        for (;;) {
            const Bytes got = ReadAll();
            received.insert(received.end(), got.begin(), got.end());
            if (received.size() >= length) {
                return received;
            }
            last = line->WaitReadable(3000);
            if (last != LineWait::Readable) {
                return received;
            }
        }
    }

    test::FakeClock clock;
    std::shared_ptr<CSimRegister> ecr;
    std::unique_ptr<CSimulatedLine> line;
};

TEST_F(SimulatedLineTest, PacedAnswerArrivesByteByByteAtTheLineRate) {
    SimFaults faults;
    faults.paceBaud = 9600;
    Start(faults);
    const std::uint64_t start = clock.NowMs();
    ASSERT_TRUE(Write('a'));
    // Eleven bytes take 11.46 ms on the wire.
    EXPECT_EQ(clock.NowMs(), start + 11);
    // Byte k of the answer is in k * 1.0417 ms after the write.
    const std::size_t expected[] = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10};
    Bytes received;
    for (std::size_t elapsed = 0; elapsed < std::size(expected); ++elapsed) {
        const Bytes got = ReadAll();
        received.insert(received.end(), got.begin(), got.end());
        EXPECT_EQ(received.size(), expected[elapsed]) << elapsed << " ms after the write";
        clock.Advance(1);
    }
    EXPECT_EQ(received, test::AckFrame());
}

TEST_F(SimulatedLineTest, WaitingSleepsUntilTheNextByteIsIn) {
    SimFaults faults;
    faults.paceBaud = 9600;
    Start(faults);
    ASSERT_TRUE(Write('a'));
    const std::uint64_t written = clock.NowMs();
    EXPECT_EQ(line->WaitReadable(3000), LineWait::Readable);
    EXPECT_EQ(clock.NowMs(), written + 2);
    LineWait last = LineWait::Readable;
    EXPECT_EQ(Receive(10, last), test::AckFrame());
    EXPECT_EQ(clock.NowMs(), written + 11);
}

TEST_F(SimulatedLineTest, ConfirmationFollowsTheAcknowledgementOnTheLine) {
    SimFaults faults;
    faults.paceBaud = 9600;
    Start(faults);
    ASSERT_TRUE(Write('a'));
    LineWait last = LineWait::Readable;
    Receive(10, last);
    ASSERT_TRUE(Write('z'));
    const std::uint64_t written = clock.NowMs();
    // 33 bytes: 34.375 ms.
    clock.Advance(34);
    EXPECT_EQ(ReadAll().size(), 32u);
    clock.Advance(1);
    const Bytes lastByte = ReadAll();
    EXPECT_EQ(lastByte, Bytes{0x0A});
    EXPECT_EQ(clock.NowMs(), written + 35);
}

TEST_F(SimulatedLineTest, DelayedAnswerComesWholeAfterTheDelay) {
    SimFaults faults;
    faults.answerDelayMs = 500;
    Start(faults);
    const std::uint64_t start = clock.NowMs();
    ASSERT_TRUE(Write('a'));
    EXPECT_EQ(clock.NowMs(), start);
    EXPECT_EQ(line->WaitReadable(100), LineWait::Timeout);
    EXPECT_EQ(clock.NowMs(), start + 100);
    EXPECT_TRUE(ReadAll().empty());
    EXPECT_EQ(line->WaitReadable(3000), LineWait::Readable);
    EXPECT_EQ(clock.NowMs(), start + 500);
    EXPECT_EQ(ReadAll(), test::AckFrame());
    // Nothing more is coming: the wait lasts its time-out.
    EXPECT_EQ(line->WaitReadable(250), LineWait::Timeout);
    EXPECT_EQ(clock.NowMs(), start + 750);
}

TEST_F(SimulatedLineTest, DrainDropsOnlyWhatHasArrived) {
    SimFaults faults;
    faults.paceBaud = 9600;
    Start(faults);
    ASSERT_TRUE(Write('a'));
    clock.Advance(6); // five bytes in
    line->DrainInput();
    EXPECT_TRUE(ReadAll().empty());
    clock.Advance(10);
    const Bytes ack = test::AckFrame();
    EXPECT_EQ(ReadAll(), Bytes(ack.begin() + 5, ack.end()));
}

TEST_F(SimulatedLineTest, ClosedLineIsBrokenAndRefusesWrites) {
    SimFaults faults;
    faults.closeAfter = 2;
    faults.answerDelayMs = 40;
    Start(faults);
    ASSERT_TRUE(Write('a'));
    LineWait last = LineWait::Readable;
    EXPECT_EQ(Receive(10, last), test::AckFrame());
    ASSERT_TRUE(Write('z'));
    const std::uint64_t written = clock.NowMs();
    EXPECT_EQ(line->WaitReadable(3000), LineWait::Broken);
    EXPECT_EQ(clock.NowMs(), written + 40);
    EXPECT_FALSE(Write('a'));
    EXPECT_EQ(line->WaitReadable(3000), LineWait::Broken);
    EXPECT_EQ(ecr->Frames().size(), 2u);
}

} // namespace
} // namespace tillora::sim
