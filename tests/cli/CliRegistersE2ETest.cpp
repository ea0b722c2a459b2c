// The register list and the send to several registers at once, against one tillora-ecr-sim per
// register, each on its own pseudo-terminal; and Ctrl+C during a send.
#include "FrameLog.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/EcrIniFile.h"
#include "link/Message.h"
#include "link/RegisterInForce.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::SimProcess;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string Articles = (fs::path(TILLORA_SOURCE_DIR) / "examples" / "articles.txt").string();
constexpr unsigned ArticleRows = 33; // the rows of the example that hold something

using test::LoggedFrame;

class CliRegistersE2ETest : public ::testing::Test {
protected:
    fs::path Path(const std::string& name) const { return temp.Path() / name; }
    std::vector<std::string> Env() const {
        return {"TILLORA_INI=" + Path("t.ini").string(), "XDG_DATA_HOME=" + Path("data").string()};
    }
    ProgramResult Cli(const std::vector<std::string>& args) const {
        return test::RunProgram("tillora-cli", args, Env());
    }

    // A register with that name and serial in the list, on a simulated register of its own.
    void AddRegister(const std::string& name, unsigned serial, std::vector<std::string> faults = {},
                     const std::string& gap = "0") {
        std::vector<std::string> options = {"--serial", std::to_string(serial), "--log",
                                            LogOf(name)};
        options.insert(options.end(), faults.begin(), faults.end());
        sims.push_back(std::make_unique<SimProcess>(options));
        ASSERT_FALSE(sims.back()->Device().empty());
        const ProgramResult added =
            Cli({"registers", "add", name, "--model", "0", "--serial", std::to_string(serial),
                 "--port", sims.back()->Device(), "--gap", gap});
        ASSERT_EQ(added.status, 0) << added.err;
    }

    std::string LogOf(const std::string& name) const { return Path(name + ".log").string(); }

    std::vector<LoggedFrame> Frames(const std::string& name) const {
        return test::ReadFrameLog(LogOf(name));
    }

    std::vector<std::string> Records(const std::string& name) const {
        std::vector<std::string> records;
        for (const LoggedFrame& frame : Frames(name)) {
            if (frame.kind == "r") {
                records.push_back(frame.payload + " " + frame.reply);
            }
        }
        return records;
    }

    bool Closed(const std::string& name) const {
        const std::vector<LoggedFrame> frames = Frames(name);
        return std::any_of(frames.begin(), frames.end(),
                           [](const LoggedFrame& frame) { return frame.kind == "z"; });
    }

    test::TempFolder temp{"tillora-cli-registers"};
    std::vector<std::unique_ptr<SimProcess>> sims;
};

TEST_F(CliRegistersE2ETest, ListKeepsCyrillicNamesAndTakesTheSettingsDialogsChecks) {
    AddRegister("Каса 1", 111);
    AddRegister("Магазин", 222);
    EXPECT_EQ(Cli({"registers", "add", "X", "--model", "10", "--serial", "1", "--com", "1"}).err,
              FormatMessage(ids::NoModel) + "\n");
    EXPECT_EQ(Cli({"registers", "add", "X", "--model", "1", "--serial", "0", "--com", "1"}).status,
              1);
    ProgramResult list = Cli({"registers"});
    EXPECT_EQ(list.out, "Каса 1\t0\t" + sims[0]->Device() + "\t000111\nМагазин\t0\t" +
                            sims[1]->Device() + "\t000222\n");
    EXPECT_EQ(Cli({"registers", "remove", "КАСА 1"}).status, 0);
    EXPECT_EQ(Cli({"registers"}).out, "Магазин\t0\t" + sims[1]->Device() + "\t000222\n");
    const ProgramResult unknown = Cli({"--register", "Каса 1", "info"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, FormatMessage(ids::RegisterUnknown, "Каса 1") + "\n");
    const ProgramResult info = Cli({"--register", "магазин", "info"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "000222\n");
}

// The register the window's chooser put in force ([ECR] with its port) is the tool's too, until
// a COM port written with config takes its place.
TEST_F(CliRegistersE2ETest, TheRegisterPutInForceIsTheToolsUntilAComPortIsWritten) {
    AddRegister("A", 333);
    {
        EcrIniFile ini(Path("t.ini").string());
        const std::optional<NamedRegister> reg = FindRegister(ini, "A");
        ASSERT_TRUE(reg.has_value());
        ASSERT_TRUE(SaveRegisterInForce(ini, *reg));
    }
    const ProgramResult info = Cli({"info"});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "000333\n");
    EXPECT_THAT(Cli({"config"}).out, HasSubstr("Port=" + sims[0]->Device() + "\n"));
    EXPECT_EQ(Cli({"config", "--com", "2"}).status, 0);
    EXPECT_EQ(EcrIniFile(Path("t.ini").string()).GetString("ECR", "Port", "?"), "");
    EXPECT_THAT(Cli({"config"}).out, HasSubstr("Port=COM2"));
}

TEST_F(CliRegistersE2ETest, OneSendGivesEveryRegisterTheSameRecords) {
    AddRegister("A", 111);
    AddRegister("B", 222);
    const ProgramResult sent =
        Cli({"--quiet", "send", "articles", Articles, "--register", "A", "--register", "B"});
    EXPECT_EQ(sent.status, 0) << sent.err;
    const std::string done = FormatMessage(ids::RowsSent, ArticleRows);
    EXPECT_EQ(sent.out, "A: " + done + "\nB: " + done + "\n");
    EXPECT_EQ(Records("A").size(), ArticleRows);
    EXPECT_EQ(Records("A"), Records("B"));
    EXPECT_TRUE(Closed("A"));
    EXPECT_TRUE(Closed("B"));
}

TEST_F(CliRegistersE2ETest, RefusalAtOneRegisterLeavesTheOthersRunWhole) {
    AddRegister("A", 111);
    AddRegister("B", 222, {"--refuse-frame", "6"});
    const ProgramResult sent =
        Cli({"--quiet", "send", "articles", Articles, "--register", "A", "--register", "B"});
    EXPECT_EQ(sent.status, 1);
    EXPECT_EQ(sent.out, "A: " + FormatMessage(ids::RowsSent, ArticleRows) +
                            "\nB: " + FormatMessage(ids::RegisterRefused) + "\n");
    EXPECT_THAT(sent.err, HasSubstr("B: " + FormatMessage(ids::RegisterRefused) + "\n"));
    EXPECT_EQ(Records("A").size(), ArticleRows);
    EXPECT_TRUE(Closed("A"));
    EXPECT_FALSE(Closed("B"));
    EXPECT_EQ(Records("B").back().substr(Records("B").back().size() - 3), "nak");
}

// Ctrl+C while one register or several take records: each run ends after the answer it waits
// for, sends no "z", tells how many records its register acknowledged, and forgets the table's
// known state.
TEST_F(CliRegistersE2ETest, CtrlCEndsEveryRunAfterTheAnswerInFlight) {
    AddRegister("A", 111, {"--pace", "9600"}, "50");
    AddRegister("B", 222, {"--pace", "9600"}, "50");
    for (const std::vector<std::string>& names : {std::vector<std::string>{"A"}, {"A", "B"}}) {
        std::vector<std::string> args = {"--quiet", "send", "articles", Articles};
        for (const std::string& name : names) {
            args.insert(args.end(), {"--register", name});
        }
        const std::size_t before = Records("A").size();
        std::chrono::steady_clock::time_point interrupted;
        const ProgramResult stopped = test::RunProgramInterrupted("tillora-cli", args, Env(), [&] {
            interrupted = std::chrono::steady_clock::now();
            return Records("A").size() >= before + 3;
        });
        const auto took = std::chrono::steady_clock::now() - interrupted;
        EXPECT_LT(took, std::chrono::milliseconds(1500)) << "longer than an answer may take";
        EXPECT_EQ(stopped.status, 1) << stopped.err;
        for (const std::string& name : names) {
            EXPECT_FALSE(Closed(name)) << name;
            const std::vector<std::string> records = Records(name);
            const std::size_t acknowledged = records.size() - (name == "A" ? before : 0);
            const std::string text =
                (FormatMessage(ids::SendStopped, static_cast<unsigned>(acknowledged), ArticleRows));
            const std::string prefix = names.size() > 1 ? name + ": " : "";
            EXPECT_THAT(stopped.out + stopped.err, HasSubstr(prefix + text)) << name;
            const ProgramResult diff = Cli({"--register", name, "diff", "articles", Articles});
            EXPECT_EQ(diff.status, 1) << name;
            EXPECT_THAT(diff.err, HasSubstr(FormatMessage(ids::KnownStateNone,
                                                          name == "A" ? "000111" : "000222")));
        }
        EXPECT_THAT(stopped.out, Not(HasSubstr(FormatMessage(ids::RowsSent, ArticleRows))));
    }
}

} // namespace
} // namespace tillora
