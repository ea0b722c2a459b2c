// The faults told for one frame alone: an answer that comes late, and one cut short.
#include "Frames.h"
#include "sim/SimRegister.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

using test::PcFrame;

Bytes InfoQuery() {
    return {0xAA, 0x3F, 0x39, 0x35, 0x0A};
}

std::vector<SimAnswer> Feed(CSimRegister& ecr, const Bytes& bytes) {
    return ecr.Receive(bytes.data(), bytes.size());
}

Bytes Sent(const std::vector<SimAnswer>& answers) {
    Bytes all;
    for (const SimAnswer& answer : answers) {
        all.insert(all.end(), answer.bytes.begin(), answer.bytes.end());
    }
    return all;
}

std::vector<std::uint64_t> Delays(const std::vector<SimAnswer>& answers) {
    std::vector<std::uint64_t> delays;
    for (const SimAnswer& answer : answers) {
        delays.push_back(answer.delayMs);
    }
    return delays;
}

TEST(SimFrameFaultsTest, OnlyTheLateFrameIsAnsweredLate) {
    SimFaults faults;
    faults.answerDelayMs = 20;
    faults.lateFrame = 2;
    faults.lateMs = 3300;
    CSimRegister ecr(0, 123, faults);
    EXPECT_EQ(Delays(Feed(ecr, PcFrame('a'))), (std::vector<std::uint64_t>{20}));
    const auto late = Feed(ecr, PcFrame('o', "1IVAN       *"));
    EXPECT_EQ(Delays(late), (std::vector<std::uint64_t>{3300}));
    EXPECT_EQ(Sent(late), test::AckFrame());
    EXPECT_EQ(Delays(Feed(ecr, PcFrame('z'))), (std::vector<std::uint64_t>{20, 20}));
    // The late record is taken like any other.
    EXPECT_EQ(ecr.Records('o').size(), 1u);
    EXPECT_EQ(ecr.Replies()[1], SimReply::Ack);
}

TEST(SimFrameFaultsTest, LateEndOfTransferDelaysItsAcknowledgementAndConfirmation) {
    SimFaults faults;
    faults.lateFrame = 2;
    faults.lateMs = 2700;
    CSimRegister ecr(0, 123, faults);
    Feed(ecr, PcFrame('a'));
    const auto answers = Feed(ecr, PcFrame('z'));
    EXPECT_EQ(Delays(answers), (std::vector<std::uint64_t>{2700, 2700}));
    EXPECT_EQ(answers[1].bytes.size(), 23u);
}

TEST(SimFrameFaultsTest, LateRefusalAndLateInformationAnswer) {
    SimFaults faults;
    faults.refuseFrame = 1;
    faults.lateFrame = 1;
    faults.lateMs = 2999;
    CSimRegister refusing(0, 123, faults);
    const auto refusal = Feed(refusing, PcFrame('a'));
    EXPECT_EQ(Sent(refusal), test::Answer(0x15, "000123"));
    EXPECT_EQ(Delays(refusal), (std::vector<std::uint64_t>{2999}));

    faults.refuseFrame = 0;
    CSimRegister asked(0, 123, faults);
    EXPECT_EQ(Delays(Feed(asked, InfoQuery())), (std::vector<std::uint64_t>{2999}));
}

TEST(SimFrameFaultsTest, CutAnswerIsItsFirstHalfAndTheFrameIsStillTaken) {
    SimFaults faults;
    faults.truncateFrame = 2;
    CSimRegister ecr(0, 123, faults);
    EXPECT_EQ(Sent(Feed(ecr, PcFrame('a'))), test::AckFrame());
    const Bytes cut = Sent(Feed(ecr, PcFrame('o', "1IVAN       *")));
    const Bytes ack = test::AckFrame();
    EXPECT_EQ(cut, Bytes(ack.begin(), ack.begin() + 5));
    EXPECT_EQ(ecr.Records('o').size(), 1u);
    // The frames after it are answered in full.
    EXPECT_EQ(Sent(Feed(ecr, PcFrame('o', "2MARIA      *"))), ack);
}

TEST(SimFrameFaultsTest, CutEndOfTransferKeepsTheAcknowledgementAndBreaksTheConfirmation) {
    SimFaults faults;
    faults.truncateFrame = 2;
    CSimRegister ecr(0, 123, faults);
    Feed(ecr, PcFrame('a'));
    const auto answers = Feed(ecr, PcFrame('z'));
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].bytes, test::AckFrame());
    // Half of the 33 bytes: the acknowledgement and 6 bytes of the confirmation.
    EXPECT_EQ(answers[1].bytes.size(), 6u);
    // No confirmation went out whole, so the PC's acknowledgement byte is not awaited.
    Feed(ecr, test::AckFrame());
    EXPECT_EQ(ecr.Frames().size(), 2u);
    EXPECT_EQ(ecr.ConfirmedTransfers(), 0u);
}

TEST(SimFrameFaultsTest, CutReportBreaksOffInsideItsLines) {
    CSimRegister whole(0, 123);
    const Bytes report = Sent(Feed(whole, PcFrame('f')));
    SimFaults faults;
    faults.truncateFrame = 1;
    CSimRegister ecr(0, 123, faults);
    const Bytes cut = Sent(Feed(ecr, PcFrame('f')));
    EXPECT_EQ(cut, Bytes(report.begin(), report.begin() + report.size() / 2));
}

TEST(SimFrameFaultsTest, CutInformationAnswerAndCutRefusal) {
    SimFaults faults;
    faults.truncateFrame = 1;
    CSimRegister asked(0, 123, faults);
    EXPECT_EQ(Sent(Feed(asked, InfoQuery())).size(), 5u);
    faults.refuseFrame = 1;
    CSimRegister refusing(0, 123, faults);
    EXPECT_EQ(Sent(Feed(refusing, PcFrame('a'))), Bytes({0x15, '0', '0', '0', '1'}));
}

} // namespace
} // namespace tillora::sim
