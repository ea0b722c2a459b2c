#include "cli/CliApp.h"
#include "cli/Commands.h"
#include "link/FileReplace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace tillora::cli
