#include "transfer/HeaderLineRecord.h"

#include "SendTestSupport.h"
#include "res/StringIds.h"
#include "transfer/TableChecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string Company = "\xCE\xCE\xC4 \xCF\xF0\xE8\xEC\xE5\xF0"; // ООД Пример
const std::string CompanyOnRegister = "\x8E\x8E\x84 \x8F\x90\x88\x8C\x85\x90";

class HeaderLineRecordTest : public ::testing::Test {
protected:
    void FillLineTwo() {
        table.Set(2, headerline::Text, Company);
        table.Set(2, headerline::Flag, "1");
    }

    test::ModelInForce model{0};
    test::TableUnderTest table{TableKind::Company};
    test::RecordingFeedback feedback;
};

TEST_F(HeaderLineRecordTest, ModelZeroCarriesTheFlagAndTwentyFourBytesOfText) {
    FillLineTwo();
    const std::string expected = "21" + CompanyOnRegister + std::string(14, ' ') + "*";
    EXPECT_EQ(HeaderLinePayload(table.access, 2, SendScope::WholeTable, 0), expected);
    EXPECT_EQ(expected.size(), 38u - 11u);
}

TEST_F(HeaderLineRecordTest, ModelOneCarriesTheFlagAndTwentyBytesOfText) {
    FillLineTwo();
    EXPECT_EQ(HeaderLinePayload(table.access, 2, SendScope::WholeTable, 1),
              "21" + CompanyOnRegister + std::string(10, ' ') + "*");
}

TEST_F(HeaderLineRecordTest, OtherModelsSendZeroWhereTheFlagWouldBe) {
    FillLineTwo();
    for (int m = 2; m <= 9; ++m) {
        EXPECT_EQ(HeaderLinePayload(table.access, 2, SendScope::WholeTable, m),
                  "20" + CompanyOnRegister + std::string(14, ' ') + "*")
            << m;
    }
}

TEST_F(HeaderLineRecordTest, FlagGoesWithTheSelectedTextAsItStands) {
    FillLineTwo();
    table.Select(2, headerline::Text);
    EXPECT_EQ(HeaderLinePayload(table.access, 2, SendScope::SelectedCells, 0),
              "21" + CompanyOnRegister + std::string(14, ' ') + "*");
}

TEST_F(HeaderLineRecordTest, FlagNeitherKeepsALineFromBeingSkippedNorSelectsIt) {
    const SendPlan plan = HeaderLineSendPlan(0);
    table.Set(3, headerline::Flag, "1");
    table.Select(3, headerline::Flag);
    EXPECT_TRUE(IsRowSkipped(plan, SendScope::WholeTable, table.access, 3));
    EXPECT_TRUE(IsRowSkipped(plan, SendScope::SelectedCells, table.access, 3));
}

TEST_F(HeaderLineRecordTest, SelectedEmptyTextIsSentAsBlanks) {
    table.Select(5, headerline::Text);
    EXPECT_EQ(HeaderLinePayload(table.access, 5, SendScope::SelectedCells, 0),
              "50" + std::string(24, ' ') + "*");
    EXPECT_EQ(HeaderLinePayload(table.access, 5, SendScope::SelectedCells, 1),
              "50" + std::string(20, ' ') + "*");
}

TEST_F(HeaderLineRecordTest, TwentyOneCharactersAreRefusedOnlyUnderModelOne) {
    table.Set(4, headerline::Text, std::string(21, 'A'));
    for (int m = 0; m <= 9; ++m) {
        test::RecordingFeedback seen;
        const bool passed = CheckWholeTable(HeaderLineSendPlan(m), table.access, seen);
        EXPECT_EQ(passed, m != 1) << m;
    }
    EXPECT_FALSE(CheckWholeTable(HeaderLineSendPlan(1), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::LineTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{4, headerline::Text}));
}

TEST_F(HeaderLineRecordTest, SelectedTextTooLongShowsTheNameMessage) {
    table.Set(6, headerline::Text, std::string(25, 'A'));
    table.Select(6, headerline::Text);
    EXPECT_FALSE(CheckSelectedCells(HeaderLineSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{6, headerline::Text}));
    EXPECT_THAT(feedback.questions, IsEmpty());
}

} // namespace
} // namespace tillora
