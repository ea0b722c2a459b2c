#include "tables/FocusMoves.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

// Five rows and five columns with one header row and column; column 3 and row 3 hidden.
const CCellGrid& HiddenMiddle() {
    static CCellGrid grid;
    if (grid.GetRowCount() == 0) {
        grid.SetColumnCount(5);
        grid.SetRowCount(5);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetColumnWidth(3, 0);
        grid.SetRowHeight(3, 0);
    }
    return grid;
}

struct MoveCase {
    CCellID from;
    FocusMove move;
    CCellID to;
};

class FocusMoveTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(FocusMoveTest, LandsOnTheExpectedCell) {
    const MoveCase& c = GetParam();
    EXPECT_EQ(MovedFocus(HiddenMiddle(), c.from, c.move), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, FocusMoveTest,
    ::testing::Values(
        MoveCase{{1, 1}, FocusMove::Right, {1, 2}}, MoveCase{{1, 2}, FocusMove::Right, {1, 4}},
        MoveCase{{1, 4}, FocusMove::Right, {1, 4}}, MoveCase{{1, 4}, FocusMove::Left, {1, 2}},
        MoveCase{{1, 1}, FocusMove::Left, {1, 1}}, MoveCase{{2, 1}, FocusMove::Down, {4, 1}},
        MoveCase{{4, 1}, FocusMove::Down, {4, 1}}, MoveCase{{4, 1}, FocusMove::Up, {2, 1}},
        MoveCase{{1, 1}, FocusMove::Up, {1, 1}}, MoveCase{{1, 2}, FocusMove::Next, {1, 4}},
        MoveCase{{2, 4}, FocusMove::Next, {4, 1}}, MoveCase{{4, 4}, FocusMove::Next, {4, 4}},
        MoveCase{{4, 1}, FocusMove::Previous, {2, 4}},
        MoveCase{{1, 1}, FocusMove::Previous, {1, 1}}, MoveCase{{2, 4}, FocusMove::Home, {2, 1}},
        MoveCase{{2, 1}, FocusMove::End, {2, 4}}, MoveCase{{4, 4}, FocusMove::Top, {1, 1}},
        MoveCase{{1, 1}, FocusMove::Bottom, {4, 4}}));

TEST(FocusMovesTest, NoFocusCellStaysNone) {
    EXPECT_EQ(MovedFocus(HiddenMiddle(), {}, FocusMove::Down), CCellID{});
    EXPECT_EQ(MovedByRows(HiddenMiddle(), {}, 3), CCellID{});
}

TEST(FocusMovesTest, PageMovesStayInTheDataRowsAndOffHiddenRows) {
    EXPECT_EQ(MovedByRows(HiddenMiddle(), {1, 2}, 100), (CCellID{4, 2}));
    EXPECT_EQ(MovedByRows(HiddenMiddle(), {4, 2}, -100), (CCellID{1, 2}));
    EXPECT_EQ(MovedByRows(HiddenMiddle(), {1, 2}, 2), (CCellID{4, 2}));
    EXPECT_EQ(MovedByRows(HiddenMiddle(), {4, 2}, -1), (CCellID{2, 2}));
}

} // namespace
} // namespace tillora
