#include "tables/FileFilter.h"

#include "res/StringIds.h"
#include "res/StringTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;

TEST(FileFilterTest, TheStringTablesFiltersGiveTwoLinesEach) {
    const auto save = ParseFileFilter(LoadString(ids::SaveTableFilter));
    ASSERT_EQ(save.size(), 2u);
    EXPECT_EQ(save[0].description, "Tab separated text (.txt)");
    EXPECT_THAT(save[0].patterns, ElementsAre("*.txt"));
    EXPECT_EQ(save[1].description, "All files (*.*)");
    EXPECT_THAT(save[1].patterns, ElementsAre("*.*"));
    EXPECT_EQ(ParseFileFilter(LoadString(ids::OpenTableFilter)).size(), 2u);
}

TEST(FileFilterTest, SeveralPatternsOfALineAreSeparatedBySemicolons) {
    const auto lines = ParseFileFilter("Tables|*.txt; *.tsv|");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0].patterns, ElementsAre("*.txt", "*.tsv"));
}

TEST(FileFilterTest, WhereNamesAreCaseSensitiveTheUpperCaseExtensionIsTakenToo) {
    EXPECT_THAT(NameFilters(LoadString(ids::OpenTableFilter), true),
                ElementsAre("Text files (*.txt *.TXT)", "All files (*)"));
    EXPECT_THAT(NameFilters(LoadString(ids::OpenTableFilter), false),
                ElementsAre("Text files (*.txt)", "All files (*)"));
}

TEST(FileFilterTest, APatternListAtTheEndOfTheDescriptionIsReplacedByTheLinesOwn) {
    EXPECT_THAT(NameFilters(LoadString(ids::SaveTableFilter), false),
                ElementsAre("Tab separated text (*.txt)", "All files (*)"));
    EXPECT_EQ(NameFilter({"Tables", {"*.txt"}}, false), "Tables (*.txt)");
    EXPECT_EQ(NameFilter({"Anything", {}}, true), "Anything (*)");
}

TEST(FileFilterTest, ASavedFileTakesTheExtensionOfTheChosenLine) {
    const std::string_view sheets = LoadString(ids::ExportSheetFilter);
    EXPECT_EQ(FilterExtension(sheets, 0), "xlsx");
    EXPECT_EQ(FilterExtension(sheets, 1), "csv");
    const std::string_view tables = LoadString(ids::SaveTableFilter);
    EXPECT_EQ(FilterExtension(tables, 0), "txt");
    EXPECT_EQ(FilterExtension(tables, 1), "txt") << "every file: the first line's";
    EXPECT_EQ(FilterExtension(tables, 7), "txt");
    EXPECT_EQ(FilterExtension("All|*.*||", 0), "");
}

} // namespace
} // namespace tillora
