#include "tables/ImportPlan.h"

#include "ModelInForce.h"
#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;

// A sheet from rows of UTF-8 texts, each row on its own line.
SheetData Sheet(const std::vector<std::vector<std::string>>& rows) {
    SheetData sheet;
    int line = 0;
    for (const auto& texts : rows) {
        SheetRow row{++line, {}};
        for (const std::string& text : texts) {
            row.cells.push_back({Utf8ToCp1251(text), std::nullopt});
        }
        sheet.rows.push_back(row);
    }
    return sheet;
}

// The plan applied to a fresh table: the table's texts in UTF-8 by row and column.
class Applied {
public:
    Applied(const ImportPlan& plan, int model) : m_model(model) {
        SetupTable(grid, plan.kind);
        grid.SetItemText(7, 1, "left from before");
        ApplyImportPlan(plan, access);
    }
    std::string operator()(int row, int column) const {
        return Cp1251ToUtf8(grid.GetItemText(row, column));
    }
    test::ModelInForce m_model;
    CCellGrid grid;
    CMemoryGridAccess access{grid};
};

std::vector<std::tuple<unsigned, int, int>> Where(const ImportPlan& plan) {
    std::vector<std::tuple<unsigned, int, int>> places;
    for (const ImportProblem& problem : plan.problems) {
        places.emplace_back(problem.messageId, problem.line, problem.sheetColumn);
    }
    return places;
}

TEST(ImportPlanTest, HeaderTitlesChooseTheColumnsInAnyOrder) {
    const SheetData sheet = Sheet({{"Ценова листа от 1 март"},
                                   {"Бележка", "Price", "Наименование", "EAN", "VAT", "Кол."},
                                   {"ново", "1,20 лв.", "Хляб", "3800000000017", "Б", "12"},
                                   {"", "", "", "", "", ""},
                                   {"", "0,89", "Мляко", "", "2", ""}});
    const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {});
    EXPECT_EQ(plan.headerLine, 2);
    EXPECT_THAT(plan.columns, ElementsAre(-1, 2, 3, 1, 4, -1, -1, 5));
    EXPECT_TRUE(plan.problems.empty());
    EXPECT_EQ(plan.rowsFilled, 2);
    const Applied table(plan, 0);
    EXPECT_EQ(table(1, 1), "Хляб");
    EXPECT_EQ(table(1, 2), "3800000000017");
    EXPECT_EQ(table(1, 3), "1.20");
    EXPECT_EQ(table(1, 4), "Б");
    EXPECT_EQ(table(1, 7), "12.000");
    EXPECT_EQ(table(2, 1), "Мляко") << "a blank row takes no number";
    EXPECT_EQ(table(2, 3), "0.89");
    EXPECT_EQ(table(7, 1), "") << "the import replaces the table's contents";
}

TEST(ImportPlanTest, RowNumbersComeFromTheNumberColumn) {
    const ImportPlan articles =
        PlanImport(Sheet({{"№", "Име", "Цена"}, {"5", "Хляб", "1"}, {"9", "Мляко", "2"}}),
                   TableKind::Articles, {});
    std::vector<std::pair<int, int>> cells;
    for (const ImportCell& cell : articles.cells) {
        cells.emplace_back(cell.row, cell.column);
    }
    EXPECT_THAT(cells,
                ElementsAre(std::pair(5, 1), std::pair(5, 3), std::pair(9, 1), std::pair(9, 3)));
    // The subgroups count from 0, as their labels do.
    const ImportPlan subgroups = PlanImport(
        Sheet({{"0", "Хранителни", "0"}, {"9", "Други", "1,5"}}), TableKind::Subgroups, {});
    const Applied table(subgroups, 0);
    EXPECT_EQ(table(1, 1), "Хранителни");
    EXPECT_EQ(table(10, 2), "1.50");
}

TEST(ImportPlanTest, WithoutAHeaderTheColumnsGoByPosition) {
    const ImportPlan plain =
        PlanImport(Sheet({{"Хляб", "", "1,20"}, {"Мляко", "", "0,89"}}), TableKind::Articles, {});
    EXPECT_THAT(plain.columns, ElementsAre(-1, 0, 1, 2, 3, 4, 5, 6));
    const Applied table(plain, 0);
    EXPECT_EQ(table(2, 3), "0.89");
}

TEST(ImportPlanTest, AColumnMapPicksColumnsByNumberOrTitle) {
    const SheetData sheet = Sheet({{"Код", "Артикул", "Склад", "Цена на едро", "Продажна"},
                                   {"A1", "Хляб", "3", "0,90", "1,20"}});
    std::string error;
    const auto byNumber = ParseColumnMap(TableKind::Articles, "name=2, price=5", error);
    ASSERT_TRUE(byNumber) << error;
    const auto byTitle = ParseColumnMap(TableKind::Articles, "Име=Артикул,price=Продажна", error);
    ASSERT_TRUE(byTitle) << error;
    for (const ColumnMap& map : {*byNumber, *byTitle}) {
        const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {0, map, {}});
        EXPECT_EQ(plan.headerLine, 1);
        EXPECT_TRUE(plan.problems.empty());
        const Applied table(plan, 0);
        EXPECT_EQ(table(1, 1), "Хляб");
        EXPECT_EQ(table(1, 3), "1.20");
        EXPECT_EQ(table(1, 7), "");
    }
    for (const char* bad : {"name", "colour=2", "name=", "name=1,name=2"}) {
        EXPECT_FALSE(ParseColumnMap(TableKind::Articles, bad, error)) << bad;
        EXPECT_THAT(error, ::testing::StartsWith("--columns")) << bad;
    }
    const auto missing =
        ParseColumnMap(TableKind::Articles, "name=Артикул,price=Цена дребно", error);
    const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {0, *missing, {}});
    EXPECT_THAT(Where(plan), ElementsAre(std::tuple(ids::ImportColumnTitleMissing, 1, 0)));
}

TEST(ImportPlanTest, EveryProblemIsToldWithItsPlace) {
    const SheetData sheet = Sheet({{"№", "Име", "Баркод", "Цена", "Дан. гр."},
                                   {"1", "Хляб", "3.80E+12", "1,20", "A"},
                                   {"2", "Шоколад с лешници", "", "-1", "Б"},
                                   {"x", "Вода", "", "0,50", ""},
                                   {"", "Сок", "", "", ""},
                                   {"1", "Хляб бял", "", "1,30", ""}});
    const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {0, std::nullopt, {{1, 12}}});
    EXPECT_THAT(Where(plan), ElementsAre(std::tuple(ids::ImportBarcodeExponent, 2, 3),
                                         std::tuple(ids::ImportTaxLetterLookAlike, 2, 5),
                                         std::tuple(ids::ImportTextTooLong, 3, 2),
                                         std::tuple(ids::ImportValueRefused, 3, 4),
                                         std::tuple(ids::ImportRowNumberInvalid, 4, 1),
                                         std::tuple(ids::ImportRowNumberMissing, 5, 1),
                                         std::tuple(ids::ImportRowRepeated, 6, 1)));
    EXPECT_EQ(FormatImportProblem(plan.problems[1], TableKind::Articles),
              FormatMessage(ids::ImportAtCell, 2, 5, "Дан. Гр.") +
                  FormatMessage(ids::ImportTaxLetterLookAlike, "A", "А"));
    EXPECT_EQ(FormatImportProblem(plan.problems[2], TableKind::Articles),
              FormatMessage(ids::ImportAtCell, 3, 2, "Име") +
                  FormatMessage(ids::ImportTextTooLong, "Шоколад с лешници", 12));
    const Applied table(plan, 0);
    EXPECT_EQ(table(1, 1), "Хляб бял") << "a repeated row stands in for the earlier one";
    EXPECT_EQ(table(1, 4), "");
    EXPECT_EQ(table(2, 1), "Шоколад с лешници") << "a long name is kept; the send stops on it";
    EXPECT_EQ(table(2, 3), "");
}

// The import dialog marks each problem on the table row it names, so the row must be the one
// the plan numbered: "12 " is row 12 (a sheet's stray space), "+12" is no row number at all.
TEST(ImportPlanTest, EachProblemNamesTheTableRowItsSheetRowWentTo) {
    const SheetData sheet = Sheet({{"№", "Име", "Цена", "Дан. гр."},
                                   {"12 ", "Хляб", "много", "Б"},
                                   {"+12", "Мляко", "много", "Б"},
                                   {"7", "Вода", "0,50", "A"}});
    const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {});
    std::vector<std::tuple<unsigned, int, bool>> rows;
    for (const ImportProblem& problem : plan.problems) {
        rows.emplace_back(problem.messageId, problem.tableRow, problem.LeavesOut());
    }
    EXPECT_THAT(rows, ElementsAre(std::tuple(ids::ImportValueRefused, 12, true),
                                  std::tuple(ids::ImportRowNumberInvalid, 0, true),
                                  std::tuple(ids::ImportTaxLetterLookAlike, 7, false)));
}

// Every title the import names a column by (in its messages, the window's preview and the
// command line's list of columns taken) reads back as that column from a sheet's header line.
TEST(ImportPlanTest, EveryColumnTitleReadsBackAsItsColumn) {
    for (const TableKind kind :
         {TableKind::Articles, TableKind::Operators, TableKind::Subgroups, TableKind::Company}) {
        for (int column = RowNumberColumn; column < ShapeOf(kind).columns; ++column) {
            const std::string title = ImportColumnTitle(kind, column);
            EXPECT_EQ(TableColumnOfTitle(kind, Utf8ToCp1251(title)), column) << title;
        }
    }
}

TEST(ImportPlanTest, RowsBeyondTheTableAreToldOnce) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 12; ++i) {
        rows.push_back({"Оператор " + std::to_string(i)});
    }
    const ImportPlan plan = PlanImport(Sheet(rows), TableKind::Operators, {});
    EXPECT_EQ(plan.rowsFilled, 9);
    EXPECT_THAT(Where(plan), ElementsAre(std::tuple(ids::ImportTooManyRows, 10, 0)));
    EXPECT_EQ(FormatImportProblem(plan.problems[0], TableKind::Operators),
              FormatMessage(ids::ImportAtLine, 10) + FormatMessage(ids::ImportTooManyRows, 9));
}

// The window and the command line both stop on such a plan rather than empty the table.
TEST(ImportPlanTest, NothingToImportIsAPlanThatGivesNoCell) {
    const std::pair<std::vector<std::vector<std::string>>, bool> cases[] = {
        {{{"Име", "Цена"}}, true},                                    // the header line alone
        {{{"Име", "Цена"}, {"", "много"}}, true},                     // every value refused
        {{{"№", "Име", "Цена"}, {"5", "", ""}, {"6", "", ""}}, true}, // row numbers alone
        {{{"Име", "Цена"}, {"", "много"}, {"", "1,20"}}, false}};
    for (const auto& [rows, nothing] : cases) {
        EXPECT_EQ(ImportsNothing(PlanImport(Sheet(rows), TableKind::Articles, {})), nothing)
            << rows.size() << " rows";
    }
}

} // namespace
} // namespace tillora
