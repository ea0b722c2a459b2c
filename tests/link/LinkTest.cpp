#include "link/Link.h"

#include "FakeClock.h"
#include "Frames.h"
#include "RecordingFeedback.h"
#include "ScriptedLine.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using test::AckFrame;
using test::Answer;
using test::Bytes;
using test::Confirmation;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LinkTest : public ::testing::Test {
protected:
    LinkTest() { feedback.clock = &clock; }

    CLink MakeLink(std::uint64_t gapMs = 0) { return CLink(line, clock, feedback, 123, gapMs); }

    test::FakeClock clock;
    test::ScriptedLine line{clock};
    test::RecordingFeedback feedback;
};

// ---- WaitAck: every check, in its order ----

TEST_F(LinkTest, AcknowledgementWithOurSerialIsAccepted) {
    line.ArriveAt(clock.NowMs() + 5, AckFrame());
    EXPECT_TRUE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), IsEmpty());
}

TEST_F(LinkTest, AcknowledgementArrivingInPiecesIsAccepted) {
    const auto ack = AckFrame();
    for (std::size_t i = 0; i < ack.size(); ++i) {
        line.ArriveAt(clock.NowMs() + 1 + i, {ack[i]});
    }
    EXPECT_TRUE(MakeLink().WaitAck());
}

TEST_F(LinkTest, ChecksumCharactersCountOnlyByTheirLowBits) {
    // "06" is the right checksum for 06 000123; 0x3A 0x36 decodes to 0xA6 and is refused.
    line.Queue(Bytes("\x06"
                     "000123"
                     "06\n"));
    EXPECT_TRUE(MakeLink().WaitAck());
    line.Queue(Bytes("\x06"
                     "000123"
                     "\x3A"
                     "6\n"));
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::ChecksumError));
}

TEST_F(LinkTest, AnotherRegistersSerialIsRefused) {
    line.Queue(AckFrame("000124"));
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::SerialMismatch));
}

TEST_F(LinkTest, ChecksumIsCheckedBeforeTheSerial) {
    auto answer = AckFrame("000124");
    answer[8] ^= 0x01;
    line.Queue(answer);
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::ChecksumError));
}

TEST_F(LinkTest, RefusalIsReportedOnceTenBytesAreIn) {
    line.Queue(Answer(Nak, "000123"));
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::RegisterRefused));
}

TEST_F(LinkTest, ShortRefusalEndsInTheTimeOut) {
    line.Queue(Bytes("\x15"
                     "0001"));
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
}

TEST_F(LinkTest, WrongFirstByteOrMissingLineFeedIsInvalidData) {
    line.Queue(Answer(0x07, "000123"));
    EXPECT_FALSE(MakeLink().WaitAck());
    auto noLineFeed = AckFrame();
    noLineFeed[9] = 0x0D;
    line.Queue(noLineFeed);
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::InvalidData, ids::InvalidData));
}

// ---- The 3000 ms limit counts from the start of the operation ----

TEST_F(LinkTest, AnswerCompleteAtTheLimitPasses) {
    const std::uint64_t start = clock.NowMs();
    line.ArriveAt(start + 10, Bytes("\x06"
                                    "000"));
    line.ArriveAt(start + 3000, Bytes("123"
                                      "06\n"));
    EXPECT_TRUE(MakeLink().WaitAck());
}

TEST_F(LinkTest, AnswerCompletedOneMillisecondPastTheLimitFails) {
    const std::uint64_t start = clock.NowMs();
    line.ArriveAt(start + 10, Bytes("\x06"
                                    "000"));
    line.ArriveAt(start + 3001, Bytes("123"
                                      "06\n"));
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(clock.NowMs(), start + 3001);
}

TEST_F(LinkTest, SilenceTimesOutJustPastTheLimitAndKeepsTheWindowPainted) {
    const std::uint64_t start = clock.NowMs();
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(clock.NowMs(), start + 3001);
    ASSERT_FALSE(feedback.pumpTimes.empty());
    std::uint64_t previous = start;
    for (auto t : feedback.pumpTimes) {
        EXPECT_LE(t - previous, 50u);
        previous = t;
    }
    EXPECT_LE(clock.NowMs() - previous, 50u);
}

TEST_F(LinkTest, BrokenLineEndsTheWaitAtOnce) {
    const std::uint64_t start = clock.NowMs();
    line.BreakAt(start + 200);
    EXPECT_FALSE(MakeLink().WaitAck());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(clock.NowMs(), start + 200);
}

// ---- SendCommand and the quiet gap ----

TEST_F(LinkTest, CommandFrameGoesOutThenItsAcknowledgementIsAwaited) {
    line.AnswerNextWrite(20, AckFrame());
    EXPECT_TRUE(MakeLink().SendCommand('a'));
    ASSERT_EQ(line.Writes().size(), 1u);
    EXPECT_EQ(line.Writes()[0].bytes, (std::vector<std::uint8_t>{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32,
                                                                 0x33, 0x61, 0x3C, 0x3B, 0x0A}));
    EXPECT_THAT(feedback.Ids(), IsEmpty());
}

TEST_F(LinkTest, FailedWriteShowsItsMessageAndWaitsForNothing) {
    line.FailWrite(1);
    const std::uint64_t start = clock.NowMs();
    EXPECT_FALSE(MakeLink().SendCommand('z'));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::WriteFailed));
    EXPECT_EQ(clock.NowMs(), start);
}

TEST_F(LinkTest, NextFrameKeepsTheQuietGapAfterAnAcknowledgement) {
    CLink link = MakeLink(100);
    line.AnswerNextWrite(20, AckFrame());
    line.AnswerNextWrite(20, AckFrame());
    ASSERT_TRUE(link.SendCommand('a'));
    const std::uint64_t ackedAt = clock.NowMs();
    ASSERT_TRUE(link.SendCommand('z'));
    ASSERT_EQ(line.Writes().size(), 2u);
    EXPECT_EQ(line.Writes()[1].atMs, ackedAt + 100);
}

TEST_F(LinkTest, ZeroGapSendsAtTheSpeedOfTheLine) {
    CLink link = MakeLink(0);
    line.AnswerNextWrite(20, AckFrame());
    ASSERT_TRUE(link.SendCommand('a'));
    const std::uint64_t ackedAt = clock.NowMs();
    ASSERT_TRUE(link.SendFrame(std::string("x")));
    EXPECT_EQ(line.Writes()[1].atMs, ackedAt);
}

TEST_F(LinkTest, LongGapKeepsTheWindowPainted) {
    CLink link = MakeLink(400);
    line.AnswerNextWrite(0, AckFrame());
    ASSERT_TRUE(link.SendCommand('a'));
    feedback.pumpTimes.clear();
    ASSERT_TRUE(link.SendFrame(std::string("x")));
    EXPECT_GE(feedback.pumpTimes.size(), 8u);
}

TEST_F(LinkTest, QuickExchangesWithNoGapKeepTheWindowPainted) {
    CLink link = MakeLink(0);
    for (int i = 0; i < 40; ++i) {
        line.AnswerNextWrite(20, AckFrame());
    }
    std::uint64_t previous = clock.NowMs();
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(link.SendCommand('r'));
    }
    ASSERT_GE(feedback.pumpTimes.size(), 10u); // 800 ms of exchanges
    for (auto t : feedback.pumpTimes) {
        EXPECT_LE(t - previous, 70u); // the pump interval and one exchange at most
        previous = t;
    }
}

// ---- ReceiveConfirmation ----

TEST_F(LinkTest, ConfirmationIsAnsweredWithOurAcknowledgement) {
    line.Queue(Confirmation());
    EXPECT_TRUE(MakeLink().ReceiveConfirmation());
    ASSERT_EQ(line.Writes().size(), 1u);
    EXPECT_EQ(line.Writes()[0].bytes, (std::vector<std::uint8_t>{0x06, 0x30, 0x30, 0x30, 0x31, 0x32,
                                                                 0x33, 0x30, 0x36, 0x0A}));
}

TEST_F(LinkTest, ConfirmationChecksComeInTheirOrder) {
    struct Case {
        std::vector<std::uint8_t> frame;
        unsigned id;
    };
    auto badStart = Confirmation();
    badStart[0] = 0xAB;
    auto badEnd = Confirmation();
    badEnd[22] = 0x00;
    auto badChecksum = Confirmation();
    badChecksum[12] ^= 0x01;
    const Case cases[] = {
        {badStart, ids::InvalidData},
        {badEnd, ids::InvalidData},
        {Confirmation("000124", 'x'), ids::SerialMismatch}, // serial before kind
        {Confirmation("000123", 'x'), ids::InvalidData},
        {badChecksum, ids::ChecksumError},
    };
    for (const auto& c : cases) {
        feedback.messages.clear();
        line.Queue(c.frame);
        EXPECT_FALSE(MakeLink().ReceiveConfirmation());
        EXPECT_THAT(feedback.Ids(), ElementsAre(c.id));
    }
    EXPECT_THAT(line.Writes(), IsEmpty());
}

TEST_F(LinkTest, ConfirmationNotAcknowledgedWhenTheWriteFails) {
    line.Queue(Confirmation());
    line.FailWrite(1);
    EXPECT_FALSE(MakeLink().ReceiveConfirmation());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::WriteFailed));
}

TEST_F(LinkTest, ShortConfirmationTimesOut) {
    auto partial = Confirmation();
    partial.resize(22);
    line.Queue(partial);
    EXPECT_FALSE(MakeLink().ReceiveConfirmation());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
}

// ---- ReceiveLine ----

TEST_F(LinkTest, LineSkipsNoiseBeforeItsStartByte) {
    line.Queue(Bytes("xy\n\x06"));
    line.ArriveAt(clock.NowMs() + 30, Bytes("\xAA"
                                            "line \xAA text\n"
                                            "\xAA"
                                            "next\n"));
    std::uint8_t buffer[ReportLineCapacity];
    const std::size_t length = MakeLink().ReceiveLine(buffer, sizeof buffer);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), length), "\xAA"
                                                                    "line \xAA text\n");
    EXPECT_EQ(buffer[length], 0);
    EXPECT_EQ(MakeLink().ReceiveLine(buffer, sizeof buffer), 6u);
    EXPECT_THAT(feedback.Ids(), IsEmpty());
}

TEST_F(LinkTest, LongestLineFitsAndOneByteMoreIsInvalid) {
    std::uint8_t buffer[ReportLineCapacity];
    const std::string longest = "\xAA" + std::string(497, 'x') + "\n"; // 499 bytes
    line.Queue(Bytes(longest));
    EXPECT_EQ(MakeLink().ReceiveLine(buffer, sizeof buffer), 499u);
    line.Queue(Bytes("\xAA" + std::string(498, 'x') + "\n"));
    EXPECT_EQ(MakeLink().ReceiveLine(buffer, sizeof buffer), 0u);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::InvalidData));
}

TEST_F(LinkTest, LineWithoutItsEndTimesOut) {
    std::uint8_t buffer[ReportLineCapacity];
    line.Queue(Bytes("\xAA"
                     "half a line"));
    const std::uint64_t start = clock.NowMs();
    EXPECT_EQ(MakeLink().ReceiveLine(buffer, sizeof buffer), 0u);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(clock.NowMs(), start + 3001);
}

} // namespace
} // namespace tillora
