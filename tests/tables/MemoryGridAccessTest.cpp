#include "tables/MemoryGridAccess.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

// A grid of 5 rows and 4 columns with one header row and one header column.
class MemoryGridAccessTest : public ::testing::Test {
protected:
    MemoryGridAccessTest() : access(grid) {
        grid.SetColumnCount(4);
        grid.SetRowCount(5);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
    }

    int CountSelected() const {
        int count = 0;
        for (int r = 0; r < grid.GetRowCount(); ++r) {
            for (int c = 0; c < grid.GetColumnCount(); ++c) {
                count += access.IsCellSelected(r, c) ? 1 : 0;
            }
        }
        return count;
    }

    CCellGrid grid;
    CMemoryGridAccess access;
};

// ---- Selection ---------------------------------------------------------------------------------

TEST_F(MemoryGridAccessTest, NothingSelectedAtFirst) {
    EXPECT_EQ(access.GetSelectedCount(), 0);
    EXPECT_FALSE(access.GetSelectedCellRange().IsValid());
    EXPECT_EQ(CountSelected(), 0);
}

TEST_F(MemoryGridAccessTest, RangeSelectsItsCells) {
    access.SetSelectedRange({1, 1, 2, 3});
    EXPECT_EQ(access.GetSelectedCount(), 6);
    EXPECT_EQ(CountSelected(), 6);
    EXPECT_TRUE(access.IsCellSelected(1, 1));
    EXPECT_TRUE(access.IsCellSelected(2, 3));
    EXPECT_FALSE(access.IsCellSelected(3, 1));
    EXPECT_FALSE(access.IsCellSelected(1, 0));
    EXPECT_EQ(access.GetSelectedCellRange(), (CCellRange{1, 1, 2, 3}));
}

TEST_F(MemoryGridAccessTest, NewRangeReplacesTheOld) {
    access.SetSelectedRange({1, 1, 2, 2});
    access.SetSelectedRange({4, 3, 4, 3});
    EXPECT_EQ(access.GetSelectedCount(), 1);
    EXPECT_FALSE(access.IsCellSelected(1, 1));
    EXPECT_TRUE(access.IsCellSelected(4, 3));
}

TEST_F(MemoryGridAccessTest, InvalidRangeSelectsNothing) {
    access.SetSelectedRange({1, 1, 2, 2});
    access.SetSelectedRange({});
    EXPECT_EQ(access.GetSelectedCount(), 0);
    access.SetSelectedRange({2, 2, 1, 1});
    EXPECT_EQ(access.GetSelectedCount(), 0);
    access.SetSelectedRange({-1, 1, 2, 2});
    EXPECT_EQ(access.GetSelectedCount(), 0);
    EXPECT_EQ(CountSelected(), 0);
}

TEST_F(MemoryGridAccessTest, RangePastTheGridIsCut) {
    access.SetSelectedRange({3, 2, 100, 100});
    EXPECT_EQ(access.GetSelectedCount(), 4);
    EXPECT_EQ(access.GetSelectedCellRange(), (CCellRange{3, 2, 4, 3}));
    access.SetSelectedRange({10, 10, 20, 20});
    EXPECT_EQ(access.GetSelectedCount(), 0);
}

TEST_F(MemoryGridAccessTest, RangeMaySpanTheHeaders) {
    access.SetSelectedRange({0, 0, 0, 3});
    EXPECT_EQ(access.GetSelectedCount(), 4);
    EXPECT_TRUE(access.IsCellSelected(0, 0));
}

TEST_F(MemoryGridAccessTest, SingleCellsAddAndRemove) {
    access.SetCellSelected(1, 1, true);
    access.SetCellSelected(3, 3, true);
    access.SetCellSelected(3, 3, true);
    EXPECT_EQ(access.GetSelectedCount(), 2);
    EXPECT_EQ(access.GetSelectedCellRange(), (CCellRange{1, 1, 3, 3}))
        << "the bounding rectangle, with unselected cells inside";
    EXPECT_FALSE(access.IsCellSelected(2, 2));
    access.SetCellSelected(1, 1, false);
    access.SetCellSelected(1, 1, false);
    access.SetCellSelected(2, 2, false);
    EXPECT_EQ(access.GetSelectedCount(), 1);
    EXPECT_EQ(access.GetSelectedCellRange(), (CCellRange{3, 3, 3, 3}));
    access.SetCellSelected(9, 9, true);
    access.SetCellSelected(-1, 0, true);
    EXPECT_EQ(access.GetSelectedCount(), 1);
}

TEST_F(MemoryGridAccessTest, ClearSelection) {
    access.SetSelectedRange({1, 1, 4, 3});
    access.ClearSelection();
    EXPECT_EQ(access.GetSelectedCount(), 0);
    EXPECT_EQ(CountSelected(), 0);
    EXPECT_FALSE(access.GetSelectedCellRange().IsValid());
}

TEST_F(MemoryGridAccessTest, OutsideCellsAreNeverSelected) {
    access.SetSelectedRange({0, 0, 4, 3});
    EXPECT_FALSE(access.IsCellSelected(5, 0));
    EXPECT_FALSE(access.IsCellSelected(0, 4));
    EXPECT_FALSE(access.IsCellSelected(-1, -1));
}

// The grid is reshaped under the selection: no cell that was never selected may appear selected,
// and the count agrees with the cells.
TEST_F(MemoryGridAccessTest, ReshapedGridShowsNoStrangeSelection) {
    access.SetCellSelected(1, 2, true);
    grid.SetColumnCount(3);
    EXPECT_FALSE(access.IsCellSelected(2, 0)) << "(2, 0) was never selected";
    EXPECT_EQ(access.GetSelectedCount(), CountSelected());
    const CCellRange range = access.GetSelectedCellRange();
    if (range.IsValid()) {
        EXPECT_TRUE(grid.IsValid(range.maxRow, range.maxCol));
    }
}

TEST_F(MemoryGridAccessTest, ShrunkGridDropsTheSelectedCellsOutside) {
    access.SetSelectedRange({3, 1, 4, 3});
    grid.SetRowCount(4);
    EXPECT_EQ(access.GetSelectedCount(), CountSelected());
    EXPECT_FALSE(access.IsCellSelected(4, 1));
}

// A removed cell takes its selection with it: the new cell in its place is not selected.
TEST_F(MemoryGridAccessTest, RegrownCellsAreNotSelected) {
    access.SetSelectedRange({4, 1, 4, 3});
    grid.SetRowCount(4);
    grid.SetRowCount(5);
    EXPECT_FALSE(access.IsCellSelected(4, 1));
    EXPECT_EQ(access.GetSelectedCount(), 0);
    EXPECT_FALSE(access.GetSelectedCellRange().IsValid());
}

// ---- Focus -------------------------------------------------------------------------------------

TEST_F(MemoryGridAccessTest, NoFocusAtFirst) {
    EXPECT_FALSE(access.GetFocusCell().IsValid());
    EXPECT_EQ(access.GetFocusCell(), (CCellID{-1, -1}));
}

TEST_F(MemoryGridAccessTest, FocusOnADataCell) {
    access.SetFocusCell(3, 2);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{3, 2}));
    access.SetFocusCell(4, 3);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{4, 3}));
}

TEST_F(MemoryGridAccessTest, FocusIsClampedToTheDataCells) {
    access.SetFocusCell(0, 0);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{1, 1}));
    access.SetFocusCell(0, 3);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{1, 3}));
    access.SetFocusCell(2, 0);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{2, 1}));
    access.SetFocusCell(-7, -7);
    EXPECT_EQ(access.GetFocusCell(), (CCellID{1, 1}));
}

TEST_F(MemoryGridAccessTest, FocusOutsideTheGridIsNoFocus) {
    access.SetFocusCell(2, 2);
    access.SetFocusCell(5, 1);
    EXPECT_FALSE(access.GetFocusCell().IsValid());
    access.SetFocusCell(2, 2);
    access.SetFocusCell(1, 4);
    EXPECT_FALSE(access.GetFocusCell().IsValid());
    access.SetFocusCell(2, 2);
    access.SetFocusCell(100, -1);
    EXPECT_FALSE(access.GetFocusCell().IsValid());
}

TEST_F(MemoryGridAccessTest, GridWithoutDataCellsTakesNoFocus) {
    grid.SetRowCount(1);
    access.SetFocusCell(0, 0);
    EXPECT_FALSE(access.GetFocusCell().IsValid());
    EXPECT_FALSE(access.GetTopLeftNonFixedCell().IsValid());
}

// Removing rows or columns clears a focus cell that falls outside.
TEST_F(MemoryGridAccessTest, FocusFallingOutsideIsCleared) {
    access.SetFocusCell(4, 3);
    grid.SetRowCount(3);
    EXPECT_FALSE(access.GetFocusCell().IsValid());
}

// A cleared focus stays cleared when the grid grows again.
TEST_F(MemoryGridAccessTest, ClearedFocusDoesNotComeBack) {
    access.SetFocusCell(4, 3);
    grid.SetColumnCount(3);
    grid.SetColumnCount(4);
    EXPECT_FALSE(access.GetFocusCell().IsValid());
}

TEST_F(MemoryGridAccessTest, TopLeftDataCell) {
    EXPECT_EQ(access.GetTopLeftNonFixedCell(), (CCellID{1, 1}));
    grid.SetFixedRowCount(2);
    EXPECT_EQ(access.GetTopLeftNonFixedCell(), (CCellID{2, 1}));
}

// ---- Cells through the access -----------------------------------------------------------------

TEST_F(MemoryGridAccessTest, CellsAreTheGrids) {
    EXPECT_EQ(&access.Cells(), &grid);
    EXPECT_EQ(access.GetRowCount(), 5);
    EXPECT_EQ(access.GetColumnCount(), 4);
    EXPECT_EQ(access.SetItemText(2, 2, "x"), TextTaken::AsGiven);
    EXPECT_EQ(grid.GetItemText(2, 2), "x");
    EXPECT_EQ(access.GetItemText(2, 2), "x");
    EXPECT_TRUE(grid.GetModified());
    EXPECT_EQ(access.SetItemText(5, 0, "x"), TextTaken::NoCell);
    EXPECT_EQ(access.GetItemText(5, 0), "");
}

TEST_F(MemoryGridAccessTest, RecordsWhatAScreenWouldDo) {
    EXPECT_FALSE(access.LastShown().IsValid());
    EXPECT_EQ(access.EditsEnded(), 0);
    EXPECT_FALSE(access.HasKeyboardFocus());
    EXPECT_EQ(access.Redraws(), 0);
    access.EnsureVisible(3, 2);
    access.EndEditing();
    access.EndEditing();
    access.SetFocus();
    access.Redraw();
    EXPECT_EQ(access.LastShown(), (CCellID{3, 2}));
    EXPECT_EQ(access.EditsEnded(), 2);
    EXPECT_TRUE(access.HasKeyboardFocus());
    EXPECT_EQ(access.Redraws(), 1);
}

// ---- Cell ids and ranges ----------------------------------------------------------------------

TEST(CellRangeTest, SpanningAndContains) {
    const CCellRange range = CCellRange::Spanning({4, 1}, {2, 3});
    EXPECT_EQ(range, (CCellRange{2, 1, 4, 3}));
    EXPECT_TRUE(range.Contains(2, 1));
    EXPECT_TRUE(range.Contains(4, 3));
    EXPECT_FALSE(range.Contains(1, 1));
    EXPECT_FALSE(range.Contains(2, 4));
    EXPECT_EQ(range.TopLeft(), (CCellID{2, 1}));
    EXPECT_FALSE(CCellRange{}.IsValid());
    EXPECT_FALSE(CCellRange{}.Contains(0, 0));
    EXPECT_FALSE(CCellID{}.IsValid());
    EXPECT_FALSE((CCellID{0, -1}.IsValid()));
    EXPECT_TRUE((CCellID{0, 0}.IsValid()));
}

} // namespace
} // namespace tillora
