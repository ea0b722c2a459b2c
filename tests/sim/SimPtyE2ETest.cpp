#include "RawDevice.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tillora::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The worked example: command "a" to serial 123 and the register's acknowledgement.
const Bytes CommandA{0xAA, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x61, 0x3C, 0x3B, 0x0A};
const Bytes AckOf123{0x06, 0x30, 0x30, 0x30, 0x31, 0x32, 0x33, 0x30, 0x36, 0x0A};

using Device = test::RawDevice;

class SimPtyE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("tillora-sim-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        log = (folder / "frames.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string LogText() const {
        std::stringstream text;
        text << std::ifstream(log).rdbuf();
        return text.str();
    }

    std::filesystem::path folder;
    std::string log;
};

TEST_F(SimPtyE2ETest, CommandIsAcknowledgedAndLogged) {
    for (const std::vector<std::string>& pace : {std::vector<std::string>{}, {"--pace", "9600"}}) {
        std::vector<std::string> args{"--serial", "123", "--log", log};
        args.insert(args.end(), pace.begin(), pace.end());
        test::SimProcess sim(args);
        ASSERT_FALSE(sim.Device().empty());
        Device device(sim.Device());
        ASSERT_TRUE(device.IsOpen()) << sim.Device();
        ASSERT_TRUE(device.Write(CommandA));
        bool hungUp = false;
        EXPECT_EQ(device.Read(10, hungUp), AckOf123);
        // The log is written before the answer leaves.
        EXPECT_EQ(LogText(), "1\ta\tack\t\n");
        EXPECT_EQ(sim.Stop(), 0);
        EXPECT_EQ(LogText(), "1\ta\tack\t\n");
    }
}

TEST_F(SimPtyE2ETest, DeviceCanBeOpenedAgainAfterAClientLeft) {
    test::SimProcess sim({"--serial", "123"});
    for (int client = 0; client < 2; ++client) {
        Device device(sim.Device());
        ASSERT_TRUE(device.IsOpen());
        ASSERT_TRUE(device.Write(CommandA));
        bool hungUp = false;
        EXPECT_EQ(device.Read(10, hungUp), AckOf123) << client;
    }
    EXPECT_EQ(sim.Stop(), 0);
}

TEST_F(SimPtyE2ETest, ClosingRegisterHangsUpAndEnds) {
    test::SimProcess sim({"--serial", "123", "--close-after", "2", "--log", log});
    Device device(sim.Device());
    ASSERT_TRUE(device.IsOpen());
    ASSERT_TRUE(device.Write(CommandA));
    bool hungUp = false;
    EXPECT_EQ(device.Read(10, hungUp), AckOf123);
    ASSERT_TRUE(device.Write(CommandA));
    EXPECT_TRUE(device.Read(10, hungUp).empty());
    EXPECT_TRUE(hungUp);
    // It ends cleanly, with the log complete.
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_EQ(LogText(), "1\ta\tack\t\n2\ta\tclose\t\n");
}

} // namespace
} // namespace tillora::sim
