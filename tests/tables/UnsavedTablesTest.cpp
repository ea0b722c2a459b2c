#include "tables/UnsavedTables.h"

#include "RecordingFeedback.h"
#include "res/StringIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class UnsavedTablesTest : public ::testing::Test {
protected:
    CCellGrid& Articles() { return document.Grid(TableKind::Articles); }

    CTableDocument document;
    CUnsavedTables unsaved{document};
    test::RecordingFeedback feedback;
};

TEST_F(UnsavedTablesTest, TablesJustSetUpHoldNothingUnsaved) {
    EXPECT_THAT(unsaved.ChangedTables(), IsEmpty());
}

TEST_F(UnsavedTablesTest, AnEditedTableIsChangedUntilItIsBackAsItWasKept) {
    Articles().SetItemText(3, 1, "Хляб");
    EXPECT_TRUE(unsaved.IsChanged(TableKind::Articles));
    EXPECT_FALSE(unsaved.IsChanged(TableKind::Operators));
    Articles().SetItemText(3, 1, "");
    EXPECT_FALSE(unsaved.IsChanged(TableKind::Articles));
}

TEST_F(UnsavedTablesTest, ATableKeptAfterItsChangeIsUnchanged) {
    Articles().SetItemText(3, 1, "Хляб");
    unsaved.MarkKept(TableKind::Articles);
    EXPECT_FALSE(unsaved.IsChanged(TableKind::Articles));
    Articles().SetItemText(3, 1, "Мляко");
    EXPECT_TRUE(unsaved.IsChanged(TableKind::Articles));
}

TEST_F(UnsavedTablesTest, OnlyWhatTheFileWouldHoldCounts) {
    Articles().SetColumnWidth(1, 300);
    Articles().SetItemText(3, 3, "abc"); // a price the cell refuses: the cell stays empty
    EXPECT_FALSE(unsaved.IsChanged(TableKind::Articles));
}

TEST_F(UnsavedTablesTest, ChangedTablesComeInTableOrder) {
    document.Grid(TableKind::Report).SetItemText(1, 1, "Сирене");
    document.Grid(TableKind::Operators).SetItemText(1, 1, "Иван");
    Articles().SetItemText(1, 1, "Хляб");
    EXPECT_THAT(unsaved.ChangedTables(),
                ElementsAre(TableKind::Articles, TableKind::Operators, TableKind::Report));
}

TEST_F(UnsavedTablesTest, AClearedDocumentKeptAgainHoldsNothingUnsaved) {
    Articles().SetItemText(1, 1, "Хляб");
    feedback.answer = true;
    ASSERT_TRUE(document.ClearAll(feedback, [this](TableKind kind) { unsaved.MarkKept(kind); }));
    EXPECT_THAT(unsaved.ChangedTables(), IsEmpty());
}

TEST(UnsavedCaptionTest, AChangedTablesCaptionEndsInAStar) {
    EXPECT_EQ(MarkedCaption("Артикули (stoka.txt)", true), "Артикули (stoka.txt)*");
    EXPECT_EQ(MarkedCaption("Артикули", false), "Артикули");
}

TEST(UnsavedQuestionTest, OnExitOneTableIsNamed) {
    const UnsavedQuestion q = UnsavedChangesQuestion({TableKind::Company}, UnsavedReason::Exit);
    EXPECT_EQ(q.id, ids::UnsavedOnExitOne);
    EXPECT_EQ(q.text, "Промените в таблицата „Данни за фирмата“ не са съхранени и ще бъдат "
                      "загубени.\r\nИзход без съхраняване?");
}

TEST(UnsavedQuestionTest, OnExitSeveralTablesAreNamedInTableOrder) {
    UnsavedQuestion q = UnsavedChangesQuestion(
        {TableKind::Articles, TableKind::Operators, TableKind::SubgroupReport},
        UnsavedReason::Exit);
    EXPECT_EQ(q.id, ids::UnsavedOnExitMany);
    EXPECT_THAT(q.text, HasSubstr("в таблиците „Артикули“, „Оператори“ и „Отчет по подгрупи“ не"));
    q = UnsavedChangesQuestion({TableKind::Articles, TableKind::Report}, UnsavedReason::Exit);
    EXPECT_THAT(q.text, HasSubstr("в таблиците „Артикули“ и „Отчет“ не"));
}

TEST(UnsavedQuestionTest, BeforeAReadTheTableThatTheFileWouldFillIsNamed) {
    const UnsavedQuestion q =
        UnsavedChangesQuestion({TableKind::Subgroups}, UnsavedReason::ReadFile);
    EXPECT_EQ(q.id, ids::UnsavedBeforeRead);
    EXPECT_THAT(q.text, HasSubstr("„Подгрупи“"));
    EXPECT_THAT(q.text, HasSubstr("заменени с данните от файла"));
}

TEST(UnsavedQuestionTest, NothingToLoseAsksNothing) {
    test::RecordingFeedback feedback;
    EXPECT_TRUE(GoOnWithoutSaving(feedback, {}, UnsavedReason::Exit));
    EXPECT_THAT(feedback.questions, IsEmpty());
}

TEST(UnsavedQuestionTest, TheQuestionHasTheQuestionIconAndNoAsDefaultAndYesGoesOn) {
    test::RecordingFeedback feedback;
    feedback.answer = false;
    EXPECT_FALSE(GoOnWithoutSaving(feedback, {TableKind::Articles}, UnsavedReason::Exit));
    feedback.answer = true;
    EXPECT_TRUE(GoOnWithoutSaving(feedback, {TableKind::Articles}, UnsavedReason::ReadFile));
    ASSERT_EQ(feedback.questions.size(), 2u);
    for (const auto& question : feedback.questions) {
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_TRUE(question.defaultNo);
    }
    EXPECT_EQ(feedback.questions[0].id, ids::UnsavedOnExitOne);
    EXPECT_EQ(feedback.questions[1].id, ids::UnsavedBeforeRead);
}

} // namespace
} // namespace tillora
