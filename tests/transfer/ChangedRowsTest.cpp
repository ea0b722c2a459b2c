#include "transfer/ChangedRows.h"
#include "ModelInForce.h"
#include "tables/TableSetup.h"
#include "transfer/SendCommands.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

struct Cell {
    int row;
    int column;
    const char* text;
};

// What the table and the known state hold, and what the diff makes of it.
struct DiffCase {
    const char* what;
    TableKind kind;
    int model;
    std::vector<Cell> known;
    std::vector<Cell> now;
    std::vector<int> changedColumns; // of row 1; empty: row 1 is not to be sent
    bool sendWhole;
    std::vector<int> keptRows;
};

class ChangedRowsTest : public ::testing::TestWithParam<DiffCase> {};

TEST_P(ChangedRowsTest, FindsWhatTheRegisterWouldReceiveDifferently) {
    const DiffCase& c = GetParam();
    test::ModelInForce model(c.model);
    CCellGrid known;
    CCellGrid table;
    SetupTable(known, c.kind);
    SetupTable(table, c.kind);
    for (const Cell& cell : c.known) {
        known.SetItemText(cell.row, cell.column, cell.text);
    }
    for (const Cell& cell : c.now) {
        table.SetItemText(cell.row, cell.column, cell.text);
    }
    const TableChanges changes =
        FindChangedRows(*SendPlanOf(c.kind, c.model), table, known, c.model);

    EXPECT_EQ(changes.keptRows, c.keptRows) << c.what;
    if (c.changedColumns.empty()) {
        EXPECT_TRUE(changes.rows.empty()) << c.what;
        return;
    }
    ASSERT_EQ(changes.rows.size(), 1u) << c.what;
    std::vector<int> columns;
    for (const ChangedCell& cell : changes.rows[0].cells) {
        columns.push_back(cell.column);
    }
    EXPECT_EQ(columns, c.changedColumns) << c.what;
    EXPECT_EQ(changes.rows[0].sendWhole, c.sendWhole) << c.what;
}

const char* const Bread = "\xF5\xeb\xff\xe1"; // хляб
const char* const BREAD = "\xD5\xCB\xDF\xC1"; // ХЛЯБ

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedRowsTest,
    ::testing::Values(DiffCase{"a name in small letters is the register's capitals",
                               TableKind::Articles,
                               0,
                               {{1, 1, BREAD}},
                               {{1, 1, Bread}},
                               {},
                               false,
                               {}},
                      DiffCase{"a tax group by letter or by digit is one group",
                               TableKind::Articles,
                               0,
                               {{1, 4, "\xC0"}},
                               {{1, 4, "1"}},
                               {},
                               false,
                               {}},
                      DiffCase{"a cell emptied in the table is kept by the register",
                               TableKind::Articles,
                               0,
                               {{1, 1, BREAD}, {1, 3, "1.20"}},
                               {{1, 3, "1.20"}},
                               {},
                               false,
                               {}},
                      DiffCase{"model 1 carries no stock",
                               TableKind::Articles,
                               1,
                               {{1, 3, "1.20"}, {1, 7, "1.000"}},
                               {{1, 3, "1.20"}, {1, 7, "2.000"}},
                               {},
                               false,
                               {}},
                      DiffCase{"a value the register's state does not know is sent",
                               TableKind::Articles,
                               0,
                               {{1, 3, "1.20"}},
                               {{1, 3, "1.20"}, {1, 7, "2.000"}},
                               {7},
                               false,
                               {}},
                      DiffCase{"a row emptied in the table is left alone",
                               TableKind::Articles,
                               0,
                               {{1, 3, "1.20"}, {2, 3, "2.00"}},
                               {{1, 3, "1.30"}},
                               {3},
                               false,
                               {2}},
                      DiffCase{"a changed flag sends its line whole",
                               TableKind::Company,
                               0,
                               {{1, 1, "LINE"}, {1, 2, "0"}},
                               {{1, 1, "LINE"}, {1, 2, "1"}},
                               {2},
                               true,
                               {}},
                      DiffCase{"models 2 to 9 send no flag",
                               TableKind::Company,
                               4,
                               {{1, 1, "LINE"}, {1, 2, "0"}},
                               {{1, 1, "LINE"}, {1, 2, "1"}},
                               {},
                               false,
                               {}},
                      DiffCase{"a changed text alone goes alone",
                               TableKind::Company,
                               0,
                               {{1, 1, "LINE"}, {1, 2, "1"}},
                               {{1, 1, "OTHER"}, {1, 2, "1"}},
                               {1},
                               false,
                               {}},
                      DiffCase{"a subgroup's price, which model 1 does not carry",
                               TableKind::Subgroups,
                               1,
                               {{1, 1, "A"}, {1, 2, "1.00"}},
                               {{1, 1, "A"}, {1, 2, "2.00"}},
                               {},
                               false,
                               {}}));

} // namespace
} // namespace tillora
