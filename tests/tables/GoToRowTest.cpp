#include "tables/GoToRow.h"

#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

// ---- The number check --------------------------------------------------------------------------

TEST(ParseRowNumberTest, AcceptsEveryRowFromOneToTheLast) {
    EXPECT_EQ(ParseRowNumber("1", 2600), 1);
    EXPECT_EQ(ParseRowNumber("2600", 2600), 2600);
    EXPECT_EQ(ParseRowNumber("6", 6), 6);
    EXPECT_EQ(ParseRowNumber("0042", 2600), 42);
}

TEST(ParseRowNumberTest, RefusesEmptyZeroTooLargeAndWhatIsNotADecimalNumber) {
    for (const char* text : {"", "0", "00", "2601", "9999", "12a", "a12", "1 2", " 12", "12 ", "-1",
                             "+5", "1.5", "x"}) {
        EXPECT_EQ(ParseRowNumber(text, 2600), std::nullopt) << '"' << text << '"';
    }
}

TEST(ParseRowNumberTest, ALongNumberDoesNotOverflow) {
    EXPECT_EQ(ParseRowNumber("99999999999999999999999", 2600), std::nullopt);
    EXPECT_EQ(ParseRowNumber("00000000000000000000001", 2600), 1);
}

// N of every table, and the company table's refusal of 7.
TEST(ParseRowNumberTest, EachTableAcceptsItsOwnRows) {
    const int rows[TableCount] = {2600, 9, 10, 6, 2600, 10};
    for (TableKind kind : AllTables) {
        CCellGrid grid;
        SetupTable(grid, kind);
        const CMemoryGridAccess access(grid);
        const int n = rows[TableIndex(kind)];
        EXPECT_EQ(DataRowCount(access), n);
        EXPECT_EQ(ParseRowNumber(std::to_string(n), DataRowCount(access)), n);
        EXPECT_EQ(ParseRowNumber(std::to_string(n + 1), DataRowCount(access)), std::nullopt);
    }
    CCellGrid company;
    SetupTable(company, TableKind::Company);
    EXPECT_EQ(ParseRowNumber("7", DataRowCount(CMemoryGridAccess(company))), std::nullopt);
}

TEST(ParseRowNumberTest, AnEmptyGridHasNoRowsToGoTo) {
    CCellGrid grid;
    EXPECT_EQ(DataRowCount(CMemoryGridAccess(grid)), 0);
    EXPECT_EQ(ParseRowNumber("1", 0), std::nullopt);
}

// ---- Going there -------------------------------------------------------------------------------

TEST(GoToRowTest, TheRowsFirstCellBecomesTheFocusCellInViewAndTheGridTakesTheKeys) {
    CCellGrid grid;
    SetupTable(grid, TableKind::Articles);
    CMemoryGridAccess access(grid);
    access.SetFocusCell(5, 4);
    GoToRow(access, 2600);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{2600, 1}));
    EXPECT_EQ(access.LastShown(), (CCellID{2600, 1}));
    EXPECT_TRUE(access.HasKeyboardFocus());
}

TEST(GoToRowTest, InTheSubgroupTablesRowOneIsTheRowLabelledZero) {
    CCellGrid grid;
    SetupTable(grid, TableKind::Subgroups);
    CMemoryGridAccess access(grid);
    GoToRow(access, 1);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{1, 1}));
    EXPECT_EQ(grid.GetItemText(1, 0), "0");
}

TEST(GoToRowTest, TheSelectionStaysAsItWas) {
    CCellGrid grid;
    SetupTable(grid, TableKind::Operators);
    CMemoryGridAccess access(grid);
    access.SetSelectedRange({2, 1, 4, 1});
    GoToRow(access, 8);
    EXPECT_EQ(access.GetSelectedCellRange(), (CCellRange{2, 1, 4, 1}));
    EXPECT_EQ(access.GetSelectedCount(), 3);
}

} // namespace
} // namespace tillora
