#include "link/EcrInfo.h"

#include "BorrowedLine.h"
#include "FakeClock.h"
#include "Frames.h"
#include "RecordingFeedback.h"
#include "ScriptedLine.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using test::Answer;
using test::Bytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class EcrInfoTest : public ::testing::Test {
protected:
    EcrInfoTest() {
        choice.demoLine = [this]() -> std::unique_ptr<ISerialLine> {
            ++opens;
            return std::make_unique<test::BorrowedLine>(line, closes);
        };
    }

    std::optional<std::string> Query() { return QueryEcrInfo(choice, clock, feedback); }

    test::FakeClock clock;
    test::ScriptedLine line{clock};
    test::RecordingFeedback feedback;
    LineChoice choice;
    int opens = 0;
    int closes = 0;
};

TEST_F(EcrInfoTest, QueryFrameIsFixed) {
    EXPECT_EQ(InfoQueryFrame(), "\xAA\x3F\x39\x35\x0A");
    line.AnswerNextWrite(15, Answer(0x06, "000123"));
    Query();
    ASSERT_EQ(line.Writes().size(), 1u);
    EXPECT_EQ(line.Writes()[0].bytes, Bytes("\xAA\x3F\x39\x35\x0A"));
}

TEST_F(EcrInfoTest, BothAnswerBytesGiveTheSerial) {
    line.AnswerNextWrite(15, Answer(0x06, "004711"));
    EXPECT_EQ(Query(), "004711");
    line.AnswerNextWrite(15, Answer(0x0E, "654321"));
    EXPECT_EQ(Query(), "654321");
    EXPECT_THAT(feedback.Ids(), IsEmpty());
}

TEST_F(EcrInfoTest, AnyRegistersSerialIsTaken) {
    // Nothing to compare with: this is how the user learns the serial.
    line.AnswerNextWrite(15, Answer(0x06, "999999"));
    EXPECT_EQ(Query(), "999999");
}

TEST_F(EcrInfoTest, SerialBytesAreTakenAsTheyCameDigitsOrNot) {
    // The answer's checks do not look at the six bytes; the dialog's OK refuses what is no
    // number, so a register's odd answer shows up where the user can see it.
    line.AnswerNextWrite(15, Answer(0x06, "12 a?Z"));
    EXPECT_EQ(Query(), "12 a?Z");
    const std::string binary{'\0', '\xFF', '0', '0', '0', '1'};
    line.AnswerNextWrite(15, Answer(0x0E, binary));
    EXPECT_EQ(Query(), binary);
    EXPECT_THAT(feedback.Ids(), IsEmpty());
}

TEST_F(EcrInfoTest, ChecksumCountsTheAnswerByteAsReceived) {
    auto answer = Answer(0x06, "000123");
    answer[0] = 0x0E; // checksum was made over 0x06
    line.AnswerNextWrite(15, answer);
    EXPECT_EQ(Query(), std::nullopt);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::ChecksumError));
}

TEST_F(EcrInfoTest, EachBadAnswerGivesItsMessage) {
    auto noLineFeed = Answer(0x06, "000123");
    noLineFeed[9] = ' ';
    const std::pair<std::vector<std::uint8_t>, unsigned> cases[] = {
        {Answer(0x15, "000123"), ids::RegisterRefused},
        {Answer(0x07, "000123"), ids::InvalidData},
        {noLineFeed, ids::InvalidData},
    };
    for (const auto& [answer, id] : cases) {
        feedback.messages.clear();
        line.AnswerNextWrite(15, answer);
        EXPECT_EQ(Query(), std::nullopt);
        EXPECT_THAT(feedback.Ids(), ElementsAre(id));
    }
}

TEST_F(EcrInfoTest, SilentRegisterTimesOutAndTheLineIsClosed) {
    const std::uint64_t start = clock.NowMs();
    EXPECT_EQ(Query(), std::nullopt);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_EQ(clock.NowMs(), start + 3001);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(feedback.waitDepth, 0);
    EXPECT_EQ(feedback.waitCursorShown, 1);
}

TEST_F(EcrInfoTest, FailedWriteIsReported) {
    line.FailWrite(1);
    EXPECT_EQ(Query(), std::nullopt);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::WriteFailed));
    EXPECT_EQ(closes, 1);
}

TEST_F(EcrInfoTest, PortThatCannotBeOpenedNamesTheNumberAskedFor) {
    choice.demoLine = nullptr;
    choice.devices = {"/nonexistent/tty0", "/nonexistent/tty1", "/nonexistent/tty2",
                      "/nonexistent/tty3"};
    for (int comIndex : {-1, 1, 4}) {
        feedback.messages.clear();
        choice.comIndex = comIndex;
        EXPECT_EQ(Query(), std::nullopt);
        ASSERT_THAT(feedback.Ids(), ElementsAre(ids::PortNotOpened));
        EXPECT_EQ(feedback.messages[0].text,
                  "COM" + std::to_string(comIndex + 1) + "  не може да бъде отворен!");
    }
    EXPECT_EQ(feedback.waitDepth, 0);
}

} // namespace
} // namespace tillora
