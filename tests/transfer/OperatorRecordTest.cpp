#include "transfer/OperatorRecord.h"

#include "SendTestSupport.h"
#include "res/StringIds.h"
#include "transfer/TableChecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class OperatorRecordTest : public ::testing::Test {
protected:
    test::TableUnderTest table{TableKind::Operators};
    test::RecordingFeedback feedback;
};

TEST_F(OperatorRecordTest, NameIsSentInCapitalsWithItsPaddingAndTheStar) {
    table.Set(3, operators::Name, "\xE8\xE2\xE0\xED \xEF\xE5\xF2\xF0\xEE\xE2"); // иван петров
    EXPECT_EQ(OperatorPayload(table.access, 3, SendScope::WholeTable, 0),
              "3\x88\x82\x80\x8D \x8F\x85\x92\x90\x8E\x82 *");
}

TEST_F(OperatorRecordTest, LayoutIsTheSameForEveryModel) {
    table.Set(9, operators::Name, "ANNA");
    for (int m = 0; m <= 9; ++m) {
        EXPECT_EQ(OperatorPayload(table.access, 9, SendScope::WholeTable, m), "9ANNA        *")
            << m;
    }
}

TEST_F(OperatorRecordTest, EmptyNameIsSkippedAndASelectedOneIsSentAsBlanks) {
    const SendPlan plan = OperatorSendPlan();
    EXPECT_TRUE(IsRowSkipped(plan, SendScope::WholeTable, table.access, 4));
    EXPECT_TRUE(IsRowSkipped(plan, SendScope::SelectedCells, table.access, 4));
    table.Select(4, operators::Name);
    EXPECT_FALSE(IsRowSkipped(plan, SendScope::SelectedCells, table.access, 4));
    EXPECT_EQ(OperatorPayload(table.access, 4, SendScope::SelectedCells, 0), "4            *");
}

TEST_F(OperatorRecordTest, TwelveCharactersAreSentWhole) {
    table.Set(1, operators::Name, "ABCDEFGHIJKL");
    EXPECT_TRUE(CheckWholeTable(OperatorSendPlan(), table.access, feedback));
    EXPECT_EQ(OperatorPayload(table.access, 1, SendScope::WholeTable, 0), "1ABCDEFGHIJKL*");
}

TEST_F(OperatorRecordTest, ThirteenCharactersStopTheWholeTableCheckWithTheOperatorsMessage) {
    table.Set(5, operators::Name, "ABCDEFGHIJKLM");
    EXPECT_FALSE(CheckWholeTable(OperatorSendPlan(), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::OperatorNameTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{5, operators::Name}));
}

TEST_F(OperatorRecordTest, ThirteenCharactersStopTheSelectedCheckWithTheNameMessage) {
    table.Set(5, operators::Name, "ABCDEFGHIJKLM");
    table.Select(5, operators::Name);
    EXPECT_FALSE(CheckSelectedCells(OperatorSendPlan(), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{5, operators::Name}));
    EXPECT_THAT(feedback.questions, IsEmpty());
}

} // namespace
} // namespace tillora
