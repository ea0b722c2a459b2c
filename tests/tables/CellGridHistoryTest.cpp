#include "tables/CellGrid.h"
#include "tables/TableSetup.h"
#include "tables/TypedCells.h"

#include "support/ModelInForce.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tillora {
namespace {

// Writes down what the grid announced, in order.
class RecordingObserver final : public ICellObserver {
public:
    void CellsChanged(const CCellRange& range) override { changed.push_back(range); }
    void ShapeChanged() override { ++shapes; }
    void SizesChanged() override { ++sizes; }
    void HistoryChanged() override { ++histories; }
    void ValueRefused(int row, int column, std::string_view text) override {
        refused.push_back({row, column, std::string(text)});
    }

    struct Refusal {
        int row;
        int column;
        std::string text;
        bool operator==(const Refusal&) const = default;
    };
    std::vector<CCellRange> changed;
    std::vector<Refusal> refused;
    int shapes = 0;
    int sizes = 0;
    int histories = 0;
};

// Articles columns: 1 name, 2 barcode, 3 price; column 8 is not editable in the articles.
constexpr int Name = 1;
constexpr int Barcode = 2;
constexpr int Price = 3;

class CellGridHistoryTest : public ::testing::Test {
protected:
    CellGridHistoryTest() {
        SetupTable(grid, TableKind::Articles);
        grid.AddObserver(&observer);
    }
    ~CellGridHistoryTest() override { grid.RemoveObserver(&observer); }

    const test::ModelInForce model{0};
    CCellGrid grid;
    RecordingObserver observer;
};

TEST_F(CellGridHistoryTest, SetTextSaysWhatTheCellMadeOfIt) {
    struct Case {
        int column;
        const char* text;
        TextTaken taken;
        const char* stored;
    };
    const Case cases[] = {
        {Name, "Bread", TextTaken::AsGiven, "Bread"},
        {Price, "1.5", TextTaken::Normalised, "1.50"},
        {Price, "abc", TextTaken::Refused, ""},
        {Barcode, "12", TextTaken::Normalised, "000000000012"},
        {Name, "", TextTaken::AsGiven, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(grid.SetItemText(1, c.column, c.text), c.taken);
        EXPECT_EQ(grid.GetItemText(1, c.column), c.stored);
    }
    EXPECT_EQ(grid.SetItemText(grid.GetRowCount(), Name, "x"), TextTaken::NoCell);
}

TEST_F(CellGridHistoryTest, AStepIsAnnouncedOnceAtItsEndAndUndoneWhole) {
    {
        CEditStep step(grid);
        grid.SetItemText(2, Name, "Milk");
        grid.SetItemText(4, Price, "2");
        EXPECT_TRUE(observer.changed.empty()) << "nothing is told before the step ends";
    }
    ASSERT_EQ(observer.changed.size(), 1u);
    EXPECT_EQ(observer.changed[0], (CCellRange{2, Name, 4, Price}));
    ASSERT_TRUE(grid.CanUndo());

    EXPECT_EQ(grid.Undo(), (CCellRange{2, Name, 4, Price}));
    EXPECT_EQ(grid.GetItemText(2, Name), "");
    EXPECT_EQ(grid.GetItemText(4, Price), "");
    EXPECT_FALSE(grid.CanUndo());
    EXPECT_TRUE(grid.CanRedo());
    EXPECT_EQ(observer.changed.back(), (CCellRange{2, Name, 4, Price}));

    EXPECT_EQ(grid.Redo(), (CCellRange{2, Name, 4, Price}));
    EXPECT_EQ(grid.GetItemText(2, Name), "Milk");
    EXPECT_EQ(grid.GetItemText(4, Price), "2.00");
    EXPECT_FALSE(grid.CanRedo());
    EXPECT_FALSE(grid.Redo().IsValid());
}

TEST_F(CellGridHistoryTest, UndoRestoresTheTextsInReverseOrder) {
    {
        CEditStep step(grid);
        grid.SetItemText(1, Name, "first");
        grid.SetItemText(1, Name, "second");
    }
    grid.Undo();
    EXPECT_EQ(grid.GetItemText(1, Name), "");
}

TEST_F(CellGridHistoryTest, ANewStepDropsWhatWasUndone) {
    grid.EditText(1, Name, "a");
    grid.EditText(1, Name, "b");
    grid.Undo();
    grid.EditText(1, Name, "c");
    EXPECT_FALSE(grid.CanRedo());
    EXPECT_EQ(grid.UndoCount(), 2u);
    grid.Undo();
    EXPECT_EQ(grid.GetItemText(1, Name), "a");
}

TEST_F(CellGridHistoryTest, EditTextTakesOnlyChangesOfEditableCells) {
    EXPECT_EQ(grid.EditText(1, Name, "Bread"), TextTaken::AsGiven);
    EXPECT_EQ(grid.EditText(1, Name, "Bread"), std::nullopt) << "the same text is no edit";
    EXPECT_EQ(grid.EditText(0, Name, "Header"), std::nullopt) << "a header cell";
    grid.SetEditable(false);
    EXPECT_EQ(grid.EditText(1, Name, "Other"), std::nullopt);
    EXPECT_EQ(grid.UndoCount(), 1u);
}

TEST_F(CellGridHistoryTest, OnlyAUserEditAnnouncesARefusedValue) {
    grid.EditText(3, Price, "abc");
    {
        CEditStep load(grid, EditKind::TableLoad);
        grid.SetItemText(4, Price, "xyz");
    }
    grid.SetItemText(5, Price, "no");
    EXPECT_EQ(observer.refused, (std::vector<RecordingObserver::Refusal>{{3, Price, "abc"}}));
}

TEST_F(CellGridHistoryTest, AnUnrecordedChangeEmptiesTheHistoryAndOneThatChangesNothingKeepsIt) {
    grid.EditText(1, Name, "Bread");
    grid.SetItemText(2, Name, "");
    EXPECT_TRUE(grid.CanUndo()) << "the text was empty already";
    grid.SetItemText(2, Name, "Milk");
    EXPECT_FALSE(grid.CanUndo());
    EXPECT_EQ(observer.changed.back(), (CCellRange{2, Name, 2, Name}));
}

TEST_F(CellGridHistoryTest, ALoadIsOneUndoStep) {
    grid.EditText(1, Name, "Bread");
    {
        CEditStep load(grid, EditKind::TableLoad);
        ClearTable(grid);
        grid.SetItemText(7, Name, "Salt");
    }
    EXPECT_EQ(grid.UndoCount(), 2u);
    grid.Undo();
    EXPECT_EQ(grid.GetItemText(1, Name), "Bread");
    EXPECT_EQ(grid.GetItemText(7, Name), "");
}

TEST_F(CellGridHistoryTest, ACheckIsTickedWithoutAModifiedMarkAndUndoneTheSame) {
    CCellGrid company;
    SetupTable(company, TableKind::Company);
    const int row = 1;
    const int flag = 2; // the flag column of the company lines
    ASSERT_TRUE(company.IsCheck(row, flag));
    const bool was = company.GetCheck(row, flag);
    EXPECT_FALSE(company.SetCheck(row, flag, was)) << "already so";
    // Set-up marked the cell; a fresh cell has no mark.
    company.SetItemState(row, flag, company.GetItemState(row, flag) & ~CellState::Modified);
    const bool modifiedBefore = company.GetModified();
    EXPECT_TRUE(company.SetCheck(row, flag, !was));
    EXPECT_EQ(company.GetCheck(row, flag), !was);
    EXPECT_FALSE(company.GetCell(row, flag)->IsModified());
    company.Undo();
    EXPECT_EQ(company.GetCheck(row, flag), was);
    EXPECT_FALSE(company.GetCell(row, flag)->IsModified());
    EXPECT_EQ(company.GetModified(), modifiedBefore);
    company.SetEditable(false);
    EXPECT_FALSE(company.SetCheck(row, flag, !was)) << "a grid that may not be edited";
    EXPECT_FALSE(company.SetCheck(row, Name, true)) << "not a check cell";
}

TEST_F(CellGridHistoryTest, ShapeAndSizesAreAnnouncedAndANewShapeForgetsTheHistory) {
    grid.EditText(1, Name, "Bread");
    grid.SetColumnWidth(Name, 40);
    EXPECT_EQ(observer.sizes, 1);
    grid.SetRowCount(grid.GetRowCount() + 1);
    EXPECT_EQ(observer.shapes, 1);
    EXPECT_FALSE(grid.CanUndo());
}

TEST_F(CellGridHistoryTest, AnObserverThatLeftHearsNothing) {
    grid.RemoveObserver(&observer);
    grid.EditText(1, Name, "Bread");
    EXPECT_TRUE(observer.changed.empty());
    EXPECT_EQ(observer.histories, 0);
    grid.AddObserver(&observer);
}

} // namespace
} // namespace tillora
