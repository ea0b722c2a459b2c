#include "SimProcess.h"
#include "TempFolder.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::RunProgram;
using test::SimProcess;
using ::testing::HasSubstr;
using ::testing::Not;

fs::path Example(const std::string& table) {
    return fs::path(TILLORA_SOURCE_DIR) / "examples" / (table + ".txt");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class CliReportE2ETest : public ::testing::Test {
protected:
    ProgramResult Cli(std::vector<std::string> args) {
        return RunProgram("tillora-cli", args, {"TILLORA_INI=" + (temp.Path() / "t.ini").string()});
    }
    ProgramResult On(const SimProcess& sim, int model, std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim.Device(), "--model", std::to_string(model),
                                   "--serial", "123", "--gap", "0"});
        return Cli(args);
    }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }

    test::TempFolder temp{"tillora-cli-report"};
};

TEST_F(CliReportE2ETest, TheReportGivesBackWhatTheRegisterHolds) {
    std::string status;
    {
        SimProcess sim({"--model", "0", "--serial", "123", "--articles",
                        Example("articles").string(), "--save-dir", Path("ecr")});
        const ProgramResult result =
            On(sim, 0,
               {"report", "--articles", Path("report.txt"), "--subgroups", Path("subgroups.txt")});
        EXPECT_EQ(result.status, 0) << result.err;
        status = result.err;
    }
    // The report's first seven columns are the register's articles, row for row; a barcode the
    // register was never given is reported as zeros.
    const std::vector<std::string> held = Lines(ReadWholeFile(Path("ecr/articles.txt")).value());
    EXPECT_THAT(status, HasSubstr(FormatMessage(ids::ArticlesRead, unsigned(held.size()))));
    const std::vector<std::string> report = Lines(ReadWholeFile(Path("report.txt")).value());
    ASSERT_EQ(report.size(), held.size());
    for (std::size_t i = 0; i < held.size(); ++i) {
        for (int field = 0; field < 8; ++field) {
            std::string meant(GetField(CutLineEnd(held[i]), field));
            if (field == 2 && meant.empty()) {
                meant = "000000000000";
            }
            EXPECT_EQ(GetField(report[i], field), meant) << "line " << i << " field " << field;
        }
        EXPECT_EQ(FieldCount(report[i]), 10);
    }
    EXPECT_EQ(Lines(ReadWholeFile(Path("subgroups.txt")).value()).size(), 10u);
}

TEST_F(CliReportE2ETest, ModelOneNumbersArticlesPast999) {
    std::ofstream file(Path("many.txt"), std::ios::binary);
    for (int r = 995; r <= 1005; ++r) {
        file << r << "\tA" << r << "\t\t1.00\r\n";
    }
    file.close();
    SimProcess sim({"--model", "1", "--serial", "123", "--articles", Path("many.txt")});
    const ProgramResult result = On(sim, 1, {"report", "--subgroups", Path("sub.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    for (int r : {995, 999, 1000, 1005}) {
        const std::string line = std::to_string(r) + "\tA" + std::to_string(r) + "\t";
        EXPECT_THAT("\n" + result.out, HasSubstr("\n" + line)) << r;
    }
}

TEST_F(CliReportE2ETest, AReportThatStopsAfterSubgroupEightKeepsWhatCame) {
    // Three articles, then subgroups 0 to 8: twelve lines, and then silence.
    std::ofstream(Path("three.txt"), std::ios::binary) << "1\tA\r\n2\tB\r\n3\tC\r\n";
    SimProcess sim({"--model", "0", "--serial", "123", "--articles", Path("three.txt"),
                    "--report-lines", "12"});
    const ProgramResult result = On(sim, 0, {"report", "--subgroups", Path("sub.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(Count(result.err, FormatMessage(ids::AnswerTimeout)), 1u) << result.err;
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::ArticlesRead, 3u)));
    EXPECT_EQ(Lines(result.out).size(), 3u) << "the articles read stay";
    EXPECT_EQ(Lines(ReadWholeFile(Path("sub.txt")).value()).size(), 9u);
}

TEST_F(CliReportE2ETest, ARefusedRecordEndsTheSendWithItsMessageAndNoEnd) {
    {
        // Frame 1 is "a", frame 2 the first article, frame 3 the second: refused.
        SimProcess sim({"--model", "0", "--serial", "123", "--refuse-frame", "3", "--save-dir",
                        Path("ecr"), "--log", Path("frames.log")});
        const ProgramResult result =
            On(sim, 0, {"--quiet", "send", "articles", Example("articles").string()});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
        EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::RegisterRefused)));
    }
    const std::vector<std::string> held = Lines(ReadWholeFile(Path("ecr/articles.txt")).value());
    ASSERT_EQ(held.size(), 1u) << "only the acknowledged row is in the register";
    EXPECT_EQ(GetField(held[0], 0), "1");
    const std::string log = ReadWholeFile(Path("frames.log")).value_or("");
    EXPECT_EQ(Lines(log).size(), 3u) << "nothing after the refused record: no \"z\"\n" << log;
}

TEST_F(CliReportE2ETest, ASilentRegisterEndsTheSendWithTheTimeout) {
    SimProcess sim({"--model", "0", "--serial", "123", "--silent-from", "4"});
    const ProgramResult result =
        On(sim, 0, {"--quiet", "send", "operators", Example("operators").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::AnswerTimeout)));
}

TEST_F(CliReportE2ETest, CheckNamesTheBrokenRuleAndItsCell) {
    std::ofstream(Path("long.txt"), std::ios::binary)
        << "1\tShort\r\n4\tFar too long for a name\t\t1.00\r\n5\tOk\t\t12345678.00\r\n";
    const ProgramResult result = Cli({"--model", "0", "check", "articles", Path("long.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, FormatMessage(ids::NameTooLong) + " — ред 4, колона 1 „Име“\n" +
                              FormatMessage(ids::PriceTooLarge) + " — ред 5, колона 3 „Цена“\n")
        << "every broken rule, not only the first";
    EXPECT_EQ(result.out, "");

    const ProgramResult fine =
        Cli({"--model", "0", "check", "articles", Example("articles").string()});
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_EQ(fine.err, "");
}

TEST_F(CliReportE2ETest, AFileThatGivesTheTableNothingIsNeverSent) {
    std::ofstream(Path("prices.csv"), std::ios::binary) << "1;Bread;;1.20\r\n2;Milk;;0.90\r\n";
    SimProcess sim({"--model", "0", "--serial", "123", "--log", Path("frames.log")});
    const ProgramResult result = On(sim, 0, {"send", "articles", Path("prices.csv")});
    EXPECT_EQ(result.status, 1);
    std::string message =
        FormatMessage(ids::FileHasNoTableRowSeparated, Path("prices.csv").c_str());
    message.replace(message.find("\r\n"), 2, "\n"); // a terminal's line end
    EXPECT_EQ(result.err, message + "\n");
    EXPECT_EQ(ReadWholeFile(Path("frames.log")).value_or(""), "") << "the port was not touched";
}

TEST_F(CliReportE2ETest, TheDemoRegisterTakesTablesAndGivesAReport) {
    const ProgramResult sent = Cli({"--demo", "--gap", "0", "send", "articles",
                                    Example("articles").string(), "--columns", "price"});
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(sent.out, FormatMessage(ids::SelectedCellsSent) + "\n");

    const ProgramResult report = Cli({"--demo", "report"});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_GE(Lines(report.out).size(), 11u) << "articles and the ten subgroups";
}

TEST_F(CliReportE2ETest, SendOptionsThatNameNothingAreUsageErrors) {
    EXPECT_EQ(
        Cli({"--demo", "send", "articles", Example("articles").string(), "--rows", "0"}).status, 2);
    EXPECT_EQ(
        Cli({"--demo", "send", "articles", Example("articles").string(), "--columns", "colour"})
            .status,
        2);
    EXPECT_EQ(Cli({"--demo", "send", "report", Example("articles").string()}).status, 2);
}

} // namespace
} // namespace tillora
