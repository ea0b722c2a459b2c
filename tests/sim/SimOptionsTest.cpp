#include "sim/SimOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tillora::sim {
namespace {

SimOptions Parsed(const std::vector<std::string>& args) {
    std::string error;
    const auto options = ParseSimOptions(args, error);
    EXPECT_TRUE(options.has_value()) << error;
    return options.value_or(SimOptions{});
}

std::string Refused(const std::vector<std::string>& args) {
    std::string error;
    EXPECT_FALSE(ParseSimOptions(args, error).has_value()) << args[0];
    return error;
}

TEST(SimOptionsTest, NoOptionsGiveAWellBehavedModelZeroWithSerial123) {
    const SimOptions options = Parsed({});
    EXPECT_EQ(options.model, 0);
    EXPECT_EQ(options.serial, 123u);
    EXPECT_EQ(options.faults.refuseFrame, 0u);
    EXPECT_EQ(options.faults.silentFrom, 0u);
    EXPECT_EQ(options.faults.closeAfter, 0u);
    EXPECT_EQ(options.faults.answerDelayMs, 0u);
    EXPECT_EQ(options.faults.answerSerial, 0u);
    EXPECT_FALSE(options.faults.badChecksum);
    EXPECT_EQ(options.faults.noise, "");
    EXPECT_EQ(options.faults.infoAnswerByte, 0x06);
    EXPECT_EQ(options.faults.paceBaud, 0u);
    EXPECT_EQ(options.logFile, "");
    EXPECT_FALSE(options.help);
}

TEST(SimOptionsTest, EveryOptionSetsItsValue) {
    const SimOptions options = Parsed({"--model",
                                       "9",
                                       "--serial",
                                       "999999",
                                       "--refuse-frame",
                                       "3",
                                       "--silent-from",
                                       "4",
                                       "--close-after",
                                       "5",
                                       "--delay",
                                       "3001",
                                       "--answer-serial",
                                       "555",
                                       "--bad-checksum",
                                       "--noise",
                                       "aa 55",
                                       "--info-answer",
                                       "0E",
                                       "--pace",
                                       "9600",
                                       "--log",
                                       "frames.txt"});
    EXPECT_EQ(options.model, 9);
    EXPECT_EQ(options.serial, 999999u);
    EXPECT_EQ(options.faults.refuseFrame, 3u);
    EXPECT_EQ(options.faults.silentFrom, 4u);
    EXPECT_EQ(options.faults.closeAfter, 5u);
    EXPECT_EQ(options.faults.answerDelayMs, 3001u);
    EXPECT_EQ(options.faults.answerSerial, 555u);
    EXPECT_TRUE(options.faults.badChecksum);
    EXPECT_EQ(options.faults.noise, "\xAA\x55");
    EXPECT_EQ(options.faults.infoAnswerByte, 0x0E);
    EXPECT_EQ(options.faults.paceBaud, 9600u);
    EXPECT_EQ(options.logFile, "frames.txt");
    EXPECT_TRUE(Parsed({"--help"}).help);
}

TEST(SimOptionsTest, BadOptionsAreNamed) {
    EXPECT_EQ(Refused({"--loud"}), "unknown option: --loud");
    EXPECT_EQ(Refused({"--serial"}), "--serial needs a value");
    EXPECT_EQ(Refused({"--serial", "0"}), "bad value for --serial: 0");
    const std::vector<std::vector<std::string>> bad = {
        {"--serial", "1000000"},   {"--serial", "12a"},      {"--model", "10"},
        {"--model", "-1"},         {"--pace", "0"},          {"--refuse-frame", "0"},
        {"--noise", "A"},          {"--noise", "GG"},        {"--noise", ""},
        {"--info-answer", "0601"}, {"--answer-serial", "0"}, {"--log", ""},
        {"--delay", "soon"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Refused(args), "bad value for " + args[0] + ": " + args[1]);
    }
}

} // namespace
} // namespace tillora::sim
