#include "SimProcess.h"
#include "TempFolder.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tillora {
namespace {

using test::ProgramResult;
using test::RunProgram;
using test::SimProcess;
using ::testing::HasSubstr;

// The text a message id shows on the terminal.
std::string Shown(unsigned id) {
    return std::string(LoadString(id)) + "\n";
}

class CliInfoE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() /
            ("tillora-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        ini = (folder / "tillora.ini").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // tillora-cli with its own INI file, so that no setting of the machine leaks in.
    ProgramResult Cli(std::vector<std::string> args) {
        return RunProgram("tillora-cli", args, {"TILLORA_INI=" + ini});
    }

    // info against tillora-ecr-sim (serial 123) started with the given fault options.
    ProgramResult InfoAgainstSim(std::vector<std::string> simArgs) {
        simArgs.insert(simArgs.begin(), {"--serial", "123"});
        SimProcess sim(simArgs);
        EXPECT_FALSE(sim.Device().empty());
        return Cli({"--port", sim.Device(), "--serial", "123", "info"});
    }

    test::TempFolder temp{"tillora-cli"};
    std::filesystem::path folder = temp.Path();
    std::string ini = (folder / "tillora.ini").string();
};

TEST_F(CliInfoE2ETest, DemoRegisterAnswersWithItsSerial) {
    const auto result = Cli({"--demo", "info"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "000123\n");
    const auto other = Cli({"--demo", "--serial", "4711", "info"});
    EXPECT_EQ(other.out, "004711\n");
}

TEST_F(CliInfoE2ETest, RegisterOnAPseudoTerminalAnswersWithEitherAnswerByte) {
    for (const char* answerByte : {"06", "0E"}) {
        const auto result = InfoAgainstSim({"--info-answer", answerByte});
        EXPECT_EQ(result.status, 0) << answerByte << ": " << result.err;
        EXPECT_EQ(result.out, "000123\n");
    }
}

TEST_F(CliInfoE2ETest, AnotherRegistersSerialIsPrinted) {
    SimProcess sim({"--serial", "555"});
    const auto result = Cli({"--port", sim.Device(), "--serial", "123", "info"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "000555\n");
}

TEST_F(CliInfoE2ETest, BadAnswersFailWithTheirMessage) {
    const std::pair<std::vector<std::string>, unsigned> cases[] = {
        {{"--bad-checksum"}, ids::ChecksumError},
        {{"--refuse-frame", "1"}, ids::RegisterRefused},
        // Only report lines skip what comes before their start byte; an answer must not.
        {{"--noise", "AA55"}, ids::InvalidData},
    };
    for (const auto& [simArgs, id] : cases) {
        const auto result = InfoAgainstSim(simArgs);
        EXPECT_EQ(result.status, 1) << simArgs[0];
        EXPECT_EQ(result.out, "") << simArgs[0];
        EXPECT_EQ(result.err, Shown(id)) << simArgs[0];
    }
}

TEST_F(CliInfoE2ETest, SilentRegisterTimesOut) {
    const auto result = InfoAgainstSim({"--silent-from", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Shown(ids::AnswerTimeout));
}

TEST_F(CliInfoE2ETest, PortThatCannotBeOpenedIsNamed) {
    std::ofstream(ini) << "[Ports]\nCOM3=" << (folder / "no-such-tty").string() << "\n";
    const auto result = Cli({"--com", "3", "info"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "COM3  не може да бъде отворен!\n");
}

TEST_F(CliInfoE2ETest, TraceShowsEveryByteWithItsDirection) {
    const std::string trace = (folder / "trace.txt").string();
    SimProcess sim({"--serial", "123"});
    const auto result = Cli({"--port", sim.Device(), "--trace", trace, "info"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::stringstream text;
    text << std::ifstream(trace).rdbuf();
    EXPECT_THAT(text.str(), HasSubstr("PC>ECR AA 3F 39 35 0A"));
    EXPECT_THAT(text.str(), HasSubstr("ECR>PC 06"));
}

TEST_F(CliInfoE2ETest, ConfigSavesTheSettingsAndShowsTheTitle) {
    const auto saved = Cli({"config", "--model", "3", "--com", "2", "--serial", "123"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_THAT(saved.out, HasSubstr("Title=Tillora - [Vexo v2.00ZB /  WEM 3001 v1.00ZB, COM2, "
                                     "000123]\n"));
    std::stringstream file;
    file << std::ifstream(ini).rdbuf();
    EXPECT_THAT(file.str(), HasSubstr("EcrType=3"));
    EXPECT_THAT(file.str(), HasSubstr("EcrCom=1"));
    EXPECT_THAT(file.str(), HasSubstr("EcrSerial=123"));
    const auto shown = Cli({"config"});
    EXPECT_THAT(shown.out, HasSubstr("EcrType=3\nEcrCom=1\nEcrSerial=123\n"));
}

TEST_F(CliInfoE2ETest, FirstStartHasNoSettings) {
    const auto shown = Cli({"config"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_THAT(shown.out, HasSubstr("EcrType=-1\nEcrCom=0\nEcrSerial=0\nFrameGapMs=100\n"));
    EXPECT_THAT(shown.out, HasSubstr("Title=Tillora\n"));
    EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST_F(CliInfoE2ETest, ModelsAreListedWithTheirIndices) {
    const auto result = Cli({"models"});
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("0\tMirel Fintale\n"));
    EXPECT_THAT(result.out, HasSubstr("9\tPANTO 02 M v1.00MRV\n"));
}

TEST_F(CliInfoE2ETest, UsageErrorsExitWithTwo) {
    EXPECT_EQ(Cli({"--com", "5", "info"}).status, 2);
    EXPECT_EQ(Cli({"--serial", "0", "info"}).status, 2);
    EXPECT_EQ(Cli({"--model", "10", "config"}).status, 2);
    EXPECT_EQ(Cli({"no-such-command"}).status, 2);
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_EQ(Cli({"--yes", "--no", "info"}).status, 2);
}

} // namespace
} // namespace tillora
