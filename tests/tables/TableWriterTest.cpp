#include "tables/TableWriter.h"
#include "RecordingFeedback.h"
#include "TempFolder.h"
#include "link/EcrSettings.h"
#include "link/FileReplace.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string FileBytes(const fs::path& path) {
    return ReadWholeFile(path).value_or("<missing>");
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class TableWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConnectionSettings().EcrType = 0;
        for (TableKind kind : AllTables) {
            SetupTable(grids[TableIndex(kind)], kind);
        }
    }
    void TearDown() override { ConnectionSettings() = {}; }

    CCellGrid& Grid(TableKind kind) { return grids[TableIndex(kind)]; }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }

    CCellGrid grids[TableCount];
    test::TempFolder temp{"tillora-writer"};
    test::RecordingFeedback feedback;
};

TEST_F(TableWriterTest, WritesOnlyRowsWithDataWithEveryColumnAndCrLf) {
    CCellGrid& articles = Grid(TableKind::Articles);
    articles.SetItemText(3, 1, "\xD5\xEB\xFF\xE1"); // Хляб
    articles.SetItemText(3, 3, "1.2");
    articles.SetItemText(7, 2, "123");
    articles.SetItemText(7, 4, "\xC1");
    EXPECT_EQ(TableFileText(articles), "3\t\xD5\xEB\xFF\xE1\t\t1.20\t\t\t\t\r\n"
                                       "7\t\t000000000123\t\t\xC1\t\t\t\r\n");
}

TEST_F(TableWriterTest, WritesSubgroupLabelsFromZeroAndCompanyFlagsAlways) {
    Grid(TableKind::Subgroups).SetItemText(1, 1, "Food");
    Grid(TableKind::Subgroups).SetItemText(1, 3, "\xC0");
    EXPECT_EQ(TableFileText(Grid(TableKind::Subgroups)), "0\tFood\t\t\xC0\r\n");

    Grid(TableKind::Company).SetItemText(2, 1, "Line 2");
    EXPECT_EQ(TableFileText(Grid(TableKind::Company)),
              "1\t\t0\r\n2\tLine 2\t0\r\n3\t\t0\r\n4\t\t0\r\n5\t\t0\r\n6\t\t0\r\n");
}

TEST_F(TableWriterTest, AnEmptyTableGivesAnEmptyFile) {
    TableWriter writer(Grid(TableKind::Articles));
    ASSERT_TRUE(writer.WriteTableFile(Path("empty.txt"), feedback));
    EXPECT_EQ(FileBytes(Path("empty.txt")), "");
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(TableWriterTest, ReplacesAnExistingFileWhole) {
    WriteBytes(Path("ops.txt"), std::string(5000, 'x'));
    Grid(TableKind::Operators).SetItemText(2, 1, "Ivan");
    TableWriter writer(Grid(TableKind::Operators));
    ASSERT_TRUE(writer.WriteTableFile(Path("ops.txt"), feedback));
    EXPECT_EQ(FileBytes(Path("ops.txt")), "2\tIvan\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST_F(TableWriterTest, AFileThatCannotBeCreatedShows20003AndKeepsTheNames) {
    Grid(TableKind::Operators).SetItemText(1, 1, "Ivan");
    TableWriter writer(Grid(TableKind::Operators));
    const std::string path = Path("no-such-folder/ops.txt");
    EXPECT_FALSE(writer.SaveAs(path, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::FileNotCreated));
    EXPECT_THAT(feedback.messages[0].text, HasSubstr("\"" + path + "\"  "));
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(writer.GetFileName(), "");
    EXPECT_EQ(writer.GetPathName(), "");
}

// Folder permission bits are a POSIX notion: Windows keeps the read-only attribute of a folder
// only as a mark for the shell and lets files be made in it anyway.
#ifndef _WIN32
TEST_F(TableWriterTest, AFolderThatCannotBeWrittenKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder";
    }
    WriteBytes(Path("ops.txt"), "1\tOld\r\n");
    fs::permissions(temp.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    Grid(TableKind::Operators).SetItemText(1, 1, "New");
    TableWriter writer(Grid(TableKind::Operators));
    EXPECT_FALSE(writer.WriteTableFile(Path("ops.txt"), feedback));
    fs::permissions(temp.Path(), fs::perms::owner_all);
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::FileNotCreated));
    EXPECT_EQ(FileBytes(Path("ops.txt")), "1\tOld\r\n");
}
#endif

TEST_F(TableWriterTest, ATargetThatCannotBeReplacedShows20002AndStaysAsItWas) {
    fs::create_directory(Path("taken"));
    WriteBytes(Path("taken/keep.txt"), "keep");
    Grid(TableKind::Operators).SetItemText(1, 1, "Ivan");
    TableWriter writer(Grid(TableKind::Operators));
    EXPECT_FALSE(writer.WriteTableFile(Path("taken"), feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::FileNotWritten));
    EXPECT_EQ(FileBytes(Path("taken/keep.txt")), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);
}

TEST_F(TableWriterTest, SaveAsRemembersTheFileAndSaveWritesThereAgain) {
    TableWriter writer(Grid(TableKind::Operators));
    EXPECT_FALSE(writer.Save(feedback)) << "without a file the front end must ask for one";
    EXPECT_TRUE(feedback.messages.empty());

    Grid(TableKind::Operators).SetItemText(1, 1, "Ivan");
    ASSERT_TRUE(writer.SaveAs(Path("staff.txt"), feedback));
    EXPECT_EQ(writer.GetFileName(), "staff.txt");
    EXPECT_EQ(writer.GetPathName(), Path("staff.txt"));
    EXPECT_EQ(TabCaption(TableKind::Operators, writer.GetFileName()),
              "\xD0\x9E\xD0\xBF\xD0\xB5\xD1\x80\xD0\xB0\xD1\x82\xD0\xBE\xD1\x80\xD0\xB8 "
              "(staff.txt)");

    Grid(TableKind::Operators).SetItemText(2, 1, "Maria");
    ASSERT_TRUE(writer.Save(feedback));
    EXPECT_EQ(FileBytes(Path("staff.txt")), "1\tIvan\r\n2\tMaria\r\n");

    writer.ClearNames();
    EXPECT_EQ(writer.GetFileName(), "");
    EXPECT_FALSE(writer.HasPath());
}

} // namespace
} // namespace tillora
