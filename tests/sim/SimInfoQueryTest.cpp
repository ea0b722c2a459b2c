// The information query against the in-process register, the way --demo runs it, with every
// kind of misbehaviour, on a fake clock so that the time limit is exact.

#include "FakeClock.h"
#include "RecordingFeedback.h"
#include "link/EcrInfo.h"
#include "res/StringIds.h"
#include "sim/SimulatedLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SimInfoQueryTest : public ::testing::Test {
protected:
    std::optional<std::string> Query(sim::SimFaults faults, unsigned serial = 123) {
        faults.paceBaud = 9600;
        auto ecr = std::make_shared<sim::CSimRegister>(0, serial, faults);
        LineChoice choice;
        choice.demoLine = [ecr, this]() -> std::unique_ptr<ISerialLine> {
            return std::make_unique<sim::CSimulatedLine>(ecr, clock);
        };
        start = clock.NowMs();
        return QueryEcrInfo(choice, clock, feedback);
    }

    test::FakeClock clock;
    test::RecordingFeedback feedback;
    std::uint64_t start = 0;
};

TEST_F(SimInfoQueryTest, EitherAnswerByteGivesTheRegistersSerial) {
    sim::SimFaults faults;
    EXPECT_EQ(Query(faults, 4711), "004711");
    faults.infoAnswerByte = 0x0E;
    EXPECT_EQ(Query(faults, 999999), "999999");
    EXPECT_THAT(feedback.Ids(), IsEmpty());
    // Five bytes out, ten back, at 9600 baud.
    EXPECT_LT(clock.NowMs() - start, 20u);
}

TEST_F(SimInfoQueryTest, AnswerWithAnotherSerialIsTaken) {
    sim::SimFaults faults;
    faults.answerSerial = 555;
    EXPECT_EQ(Query(faults), "000555");
}

TEST_F(SimInfoQueryTest, EachMisbehaviourGivesItsMessage) {
    sim::SimFaults badChecksum;
    badChecksum.badChecksum = true;
    sim::SimFaults refusal;
    refusal.refuseFrame = 1;
    sim::SimFaults noise;
    noise.noise = "\xAA\x55";
    const std::pair<sim::SimFaults, unsigned> cases[] = {
        {badChecksum, ids::ChecksumError},
        {refusal, ids::RegisterRefused},
        {noise, ids::InvalidData},
    };
    for (const auto& [faults, id] : cases) {
        feedback.messages.clear();
        EXPECT_EQ(Query(faults), std::nullopt);
        EXPECT_THAT(feedback.Ids(), ElementsAre(id));
    }
}

TEST_F(SimInfoQueryTest, SilenceTimesOutJustPastTheLimit) {
    sim::SimFaults faults;
    faults.silentFrom = 1;
    EXPECT_EQ(Query(faults), std::nullopt);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    // The limit counts from the end of the query's own write (5 bytes, about 5 ms).
    EXPECT_EQ(clock.NowMs() - start, 5u + 3001u);
}

TEST_F(SimInfoQueryTest, LateAnswerJustInsideTheLimitPasses) {
    sim::SimFaults faults;
    faults.answerDelayMs = 2980; // plus ten bytes at about 1.04 ms
    EXPECT_EQ(Query(faults), "000123");
    faults.answerDelayMs = 2995;
    EXPECT_EQ(Query(faults), std::nullopt);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
}

TEST_F(SimInfoQueryTest, LineClosedByTheRegisterEndsTheWaitAtOnce) {
    sim::SimFaults faults;
    faults.closeAfter = 1;
    EXPECT_EQ(Query(faults), std::nullopt);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::AnswerTimeout));
    EXPECT_LT(clock.NowMs() - start, 100u);
}

} // namespace
} // namespace tillora
