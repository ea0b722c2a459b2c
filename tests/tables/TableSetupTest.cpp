#include "tables/TableSetup.h"

#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tables/TypedCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace tillora {
namespace {

constexpr int Char = CFixedPitchMeasure::CharWidth;
constexpr int Margin = Char; // one blank
constexpr int DefaultWidth = 14 * Char;

// The width AutoSizeColumn gives the widest of these texts: the text plus four margins.
int FittedWidth(std::string_view text) {
    return static_cast<int>(text.size()) * Char + 4 * Margin;
}

enum class Align { Default, Right, Center };
// Widths other than a number of pixels.
constexpr int Auto = -1;
constexpr int GridDefault = -2;

struct Column {
    unsigned headerId; // 0: the literal header "B"
    std::string_view cellClass;
    Align align;
    int width;
};

struct Table {
    TableKind kind;
    int dataRows;
    int firstLabel;
    bool editable;
    Colour shading;
    std::vector<Column> columns; // from column 1
};

const Column Name{ids::HeaderName, "CGridCell", Align::Default, 150};
const Column WideName{ids::HeaderName, "CGridCell", Align::Default, 250};
const Column Barcode{ids::HeaderBarcode, "CGridCellBarcode", Align::Center, Auto};
const Column Price{ids::HeaderPrice, "CGridCellPrice", Align::Right, GridDefault};
const Column TaxGroup{ids::HeaderTaxGroup, "CGridCellChar1", Align::Center, Auto};
const Column Subgroup{ids::HeaderSubgroup, "CGridCellNum1", Align::Center, Auto};
const Column Payment{ids::HeaderPaymentType, "CGridCellNum1", Align::Center, Auto};
const Column Stock{ids::HeaderStock, "CGridCellQuantity", Align::Right, GridDefault};
const Column Turnover{ids::HeaderTurnover, "CGridCellPrice", Align::Right, GridDefault};
const Column Sales{ids::HeaderSales, "CGridCellQuantity", Align::Right, GridDefault};
const Column Text{ids::HeaderText, "CGridCell", Align::Default, 250};
const Column Flag{0, "CGridCellCheck", Align::Default, Auto};

const std::vector<Table>& Tables() {
    static const std::vector<Table> tables = {
        {TableKind::Articles,
         2600,
         1,
         true,
         Rgb(255, 255, 224),
         {Name, Barcode, Price, TaxGroup, Subgroup, Payment, Stock}},
        {TableKind::Operators, 9, 1, true, Rgb(224, 255, 255), {WideName}},
        {TableKind::Subgroups, 10, 0, true, Rgb(255, 224, 255), {Name, Price, TaxGroup}},
        {TableKind::Company, 6, 1, true, Rgb(255, 192, 192), {Text, Flag}},
        {TableKind::Report,
         2600,
         1,
         false,
         Rgb(224, 255, 224),
         {Name, Barcode, Price, TaxGroup, Subgroup, Payment, Stock, Turnover, Sales}},
        {TableKind::SubgroupReport,
         10,
         0,
         false,
         Rgb(192, 255, 192),
         {Name, Price, TaxGroup, Turnover}}};
    return tables;
}

const Table& TableOf(TableKind kind) {
    return Tables()[static_cast<std::size_t>(TableIndex(kind))];
}

std::string HeaderOf(const Column& column) {
    return column.headerId != 0 ? Utf8ToCp1251(LoadString(column.headerId)) : std::string("B");
}

std::uint32_t FormatOf(Align align) {
    switch (align) {
    case Align::Right:
        return CellFormat::Right | CellFormat::Aligned;
    case Align::Center:
        return CellFormat::Center | CellFormat::Aligned;
    case Align::Default:
        break;
    }
    return CellFormat::Aligned;
}

// The model that the set-up reads; every test gets it back as it found it.
class ModelGuard {
public:
    explicit ModelGuard(int model) : m_saved(ConnectionSettings().EcrType) {
        ConnectionSettings().EcrType = model;
    }
    ~ModelGuard() { ConnectionSettings().EcrType = m_saved; }
    ModelGuard(const ModelGuard&) = delete;
    ModelGuard& operator=(const ModelGuard&) = delete;

private:
    int m_saved;
};

std::string KindName(const ::testing::TestParamInfo<TableKind>& info) {
    static const char* const names[] = {"Articles", "Operators", "Subgroups",
                                        "Company",  "Report",    "SubgroupReport"};
    return names[TableIndex(info.param)];
}

// ---- Every table -----------------------------------------------------------------------------

class TableSetupTest : public ::testing::TestWithParam<TableKind> {
protected:
    TableSetupTest() : guard(0) { SetupTable(grid, GetParam()); }

    const Table& Expected() const { return TableOf(GetParam()); }
    int Columns() const { return static_cast<int>(Expected().columns.size()) + 1; }
    const Column& ColumnAt(int c) const {
        return Expected().columns[static_cast<std::size_t>(c - 1)];
    }

    ModelGuard guard;
    CCellGrid grid;
};

TEST_P(TableSetupTest, Shape) {
    EXPECT_EQ(grid.GetRowCount(), Expected().dataRows + 1);
    EXPECT_EQ(grid.GetColumnCount(), Columns());
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_FALSE(grid.GetRowResize());
    const TableShape& shape = ShapeOf(GetParam());
    EXPECT_EQ(shape.dataRows, Expected().dataRows);
    EXPECT_EQ(shape.columns, Columns());
    EXPECT_EQ(shape.firstLabel, Expected().firstLabel);
    EXPECT_EQ(shape.editable, Expected().editable);
    EXPECT_EQ(shape.shading, Expected().shading);
}

TEST_P(TableSetupTest, RowLabels) {
    EXPECT_EQ(grid.GetItemText(0, 0), "");
    for (int r = 1; r <= Expected().dataRows; ++r) {
        const int label = r - 1 + Expected().firstLabel;
        ASSERT_EQ(grid.GetItemText(r, 0), std::to_string(label)) << "row " << r;
        ASSERT_EQ(RowLabel(GetParam(), r), label);
        ASSERT_EQ(grid.GetItemFormat(r, 0), FormatOf(Align::Right)) << "row " << r;
        ASSERT_EQ(grid.GetCell(r, 0)->GetClass().name, "CGridCell");
    }
}

TEST_P(TableSetupTest, HeaderTexts) {
    for (int c = 1; c < Columns(); ++c) {
        EXPECT_EQ(grid.GetItemText(0, c), HeaderOf(ColumnAt(c))) << "column " << c;
        EXPECT_FALSE(grid.GetItemText(0, c).empty());
    }
}

TEST_P(TableSetupTest, CellClasses) {
    for (int c = 0; c < Columns(); ++c) {
        EXPECT_EQ(grid.GetCell(0, c)->GetClass().name, "CGridCell") << "header " << c;
    }
    for (int r = 1; r <= Expected().dataRows; ++r) {
        for (int c = 1; c < Columns(); ++c) {
            ASSERT_EQ(grid.GetCell(r, c)->GetClass().name, ColumnAt(c).cellClass)
                << "row " << r << " column " << c;
        }
    }
}

TEST_P(TableSetupTest, Alignments) {
    for (int r = 0; r <= Expected().dataRows; ++r) {
        for (int c = 1; c < Columns(); ++c) {
            ASSERT_EQ(grid.GetItemFormat(r, c), FormatOf(ColumnAt(c).align))
                << "row " << r << " column " << c;
        }
    }
}

TEST_P(TableSetupTest, EvenDataRowsAreShaded) {
    for (int r = 0; r <= Expected().dataRows; ++r) {
        for (int c = 0; c < Columns(); ++c) {
            const bool shaded = r >= 2 && r % 2 == 0 && c >= 1;
            ASSERT_EQ(grid.GetTextCell(r, c)->GetBackClr(),
                      shaded ? Expected().shading : DefaultColour)
                << "row " << r << " column " << c;
            ASSERT_EQ(grid.GetTextCell(r, c)->GetTextClr(), DefaultColour);
        }
    }
}

TEST_P(TableSetupTest, DataCellsStartEmpty) {
    for (int r = 1; r <= Expected().dataRows; ++r) {
        for (int c = 1; c < Columns(); ++c) {
            const bool flag = ColumnAt(c).cellClass == "CGridCellCheck";
            ASSERT_EQ(grid.GetItemText(r, c), flag ? "0" : "") << "row " << r << " column " << c;
        }
    }
}

TEST_P(TableSetupTest, Editability) {
    EXPECT_EQ(grid.IsEditable(), Expected().editable);
    EXPECT_EQ(grid.IsCellEditable(1, 1), Expected().editable);
    EXPECT_EQ(grid.IsCellEditable(Expected().dataRows, Columns() - 1),
              Expected().editable && GetParam() != TableKind::Company);
    EXPECT_FALSE(grid.IsCellEditable(0, 1));
    EXPECT_FALSE(grid.IsCellEditable(1, 0));
}

TEST_P(TableSetupTest, ColumnWidths) {
    const int labelWidth = FittedWidth(std::to_string(RowLabel(GetParam(), Expected().dataRows)));
    EXPECT_EQ(grid.GetColumnWidth(0), labelWidth);
    for (int c = 1; c < Columns(); ++c) {
        const Column& column = ColumnAt(c);
        int expected = column.width;
        if (column.width == GridDefault) {
            expected = DefaultWidth;
        } else if (column.cellClass == "CGridCellBarcode") {
            expected = std::max(FittedWidth(HeaderOf(column)), FittedWidth("000000000001"));
        } else if (column.cellClass == "CGridCellCheck") {
            expected = std::max(FittedWidth("B"), CFixedPitchMeasure::BoxSide + 2 * Margin);
        } else if (column.width == Auto) {
            expected = FittedWidth(HeaderOf(column)); // the data cells are empty
        }
        EXPECT_EQ(grid.GetColumnWidth(c), expected) << "column " << c;
    }
}

TEST_P(TableSetupTest, MarkedModified) {
    EXPECT_TRUE(grid.GetModified());
    EXPECT_TRUE(grid.GetCell(1, 0)->IsModified());
    EXPECT_TRUE(grid.GetCell(0, 1)->IsModified());
}

TEST_P(TableSetupTest, ClearTableEmptiesTheDataCells) {
    for (int r = 1; r <= Expected().dataRows; r += 3) {
        for (int c = 1; c < Columns(); ++c) {
            grid.SetItemText(r, c, "1");
        }
    }
    ClearTable(grid);
    for (int r = 1; r <= Expected().dataRows; ++r) {
        ASSERT_EQ(grid.GetItemText(r, 0), std::to_string(RowLabel(GetParam(), r)));
        for (int c = 1; c < Columns(); ++c) {
            const bool flag = ColumnAt(c).cellClass == "CGridCellCheck";
            ASSERT_EQ(grid.GetItemText(r, c), flag ? "0" : "") << "row " << r << " column " << c;
            ASSERT_EQ(grid.GetCell(r, c)->GetClass().name, ColumnAt(c).cellClass);
        }
    }
    for (int c = 1; c < Columns(); ++c) {
        EXPECT_EQ(grid.GetItemText(0, c), HeaderOf(ColumnAt(c)));
    }
}

TEST_P(TableSetupTest, TabCaption) {
    const unsigned index = static_cast<unsigned>(TableIndex(GetParam()));
    EXPECT_EQ(TabCaption(GetParam(), ""), LoadString(ids::TabCaption + index));
    EXPECT_EQ(TabCaption(GetParam(), "table.txt"),
              FormatText(LoadString(ids::TabCaptionWithFile + index), "table.txt"));
}

INSTANTIATE_TEST_SUITE_P(AllTables, TableSetupTest, ::testing::ValuesIn(AllTables), KindName);

// ---- Particular tables -----------------------------------------------------------------------

TEST(TableSetupDetailTest, SubgroupTablesAreLabelledZeroToNine) {
    const ModelGuard guard(0);
    for (TableKind kind : {TableKind::Subgroups, TableKind::SubgroupReport}) {
        CCellGrid grid;
        SetupTable(grid, kind);
        EXPECT_EQ(grid.GetItemText(1, 0), "0");
        EXPECT_EQ(grid.GetItemText(10, 0), "9");
        EXPECT_EQ(RowLabel(kind, 1), 0);
    }
}

TEST(TableSetupDetailTest, BarcodeSampleIsTakenOutAgain) {
    const ModelGuard guard(0);
    for (TableKind kind : {TableKind::Articles, TableKind::Report}) {
        CCellGrid grid;
        SetupTable(grid, kind);
        EXPECT_EQ(grid.GetItemText(1, 2), "");
        EXPECT_EQ(grid.GetColumnWidth(2), FittedWidth("000000000000"))
            << "fits twelve digits, wider than its header";
        grid.SetItemText(1, 2, "1");
        EXPECT_EQ(grid.GetItemText(1, 2), "000000000001");
    }
}

TEST(TableSetupDetailTest, ReportIsWrittenThoughNotEditable) {
    const ModelGuard guard(0);
    CCellGrid grid;
    SetupTable(grid, TableKind::Report);
    EXPECT_FALSE(grid.IsCellEditable(5, 3));
    EXPECT_EQ(grid.SetItemText(5, 3, "12.5"), TextTaken::Normalised);
    EXPECT_EQ(grid.GetItemText(5, 3), "12.50");
}

TEST(TableSetupDetailTest, CompanyFlagsAreReadOnlyZeros) {
    const ModelGuard guard(0);
    CCellGrid grid;
    SetupTable(grid, TableKind::Company);
    EXPECT_EQ(grid.GetItemText(0, 2), "B");
    EXPECT_EQ(grid.GetItemText(0, 1), Utf8ToCp1251(LoadString(ids::HeaderText)));
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(grid.GetItemText(r, 2), "0");
        EXPECT_TRUE(grid.GetItemState(r, 2) & CellState::ReadOnly) << r;
        EXPECT_FALSE(grid.IsCellEditable(r, 2)) << r;
        EXPECT_TRUE(grid.IsCellEditable(r, 1)) << r;
        EXPECT_EQ(grid.GetCell(r, 1)->GetClass().name, "CGridCell");
        EXPECT_EQ(grid.GetCell(r, 2)->GetClass().name, "CGridCellCheck");
    }
}

TEST(TableSetupDetailTest, CompanyFlagsStayReadOnlyAfterClearing) {
    const ModelGuard guard(0);
    CCellGrid grid;
    SetupTable(grid, TableKind::Company);
    grid.SetItemText(3, 2, "1");
    grid.SetItemText(3, 1, "line");
    ClearTable(grid);
    EXPECT_EQ(grid.GetItemText(3, 2), "0");
    EXPECT_EQ(grid.GetItemText(3, 1), "");
    EXPECT_FALSE(grid.IsCellEditable(3, 2));
}

TEST(TableSetupDetailTest, FlagColumnFollowsTheModelAtSetUp) {
    const int shown = std::max(FittedWidth("B"), CFixedPitchMeasure::BoxSide + 2 * Margin);
    for (int model : {-1, 0, 1}) {
        const ModelGuard guard(model);
        CCellGrid grid;
        SetupTable(grid, TableKind::Company);
        EXPECT_EQ(grid.GetColumnWidth(2), shown) << model;
    }
    for (int model : {2, 5, 6, 9}) {
        const ModelGuard guard(model);
        CCellGrid grid;
        SetupTable(grid, TableKind::Company);
        EXPECT_EQ(grid.GetColumnWidth(2), 0) << model;
        EXPECT_EQ(grid.GetItemText(1, 2), "0") << "hidden, it still holds its value";
    }
}

TEST(TableSetupDetailTest, ApplyModelColumnsHidesAndShowsWithoutTouchingValues) {
    const ModelGuard guard(0);
    CCellGrid grid;
    SetupTable(grid, TableKind::Company);
    grid.SetItemText(1, 2, "1");
    grid.SetItemText(1, 1, "first line");
    const int shown = grid.GetColumnWidth(2);
    ASSERT_GT(shown, 0);
    const int textWidth = grid.GetColumnWidth(1);

    const auto expectValues = [&grid](int model) {
        EXPECT_EQ(grid.GetItemText(1, 2), "1") << model;
        EXPECT_EQ(grid.GetItemText(2, 2), "0") << model;
        EXPECT_EQ(grid.GetItemText(1, 1), "first line") << model;
    };
    for (int model : {2, 9}) {
        ApplyModelColumns(grid, model);
        EXPECT_EQ(grid.GetColumnWidth(2), 0) << model;
        expectValues(model);
    }
    for (int model : {0, 1, -1}) {
        ApplyModelColumns(grid, model);
        EXPECT_EQ(grid.GetColumnWidth(2), shown) << model;
        expectValues(model);
    }
    ApplyModelColumns(grid, 9);
    ApplyModelColumns(grid, 1);
    EXPECT_EQ(grid.GetColumnWidth(2), shown);
    EXPECT_EQ(grid.GetColumnWidth(1), textWidth) << "only the flag column follows the model";
    expectValues(1);
}

TEST(TableSetupDetailTest, TabCaptionTexts) {
    EXPECT_EQ(TabCaption(TableKind::Articles, ""), "Артикули");
    EXPECT_EQ(TabCaption(TableKind::Company, ""), "Данни за фирмата");
    EXPECT_EQ(TabCaption(TableKind::SubgroupReport, "report.txt"),
              "Отчет по подгрупи (report.txt)");
    EXPECT_EQ(TabCaption(TableKind::Operators, "a b.txt"), "Оператори (a b.txt)");
}

TEST(TableSetupDetailTest, TableIndexes) {
    EXPECT_EQ(TableCount, 6);
    for (int i = 0; i < TableCount; ++i) {
        EXPECT_EQ(TableIndex(AllTables[static_cast<std::size_t>(i)]), i);
    }
    EXPECT_EQ(TableIndex(TableKind::Company), 3);
    EXPECT_EQ(TableIndex(TableKind::SubgroupReport), 5);
}

} // namespace
} // namespace tillora
