#include "tables/StatusTexts.h"
#include "link/Cp1251.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

class StatusTextsTest : public ::testing::Test {
protected:
    StatusTextsTest() { SetupTable(cells, TableKind::Articles); }

    CCellGrid cells;
    CMemoryGridAccess grid{cells};
};

TEST_F(StatusTextsTest, NoFocusCellLeavesThePaneAsItIs) {
    EXPECT_FALSE(FocusPaneText(grid).has_value());
    const std::string typed = "abc";
    EXPECT_FALSE(FocusPaneText(grid, &typed).has_value());
}

TEST_F(StatusTextsTest, ThePaneNamesTheFocusCellAndTheLengthOfItsText) {
    grid.SetItemText(3, 1, Utf8ToCp1251("Хляб"));
    grid.SetFocusCell(3, 1);
    EXPECT_EQ(FocusPaneText(grid), "Ред: 3, Кол: 1, Дълж: 4");
    grid.SetFocusCell(7, 3);
    EXPECT_EQ(FocusPaneText(grid), "Ред: 7, Кол: 3, Дълж: 0");
}

TEST_F(StatusTextsTest, ThePaneCountsTheStoredFormNotTheTypedOne) {
    grid.SetItemText(1, 3, "2.5");
    grid.SetFocusCell(1, 3);
    EXPECT_EQ(FocusPaneText(grid), "Ред: 1, Кол: 3, Дълж: 4"); // 2.50
}

TEST_F(StatusTextsTest, WhileEditingTheLengthFollowsTheTypedText) {
    grid.SetItemText(2, 1, Utf8ToCp1251("Мляко"));
    grid.SetFocusCell(2, 1);
    const std::string typed = Utf8ToCp1251("Мл");
    EXPECT_EQ(FocusPaneText(grid, &typed), "Ред: 2, Кол: 1, Дълж: 2");
}

TEST_F(StatusTextsTest, TheEditorsLengthStopsAt255) {
    grid.SetFocusCell(1, 1);
    const std::string typed(300, 'x');
    EXPECT_EQ(FocusPaneText(grid, &typed), "Ред: 1, Кол: 1, Дълж: 255");
}

TEST_F(StatusTextsTest, ARefusedValueIsNamedByRowColumnHeaderAndText) {
    EXPECT_EQ(RefusedValueText(grid, 4, 3, Utf8ToCp1251("1,2ц")),
              "Ред 4, „Цена“: стойността \"1,2ц\" не е приета");
}

} // namespace
} // namespace tillora
