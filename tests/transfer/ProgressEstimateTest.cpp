#include "transfer/ProgressEstimate.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

TEST(ProgressEstimateTest, NothingDoneHasAShareOfNoneAndNoTimeLeft) {
    CProgressEstimate estimate;
    EXPECT_EQ(estimate.Percent(), 0u);
    EXPECT_EQ(estimate.SecondsLeft(), std::nullopt);
    estimate.Start(5000);
    estimate.Update(0, 200, 9000);
    EXPECT_EQ(estimate.Percent(), 0u);
    EXPECT_EQ(estimate.SecondsLeft(), std::nullopt);
}

TEST(ProgressEstimateTest, TheRecordsLeftCostWhatTheRecordsDoneCostEach) {
    CProgressEstimate estimate;
    estimate.Start(1000);
    estimate.Update(50, 200, 1000 + 50 * 82); // 82 ms a record
    EXPECT_EQ(estimate.Percent(), 25u);
    EXPECT_EQ(estimate.SecondsLeft(), 150 * 82 / 1000); // 12.3 s, rounded down
    estimate.Update(199, 200, 1000 + 199 * 82);
    EXPECT_EQ(estimate.Percent(), 99u);
    EXPECT_EQ(estimate.SecondsLeft(), 0u);
}

TEST(ProgressEstimateTest, AllDoneHasNothingLeft) {
    CProgressEstimate estimate;
    estimate.Start(0);
    estimate.Update(3, 3, 300);
    EXPECT_EQ(estimate.Percent(), 100u);
    EXPECT_EQ(estimate.SecondsLeft(), std::nullopt);
}

TEST(ProgressEstimateTest, ANewStartForgetsTheLastTransfer) {
    CProgressEstimate estimate;
    estimate.Start(0);
    estimate.Update(2, 4, 2000);
    estimate.Start(10000);
    EXPECT_EQ(estimate.Done(), 0u);
    EXPECT_EQ(estimate.Total(), 0u);
    estimate.Update(1, 4, 13000);
    EXPECT_EQ(estimate.SecondsLeft(), 9u);
}

TEST(ProgressEstimateTest, AClockThatStandsStillLeavesNoTime) {
    CProgressEstimate estimate;
    estimate.Start(700);
    estimate.Update(1, 2600, 600); // a clock read before the start counts as no time
    EXPECT_EQ(estimate.SecondsLeft(), 0u);
}

TEST(ProgressEstimateTest, MinutesAndSecondsAsAClockShowsThem) {
    EXPECT_EQ(MinutesAndSeconds(0), "0:00");
    EXPECT_EQ(MinutesAndSeconds(9), "0:09");
    EXPECT_EQ(MinutesAndSeconds(83), "1:23");
    EXPECT_EQ(MinutesAndSeconds(213), "3:33"); // 2600 article records at 82 ms
    EXPECT_EQ(MinutesAndSeconds(4500), "75:00");
}

} // namespace
} // namespace tillora
