#include "tables/CellGrid.h"
#include "tables/TypedCells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tillora {
namespace {

constexpr int Char = CFixedPitchMeasure::CharWidth;
// The fixed-pitch measure's margin is one blank: one character width.
constexpr int Margin = Char;

// The width AutoSizeColumn gives a text cell: the text plus four margins.
int FittedWidth(std::string_view text) {
    return static_cast<int>(text.size()) * Char + 4 * Margin;
}

// A measure with its own character width and line height, remembering the fonts it was asked for.
class RecordingMeasure final : public ICellMeasure {
public:
    CellExtent TextExtent(std::string_view text, const CellFont* font) const override {
        fonts.push_back(font);
        return {static_cast<int>(text.size()) * 10, 21};
    }
    int CheckBoxSide() const override { return 20; }
    mutable std::vector<const CellFont*> fonts;
};

void Shape(CCellGrid& grid, int rows, int columns, int fixedRows = 1, int fixedColumns = 1) {
    grid.SetColumnCount(columns);
    grid.SetRowCount(rows);
    grid.SetFixedRowCount(fixedRows);
    grid.SetFixedColumnCount(fixedColumns);
}

// ---- Shape -------------------------------------------------------------------------------------

TEST(CellGridShapeTest, NewGridIsEmpty) {
    const CCellGrid grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.GetFixedRowCount(), 0);
    EXPECT_EQ(grid.GetFixedColumnCount(), 0);
    EXPECT_FALSE(grid.IsValid(0, 0));
    EXPECT_EQ(grid.GetCell(0, 0), nullptr);
    EXPECT_FALSE(grid.GetModified());
    EXPECT_TRUE(grid.IsEditable());
}

TEST(CellGridShapeTest, NewCellsAreEmptyTextCells) {
    CCellGrid grid;
    Shape(grid, 4, 3);
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetColumnCount(), 3);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            ASSERT_NE(grid.GetCell(r, c), nullptr);
            EXPECT_EQ(grid.GetCell(r, c)->GetClass().name, "CGridCell");
            EXPECT_EQ(grid.GetItemText(r, c), "");
            EXPECT_EQ(grid.GetCell(r, c)->GetState(), 0u);
            EXPECT_NE(grid.GetTextCell(r, c), nullptr);
        }
    }
    EXPECT_FALSE(grid.GetModified()) << "shaping sets no text";
}

TEST(CellGridShapeTest, ValidityBounds) {
    CCellGrid grid;
    Shape(grid, 4, 3);
    EXPECT_TRUE(grid.IsValid(0, 0));
    EXPECT_TRUE(grid.IsValid(3, 2));
    EXPECT_FALSE(grid.IsValid(4, 0));
    EXPECT_FALSE(grid.IsValid(0, 3));
    EXPECT_FALSE(grid.IsValid(-1, 0));
    EXPECT_FALSE(grid.IsValid(0, -1));
    EXPECT_EQ(grid.GetCell(4, 2), nullptr);
    EXPECT_EQ(grid.GetCell(-1, -1), nullptr);
}

TEST(CellGridShapeTest, ReshapeKeepsTheCellsThatStay) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    ASSERT_TRUE(grid.SetCellType(1, 2, ClassOf<CGridCellPrice>()));
    grid.SetItemText(1, 2, "7");
    grid.SetItemText(2, 1, "name");
    CGridCellBase* kept = grid.GetCell(1, 2);

    grid.SetRowCount(10);
    grid.SetColumnCount(6);
    EXPECT_EQ(grid.GetCell(1, 2), kept);
    EXPECT_EQ(grid.GetCell(1, 2)->GetClass().name, "CGridCellPrice");
    EXPECT_EQ(grid.GetItemText(1, 2), "7.00");
    EXPECT_EQ(grid.GetItemText(2, 1), "name");
    EXPECT_EQ(grid.GetItemText(9, 5), "");
    EXPECT_EQ(grid.GetCell(9, 5)->GetClass().name, "CGridCell");
    EXPECT_EQ(grid.GetCell(2, 4)->GetClass().name, "CGridCell");

    grid.SetColumnCount(2);
    EXPECT_EQ(grid.GetItemText(2, 1), "name");
    EXPECT_FALSE(grid.IsValid(1, 2));
}

TEST(CellGridShapeTest, RemovedCellsAreGoneWhenTheGridGrowsAgain) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemText(2, 2, "old");
    grid.SetCellType(2, 2, ClassOf<CGridCellCheck>());
    grid.SetRowCount(2);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetItemText(2, 2), "");
    EXPECT_EQ(grid.GetCell(2, 2)->GetClass().name, "CGridCell");
}

TEST(CellGridShapeTest, NewRowsAndColumnsTakeTheDefaultsOfTheirMoment) {
    CCellGrid grid;
    Shape(grid, 2, 2);
    const int height = grid.GetDefaultCell(false, false).GetHeight();
    const int width = grid.GetDefaultCell(false, false).GetWidth();
    EXPECT_EQ(grid.GetRowHeight(1), height);
    EXPECT_EQ(grid.GetColumnWidth(1), width);

    grid.GetDefaultCell(false, false).SetHeight(55);
    grid.GetDefaultCell(false, false).SetWidth(66);
    grid.SetRowCount(4);
    grid.SetColumnCount(3);
    EXPECT_EQ(grid.GetRowHeight(1), height);
    EXPECT_EQ(grid.GetRowHeight(3), 55);
    EXPECT_EQ(grid.GetColumnWidth(1), width);
    EXPECT_EQ(grid.GetColumnWidth(2), 66);
}

// ---- Measures ---------------------------------------------------------------------------------

TEST(CellGridMeasureTest, FixedPitchWithoutAMeasure) {
    const CCellGrid grid;
    for (bool fixedRow : {false, true}) {
        for (bool fixedColumn : {false, true}) {
            const CGridDefaultCell& defaults = grid.GetDefaultCell(fixedRow, fixedColumn);
            EXPECT_EQ(defaults.GetMargin(), Char);
            EXPECT_EQ(defaults.GetWidth(), 14 * Char); // " XXXXXXXXXXXX "
            EXPECT_EQ(defaults.GetHeight(), CFixedPitchMeasure::LineHeight * 3 / 2);
            EXPECT_TRUE(defaults.IsReadOnly());
        }
    }
    EXPECT_EQ(grid.Measure().CheckBoxSide(), CFixedPitchMeasure::BoxSide);
    EXPECT_EQ(grid.Measure().TextExtent("abc", nullptr).width, 3 * Char);
}

TEST(CellGridMeasureTest, DefaultsAreMeasuredWithTheGivenMeasure) {
    const RecordingMeasure measure;
    CCellGrid grid(&measure);
    EXPECT_EQ(&grid.Measure(), &measure);
    const CGridDefaultCell& defaults = grid.GetDefaultCell(false, false);
    EXPECT_EQ(defaults.GetMargin(), 10);
    EXPECT_EQ(defaults.GetWidth(), 140);
    EXPECT_EQ(defaults.GetHeight(), 31); // 21 * 3 / 2
    grid.GetDefaultCell(true, true).SetWidth(1);
    grid.MeasureDefaults();
    EXPECT_EQ(grid.GetDefaultCell(true, true).GetWidth(), 140);
}

TEST(CellGridMeasureTest, FourDistinctDefaultCells) {
    CCellGrid grid;
    grid.GetDefaultCell(false, false).SetWidth(1);
    grid.GetDefaultCell(true, false).SetWidth(2);
    grid.GetDefaultCell(false, true).SetWidth(3);
    grid.GetDefaultCell(true, true).SetWidth(4);
    EXPECT_EQ(grid.GetDefaultCell(false, false).GetWidth(), 1);
    EXPECT_EQ(grid.GetDefaultCell(true, false).GetWidth(), 2);
    EXPECT_EQ(grid.GetDefaultCell(false, true).GetWidth(), 3);
    EXPECT_EQ(grid.GetDefaultCell(true, true).GetWidth(), 4);
}

TEST(CellGridMeasureTest, CellExtents) {
    const RecordingMeasure measure;
    CCellGrid grid(&measure);
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    grid.SetItemText(1, 1, "abcd");
    EXPECT_EQ(grid.GetCellExtent(1, 1).width, 40 + 4 * 10);
    EXPECT_EQ(grid.GetCellExtent(1, 1).height, 21 + 2 * 10);
    grid.GetTextCell(1, 1)->SetMargin(2);
    EXPECT_EQ(grid.GetCellExtent(1, 1).width, 40 + 8);
    grid.SetCellType(2, 2, ClassOf<CGridCellCheck>());
    grid.SetItemText(2, 2, "1");
    EXPECT_EQ(grid.GetCellExtent(2, 2).width, 20 + 2 * 10);
    EXPECT_EQ(grid.GetCellExtent(2, 2).height, 20 + 2 * 10);
    EXPECT_EQ(grid.GetCellExtent(5, 5).width, 0);
}

TEST(CellGridMeasureTest, CellFontGoesToTheMeasure) {
    const RecordingMeasure measure;
    CCellGrid grid(&measure);
    grid.SetColumnCount(1);
    grid.SetRowCount(1);
    CellFont font;
    font.height = 30;
    grid.GetTextCell(0, 0)->SetFont(&font);
    measure.fonts.clear();
    grid.GetCellExtent(0, 0);
    ASSERT_FALSE(measure.fonts.empty());
    ASSERT_NE(measure.fonts.back(), nullptr);
    EXPECT_EQ(measure.fonts.back()->height, 30u);
}

// ---- Texts and modified marks -----------------------------------------------------------------

TEST(CellGridTextTest, OutsideTheGrid) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    for (const auto& [r, c] :
         std::vector<std::pair<int, int>>{{3, 0}, {0, 3}, {-1, 0}, {0, -1}, {100, 100}}) {
        EXPECT_EQ(grid.SetItemText(r, c, "x"), TextTaken::NoCell);
        EXPECT_EQ(grid.GetItemText(r, c), "");
        EXPECT_FALSE(grid.SetItemFormat(r, c, CellFormat::Right));
        EXPECT_FALSE(grid.SetItemState(r, c, CellState::ReadOnly));
        EXPECT_EQ(grid.GetItemState(r, c), 0u);
        EXPECT_FALSE(grid.SetCellType(r, c, ClassOf<CGridCellPrice>()));
        EXPECT_FALSE(grid.IsCellEditable(r, c));
    }
    EXPECT_FALSE(grid.GetModified());
}

TEST(CellGridTextTest, SetItemTextMarksCellAndGrid) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    EXPECT_EQ(grid.SetItemText(1, 1, "abc"), TextTaken::AsGiven);
    EXPECT_EQ(grid.GetItemText(1, 1), "abc");
    EXPECT_TRUE(grid.GetCell(1, 1)->IsModified());
    EXPECT_TRUE(grid.GetItemState(1, 1) & CellState::Modified);
    EXPECT_FALSE(grid.GetCell(2, 2)->IsModified());
    EXPECT_TRUE(grid.GetModified());
}

TEST(CellGridTextTest, EvenTheEmptyTextMarks) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemText(2, 2, "");
    EXPECT_TRUE(grid.GetCell(2, 2)->IsModified());
    EXPECT_TRUE(grid.GetModified());
}

TEST(CellGridTextTest, ModifiedMarkIsKeptWithOtherFlags) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemState(1, 1, CellState::ReadOnly);
    grid.SetItemText(1, 1, "x");
    EXPECT_EQ(grid.GetCell(1, 1)->GetState(), CellState::ReadOnly | CellState::Modified);
}

TEST(CellGridTextTest, TextGoesThroughTheCellsClass) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetCellType(1, 1, ClassOf<CGridCellPrice>());
    grid.SetItemText(1, 1, "12,5");
    EXPECT_EQ(grid.GetItemText(1, 1), "");
    grid.SetItemText(1, 1, "3");
    EXPECT_EQ(grid.GetItemText(1, 1), "3.00");
    grid.SetItemText(0, 0, "12,5");
    EXPECT_EQ(grid.GetItemText(0, 0), "12,5");
}

TEST(CellGridTextTest, SetCellTypeKeepsTextThroughTheNewClass) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemText(1, 1, "12.5");
    grid.SetItemText(1, 2, "abc");
    grid.GetTextCell(1, 1)->SetBackClr(Rgb(1, 2, 3));
    ASSERT_TRUE(grid.SetCellType(1, 1, ClassOf<CGridCellPrice>()));
    ASSERT_TRUE(grid.SetCellType(1, 2, ClassOf<CGridCellPrice>()));
    EXPECT_EQ(grid.GetCell(1, 1)->GetClass().name, "CGridCellPrice");
    EXPECT_EQ(grid.GetItemText(1, 1), "12.50");
    EXPECT_EQ(grid.GetItemText(1, 2), "");
    EXPECT_EQ(grid.GetTextCell(1, 1)->GetBackClr(), Rgb(1, 2, 3));
    EXPECT_TRUE(grid.GetCell(1, 1)->IsModified()) << "the state passes to the new cell";
}

// ---- Formats and states -----------------------------------------------------------------------

TEST(CellGridFormatTest, UnsetFormatIsTheDefaultCells) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    EXPECT_EQ(grid.GetItemFormat(1, 1), CellFormat::Aligned);
    grid.GetDefaultCell(true, false).SetFormat(CellFormat::Center);
    grid.GetDefaultCell(false, true).SetFormat(CellFormat::Right);
    grid.GetDefaultCell(true, true).SetFormat(CellFormat::Right | CellFormat::SingleLine);
    EXPECT_EQ(grid.GetItemFormat(0, 1), CellFormat::Center);
    EXPECT_EQ(grid.GetItemFormat(1, 0), CellFormat::Right);
    EXPECT_EQ(grid.GetItemFormat(0, 0), CellFormat::Right | CellFormat::SingleLine);
    EXPECT_EQ(grid.GetItemFormat(2, 2), CellFormat::Aligned);
    ASSERT_TRUE(grid.SetItemFormat(2, 2, CellFormat::Right));
    EXPECT_EQ(grid.GetItemFormat(2, 2), CellFormat::Right);
}

TEST(CellGridStateTest, FixedFlagsOfTheHeaders) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    using namespace CellState;
    EXPECT_EQ(grid.GetItemState(0, 0), Fixed | FixedRow | FixedColumn);
    EXPECT_EQ(grid.GetItemState(0, 2), Fixed | FixedRow);
    EXPECT_EQ(grid.GetItemState(2, 0), Fixed | FixedColumn);
    EXPECT_EQ(grid.GetItemState(1, 1), 0u);
    EXPECT_EQ(grid.GetCell(0, 0)->GetState(), 0u) << "the flags come from the grid's shape";
    grid.SetItemState(0, 1, ReadOnly);
    EXPECT_EQ(grid.GetItemState(0, 1), Fixed | FixedRow | ReadOnly);
}

TEST(CellGridStateTest, MoreHeaderRowsAndColumns) {
    CCellGrid grid;
    Shape(grid, 5, 5, 2, 0);
    EXPECT_EQ(grid.GetItemState(1, 3), CellState::Fixed | CellState::FixedRow);
    EXPECT_EQ(grid.GetItemState(2, 0), 0u);
}

TEST(CellGridStateTest, SetItemStateReplacesTheFlags) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemText(1, 1, "x");
    ASSERT_TRUE(grid.SetItemState(1, 1, CellState::Selected));
    EXPECT_EQ(grid.GetItemState(1, 1), CellState::Selected);
}

// ---- Editability ------------------------------------------------------------------------------

TEST(CellGridEditTest, DataCellsOfAnEditableGrid) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    EXPECT_TRUE(grid.IsCellEditable(1, 1));
    EXPECT_TRUE(grid.IsCellEditable(2, 2));
    EXPECT_FALSE(grid.IsCellEditable(0, 1));
    EXPECT_FALSE(grid.IsCellEditable(1, 0));
    EXPECT_FALSE(grid.IsCellEditable(0, 0));
}

TEST(CellGridEditTest, ReadOnlyCell) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemState(1, 1, CellState::ReadOnly);
    EXPECT_FALSE(grid.IsCellEditable(1, 1));
    EXPECT_TRUE(grid.IsCellEditable(1, 2));
    EXPECT_EQ(grid.SetItemText(1, 1, "set by the program"), TextTaken::AsGiven);
    EXPECT_EQ(grid.GetItemText(1, 1), "set by the program");
}

TEST(CellGridEditTest, GridNotEditable) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetEditable(false);
    EXPECT_FALSE(grid.IsEditable());
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_FALSE(grid.IsCellEditable(r, c));
        }
    }
    EXPECT_EQ(grid.SetItemText(1, 1, "x"), TextTaken::AsGiven) << "the program still writes";
    grid.SetEditable(true);
    EXPECT_TRUE(grid.IsCellEditable(1, 1));
}

TEST(CellGridEditTest, RowResizeSwitch) {
    CCellGrid grid;
    EXPECT_TRUE(grid.GetRowResize());
    grid.SetRowResize(false);
    EXPECT_FALSE(grid.GetRowResize());
}

// ---- Widths and heights -----------------------------------------------------------------------

TEST(CellGridWidthTest, SetAndIgnore) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    const int before = grid.GetColumnWidth(1);
    EXPECT_TRUE(grid.SetColumnWidth(1, 123));
    EXPECT_EQ(grid.GetColumnWidth(1), 123);
    EXPECT_FALSE(grid.SetColumnWidth(1, -1));
    EXPECT_EQ(grid.GetColumnWidth(1), 123);
    EXPECT_FALSE(grid.SetColumnWidth(3, 50));
    EXPECT_FALSE(grid.SetColumnWidth(-1, 50));
    EXPECT_EQ(grid.GetColumnWidth(3), 0);
    EXPECT_EQ(grid.GetColumnWidth(2), before);
    EXPECT_TRUE(grid.SetColumnWidth(2, 0));
    EXPECT_EQ(grid.GetColumnWidth(2), 0);
}

TEST(CellGridWidthTest, RowHeights) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    EXPECT_TRUE(grid.SetRowHeight(2, 40));
    EXPECT_EQ(grid.GetRowHeight(2), 40);
    EXPECT_FALSE(grid.SetRowHeight(2, -3));
    EXPECT_EQ(grid.GetRowHeight(2), 40);
    EXPECT_FALSE(grid.SetRowHeight(3, 10));
    EXPECT_TRUE(grid.SetRowHeight(1, 0));
    EXPECT_EQ(grid.GetRowHeight(1), 0);
}

TEST(CellGridWidthTest, AutoSizeFitsTheWidestCell) {
    CCellGrid grid;
    Shape(grid, 4, 3);
    grid.SetItemText(0, 1, "Header");
    grid.SetItemText(1, 1, "ab");
    grid.SetItemText(2, 1, "a much longer text");
    grid.SetItemText(3, 1, "abc");
    grid.AutoSizeColumn(1);
    EXPECT_EQ(grid.GetColumnWidth(1), FittedWidth("a much longer text"));
}

TEST(CellGridWidthTest, AutoSizeStyles) {
    CCellGrid grid;
    Shape(grid, 3, 2);
    grid.SetItemText(0, 1, "a long header text");
    grid.SetItemText(1, 1, "data");
    grid.SetItemText(2, 1, "more data");
    grid.AutoSizeColumn(1, AutoSizeStyle::Data);
    EXPECT_EQ(grid.GetColumnWidth(1), FittedWidth("more data"));
    grid.AutoSizeColumn(1, AutoSizeStyle::Header);
    EXPECT_EQ(grid.GetColumnWidth(1), FittedWidth("a long header text"));
    grid.SetColumnWidth(1, 5);
    grid.AutoSizeColumn(1, AutoSizeStyle::Both);
    EXPECT_EQ(grid.GetColumnWidth(1), FittedWidth("a long header text"));
}

TEST(CellGridWidthTest, AutoSizeCanNarrow) {
    CCellGrid grid;
    Shape(grid, 2, 2);
    grid.SetColumnWidth(1, 500);
    grid.SetItemText(0, 1, "H");
    grid.SetItemText(1, 1, "xy");
    grid.AutoSizeColumn(1);
    EXPECT_EQ(grid.GetColumnWidth(1), FittedWidth("xy"));
}

TEST(CellGridWidthTest, AutoSizeSkipsAHiddenColumn) {
    CCellGrid grid;
    Shape(grid, 2, 2);
    grid.SetItemText(1, 1, "some text");
    grid.SetColumnWidth(1, 0);
    grid.AutoSizeColumn(1);
    EXPECT_EQ(grid.GetColumnWidth(1), 0);
    grid.SetColumnWidth(1, 1);
    grid.AutoSizeColumn(1);
    EXPECT_EQ(grid.GetColumnWidth(1), FittedWidth("some text"));
}

TEST(CellGridWidthTest, AutoSizeOutsideDoesNothing) {
    CCellGrid grid;
    Shape(grid, 2, 2);
    const int width = grid.GetColumnWidth(1);
    grid.AutoSizeColumn(2);
    grid.AutoSizeColumn(-1);
    EXPECT_EQ(grid.GetColumnWidth(1), width);
    EXPECT_EQ(grid.GetColumnCount(), 2);
}

TEST(CellGridWidthTest, AutoSizeMeasuresCheckBoxes) {
    CCellGrid grid;
    Shape(grid, 3, 2);
    grid.SetItemText(0, 1, "");
    grid.SetCellType(1, 1, ClassOf<CGridCellCheck>());
    grid.SetCellType(2, 1, ClassOf<CGridCellCheck>());
    grid.AutoSizeColumn(1, AutoSizeStyle::Data);
    EXPECT_EQ(grid.GetColumnWidth(1), CFixedPitchMeasure::BoxSide + 2 * Margin)
        << "a check cell measures its box, not its \"0\"";
}

TEST(CellGridWidthTest, AutoSizeTakesTheGivenMeasure) {
    CCellGrid grid;
    Shape(grid, 3, 3);
    grid.SetItemText(0, 1, "");
    grid.SetItemText(1, 1, "abcd");
    grid.SetCellType(1, 2, ClassOf<CGridCellCheck>());
    const RecordingMeasure measure;
    grid.AutoSizeColumn(1, AutoSizeStyle::Both, measure);
    grid.AutoSizeColumn(2, AutoSizeStyle::Data, measure);
    EXPECT_EQ(grid.GetColumnWidth(1), 4 * 10 + 4 * Margin);
    EXPECT_EQ(grid.GetColumnWidth(2), 20 + 2 * Margin);
}

TEST(CellGridWidthTest, CellMarginCounts) {
    CCellGrid grid;
    Shape(grid, 2, 2);
    grid.SetItemText(1, 1, "abc");
    grid.SetItemText(0, 1, "");
    grid.GetTextCell(0, 1)->SetMargin(0);
    grid.GetTextCell(1, 1)->SetMargin(1);
    grid.AutoSizeColumn(1);
    EXPECT_EQ(grid.GetColumnWidth(1), 3 * Char + 4);
}

} // namespace
} // namespace tillora
