#include "tables/Find.h"

#include "link/Cp1251.h"
#include "res/StringIds.h"
#include "support/ModelInForce.h"
#include "support/RecordingFeedback.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tillora {
namespace {

using test::RecordingFeedback;

// What a search showed, with whether the wait cursor was up while each message was shown.
class WatchedFeedback final : public IFeedback {
public:
    void ShowMessage(unsigned stringId, const std::string& text, MessageIcon icon) override {
        waitingAtMessage.push_back(recorded.waitDepth > 0);
        recorded.ShowMessage(stringId, text, icon);
    }
    bool AskYesNo(unsigned stringId, const std::string& text, MessageIcon icon,
                  bool defaultNo) override {
        return recorded.AskYesNo(stringId, text, icon, defaultNo);
    }
    void SetStatusText(const std::string& text) override { recorded.SetStatusText(text); }
    void BeginWaitCursor() override { recorded.BeginWaitCursor(); }
    void EndWaitCursor() override { recorded.EndWaitCursor(); }
    void PumpPaintMessages() override { recorded.PumpPaintMessages(); }

    std::vector<unsigned> Ids() const { return recorded.Ids(); }

    RecordingFeedback recorded;
    std::vector<bool> waitingAtMessage;
};

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

// A table of 4 data rows and 3 data columns under its header row, beside its label column:
//
//        1        2        3
//   1  apple    pear     plum
//   2  Лимон    banana   apple
//   3  cherry   apple    ЯБЪЛКА
//   4  fig      lime     melon
class FindTest : public ::testing::Test {
protected:
    FindTest() : access(grid) {
        grid.SetColumnCount(4);
        grid.SetRowCount(5);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        const char* texts[4][3] = {{"apple", "pear", "plum"},
                                   {"Лимон", "banana", "apple"},
                                   {"cherry", "apple", "ЯБЪЛКА"},
                                   {"fig", "lime", "melon"}};
        for (int row = 1; row <= 4; ++row) {
            grid.SetItemText(row, 0, std::to_string(row));
            for (int column = 1; column <= 3; ++column) {
                grid.SetItemText(row, column, Cp(texts[row - 1][column - 1]));
            }
        }
        for (int column = 1; column <= 3; ++column) {
            grid.SetItemText(0, column, "apple header");
        }
    }

    bool Find(const char* text, bool matchCase = false, bool selectedOnly = false) {
        return FindFirst(access, feedback, last, Cp(text), matchCase, selectedOnly);
    }
    bool Next() { return FindNext(access, feedback, last); }
    bool Previous() { return FindPrevious(access, feedback, last); }
    CCellID Focus() const { return access.GetFocusCell(); }

    CCellGrid grid;
    CMemoryGridAccess access;
    WatchedFeedback feedback;
    LastSearch last;
};

// ---- Matching ----------------------------------------------------------------------------------

TEST(TextMatchesTest, ASearchTextInsideALongerTextMatches) {
    EXPECT_TRUE(TextMatches("112.00", "12", false));
    EXPECT_TRUE(TextMatches("112.00", "12", true));
    EXPECT_TRUE(TextMatches("abc", "abc", true));
    EXPECT_FALSE(TextMatches("112.00", "13", false));
    EXPECT_FALSE(TextMatches("ab", "abc", false));
    EXPECT_FALSE(TextMatches("", "a", false));
}

TEST(TextMatchesTest, WithoutMatchCaseLatinAndCyrillicLettersMatchEitherCase) {
    EXPECT_TRUE(TextMatches("BREAD", "bread", false));
    EXPECT_TRUE(TextMatches("bread", "BrEaD", false));
    EXPECT_TRUE(TextMatches(Cp("ХЛЯБ БЯЛ"), Cp("хляб"), false));
    EXPECT_TRUE(TextMatches(Cp("Кисело мляко"), Cp("МЛЯКО"), false));
    EXPECT_TRUE(
        TextMatches(Cp("ЁЖ ЇЖАК ЎЖ ЂАК ЃЉЊЌЋЏ ЈЅ ҐЄІ"), Cp("ёж їжак ўж ђак ѓљњќћџ јѕ ґєі"), false));
}

TEST(TextMatchesTest, WithMatchCaseTheBytesMustBeEqual) {
    EXPECT_FALSE(TextMatches("BREAD", "bread", true));
    EXPECT_FALSE(TextMatches(Cp("ХЛЯБ"), Cp("хляб"), true));
    EXPECT_TRUE(TextMatches(Cp("хляб"), Cp("хляб"), true));
}

TEST(TextMatchesTest, OnlyLettersAreFolded) {
    // Byte pairs 0x20 apart that are not letters of one another.
    EXPECT_FALSE(TextMatches("@", "`", false));
    EXPECT_FALSE(TextMatches("[", "{", false));
    EXPECT_FALSE(TextMatches("\xA0", "\x80", false)); // no-break space and Ђ
    EXPECT_FALSE(TextMatches("\xB5", "\x95", false)); // µ and a bullet
    EXPECT_FALSE(TextMatches("1", "\x11", false));
}

// Every letter of Windows-1251 that has a small and a capital form folds to the small one, as the
// code page's own Unicode letters give them, and nothing else changes.
TEST(TextMatchesTest, FoldingAgreesWithTheCodePagesLetters) {
    const char* capitals =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯЂЃЉЊЌЋЏЎЈҐЁЄЇІЅ";
    const char* smalls =
        "abcdefghijklmnopqrstuvwxyzабвгдежзийклмнопрстуфхцчшщъыьэюяђѓљњќћџўјґёєїіѕ";
    const std::string upper = Cp(capitals);
    const std::string lower = Cp(smalls);
    ASSERT_EQ(upper.size(), 73u);
    ASSERT_EQ(lower.size(), upper.size());
    std::vector<bool> isCapital(256, false);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto capital = static_cast<unsigned char>(upper[i]);
        const auto small = static_cast<unsigned char>(lower[i]);
        EXPECT_EQ(FoldCase(capital), small) << int(capital);
        EXPECT_EQ(FoldCase(small), small) << int(small);
        isCapital[capital] = true;
    }
    for (int byte = 0; byte < 256; ++byte) {
        if (!isCapital[static_cast<std::size_t>(byte)]) {
            EXPECT_EQ(FoldCase(static_cast<unsigned char>(byte)), byte) << byte;
        }
    }
}

// ---- Find --------------------------------------------------------------------------------------

TEST_F(FindTest, FindSearchesFromTheFirstCellRowByRow) {
    EXPECT_TRUE(Find("apple"));
    EXPECT_EQ(Focus(), (CCellID{1, 1}));
    EXPECT_EQ(access.LastShown(), (CCellID{1, 1}));
    EXPECT_TRUE(access.HasKeyboardFocus());
    EXPECT_TRUE(feedback.Ids().empty());
}

TEST_F(FindTest, FindStartsFromTheFirstCellWhereverTheFocusIs) {
    access.SetFocusCell(4, 3);
    EXPECT_TRUE(Find("an"));
    EXPECT_EQ(Focus(), (CCellID{2, 2})); // banana
}

TEST_F(FindTest, SmallLettersFindCapitalsCyrillicIncluded) {
    EXPECT_TRUE(Find("ябълка"));
    EXPECT_EQ(Focus(), (CCellID{3, 3}));
    EXPECT_TRUE(Find("ЛИМОН"));
    EXPECT_EQ(Focus(), (CCellID{2, 1}));
}

TEST_F(FindTest, MatchCaseLetsOnlyTheSameLettersMatch) {
    EXPECT_FALSE(Find("лимон", true));
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedTableEnd});
    EXPECT_TRUE(Find("Лимон", true));
    EXPECT_EQ(Focus(), (CCellID{2, 1}));
}

TEST_F(FindTest, TheHeaderRowAndTheLabelColumnAreNeverSearched) {
    EXPECT_FALSE(Find("header"));
    EXPECT_FALSE(Find("3"));
    EXPECT_EQ(feedback.Ids(),
              (std::vector<unsigned>{ids::SearchReachedTableEnd, ids::SearchReachedTableEnd}));
}

TEST_F(FindTest, ANotFoundTextReportsTheEndWithTheInformationIconAndKeepsTheFocusCell) {
    access.SetFocusCell(2, 2);
    EXPECT_FALSE(Find("kiwi"));
    ASSERT_EQ(feedback.recorded.messages.size(), 1u);
    const auto& message = feedback.recorded.messages[0];
    EXPECT_EQ(message.id, ids::SearchReachedTableEnd);
    EXPECT_EQ(message.icon, MessageIcon::Information);
    EXPECT_EQ(message.text,
              "Търсенето достигна до края на таблицата.\r\nТърсеният текст не е открит!");
    EXPECT_EQ(Focus(), (CCellID{2, 2}));
    EXPECT_TRUE(access.HasKeyboardFocus());
}

TEST_F(FindTest, TheScanRunsUnderTheWaitCursorAndTheMessageComesAfterIt) {
    EXPECT_FALSE(Find("kiwi"));
    EXPECT_EQ(feedback.recorded.waitCursorShown, 1);
    EXPECT_EQ(feedback.recorded.waitDepth, 0);
    EXPECT_EQ(feedback.waitingAtMessage, std::vector<bool>{false});
}

TEST_F(FindTest, AnEmptyTextIsRefusedWithTheErrorIconAndEmptiesTheLastSearch) {
    Find("pear", true, true); // nothing is selected: not found
    feedback.recorded.messages.clear();
    access.SetFocusCell(3, 2);
    EXPECT_FALSE(Find(""));
    ASSERT_EQ(feedback.recorded.messages.size(), 1u);
    EXPECT_EQ(feedback.recorded.messages[0].id, ids::NoSearchText);
    EXPECT_EQ(feedback.recorded.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(last.text.empty());
    // The options stay as the last search with a text left them.
    EXPECT_TRUE(last.matchCase);
    EXPECT_TRUE(last.selectedOnly);
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
    EXPECT_TRUE(access.HasKeyboardFocus());

    EXPECT_FALSE(Next());
    EXPECT_FALSE(Previous());
    EXPECT_EQ(feedback.Ids(),
              (std::vector<unsigned>{ids::NoSearchText, ids::NoSearchText, ids::NoSearchText}));
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
}

TEST_F(FindTest, FindNextBeforeAnyTextReportsNothingToSearchFor) {
    EXPECT_FALSE(Next());
    EXPECT_FALSE(Previous());
    EXPECT_EQ(feedback.Ids(), (std::vector<unsigned>{ids::NoSearchText, ids::NoSearchText}));
    EXPECT_EQ(feedback.recorded.waitCursorShown, 0);
}

TEST_F(FindTest, FindKeepsTheTextAndOptionsInTheLastSearch) {
    Find("Plum", true, false);
    EXPECT_EQ(last.text, "Plum");
    EXPECT_TRUE(last.matchCase);
    EXPECT_FALSE(last.selectedOnly);
}

TEST_F(FindTest, TheLastSearchKeepsAtMostFiftyCharacters) {
    const std::string longText(60, 'x');
    FindFirst(access, feedback, last, longText, false, false);
    EXPECT_EQ(last.text, std::string(MaxSearchTextLength, 'x'));
}

TEST_F(FindTest, TheProcessHasOneLastSearch) {
    EXPECT_EQ(&TheLastSearch(), &TheLastSearch());
}

// ---- Selected cells only -----------------------------------------------------------------------

TEST_F(FindTest, SelectedOnlySearchesFromTheFirstSelectedCellAndSkipsTheOthers) {
    access.SetSelectedRange({2, 2, 3, 3});
    EXPECT_TRUE(Find("apple", false, true));
    EXPECT_EQ(Focus(), (CCellID{2, 3}));
    EXPECT_TRUE(Next());
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
    EXPECT_FALSE(Next());
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedSelectionEnd});
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
}

TEST_F(FindTest, SelectedOnlyFindsNothingOutsideTheSelection) {
    access.SetCellSelected(4, 1, true);
    access.SetCellSelected(1, 3, true);
    EXPECT_FALSE(Find("apple", false, true));
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedSelectionEnd});
}

TEST_F(FindTest, SelectedOnlyWithNothingSelectedSearchesEverythingAndSkipsEverything) {
    access.SetFocusCell(2, 2);
    EXPECT_FALSE(Find("apple", false, true));
    ASSERT_EQ(feedback.recorded.messages.size(), 1u);
    EXPECT_EQ(feedback.recorded.messages[0].id, ids::SearchReachedSelectionEnd);
    EXPECT_EQ(feedback.recorded.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(Focus(), (CCellID{2, 2}));
}

TEST_F(FindTest, FirstSelectedCellGoesByRowsThenColumnsOverDataCellsOnly) {
    EXPECT_FALSE(FirstSelectedCell(access).has_value());
    access.SetCellSelected(0, 1, true); // header row
    access.SetCellSelected(3, 0, true); // label column
    EXPECT_FALSE(FirstSelectedCell(access).has_value());
    access.SetCellSelected(3, 3, true);
    access.SetCellSelected(4, 1, true);
    access.SetCellSelected(3, 2, true);
    EXPECT_EQ(FirstSelectedCell(access), (CCellID{3, 2}));
}

TEST_F(FindTest, SearchesLeaveTheSelectionAsItWas) {
    access.SetSelectedRange({1, 1, 2, 3});
    Find("apple");
    Next();
    Next();
    Previous();
    Find("kiwi");
    EXPECT_EQ(access.GetSelectedCount(), 6);
    EXPECT_EQ(access.GetSelectedCellRange(), (CCellRange{1, 1, 2, 3}));
}

// ---- Find next and find previous ---------------------------------------------------------------

TEST_F(FindTest, FindNextGoesOnFromTheCellAfterTheFocusCell) {
    Find("apple");
    EXPECT_TRUE(Next());
    EXPECT_EQ(Focus(), (CCellID{2, 3}));
    EXPECT_TRUE(Next()); // from the last column on to the next row
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
    EXPECT_EQ(access.LastShown(), (CCellID{3, 2}));
}

TEST_F(FindTest, FindNextDoesNotWrapAround) {
    Find("apple");
    Next();
    Next();
    EXPECT_FALSE(Next());
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedTableEnd});
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
}

TEST_F(FindTest, FindNextWithoutAFocusCellStartsAtTheFirstCell) {
    last = {"apple", false, false};
    EXPECT_TRUE(Next());
    EXPECT_EQ(Focus(), (CCellID{1, 1}));
}

TEST_F(FindTest, FindNextOnTheLastCellReportsTheEndWithoutSearching) {
    last = {"melon", false, false};
    access.SetFocusCell(4, 3); // melon itself
    EXPECT_FALSE(Next());
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedTableEnd});
    EXPECT_EQ(feedback.recorded.waitCursorShown, 0);
    EXPECT_TRUE(access.HasKeyboardFocus());
    last.selectedOnly = true;
    EXPECT_FALSE(Next());
    EXPECT_EQ(feedback.recorded.messages.back().id, ids::SearchReachedSelectionEnd);
    EXPECT_EQ(feedback.recorded.messages.back().icon, MessageIcon::Information);
    EXPECT_EQ(Focus(), (CCellID{4, 3}));
}

TEST_F(FindTest, FindPreviousGoesBackFromTheCellBeforeTheFocusCell) {
    last = {"apple", false, false};
    access.SetFocusCell(4, 1);
    EXPECT_TRUE(Previous());
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
    EXPECT_TRUE(Previous());
    EXPECT_EQ(Focus(), (CCellID{2, 3}));
    EXPECT_TRUE(Previous());
    EXPECT_EQ(Focus(), (CCellID{1, 1}));
    EXPECT_FALSE(Previous()); // no wrap-around to the end
    ASSERT_EQ(feedback.recorded.messages.size(), 1u);
    EXPECT_EQ(feedback.recorded.messages[0].id, ids::SearchReachedTableStart);
    EXPECT_EQ(feedback.recorded.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(Focus(), (CCellID{1, 1}));
}

TEST_F(FindTest, FindPreviousGoesFromTheFirstColumnToTheLastOfTheRowAbove) {
    last = {"plum", false, false};
    access.SetFocusCell(2, 1);
    EXPECT_TRUE(Previous());
    EXPECT_EQ(Focus(), (CCellID{1, 3}));
}

TEST_F(FindTest, FindPreviousWithinTheSelectionReportsItsStart) {
    access.SetSelectedRange({2, 1, 4, 3});
    last = {"apple", false, true};
    access.SetFocusCell(4, 3);
    EXPECT_TRUE(Previous());
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
    EXPECT_TRUE(Previous());
    EXPECT_EQ(Focus(), (CCellID{2, 3}));
    EXPECT_FALSE(Previous());
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedSelectionStart});
}

TEST_F(FindTest, FindPreviousOnTheFirstCellReportsTheStartWithoutSearching) {
    last = {"apple", false, false};
    access.SetFocusCell(1, 1);
    EXPECT_FALSE(Previous());
    last.selectedOnly = true;
    EXPECT_FALSE(Previous());
    EXPECT_EQ(feedback.Ids(), (std::vector<unsigned>{ids::SearchReachedTableStart,
                                                     ids::SearchReachedSelectionStart}));
    EXPECT_EQ(feedback.recorded.waitCursorShown, 0);
    EXPECT_EQ(Focus(), (CCellID{1, 1}));
}

TEST_F(FindTest, FindPreviousWithoutAFocusCellReportsTheStart) {
    last = {"apple", false, false};
    EXPECT_FALSE(Previous());
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedTableStart});
    EXPECT_FALSE(Focus().IsValid());
}

TEST_F(FindTest, AfterAFailedFindFindNextGoesOnFromTheUnchangedFocusCell) {
    access.SetFocusCell(2, 1);
    EXPECT_FALSE(Find("APPLEs"));
    EXPECT_EQ(Focus(), (CCellID{2, 1}));
    last.text = Cp("apple");
    EXPECT_TRUE(Next());
    EXPECT_EQ(Focus(), (CCellID{2, 3}));
}

TEST_F(FindTest, FindNextSearchesAnotherTableForTheSameText) {
    Find("apple");
    CCellGrid other;
    other.SetColumnCount(2);
    other.SetRowCount(3);
    other.SetFixedRowCount(1);
    other.SetFixedColumnCount(1);
    other.SetItemText(2, 1, "Green APPLE");
    CMemoryGridAccess otherAccess(other);
    EXPECT_TRUE(FindNext(otherAccess, feedback, last));
    EXPECT_EQ(otherAccess.GetFocusCell(), (CCellID{2, 1}));
    EXPECT_EQ(Focus(), (CCellID{1, 1}));
}

TEST_F(FindTest, HiddenColumnsAndRowsAreSkipped) {
    grid.SetColumnWidth(1, 0);
    EXPECT_TRUE(Find("apple"));
    EXPECT_EQ(Focus(), (CCellID{2, 3}));
    grid.SetRowHeight(2, 0);
    EXPECT_TRUE(Find("apple"));
    EXPECT_EQ(Focus(), (CCellID{3, 2}));
}

// ---- The tables ------------------------------------------------------------------------------

TEST(FindInTablesTest, TwelveFindsThePrice112) {
    const test::ModelInForce model(0);
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    articles.SetItemText(700, 3, "112");
    ASSERT_EQ(articles.GetItemText(700, 3), "112.00");
    CMemoryGridAccess access(articles);
    RecordingFeedback feedback;
    LastSearch last;
    EXPECT_TRUE(FindFirst(access, feedback, last, "12", false, false));
    EXPECT_EQ(access.GetFocusCell(), (CCellID{700, 3}));
    EXPECT_TRUE(feedback.messages.empty());
    // From the last cell of the articles there is nothing after.
    access.SetFocusCell(2600, 7);
    EXPECT_FALSE(FindNext(access, feedback, last));
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedTableEnd});
}

TEST(FindInTablesTest, TheWholeArticlesTableIsScannedToItsLastCell) {
    const test::ModelInForce model(0);
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    articles.SetItemText(2600, 7, "5.125");
    CMemoryGridAccess access(articles);
    RecordingFeedback feedback;
    LastSearch last;
    EXPECT_TRUE(FindFirst(access, feedback, last, ".125", false, false));
    EXPECT_EQ(access.GetFocusCell(), (CCellID{2600, 7}));
    access.SetFocusCell(2600, 7);
    EXPECT_FALSE(FindPrevious(access, feedback, last));
    EXPECT_EQ(feedback.Ids(), std::vector<unsigned>{ids::SearchReachedTableStart});
}

} // namespace
} // namespace tillora
