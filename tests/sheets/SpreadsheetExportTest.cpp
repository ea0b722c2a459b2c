#include "RecordingFeedback.h"
#include "SheetRendering.h"
#include "TempFolder.h"
#include "link/FileReplace.h"
#include "res/StringIds.h"
#include "sheets/CsvText.h"
#include "sheets/SpreadsheetFile.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;

class SpreadsheetExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetupTable(articles, TableKind::Articles);
        // Row 1: a name with a comma, a short barcode, a price and a stock to be normalised.
        const char* row1[] = {"\xD5\xEB\xFF\xE1, \xE1\xFF\xEB", "123", "1.2", "", "3", "", "2"};
        for (int c = 1; c <= 7; ++c) {
            articles.SetItemText(1, c, row1[c - 1]);
        }
        articles.SetItemText(3, 1, "\xD1\xEE\xEA \"A\"");
        articles.SetItemText(3, 3, "0.5");
    }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }

    CCellGrid articles;
    test::RecordingFeedback feedback;
    test::TempFolder temp{"tillora-sheets-export"};
};

TEST_F(SpreadsheetExportTest, CsvIsUtf8WithQuotesWhereTheFieldNeedsThem) {
    ASSERT_TRUE(WriteSpreadsheetFile(Path("a.CSV"), articles, TableKind::Articles, feedback));
    EXPECT_EQ(ReadWholeFile(Path("a.CSV")).value_or(""),
              "\xEF\xBB\xBF"
              "№,Име,Баркод,Цена,Дан. Гр.,подгрупа,тип плащане,Налични\r\n"
              "1,\"Хляб, бял\",000000000123,1.20,,3,,2.000\r\n"
              "3,\"Сок \"\"A\"\"\",,0.50,,,,\r\n");
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(SpreadsheetExportTest, XlsxReadsBackWithNumbersAsNumbersAndBarcodesAsText) {
    if (!CanWriteSpreadsheets() || !CanReadSpreadsheets()) {
        GTEST_SKIP() << "built without the spreadsheet libraries";
    }
    ASSERT_TRUE(WriteSpreadsheetFile(Path("a.xlsx"), articles, TableKind::Articles, feedback));
    SheetData sheet;
    std::string error;
    ASSERT_TRUE(ReadSpreadsheetFile(Path("a.xlsx"), "Артикули", sheet, error)) << error;
    EXPECT_THAT(test::RenderSheet(sheet),
                ElementsAre("1: №|Име|Баркод|Цена|Дан. Гр.|подгрупа|тип плащане|Налични",
                            "2: #1|Хляб, бял|000000000123|#1.2||#3||#2", "3: #3|Сок \"A\"||#0.5"));
}

TEST_F(SpreadsheetExportTest, FailuresAreShownByTheirMessages) {
    std::filesystem::create_directory(temp.Path() / "folder.csv");
    const std::pair<std::string, unsigned> cases[] = {
        {Path("a.ods"), ids::SheetExportUnknownType},
        {Path("a"), ids::SheetExportUnknownType},
        {Path("no-folder/a.csv"), ids::FileNotCreated},
        {Path("folder.csv"), ids::FileNotWritten},
    };
    for (const auto& [path, id] : cases) {
        feedback.messages.clear();
        EXPECT_FALSE(WriteSpreadsheetFile(path, articles, TableKind::Articles, feedback));
        ASSERT_EQ(feedback.messages.size(), 1u) << path;
        EXPECT_EQ(feedback.messages[0].id, id) << path;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("a.ods")));
}

TEST(CsvTextTest, QuotesCommasQuotesLineBreaksAndOuterBlanksOnly) {
    ExportTable table;
    table.columns = {{"a"}, {"b"}};
    table.rows = {{{"x y", " lead"}}, {{"line\nbreak", "tail "}}, {{"", "a\"b"}}};
    EXPECT_EQ(CsvText(table), "\xEF\xBB\xBF"
                              "a,b\r\n"
                              "x y,\" lead\"\r\n"
                              "\"line\nbreak\",\"tail \"\r\n"
                              ",\"a\"\"b\"\r\n");
}

} // namespace
} // namespace tillora
