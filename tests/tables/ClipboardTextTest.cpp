#include "tables/ClipboardText.h"

#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tillora {
namespace {

// Grid access that records every text set through it, to see which cells the edit path touched.
class RecordingGridAccess final : public IGridAccess {
public:
    explicit RecordingGridAccess(CCellGrid& cells) : m_inner(cells) {}

    CCellGrid& Cells() override { return m_inner.Cells(); }
    const CCellGrid& Cells() const override { return m_inner.Cells(); }
    TextTaken SetItemText(int row, int column, std::string_view text) override {
        sets.emplace_back(row, column, std::string(text));
        return m_inner.SetItemText(row, column, text);
    }
    bool IsCellSelected(int row, int column) const override {
        return m_inner.IsCellSelected(row, column);
    }
    int GetSelectedCount() const override { return m_inner.GetSelectedCount(); }
    CCellRange GetSelectedCellRange() const override { return m_inner.GetSelectedCellRange(); }
    void SetSelectedRange(const CCellRange& range) override { m_inner.SetSelectedRange(range); }
    CCellID GetFocusCell() const override { return m_inner.GetFocusCell(); }
    void SetFocusCell(int row, int column) override { m_inner.SetFocusCell(row, column); }
    CCellID GetTopLeftNonFixedCell() const override { return m_inner.GetTopLeftNonFixedCell(); }
    void EnsureVisible(int row, int column) override { m_inner.EnsureVisible(row, column); }
    void EndEditing() override { m_inner.EndEditing(); }
    void SetFocus() override { m_inner.SetFocus(); }
    void Redraw() override { m_inner.Redraw(); }

    CMemoryGridAccess& Inner() { return m_inner; }

    std::vector<std::tuple<int, int, std::string>> sets;

private:
    CMemoryGridAccess m_inner;
};

// Articles columns: 1 name, 2 barcode, 3 price, 4 tax group, 5 subgroup, 6 payment, 7 stock.
constexpr int Name = 1;
constexpr int Barcode = 2;
constexpr int Price = 3;
constexpr int TaxGroup = 4;
constexpr int Subgroup = 5;
constexpr int Payment = 6;
constexpr int Stock = 7;

class ArticlesClipboardTest : public ::testing::Test {
protected:
    ArticlesClipboardTest() { SetupTable(cells, TableKind::Articles); }

    void Put(int row, int column, const std::string& text) { cells.SetItemText(row, column, text); }
    std::string At(int row, int column) const { return cells.GetItemText(row, column); }

    CCellGrid cells;
    CMemoryGridAccess grid{cells};
};

// A plain text grid of one header row, one header column and 3 × 3 data cells.
class PlainClipboardTest : public ::testing::Test {
protected:
    PlainClipboardTest() {
        cells.SetRowCount(4);
        cells.SetColumnCount(4);
        cells.SetFixedRowCount(1);
        cells.SetFixedColumnCount(1);
    }

    CCellGrid cells;
    CMemoryGridAccess grid{cells};
};

// --- Copy ---------------------------------------------------------------------------------------

TEST_F(PlainClipboardTest, CopyJoinsCellsWithTabAndRowsWithLineFeedAndNoEndAfterTheLastRow) {
    const char* letters[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            cells.SetItemText(r + 1, c + 1, letters[r][c]);
        }
    }
    grid.SetSelectedRange({1, 1, 2, 3});
    EXPECT_EQ(SelectionText(grid), "a\tb\tc\nd\te\tf");
}

TEST_F(ArticlesClipboardTest, CopyGivesTheCellsStoredForms) {
    Put(1, Name, "Bread");
    Put(1, Barcode, "42");
    Put(1, Price, "1.5");
    grid.SetSelectedRange({1, Name, 1, Price});
    EXPECT_EQ(SelectionText(grid), "Bread\t000000000042\t1.50");
}

TEST_F(ArticlesClipboardTest, CopyOfNothingSelectedIsEmpty) {
    Put(1, Name, "Bread");
    EXPECT_EQ(SelectionText(grid), "");
}

TEST_F(ArticlesClipboardTest, CopyOfOneCellIsItsText) {
    Put(5, Name, "Milk");
    grid.SetSelectedRange({5, Name, 5, Name});
    EXPECT_EQ(SelectionText(grid), "Milk");
}

TEST_F(ArticlesClipboardTest, UnselectedCellsInsideTheRectangleGiveEmptyText) {
    Put(1, Name, "Bread");
    Put(1, Price, "1");
    Put(2, Name, "Milk");
    Put(2, Price, "2");
    grid.SetCellSelected(1, Name, true);
    grid.SetCellSelected(2, Price, true);
    EXPECT_EQ(SelectionText(grid), "Bread\t\t\n\t\t2.00");
}

TEST_F(ArticlesClipboardTest, CopyLeavesOutHiddenRowsAndColumns) {
    for (int r = 1; r <= 3; ++r) {
        Put(r, Name, std::string("n").append(std::to_string(r)));
        Put(r, Subgroup, std::to_string(r));
    }
    cells.SetRowHeight(2, 0);
    for (int c = Barcode; c <= TaxGroup; ++c) {
        cells.SetColumnWidth(c, 0);
    }
    grid.SetSelectedRange({1, Name, 3, Subgroup});
    EXPECT_EQ(SelectionText(grid), "n1\t1\nn3\t3");
}

TEST_F(ArticlesClipboardTest, CopyOfOnlyHiddenCellsIsEmpty) {
    Put(1, Barcode, "1");
    cells.SetColumnWidth(Barcode, 0);
    grid.SetSelectedRange({1, Barcode, 3, Barcode});
    EXPECT_EQ(SelectionText(grid), "");
}

// --- Paste target -------------------------------------------------------------------------------

TEST_F(ArticlesClipboardTest, PasteTargetIsTheTopLeftOfTheSelection) {
    grid.SetFocusCell(7, Stock);
    grid.SetSelectedRange({3, Price, 5, Payment});
    EXPECT_EQ(PasteTarget(grid), (CCellID{3, Price}));
}

TEST_F(ArticlesClipboardTest, PasteTargetOfScatteredCellsIsTheTopLeftOfTheirRectangle) {
    grid.SetCellSelected(5, Barcode, true);
    grid.SetCellSelected(3, Payment, true);
    EXPECT_EQ(PasteTarget(grid), (CCellID{3, Barcode}));
}

TEST_F(ArticlesClipboardTest, PasteTargetWithoutSelectionIsTheFocusCell) {
    grid.SetFocusCell(4, TaxGroup);
    EXPECT_EQ(PasteTarget(grid), (CCellID{4, TaxGroup}));
}

TEST_F(ArticlesClipboardTest, PasteTargetWithoutSelectionOrFocusIsTheFirstDataCellInView) {
    EXPECT_EQ(PasteTarget(grid), (CCellID{1, 1}));
}

// --- Paste --------------------------------------------------------------------------------------

TEST_F(PlainClipboardTest, CommaAndTabBothSeparateFields) {
    const CCellRange pasted = PasteText(grid, {1, 1}, "1,2\t3");
    EXPECT_EQ(cells.GetItemText(1, 1), "1");
    EXPECT_EQ(cells.GetItemText(1, 2), "2");
    EXPECT_EQ(cells.GetItemText(1, 3), "3");
    EXPECT_EQ(pasted, (CCellRange{1, 1, 1, 3}));
}

TEST_F(ArticlesClipboardTest, PastedFieldsGoThroughTheCellsForms) {
    PasteText(grid, {1, Subgroup}, "1,2\t3");
    EXPECT_EQ(At(1, Subgroup), "1");
    EXPECT_EQ(At(1, Payment), "2");
    EXPECT_EQ(At(1, Stock), "3.000");
}

TEST_F(ArticlesClipboardTest, CrLfLinesLeaveNoCarriageReturn) {
    PasteText(grid, {1, Name}, "Bread\t1\r\nMilk\t2\r\n");
    EXPECT_EQ(At(1, Name), "Bread");
    EXPECT_EQ(At(1, Barcode), "000000000001");
    EXPECT_EQ(At(2, Name), "Milk");
    EXPECT_EQ(At(2, Barcode), "000000000002");
    EXPECT_EQ(At(3, Name), "");
}

TEST_F(ArticlesClipboardTest, FieldsAreTrimmedOfWhiteSpace) {
    PasteText(grid, {1, Name}, " \v\fBlack tea \r\t  7 ");
    EXPECT_EQ(At(1, Name), "Black tea");
    EXPECT_EQ(At(1, Barcode), "000000000007");
}

TEST_F(ArticlesClipboardTest, PriceWithDecimalCommaSplitsIntoTwoCells) {
    RecordingGridAccess recording(cells);
    PasteText(recording, {1, Price}, "12,50");
    EXPECT_EQ(At(1, Price), "12.00");
    ASSERT_EQ(recording.sets.size(), 2u);
    EXPECT_EQ(recording.sets[1], std::make_tuple(1, TaxGroup, std::string("50")));
    EXPECT_EQ(At(1, TaxGroup), ""); // not a tax group
}

TEST(ClipboardText, RowsPastTheGridAreDroppedAndNoRowIsAdded) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Operators);
    CMemoryGridAccess grid(cells);
    const int rows = cells.GetRowCount();
    const CCellRange pasted = PasteText(grid, {rows - 2, 1}, "Ann\nBob\nCarl\nDora");
    EXPECT_EQ(cells.GetRowCount(), rows);
    EXPECT_EQ(cells.GetItemText(rows - 2, 1), "Ann");
    EXPECT_EQ(cells.GetItemText(rows - 1, 1), "Bob");
    EXPECT_EQ(pasted, (CCellRange{rows - 2, 1, rows - 1, 1}));
}

TEST(ClipboardText, FieldsPastTheLastColumnAreDroppedAndNoColumnIsAdded) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Operators);
    CMemoryGridAccess grid(cells);
    const CCellRange pasted = PasteText(grid, {1, 1}, "Ann\tx\ty");
    EXPECT_EQ(cells.GetColumnCount(), 2);
    EXPECT_EQ(cells.GetItemText(1, 1), "Ann");
    EXPECT_EQ(pasted, (CCellRange{1, 1, 1, 1}));
}

TEST_F(ArticlesClipboardTest, AnEmptyLineSetsNothingButTakesARow) {
    Put(2, Name, "kept");
    PasteText(grid, {1, Name}, "first\n\nthird");
    EXPECT_EQ(At(1, Name), "first");
    EXPECT_EQ(At(2, Name), "kept");
    EXPECT_EQ(At(3, Name), "third");
}

TEST_F(ArticlesClipboardTest, AnEmptyCrLfLineSetsNothingButTakesARow) {
    Put(2, Name, "kept");
    PasteText(grid, {1, Name}, "first\r\n\r\nthird\r\n");
    EXPECT_EQ(At(2, Name), "kept");
    EXPECT_EQ(At(3, Name), "third");
}

TEST_F(ArticlesClipboardTest, EmptyFieldsEmptyTheirCells) {
    Put(1, Barcode, "5");
    PasteText(grid, {1, Name}, "Bread,,1");
    EXPECT_EQ(At(1, Name), "Bread");
    EXPECT_EQ(At(1, Barcode), "");
    EXPECT_EQ(At(1, Price), "1.00");
}

TEST_F(ArticlesClipboardTest, PasteSkipsHiddenRowsAndColumns) {
    Put(2, Name, "hidden row");
    Put(1, Barcode, "9");
    cells.SetRowHeight(2, 0);
    cells.SetColumnWidth(Barcode, 0);
    const CCellRange pasted = PasteText(grid, {1, Name}, "Bread\t1\nMilk\t2");
    EXPECT_EQ(At(1, Name), "Bread");
    EXPECT_EQ(At(1, Barcode), "000000000009");
    EXPECT_EQ(At(1, Price), "1.00");
    EXPECT_EQ(At(2, Name), "hidden row");
    EXPECT_EQ(At(3, Name), "Milk");
    EXPECT_EQ(At(3, Price), "2.00");
    EXPECT_EQ(pasted, (CCellRange{1, Name, 3, Price}));
}

TEST_F(ArticlesClipboardTest, SelectionBecomesThePastedRectangle) {
    grid.SetSelectedRange({10, Name, 12, Stock});
    const CCellRange pasted = PasteText(grid, {4, Name}, "Bread\t1\nMilk");
    EXPECT_EQ(pasted, (CCellRange{4, Name, 5, Barcode}));
    EXPECT_EQ(grid.GetSelectedCellRange(), pasted);
    EXPECT_EQ(grid.GetSelectedCount(), 4);
    EXPECT_FALSE(grid.IsCellSelected(10, Name));
}

TEST_F(ArticlesClipboardTest, PastedRectangleReachesTheWidestLineAndTheLastNonEmptyLine) {
    const CCellRange pasted = PasteText(grid, {1, Name}, "a\nb\t1\t2\nc\n\n");
    EXPECT_EQ(pasted, (CCellRange{1, Name, 3, Price}));
    EXPECT_EQ(grid.GetSelectedCellRange(), pasted);
}

TEST_F(ArticlesClipboardTest, NothingPastedLeavesTheSelectionAlone) {
    RecordingGridAccess recording(cells);
    recording.SetSelectedRange({2, Name, 3, Price});
    EXPECT_FALSE(PasteText(recording, {2, Name}, "").IsValid());
    EXPECT_FALSE(PasteText(recording, {2, Name}, "\n\r\n").IsValid());
    EXPECT_EQ(recording.GetSelectedCellRange(), (CCellRange{2, Name, 3, Price}));
    EXPECT_TRUE(recording.sets.empty());
}

TEST_F(ArticlesClipboardTest, NothingIsPastedOntoAHeaderOrOutsideTheGrid) {
    RecordingGridAccess recording(cells);
    EXPECT_FALSE(PasteText(recording, {0, Name}, "x").IsValid());
    EXPECT_FALSE(PasteText(recording, {1, 0}, "x").IsValid());
    EXPECT_FALSE(PasteText(recording, {}, "x").IsValid());
    EXPECT_FALSE(PasteText(recording, {cells.GetRowCount(), Name}, "x").IsValid());
    EXPECT_TRUE(recording.sets.empty());
    EXPECT_EQ(recording.GetSelectedCount(), 0);
}

TEST_F(ArticlesClipboardTest, ATextEqualToTheCellsIsNotSetAgain) {
    Put(1, Name, "Bread");
    Put(1, Price, "1.50");
    cells.SetItemState(1, Name, 0);
    RecordingGridAccess recording(cells);
    PasteText(recording, {1, Name}, "Bread,,1.5");
    ASSERT_EQ(recording.sets.size(), 1u); // the barcode is empty already
    EXPECT_EQ(recording.sets[0], std::make_tuple(1, Price, std::string("1.5")));
    EXPECT_EQ(cells.GetItemState(1, Name) & CellState::Modified, 0u);
}

TEST_F(ArticlesClipboardTest, AReadOnlyCellKeepsItsText) {
    Put(1, Barcode, "3");
    cells.SetItemState(1, Barcode, CellState::ReadOnly);
    const CCellRange pasted = PasteText(grid, {1, Name}, "Bread\t4\t5");
    EXPECT_EQ(At(1, Barcode), "000000000003");
    EXPECT_EQ(At(1, Price), "5.00");
    EXPECT_EQ(pasted, (CCellRange{1, Name, 1, Price}));
}

TEST_F(ArticlesClipboardTest, AReadOnlyTargetTakesNothing) {
    cells.SetItemState(1, Name, CellState::ReadOnly);
    EXPECT_FALSE(PasteText(grid, {1, Name}, "Bread\t4").IsValid());
    EXPECT_EQ(At(1, Name), "");
    EXPECT_EQ(At(1, Barcode), "");
}

TEST(ClipboardText, CompanyFlagCellsKeepTheirValues) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Company);
    ApplyModelColumns(cells, 0);
    CMemoryGridAccess grid(cells);
    cells.SetItemText(2, 2, "1");
    const CCellRange pasted = PasteText(grid, {1, 1}, "Shop\t1\nStreet\t0");
    EXPECT_EQ(cells.GetItemText(1, 1), "Shop");
    EXPECT_EQ(cells.GetItemText(1, 2), "0");
    EXPECT_EQ(cells.GetItemText(2, 1), "Street");
    EXPECT_EQ(cells.GetItemText(2, 2), "1");
    EXPECT_EQ(pasted, (CCellRange{1, 1, 2, 2}));
}

TEST(ClipboardText, HiddenCompanyFlagColumnTakesNoField) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Company);
    ApplyModelColumns(cells, 6);
    CMemoryGridAccess grid(cells);
    const CCellRange pasted = PasteText(grid, {1, 1}, "Shop\t1");
    EXPECT_EQ(cells.GetItemText(1, 1), "Shop");
    EXPECT_EQ(pasted, (CCellRange{1, 1, 1, 1}));
}

TEST(ClipboardText, ANonEditableGridKeepsItsText) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Report);
    CMemoryGridAccess grid(cells);
    cells.SetItemText(1, 1, "Bread");
    grid.SetSelectedRange({1, 1, 1, 2});
    EXPECT_FALSE(PasteText(grid, {1, 1}, "Milk\t5").IsValid());
    EXPECT_EQ(cells.GetItemText(1, 1), "Bread");
    EXPECT_EQ(cells.GetItemText(1, 2), "");
    EXPECT_EQ(grid.GetSelectedCellRange(), (CCellRange{1, 1, 1, 2}));
}

TEST_F(ArticlesClipboardTest, PasteOfAFullTableFillsEveryRow) {
    std::string text;
    for (int r = 1; r <= 2600; ++r) {
        const std::string number = std::to_string(r);
        text.append("Article ").append(number).append("\t").append(number);
        text.append("\t1.5\t1\t2\t3\t4\r\n");
    }
    const CCellRange pasted = PasteText(grid, {1, Name}, text);
    EXPECT_EQ(pasted, (CCellRange{1, Name, 2600, Stock}));
    EXPECT_EQ(At(2600, Name), "Article 2600");
    EXPECT_EQ(At(2600, Barcode), "000000002600");
    EXPECT_EQ(At(2600, Price), "1.50");
    EXPECT_EQ(At(2600, TaxGroup), "1");
    EXPECT_EQ(At(2600, Stock), "4.000");
    EXPECT_EQ(grid.GetSelectedCount(), 2600 * 7);
}

// --- Cut and Delete -----------------------------------------------------------------------------

TEST_F(ArticlesClipboardTest, DeleteEmptiesEverySelectedEditableCell) {
    Put(1, Name, "Bread");
    Put(1, Barcode, "1");
    Put(2, Name, "Milk");
    Put(2, Barcode, "2");
    cells.SetItemState(2, Barcode, CellState::ReadOnly);
    grid.SetCellSelected(1, Name, true);
    grid.SetCellSelected(2, Barcode, true);
    ClearSelectedCells(grid);
    EXPECT_EQ(At(1, Name), "");
    EXPECT_EQ(At(1, Barcode), "000000000001");
    EXPECT_EQ(At(2, Name), "Milk");
    EXPECT_EQ(At(2, Barcode), "000000000002");
}

TEST_F(ArticlesClipboardTest, DeleteSetsNoTextIntoCellsAlreadyEmpty) {
    Put(1, Name, "Bread");
    RecordingGridAccess recording(cells);
    recording.Inner().SetSelectedRange({1, Name, 3, Stock});
    ClearSelectedCells(recording);
    ASSERT_EQ(recording.sets.size(), 1u);
    EXPECT_EQ(recording.sets[0], std::make_tuple(1, Name, std::string()));
}

TEST(ClipboardText, DeleteInANonEditableGridKeepsTheText) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Report);
    CMemoryGridAccess grid(cells);
    cells.SetItemText(1, 1, "Bread");
    grid.SetSelectedRange({1, 1, 1, 1});
    ClearSelectedCells(grid);
    EXPECT_EQ(cells.GetItemText(1, 1), "Bread");
}

TEST_F(ArticlesClipboardTest, CutGivesTheCopyTextAndEmptiesTheSelectedCells) {
    Put(1, Name, "Bread");
    Put(1, Price, "1");
    Put(2, Name, "Milk");
    Put(2, Price, "2");
    grid.SetCellSelected(1, Name, true);
    grid.SetCellSelected(1, Price, true);
    grid.SetCellSelected(2, Name, true);
    EXPECT_EQ(CutSelection(grid), "Bread\t\t1.00\nMilk\t\t");
    EXPECT_EQ(At(1, Name), "");
    EXPECT_EQ(At(1, Price), "");
    EXPECT_EQ(At(2, Name), "");
    EXPECT_EQ(At(2, Price), "2.00");
}

TEST_F(ArticlesClipboardTest, CutWithoutSelectionDoesNothing) {
    Put(1, Name, "Bread");
    grid.SetFocusCell(1, Name);
    EXPECT_EQ(CutSelection(grid), "");
    EXPECT_EQ(At(1, Name), "Bread");
}

TEST(ClipboardText, CutInANonEditableGridDoesNothing) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Report);
    CMemoryGridAccess grid(cells);
    cells.SetItemText(1, 1, "Bread");
    grid.SetSelectedRange({1, 1, 1, 1});
    EXPECT_EQ(CutSelection(grid), "");
    EXPECT_EQ(cells.GetItemText(1, 1), "Bread");
}

TEST(ClipboardText, CutKeepsCompanyFlagsButCopiesThem) {
    CCellGrid cells;
    SetupTable(cells, TableKind::Company);
    ApplyModelColumns(cells, 0);
    CMemoryGridAccess grid(cells);
    cells.SetItemText(1, 1, "Shop");
    cells.SetItemText(1, 2, "1");
    grid.SetSelectedRange({1, 1, 1, 2});
    EXPECT_EQ(CutSelection(grid), "Shop\t1");
    EXPECT_EQ(cells.GetItemText(1, 1), "");
    EXPECT_EQ(cells.GetItemText(1, 2), "1");
}

TEST_F(ArticlesClipboardTest, CutThenPasteRestoresTheCells) {
    Put(3, Name, "Bread");
    Put(3, Barcode, "12");
    Put(3, Price, "1.5");
    Put(4, Name, "Milk");
    grid.SetSelectedRange({3, Name, 4, Price});
    const std::string text = CutSelection(grid);
    PasteText(grid, {6, Name}, text);
    EXPECT_EQ(At(6, Name), "Bread");
    EXPECT_EQ(At(6, Barcode), "000000000012");
    EXPECT_EQ(At(6, Price), "1.50");
    EXPECT_EQ(At(7, Name), "Milk");
    EXPECT_EQ(At(3, Name), "");
}

} // namespace
} // namespace tillora
