// How a send run ends when the register or the line lets it down: one message, at the frame
// concerned, no "z" after a record that failed, the line closed and the table untouched.
#include "BorrowedLine.h"
#include "FakeClock.h"
#include "Frames.h"
#include "RecordingFeedback.h"
#include "ScriptedLine.h"
#include "SendTestSupport.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SendRuns.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using test::AckFrame;
using test::Answer;
using test::CommandFrame;
using test::Confirmation;
using ::testing::ElementsAre;

constexpr std::uint64_t AnswerDelayMs = 5;

std::vector<std::uint8_t> Join(std::vector<std::uint8_t> first,
                               const std::vector<std::uint8_t>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class SendFaultsTest : public ::testing::Test {
protected:
    SendFaultsTest() {
        settings.EcrType = 0;
        settings.EcrSerial = 123;
        choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
            ++opened;
            return std::make_unique<test::BorrowedLine>(line, closes);
        };
        for (int row = 1; row <= 3; ++row) {
            table.Set(row, operators::Name, "OP" + std::to_string(row));
        }
    }

    bool Run() {
        TransferSession session{choice, clock, feedback, settings, 0, {}};
        session.stop = &stop;
        session.recordSent = [this](unsigned done, unsigned) {
            if (done == stopAfter) {
                stop.Request();
            }
        };
        const auto before = table.Texts();
        const bool sent = SendOperators(table.access, session);
        EXPECT_EQ(table.Texts(), before);
        EXPECT_EQ(closes, opened);
        EXPECT_EQ(feedback.waitDepth, 0);
        return sent;
    }

    void Acknowledge(int frames) {
        for (int i = 0; i < frames; ++i) {
            line.AnswerNextWrite(AnswerDelayMs, AckFrame());
        }
    }

    // The kind letters of the frames written, in order ('\x06' for our acknowledgement).
    std::string WrittenKinds() const {
        std::string kinds;
        for (const auto& write : line.Writes()) {
            kinds += write.bytes.size() > 7 && write.bytes[0] == 0xAA
                         ? static_cast<char>(write.bytes[7])
                         : static_cast<char>(write.bytes[0]);
        }
        return kinds;
    }

    test::FakeClock clock;
    test::ScriptedLine line{clock};
    test::RecordingFeedback feedback;
    test::TableUnderTest table{TableKind::Operators};
    EcrSettings settings;
    LineChoice choice;
    int opened = 0;
    int closes = 0;
    CStopRequest stop;
    unsigned stopAfter = 0; // records acknowledged before the stop is requested; 0: none
};

TEST_F(SendFaultsTest, ScriptedRegisterThatAnswersEverythingTakesTheRun) {
    Acknowledge(4);
    line.AnswerNextWrite(AnswerDelayMs, Join(AckFrame(), Confirmation()));
    EXPECT_TRUE(Run());
    EXPECT_EQ(WrittenKinds(), "aoooz\x06");
    EXPECT_EQ(line.Writes().front().bytes, CommandFrame('a'));
}

// A stop waits for the answer in flight and then ends the run as a failure would: no "z", so the
// register keeps the records it acknowledged.
TEST_F(SendFaultsTest, StopEndsTheRunAfterTheAnswerInFlightWithoutZ) {
    Acknowledge(3);
    stopAfter = 2;
    EXPECT_FALSE(Run());
    EXPECT_EQ(WrittenKinds(), "aoo");
    ASSERT_THAT(feedback.Ids(), ElementsAre(ids::SendStopped));
    EXPECT_EQ(feedback.messages.front().text, "Прекъснато: изпратени 2 от 3 реда");
}

TEST_F(SendFaultsTest, StopBeforeTheFirstRecordSendsNone) {
    Acknowledge(1);
    stop.Request();
    EXPECT_FALSE(Run());
    EXPECT_EQ(WrittenKinds(), "a");
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::SendStopped));
}

TEST_F(SendFaultsTest, RefusedOpeningSendsNoRecord) {
    line.AnswerNextWrite(AnswerDelayMs, Answer(0x15, "000000000"));
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::RegisterRefused));
    EXPECT_EQ(WrittenKinds(), "a");
}

TEST_F(SendFaultsTest, RefusalAtTheFirstRecordEndsWithoutClosingTheTransfer) {
    Acknowledge(1);
    line.AnswerNextWrite(AnswerDelayMs, Answer(0x15, "000000000"));
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::RegisterRefused));
    EXPECT_EQ(WrittenKinds(), "ao");
    EXPECT_EQ(feedback.statusTexts.back(), FormatMessage(ids::SendingRow, 1u));
}

TEST_F(SendFaultsTest, SilenceAtTheFirstRecordIsATimeout) {
    Acknowledge(1);
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(WrittenKinds(), "ao");
}

TEST_F(SendFaultsTest, RefusalInTheMiddleKeepsTheRowsBeforeAndSendsNoMore) {
    Acknowledge(2);
    line.AnswerNextWrite(AnswerDelayMs, Answer(0x15, "000000000"));
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::RegisterRefused));
    EXPECT_EQ(WrittenKinds(), "aoo");
    EXPECT_EQ(feedback.statusTexts.back(), FormatMessage(ids::SendingRow, 2u));
}

TEST_F(SendFaultsTest, SilenceInTheMiddleIsATimeout) {
    Acknowledge(3);
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(WrittenKinds(), "aooo");
}

TEST_F(SendFaultsTest, FailedWriteOfARecordIsReported) {
    Acknowledge(2);
    line.FailWrite(3);
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::WriteFailed));
    EXPECT_EQ(WrittenKinds(), "aoo");
}

TEST_F(SendFaultsTest, MissingConfirmationIsATimeoutAfterAllRows) {
    Acknowledge(5);
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(WrittenKinds(), "aoooz");
    EXPECT_EQ(feedback.statusTexts.back(), FormatMessage(ids::SendingRow, 3u));
}

TEST_F(SendFaultsTest, WrongConfirmationIsInvalidDataAndNotAcknowledged) {
    Acknowledge(4);
    line.AnswerNextWrite(AnswerDelayMs, Join(AckFrame(), Confirmation("000123", 'x')));
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::InvalidData));
    EXPECT_EQ(WrittenKinds(), "aoooz");
}

TEST_F(SendFaultsTest, ConfirmationOfAnotherRegisterIsRefused) {
    Acknowledge(4);
    line.AnswerNextWrite(AnswerDelayMs, Join(AckFrame(), Confirmation("000999")));
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::SerialMismatch));
}

TEST_F(SendFaultsTest, PortThatCannotBeOpenedShowsItsNumber) {
    int asked = 0;
    choice.demoLine = [&asked]() -> std::unique_ptr<ISerialLine> {
        ++asked;
        return nullptr;
    };
    choice.comIndex = 2;
    EXPECT_FALSE(Run());
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
    EXPECT_NE(feedback.messages[0].text.find("COM3"), std::string::npos);
    EXPECT_EQ(asked, 1);
}

} // namespace
} // namespace tillora
