#include "tables/TableReader.h"
#include "RecordingFeedback.h"
#include "TempFolder.h"
#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tillora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class TableReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ConnectionSettings().EcrType = 0; }
    void TearDown() override { ConnectionSettings() = {}; }

    // A fresh table of the kind with the file's bytes read into it.
    CCellGrid& Load(TableKind kind, const std::string& bytes) {
        SetupTable(grid, kind);
        std::ofstream(Path("in.txt"), std::ios::binary) << bytes;
        result = reader.ReadTableFile(Path("in.txt"), feedback);
        return grid;
    }
    std::string Path(const std::string& name) const { return (temp.Path() / name).string(); }

    CCellGrid grid;
    CMemoryGridAccess access{grid};
    TableReader reader{access};
    test::TempFolder temp{"tillora-reader"};
    test::RecordingFeedback feedback;
    bool result = false;
};

TEST_F(TableReaderTest, FillsTheCellsThroughTheirClasses) {
    Load(TableKind::Articles, "3\t\xD5\xEB\xFF\xE1\t123\t1.2\t\xC1\t5\t0\t2\r\n"
                              "4\tMilk\t12a\t1,20\tB\t12\t\t-1\n");
    EXPECT_TRUE(result);
    EXPECT_EQ(grid.GetItemText(3, 1), "\xD5\xEB\xFF\xE1");
    EXPECT_EQ(grid.GetItemText(3, 2), "000000000123");
    EXPECT_EQ(grid.GetItemText(3, 3), "1.20");
    EXPECT_EQ(grid.GetItemText(3, 4), "\xC1");
    EXPECT_EQ(grid.GetItemText(3, 5), "5");
    EXPECT_EQ(grid.GetItemText(3, 7), "2.000");
    EXPECT_EQ(grid.GetItemText(4, 1), "Milk");
    for (int c = 2; c <= 7; ++c) {
        EXPECT_EQ(grid.GetItemText(4, c), "") << "column " << c << " rejects its value";
    }
    EXPECT_TRUE(feedback.messages.empty());
    EXPECT_EQ(feedback.waitDepth, 0);
    EXPECT_EQ(feedback.waitCursorShown, 1);
    EXPECT_EQ(access.Redraws(), 1);
}

TEST_F(TableReaderTest, ReplacesWhatTheTableHeld) {
    SetupTable(grid, TableKind::Operators);
    grid.SetItemText(5, 1, "Old");
    std::ofstream(Path("in.txt"), std::ios::binary) << "1\tNew\r\n";
    ASSERT_TRUE(reader.ReadTableFile(Path("in.txt"), feedback));
    EXPECT_EQ(grid.GetItemText(1, 1), "New");
    EXPECT_EQ(grid.GetItemText(5, 1), "");
}

TEST_F(TableReaderTest, AFileThatCannotBeOpenedShows20000AndLeavesTheTable) {
    SetupTable(grid, TableKind::Operators);
    grid.SetItemText(5, 1, "Unsaved");
    const std::string path = Path("vanished.txt");
    EXPECT_FALSE(reader.OpenTableFile(path, 1, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::FileNotOpenedForReading));
    EXPECT_EQ(feedback.messages[0].text, FormatMessage(ids::FileNotOpenedForReading, path.c_str()));
    EXPECT_EQ(grid.GetItemText(5, 1), "Unsaved");
    EXPECT_EQ(reader.GetPathName(), "");
    EXPECT_EQ(feedback.waitDepth, 0);
}

TEST_F(TableReaderTest, AReadFailureShows20001WithTheLineAndKeepsTheLinesBefore) {
#ifdef _WIN32
    GTEST_SKIP() << "a folder cannot be opened as a file on Windows";
#endif
    SetupTable(grid, TableKind::Operators);
    grid.SetItemText(5, 1, "Old");
    fs::create_directory(Path("folder"));
    EXPECT_FALSE(reader.ReadTableFile(Path("folder"), feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::LineNotRead));
    EXPECT_EQ(feedback.messages[0].text, FormatMessage(ids::LineNotRead, 1));
}

TEST_F(TableReaderTest, OpenTableFileRemembersTheFile) {
    std::ofstream(Path("staff.txt"), std::ios::binary) << "1\tIvan\r\n";
    SetupTable(grid, TableKind::Operators);
    ASSERT_TRUE(reader.OpenTableFile(Path("staff.txt"), 2, feedback));
    EXPECT_EQ(reader.GetFileName(), "staff.txt");
    EXPECT_EQ(reader.GetPathName(), Path("staff.txt"));
    EXPECT_EQ(reader.GetFilterIndex(), 2);
}

TEST_F(TableReaderTest, SubgroupFilesCountFromZero) {
    Load(TableKind::Subgroups, "0\tFood\r\n9\tOther\r\n10\tDropped\r\n");
    EXPECT_TRUE(reader.StartsAtZero());
    EXPECT_EQ(grid.GetItemText(1, 1), "Food");
    EXPECT_EQ(grid.GetItemText(10, 1), "Other");
}

TEST_F(TableReaderTest, AZeroBasedFileIntoTheArticlesShiftsByOne) {
    Load(TableKind::Articles, "1\tFirst\r\n0\tZero\r\n1\tOne\r\n9\tNine\r\n");
    EXPECT_FALSE(reader.StartsAtZero());
    EXPECT_EQ(grid.GetItemText(1, 1), "Zero");
    EXPECT_EQ(grid.GetItemText(2, 1), "One") << "row 1 of the file is overwritten one row down";
    EXPECT_EQ(grid.GetItemText(10, 1), "Nine");
}

TEST_F(TableReaderTest, AnArticlesFileIntoTheSubgroupsDropsRowsTenAndUp) {
    Load(TableKind::Subgroups, "1\tOne\r\n9\tNine\r\n10\tTen\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), "");
    EXPECT_EQ(grid.GetItemText(2, 1), "One");
    EXPECT_EQ(grid.GetItemText(10, 1), "Nine");
}

// Spreadsheets save blank rows, titles and header lines; none of them may move the rows after
// them, and only an explicit 0 counts from zero.
TEST_F(TableReaderTest, LinesWithoutARowNumberNeverShiftTheRowsAfterThem) {
    const struct {
        const char* file;
        const char* why;
    } cases[] = {
        {"1\tOne\r\n\r\n2\tTwo\r\n", "a blank line in the middle"},
        {"1\tOne\r\n\t\t\t\r\n2\tTwo\r\n", "a line of tabs"},
        {"Price list\r\n\r\n\xB9\tName\tBarcode\r\n1\tOne\r\n2\tTwo\r\n", "title, blank, header"},
        {"\tTotal\t\t\r\n1\tOne\r\n2\tTwo\r\n\r\n\r\n",
         "a total line at the top, blanks at the end"},
        {" \tOne\r\n1\tOne\r\n2\tTwo\n", "a blank first field"},
    };
    for (const auto& c : cases) {
        Load(TableKind::Articles, c.file);
        EXPECT_TRUE(result) << c.why;
        EXPECT_EQ(grid.GetItemText(1, 1), "One") << c.why;
        EXPECT_EQ(grid.GetItemText(2, 1), "Two") << c.why;
        EXPECT_EQ(grid.GetItemText(3, 1), "") << c.why;
    }
    Load(TableKind::Subgroups, "\r\nGroups\r\n0\tFood\r\n\t\t\r\n1\tDrinks\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), "Food") << "a subgroup file still counts from its 0";
    EXPECT_EQ(grid.GetItemText(2, 1), "Drinks");
}

TEST_F(TableReaderTest, TellsWhatTheReadTookAndLeft) {
    Load(TableKind::Articles, "Price list\r\n"            // line 1: skipped
                              "1\tBread\t\t1,20\r\n"      // line 2: price refused
                              "\t\t\r\n"                  // blank: not counted
                              "2\tMilk\t12a\t0.90\tA\r\n" // barcode and Latin A refused
                              "9999\tFar\r\n"             // outside the table
                              "2\t\t\t\t\t3\r\n");
    EXPECT_TRUE(result);
    const TableReadSummary& read = reader.GetLastRead();
    EXPECT_EQ(read.linesRead, 6);
    EXPECT_EQ(read.rowsFilled, 2);
    EXPECT_EQ(read.linesSkipped, 2);
    EXPECT_THAT(read.skippedLines, ElementsAre(1, 5));
    EXPECT_EQ(read.valuesRefused, 3);
    ASSERT_EQ(read.refusedValues.size(), 3u);
    EXPECT_EQ(read.refusedValues[0].line, 2);
    EXPECT_EQ(read.refusedValues[0].column, 3);
    EXPECT_EQ(read.refusedValues[0].text, "1,20");
    EXPECT_EQ(read.refusedValues[2].text, "A");
    EXPECT_EQ(FormatReadSummary(read, grid),
              "Прочетени 2 реда; пропуснати редове: 2 (1, 5); отказани стойности: 3 (ред 2 "
              "„Цена“: \"1,20\"; ред 4 „Баркод“: \"12a\"; ред 4 „Дан. Гр.“: \"A\")");

    std::string many;
    for (int i = 1; i <= 7; ++i) {
        many += "x\r\n1\tok\t\t,\r\n";
    }
    Load(TableKind::Articles, many);
    EXPECT_EQ(FormatReadSummary(reader.GetLastRead(), grid),
              "Прочетени 1 реда; пропуснати редове: 7 (1, 3, 5, 7, 9, …); отказани стойности: 7 "
              "(ред 2 „Цена“: \",\"; ред 4 „Цена“: \",\"; ред 6 „Цена“: \",\"; ред 8 „Цена“: "
              "\",\"; ред 10 „Цена“: \",\"; …)");
}

// A file that gives the table nothing is most likely not a table file: say so and keep the table.
TEST_F(TableReaderTest, AFileWithNoTableRowFailsAndLeavesTheTable) {
    const struct {
        const char* file;
        unsigned message;
    } cases[] = {
        {"Name\tPrice\r\nBread\t1.20\r\n", ids::FileHasNoTableRow},
        {"\tBread\t\t1.20\r\n\tMilk\t\t0.90\r\n", ids::FileHasNoTableRow},
        {"1;Bread;;1.20\r\n2;Milk;;0.90\r\n", ids::FileHasNoTableRowSeparated},
        {"Name,Price\r\nBread,1.20\r\n", ids::FileHasNoTableRowSeparated},
        {"9999\tFar\r\n", ids::FileHasNoTableRow},
    };
    for (const auto& c : cases) {
        SetupTable(grid, TableKind::Articles);
        grid.SetItemText(7, 1, "Unsaved");
        std::ofstream(Path("in.txt"), std::ios::binary) << c.file;
        feedback.messages.clear();
        EXPECT_FALSE(reader.ReadTableFile(Path("in.txt"), feedback)) << c.file;
        EXPECT_THAT(feedback.Ids(), ElementsAre(c.message)) << c.file;
        EXPECT_EQ(feedback.messages[0].text, FormatMessage(c.message, Path("in.txt").c_str()));
        EXPECT_EQ(grid.GetItemText(7, 1), "Unsaved") << c.file;
    }
    for (const char* empty : {"", "\r\n\r\n", "\t\t\r\n \r\n"}) {
        SetupTable(grid, TableKind::Articles);
        grid.SetItemText(7, 1, "Old");
        feedback.messages.clear();
        EXPECT_TRUE(reader.ReadTableFile((std::ofstream(Path("in.txt")) << empty, Path("in.txt")),
                                         feedback));
        EXPECT_TRUE(feedback.messages.empty()) << "an empty file is an empty table";
        EXPECT_EQ(grid.GetItemText(7, 1), "");
    }
}

// Spreadsheets on Windows save Cyrillic as "Unicode text": UTF-16 behind a byte-order mark.
TEST_F(TableReaderTest, ReadsUtf16FilesEitherWayRound) {
    const std::u16string text = u"Price list\r\n1\t\u0425\u043b\u044f\u0431\t\t1.20\t\u0411\r\n"
                                u"2\tTea \u4e2d \U0001F375\n";
    for (const bool bigEndian : {false, true}) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        Load(TableKind::Articles, bytes);
        EXPECT_TRUE(result);
        EXPECT_EQ(grid.GetItemText(1, 1), "\xD5\xEB\xFF\xE1");
        EXPECT_EQ(grid.GetItemText(1, 3), "1.20");
        EXPECT_EQ(grid.GetItemText(1, 4), "\xC1");
        EXPECT_EQ(grid.GetItemText(2, 1), "Tea ? ?") << "what Windows-1251 cannot hold";
        EXPECT_EQ(reader.GetLastRead().rowsFilled, 2);
    }
}

TEST_F(TableReaderTest, SkipsLinesWithoutAWholeRowNumberOrOutsideTheTable) {
    Load(TableKind::Operators, "12 \tA\r\n3a\tB\r\n+4\tC\r\n 5\tD\r\nName\tE\r\n-1\tF\r\n"
                               "10\tG\r\n99999999999\tH\r\n");
    EXPECT_TRUE(result);
    EXPECT_EQ(grid.GetItemText(4, 1), "C");
    EXPECT_EQ(grid.GetItemText(5, 1), "D");
    for (int r : {1, 2, 3, 6, 7, 8, 9}) {
        EXPECT_EQ(grid.GetItemText(r, 1), "") << "row " << r;
    }
}

TEST_F(TableReaderTest, ShortLinesFillTheLeadingColumnsAndLongOnesLoseTheRest) {
    Load(TableKind::Subgroups, "0\tFood\r\n1\tDrinks\t2.5\t\xC1\textra\tmore\r\n0\t\t3\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), "") << "a later line overwrites the columns it gives";
    EXPECT_EQ(grid.GetItemText(1, 2), "3.00");
    EXPECT_EQ(grid.GetItemText(1, 3), "");
    EXPECT_EQ(grid.GetItemText(2, 2), "2.50");
    EXPECT_EQ(grid.GetItemText(2, 3), "\xC1");
}

TEST_F(TableReaderTest, TakesALongLineWhole) {
    const std::string name(5000, 'n');
    Load(TableKind::Articles, "1\t" + name + "\t\t2.00\r\n2\tnext\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), name);
    EXPECT_EQ(grid.GetItemText(1, 3), "2.00");
    EXPECT_EQ(grid.GetItemText(2, 1), "next");
}

TEST_F(TableReaderTest, TakesLinesEndingInLfOrNothing) {
    Load(TableKind::Operators, "1\tIvan\n2\tMaria");
    EXPECT_EQ(grid.GetItemText(1, 1), "Ivan");
    EXPECT_EQ(grid.GetItemText(2, 1), "Maria");
}

TEST_F(TableReaderTest, LoadsIntoTheReportTablesAlthoughTheUserCannotEditThem) {
    Load(TableKind::Report, "5\tSold\t\t1\t\t\t\t\t10.5\t3\r\n");
    EXPECT_EQ(grid.GetItemText(5, 8), "10.50");
    EXPECT_EQ(grid.GetItemText(5, 9), "3.000");
}

TEST_F(TableReaderTest, ConvertsUtf8FilesToTheProgramsText) {
    const std::string bread = "\xD5\xEB\xFF\xE1"; // Хляб in Windows-1251
    Load(TableKind::Articles, "\xEF\xBB\xBF" + std::string("1\t") + Cp1251ToUtf8(bread) +
                                  "\t\t1\t" + Cp1251ToUtf8("\xC1") + "\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), bread);
    EXPECT_EQ(grid.GetItemText(1, 4), "\xC1");

    Load(TableKind::Articles, "1\t" + Cp1251ToUtf8(bread) + "\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), bread) << "UTF-8 without a byte-order mark";

    Load(TableKind::Articles, "1\t\xD5\xEB\xFF\xE1\r\n2\t\xC0\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), bread) << "Windows-1251 stays as it is";
    EXPECT_EQ(grid.GetItemText(2, 1), "\xC0");

    Load(TableKind::Articles, "1\tplain\r\n");
    EXPECT_EQ(grid.GetItemText(1, 1), "plain");
}

// What is saved loads back into the same cells and saves to the same bytes.
class TableRoundTripTest : public TableReaderTest,
                           public ::testing::WithParamInterface<TableKind> {};

void FillTable(CCellGrid& table) {
    const char* samples[] = {"\xD5\xEB\xFF\xE1 \xE1\xFF\xEB",
                             "3800121000012",
                             "12.5",
                             "\xC1",
                             "7",
                             "3",
                             "2.125",
                             "1",
                             "99.9",
                             "0.5"};
    for (int r = 1; r < table.GetRowCount(); r += 3) {
        for (int c = 1; c < table.GetColumnCount(); ++c) {
            if ((r + c) % 4 != 0) {
                table.SetItemText(r, c, samples[(r + c) % 10]);
            }
        }
    }
}

TEST_P(TableRoundTripTest, LoadsWhatWasSavedCellForCellAndByteForByte) {
    CCellGrid saved;
    SetupTable(saved, GetParam());
    FillTable(saved);
    ASSERT_TRUE(TableWriter(saved).WriteTableFile(Path("saved.txt"), feedback));

    SetupTable(grid, GetParam());
    ASSERT_TRUE(reader.ReadTableFile(Path("saved.txt"), feedback));
    for (int r = 0; r < saved.GetRowCount(); ++r) {
        for (int c = 0; c < saved.GetColumnCount(); ++c) {
            ASSERT_EQ(grid.GetItemText(r, c), saved.GetItemText(r, c)) << r << "," << c;
        }
    }
    EXPECT_EQ(TableFileText(grid), TableFileText(saved));
    EXPECT_FALSE(TableFileText(saved).empty());
    EXPECT_TRUE(feedback.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllTables, TableRoundTripTest, ::testing::ValuesIn(AllTables));

} // namespace
} // namespace tillora
