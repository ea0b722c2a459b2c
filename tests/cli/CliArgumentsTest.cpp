#include "cli/CliApp.h"
#include "cli/Commands.h"
#include "link/FileReplace.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace tillora::cli {
namespace {

class CliArgumentsTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const {
        return PathToUtf8(temp.Path()) + "/" + name;
    }

    test::TempFolder temp{"tillora-cli-arguments"};
};

// Operator 1 "Иван" in Windows-1251, as the file holds it and as the program writes it back.
const std::string OperatorsFile = "1\t\xC8\xE2\xE0\xED\r\n";

TEST_F(CliArgumentsTest, BulgarianFileNamesAreReadAndWritten) {
    ASSERT_EQ(ReplaceFile(Utf8Path(PathOf("оператори.txt")), OperatorsFile),
              ReplaceResult::Replaced);
    EXPECT_EQ(RunCli({"--quiet", "--ini", PathOf("настройки.ini"), "load", "operators",
                      PathOf("оператори.txt"), "-o", PathOf("изход.txt")}),
              ExitSuccess);
    EXPECT_EQ(ReadWholeFile(Utf8Path(PathOf("изход.txt"))), OperatorsFile);
}

// Where "/" may begin an option, a path from the root would be taken for one: it must stay the
// file that cannot be read, not a usage error.
TEST_F(CliArgumentsTest, AnArgumentBeginningWithASlashIsAPath) {
    EXPECT_EQ(RunCli({"--quiet", "--ini", PathOf("settings.ini"), "load", "operators",
                      "/no-such-folder/operators.txt"}),
              ExitFailed);
}

TEST_F(CliArgumentsTest, AnUnknownOptionIsAUsageError) {
    EXPECT_EQ(RunCli({"--no-such-option", "models"}), ExitUsage);
}

// Two English words in a row: what the tool must never print, beside its Bulgarian texts. The
// program's name with its command words ("tillora-cli registers add") is no English.
bool HasEnglishWords(const std::string& text) {
    static const std::regex Command("tillora-cli( [a-z]+)*");
    static const std::regex Words("[A-Za-z]{3,} [a-z]{3,}");
    return std::regex_search(std::regex_replace(text, Command, ""), Words);
}

TEST_F(CliArgumentsTest, HelpAndWrongCommandLinesAreToldInBulgarian) {
    ASSERT_EQ(ReplaceFile(Utf8Path(PathOf("operators.txt")), OperatorsFile),
              ReplaceResult::Replaced);
    const std::string ini = PathOf("settings.ini");
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string said; // on stderr for a wrong command line, else a part of the help
    } cases[] = {
        {{"--help"}, ExitSuccess, "Употреба: tillora-cli"},
        {{"send", "--help"}, ExitSuccess, "--changed"},
        {{"registers", "add", "--help"}, ExitSuccess, "NAME"},
        {{"import", "--help"}, ExitSuccess, "--separator"},
        {{}, ExitUsage, "посочете команда"},
        {{"load"}, ExitUsage, "липсва TABLE"},
        {{"--model", "11", "models"}, ExitUsage, "--model: недопустима стойност"},
        {{"--yes", "--no", "models"}, ExitUsage, "не могат да се дават заедно"},
        {{"models", "extra"}, ExitUsage, "излишни аргументи: extra"},
        {{"load", "nothing", "f.txt"}, ExitUsage, "непозната таблица: nothing"},
        {{"send", "report", "f.txt"}, ExitUsage, "отчетите само се четат"},
        {{"import", "articles", "x.csv", "--encoding", "ebcdic"}, ExitUsage, "не е нито едно от"},
        {{"import", "articles", "x.csv", "--separator", "|"}, ExitUsage, "не е нито едно от"},
        {{"import", "articles", "x.csv", "--sheet", "Лист1"}, ExitUsage, "няма листове"},
        {{"--demo", "--ini", ini, "send", "operators", PathOf("operators.txt"), "--columns", "zzz"},
         ExitUsage,
         "колоните са name или номерата им"},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = RunCli(c.arguments);
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string shown = c.status == ExitSuccess ? out : err;
        EXPECT_EQ(status, c.status) << c.said;
        EXPECT_THAT(shown, testing::HasSubstr(c.said));
        EXPECT_FALSE(HasEnglishWords(out + err)) << out << err;
    }
}

} // namespace
} // namespace tillora::cli
