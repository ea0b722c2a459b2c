#include "sim/DemoRegister.h"
#include "FakeClock.h"
#include "RecordingFeedback.h"
#include "link/EcrInfo.h"
#include "link/SerialPort.h"

#include <gtest/gtest.h>

namespace tillora::sim {
namespace {

class DemoRegisterTest : public ::testing::Test {
protected:
    test::FakeClock clock;
    LineChoice line;
};

TEST_F(DemoRegisterTest, SettingsThatDescribeNoRegisterDescribeModelZeroWithSerial123) {
    EcrSettings settings; // as on the first start: no model, COM1, no serial
    const auto ecr = StartDemoRegister(settings, line, clock);
    ASSERT_NE(ecr, nullptr);
    EXPECT_EQ(settings.EcrType, 0);
    EXPECT_EQ(settings.EcrCom, 0);
    EXPECT_EQ(settings.EcrSerial, DemoSerial);
    EXPECT_EQ(ecr->Model(), 0);
    EXPECT_EQ(ecr->Serial(), DemoSerial);
}

TEST_F(DemoRegisterTest, TheRegisterOfTheSettingsWhereTheyDescribeOne) {
    EcrSettings settings{5, 2, 4711};
    const auto ecr = StartDemoRegister(settings, line, clock);
    EXPECT_EQ(ecr->Model(), 5);
    EXPECT_EQ(ecr->Serial(), 4711u);
    EXPECT_EQ(settings.EcrType, 5);
    EXPECT_EQ(settings.EcrCom, 2);
    EXPECT_EQ(settings.EcrSerial, 4711u);
}

TEST_F(DemoRegisterTest, EachSettingOutOfRangeIsReplacedAlone) {
    EcrSettings settings{12, 7, 1000000};
    const auto ecr = StartDemoRegister(settings, line, clock);
    EXPECT_EQ(settings.EcrType, 0);
    EXPECT_EQ(settings.EcrCom, 0);
    EXPECT_EQ(settings.EcrSerial, DemoSerial);
    EcrSettings serialOnly{-1, 3, 42};
    StartDemoRegister(serialOnly, line, clock);
    EXPECT_EQ(serialOnly.EcrType, 0);
    EXPECT_EQ(serialOnly.EcrCom, 3);
    EXPECT_EQ(serialOnly.EcrSerial, 42u);
}

TEST_F(DemoRegisterTest, ItTalksAtTheLineRateAndHasAShopToReport) {
    EcrSettings settings;
    const auto ecr = StartDemoRegister(settings, line, clock);
    EXPECT_EQ(ecr->Faults().paceBaud, RegisterBaudRate);
    EXPECT_FALSE(ecr->Tables().articles.empty());
}

TEST_F(DemoRegisterTest, EveryLineTheChoiceOpensReachesIt) {
    EcrSettings settings{2, 0, 77};
    const auto ecr = StartDemoRegister(settings, line, clock);
    ASSERT_TRUE(line.demoLine);
    test::RecordingFeedback feedback;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(QueryEcrInfo(line, clock, feedback), std::optional<std::string>("000077"));
    }
    EXPECT_TRUE(feedback.messages.empty());
    EXPECT_EQ(ecr->Frames().size(), 2u);
}

} // namespace
} // namespace tillora::sim
