#include "SimProcess.h"
#include "TempFolder.h"
#include "link/Cp1251.h"
#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using test::ProgramResult;
using test::RunProgram;
using ::testing::HasSubstr;

fs::path Example(const std::string& name) {
    return fs::path(TILLORA_SOURCE_DIR) / "examples" / name;
}

class CliLoadE2ETest : public ::testing::Test {
protected:
    ProgramResult Cli(std::vector<std::string> args) {
        return RunProgram("tillora-cli", args, {"TILLORA_INI=" + (temp.Path() / "t.ini").string()});
    }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }

    test::TempFolder temp{"tillora-cli-load"};
};

TEST_F(CliLoadE2ETest, EveryExampleLoadsIntoItsTableAndComesBackByteForByte) {
    for (const auto& [table, file] :
         std::vector<std::pair<std::string, std::string>>{{"articles", "articles.txt"},
                                                          {"operators", "operators.txt"},
                                                          {"subgroups", "subgroups.txt"},
                                                          {"company", "company.txt"}}) {
        const std::string original = ReadWholeFile(Example(file)).value_or("");
        ASSERT_FALSE(original.empty()) << file;
        const ProgramResult result = Cli({"load", table, Example(file).string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, original) << file;

        const ProgramResult saved = Cli({"load", table, Example(file).string(), "-o", Path(file)});
        EXPECT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(saved.out, "");
        EXPECT_EQ(ReadWholeFile(Path(file)).value_or(""), original) << file;
    }
}

TEST_F(CliLoadE2ETest, ShowsWhatTheProgramMakesOfASpreadsheetExport) {
    // UTF-8, a header line, a comma as decimal separator, a short barcode, a price rounded as
    // written (2.675 is a little below in binary).
    std::ofstream(Path("export.txt"), std::ios::binary)
        << "No\tName\tBarcode\tPrice\n"
        << "1\t" << Cp1251ToUtf8("\xD5\xEB\xFF\xE1") << "\t123\t1,20\n"
        << "2\tMilk\t\t2.5\n"
        << "3\tTea\t\t2.675\n";
    const ProgramResult result = Cli({"load", "articles", Path("export.txt")});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "1\t\xD5\xEB\xFF\xE1\t000000000123\t\t\t\t\t\r\n"
                          "2\tMilk\t\t2.50\t\t\t\t\r\n"
                          "3\tTea\t\t2.68\t\t\t\t\r\n");
    EXPECT_EQ(result.err, "Прочетени 3 реда; пропуснати редове: 1 (1); отказани стойности: 1 (ред "
                          "2 „Цена“: \"1,20\")\n");
    EXPECT_EQ(Cli({"--quiet", "load", "articles", Path("export.txt")}).err, "");
}

TEST_F(CliLoadE2ETest, ASubgroupFileIntoTheArticlesMovesDownOneRow) {
    const ProgramResult result = Cli({"load", "articles", Example("subgroups.txt").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, 2), "1\t");
}

TEST_F(CliLoadE2ETest, AFileThatCannotBeOpenedFailsWithItsMessage) {
    const std::string missing = Path("missing.txt");
    const ProgramResult result = Cli({"load", "operators", missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err,
                HasSubstr(FormatMessage(ids::FileNotOpenedForReading, missing.c_str())));
}

TEST_F(CliLoadE2ETest, AnOutputThatCannotBeCreatedFailsWithItsMessage) {
    const std::string out = Path("no-folder/out.txt");
    const ProgramResult result =
        Cli({"load", "operators", Example("operators.txt").string(), "-o", out});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr(FormatMessage(ids::FileNotCreated, out.c_str())));
}

TEST_F(CliLoadE2ETest, AnUnknownTableIsAUsageError) {
    const ProgramResult result = Cli({"load", "customers", Example("operators.txt").string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("customers"));
}

} // namespace
} // namespace tillora
