#include "cli/CellSelection.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Optional;

TEST(CellSelectionTest, RowsAreTakenByTheirLabels) {
    std::string error;
    EXPECT_THAT(RowsFromLabels(TableKind::Articles, "5-7,12,6", error),
                Optional(ElementsAre(5, 6, 7, 12)));
    EXPECT_THAT(RowsFromLabels(TableKind::Subgroups, "0,9", error), Optional(ElementsAre(1, 10)));
    EXPECT_THAT(RowsFromLabels(TableKind::Articles, "2600", error), Optional(ElementsAre(2600)));
}

TEST(CellSelectionTest, RowsTheTableHasNotAreRefusedWithTheReason) {
    std::string error;
    EXPECT_FALSE(RowsFromLabels(TableKind::Articles, "0", error));
    EXPECT_EQ(error, FormatMessage(ids::CliNoSuchRow, 0));
    EXPECT_FALSE(RowsFromLabels(TableKind::Subgroups, "10", error));
    EXPECT_FALSE(RowsFromLabels(TableKind::Operators, "9-3", error));
    EXPECT_FALSE(RowsFromLabels(TableKind::Operators, "1,,2", error));
    EXPECT_FALSE(RowsFromLabels(TableKind::Operators, "1-2-3", error));
    EXPECT_FALSE(RowsFromLabels(TableKind::Operators, "x", error));
}

TEST(CellSelectionTest, ColumnsAreTakenByNameOrNumber) {
    std::string error;
    EXPECT_THAT(ColumnsFromList(TableKind::Articles, "price", error), Optional(ElementsAre(3)));
    EXPECT_THAT(ColumnsFromList(TableKind::Articles, "stock,name-price", error),
                Optional(ElementsAre(1, 2, 3, 7)));
    EXPECT_THAT(ColumnsFromList(TableKind::Subgroups, "tax,1", error), Optional(ElementsAre(1, 3)));
    EXPECT_THAT(ColumnsFromList(TableKind::Company, "flag", error), Optional(ElementsAre(2)));
    EXPECT_FALSE(ColumnsFromList(TableKind::Operators, "price", error));
    EXPECT_THAT(error, HasSubstr("name"));
    EXPECT_FALSE(ColumnsFromList(TableKind::Articles, "8", error));
    EXPECT_FALSE(ColumnsFromList(TableKind::Articles, "0", error));
}

TEST(CellSelectionTest, SelectsWhereRowsAndColumnsCross) {
    CCellGrid grid;
    SetupTable(grid, TableKind::Articles);
    grid.SetItemText(3, 1, "Bread");
    grid.SetItemText(9, 3, "1");
    EXPECT_THAT(RowsWithData(grid), ElementsAre(3, 9));
    CMemoryGridAccess access(grid);
    access.SetCellSelected(1, 1, true);
    SelectCells(access, RowsWithData(grid), {3, 7});
    EXPECT_EQ(access.GetSelectedCount(), 4);
    EXPECT_TRUE(access.IsCellSelected(9, 7));
    EXPECT_FALSE(access.IsCellSelected(1, 1)) << "the old selection goes";
    EXPECT_EQ(ColumnNameOf(TableKind::Articles, 4), "tax");
}

} // namespace
} // namespace tillora::cli
