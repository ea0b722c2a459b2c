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
    EXPECT_EQ(options.logoFile, "");
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
                                       "frames.txt",
                                       "--logo-file",
                                       "logo.bmp"});
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
    EXPECT_EQ(options.logoFile, "logo.bmp");
    EXPECT_NE(SimUsage().find("--logo-file FILE"), std::string::npos);
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
        {"--delay", "soon"},       {"--logo-file", ""},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Refused(args), "bad value for " + args[0] + ": " + args[1]);
    }
}

TEST(SimOptionsTest, TableFilesAndTheReportLimit) {
    const SimOptions none = Parsed({});
    EXPECT_FALSE(none.faults.reportLineLimit.has_value());
    EXPECT_EQ(none.articlesFile, "");
    EXPECT_EQ(none.saveDir, "");

    const SimOptions options =
        Parsed({"--articles", "a.txt", "--operators", "o.txt", "--subgroups", "s.txt", "--company",
                "c.txt", "--save-dir", "out", "--report-lines", "12"});
    EXPECT_EQ(options.articlesFile, "a.txt");
    EXPECT_EQ(options.operatorsFile, "o.txt");
    EXPECT_EQ(options.subgroupsFile, "s.txt");
    EXPECT_EQ(options.companyFile, "c.txt");
    EXPECT_EQ(options.saveDir, "out");
    EXPECT_EQ(options.faults.reportLineLimit, 12u);
    // Nothing after the acknowledgement of "f".
    EXPECT_EQ(Parsed({"--report-lines", "0"}).faults.reportLineLimit, 0u);

    for (const auto& args : std::vector<std::vector<std::string>>{{"--report-lines", "-1"},
                                                                  {"--report-lines", "many"},
                                                                  {"--report-lines", ""},
                                                                  {"--articles", ""},
                                                                  {"--save-dir", ""},
                                                                  {"--company", ""}}) {
        EXPECT_EQ(Refused(args), "bad value for " + args[0] + ": " + args[1]);
    }
    EXPECT_EQ(Refused({"--articles"}), "--articles needs a value");
}

TEST(SimOptionsTest, UsageNamesTheTableOptions) {
    const std::string usage = SimUsage();
    for (const char* option : {"--report-lines N", "--articles FILE", "--operators FILE",
                               "--subgroups FILE", "--company FILE", "--save-dir DIR"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
}

TEST(SimOptionsTest, TheLateFrameItsLatenessAndTheCutFrame) {
    const SimOptions none = Parsed({});
    EXPECT_EQ(none.faults.lateFrame, 0u);
    EXPECT_EQ(none.faults.lateMs, 0u);
    EXPECT_EQ(none.faults.truncateFrame, 0u);

    const SimOptions options =
        Parsed({"--late-frame", "3", "--late-ms", "2700", "--truncate-frame", "4"});
    EXPECT_EQ(options.faults.lateFrame, 3u);
    EXPECT_EQ(options.faults.lateMs, 2700u);
    EXPECT_EQ(options.faults.truncateFrame, 4u);
    EXPECT_EQ(options.faults.answerDelayMs, 0u);
    EXPECT_EQ(Parsed({"--late-ms", "0", "--late-frame", "1"}).faults.lateFrame, 1u);

    for (const auto& args : std::vector<std::vector<std::string>>{{"--late-frame", "0"},
                                                                  {"--late-frame", "x"},
                                                                  {"--late-ms", "-5"},
                                                                  {"--truncate-frame", "0"},
                                                                  {"--truncate-frame", ""}}) {
        EXPECT_EQ(Refused(args), "bad value for " + args[0] + ": " + args[1]);
    }
    EXPECT_EQ(Refused({"--late-frame", "2"}), "--late-frame and --late-ms go together");
    EXPECT_EQ(Refused({"--late-ms", "3300"}), "--late-frame and --late-ms go together");
    EXPECT_EQ(Refused({"--truncate-frame"}), "--truncate-frame needs a value");
    for (const char* option : {"--late-frame N", "--late-ms MS", "--truncate-frame N"}) {
        EXPECT_NE(SimUsage().find(option), std::string::npos) << option;
    }
}

} // namespace
} // namespace tillora::sim
