#include "transfer/SubgroupRecord.h"

#include "SendTestSupport.h"
#include "res/StringIds.h"
#include "transfer/TableChecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string BreadOnRegister = "\x95\x8B\x9F\x81";

std::string Q(std::size_t count) {
    return std::string(count, '"');
}

class SubgroupRecordTest : public ::testing::Test {
protected:
    // Row 1, subgroup 0: Хляб, 0.50, В.
    void FillBreadRow() {
        table.Set(1, subgroup::Name, "\xD5\xEB\xFF\xE1");
        table.Set(1, subgroup::Price, "0.50");
        table.Set(1, subgroup::TaxGroup, "\xC2");
    }

    test::ModelInForce model{2};
    test::TableUnderTest table{TableKind::Subgroups};
    test::RecordingFeedback feedback;
};

TEST_F(SubgroupRecordTest, NumberIsTheRowMinusOneFollowedByNamePriceAndTaxGroup) {
    FillBreadRow();
    const std::string expected = "0" + BreadOnRegister + std::string(8, ' ') + "000000502" + "3";
    EXPECT_EQ(SubgroupPayload(table.access, 1, SendScope::WholeTable, 2), expected);
    EXPECT_EQ(expected.size(), 34u - 11u);
    for (int m : {0, 3, 4, 6, 7, 8, 9}) {
        EXPECT_EQ(SubgroupPayload(table.access, 1, SendScope::WholeTable, m).size(), 23u) << m;
    }
}

TEST_F(SubgroupRecordTest, ModelOneCarriesOnlyTheWiderNameAndAConstant) {
    FillBreadRow();
    EXPECT_EQ(SubgroupPayload(table.access, 1, SendScope::WholeTable, 1),
              "0" + BreadOnRegister + std::string(12, ' ') + Q(1));
}

TEST_F(SubgroupRecordTest, ModelFiveHasAnEighteenByteName) {
    FillBreadRow();
    EXPECT_EQ(SubgroupPayload(table.access, 1, SendScope::WholeTable, 5),
              "0" + BreadOnRegister + std::string(14, ' ') + "000000502" + "3");
}

TEST_F(SubgroupRecordTest, PriceAloneIsAllNoValueUnderModelOneYetNotSkipped) {
    table.Set(10, subgroup::Price, "2.00");
    EXPECT_FALSE(IsRowSkipped(SubgroupSendPlan(1), SendScope::WholeTable, table.access, 10));
    EXPECT_EQ(SubgroupPayload(table.access, 10, SendScope::WholeTable, 1), "9" + Q(16) + Q(1));
}

TEST_F(SubgroupRecordTest, EmptySelectedTaxGroupGetsItsDefaultWithoutAQuestion) {
    table.Select(3, subgroup::TaxGroup);
    feedback.answer = false;
    EXPECT_TRUE(CheckSelectedCells(SubgroupSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.questions, IsEmpty());
    EXPECT_EQ(SubgroupPayload(table.access, 3, SendScope::SelectedCells, 0),
              "2" + Q(12) + Q(9) + "1");
    EXPECT_EQ(SubgroupPayload(table.access, 3, SendScope::SelectedCells, 4),
              "2" + Q(12) + Q(9) + "2");
}

TEST_F(SubgroupRecordTest, EmptySelectedPriceAsks) {
    table.Select(3, subgroup::Price);
    EXPECT_FALSE(CheckSelectedCells(SubgroupSendPlan(0), table.access, feedback));
    EXPECT_EQ(feedback.questions.size(), 1u);
}

TEST_F(SubgroupRecordTest, PriceTooLongStopsTheRunAtItsCell) {
    table.Set(4, subgroup::Price, "1000000.00");
    EXPECT_FALSE(CheckWholeTable(SubgroupSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::PriceTooLarge));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{4, subgroup::Price}));
}

TEST_F(SubgroupRecordTest, NameRuleComesFirstAndDependsOnTheModel) {
    table.Set(2, subgroup::Price, "1000000.00");
    table.Set(7, subgroup::Name, "ABCDEFGHIJKLMNOPQ"); // 17
    EXPECT_FALSE(CheckWholeTable(SubgroupSendPlan(1), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{7, subgroup::Name}));
    test::RecordingFeedback underFive;
    EXPECT_FALSE(CheckWholeTable(SubgroupSendPlan(5), table.access, underFive));
    EXPECT_THAT(underFive.Ids(), ElementsAre(ids::PriceTooLarge));
}

} // namespace
} // namespace tillora
