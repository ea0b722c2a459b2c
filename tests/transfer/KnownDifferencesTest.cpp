#include "transfer/KnownDifferences.h"
#include "ModelInForce.h"
#include "tables/TableSetup.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

TEST(KnownDifferencesTest, TheRegisterOfTheSettingsIsItsSerialsDigitsAndTheModel) {
    const RegisterIdentity id = RegisterInSettings({3, 1, 42});
    EXPECT_EQ(id.serial, "000042");
    EXPECT_EQ(id.model, 3);
}

// Articles: 1 name, 3 price.
TEST(KnownDifferencesTest, AChangedFieldOfAKnownRowAndEveryFieldOfANewRowDiffer) {
    const test::ModelInForce model(0);
    CCellGrid known;
    CCellGrid table;
    SetupTable(known, TableKind::Articles);
    SetupTable(table, TableKind::Articles);
    for (CCellGrid* grid : {&known, &table}) {
        grid->SetItemText(1, 1, "Bread");
        grid->SetItemText(1, 3, "1.20");
    }
    table.SetItemText(1, 3, "1.30");
    table.SetItemText(2, 1, "Milk");
    table.SetItemText(2, 3, "2.00");

    const std::vector<CCellID> cells =
        CellsDifferingFromKnown(TableKind::Articles, table, known, 0);
    ASSERT_FALSE(cells.empty());
    EXPECT_EQ(cells.front(), (CCellID{1, 3}));
    for (std::size_t i = 1; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i].row, 2) << "only the new row beside the changed price";
    }
    EXPECT_GT(cells.size(), 2u) << "a new row goes whole";
    EXPECT_TRUE(CellsDifferingFromKnown(TableKind::Report, table, known, 0).empty());
}

} // namespace
} // namespace tillora
