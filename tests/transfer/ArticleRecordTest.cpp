#include "transfer/ArticleRecord.h"

#include "SendTestSupport.h"
#include "res/StringIds.h"
#include "transfer/TableChecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string Bread = "\xD5\xEB\xFF\xE1";           // Хляб
const std::string BreadOnRegister = "\x95\x8B\x9F\x81"; // its capitals in the register's set
const std::string CyrillicB = "\xC1";                   // Б

std::string Q(std::size_t count) {
    return std::string(count, '"');
}

std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

class ArticleRecordTest : public ::testing::Test {
protected:
    // Row 7: Хляб, a thirteen-digit barcode from a file, 1.20, no stock, Б, subgroup 3, no
    // payment type.
    void FillBreadRow() {
        table.Set(7, article::Name, Bread);
        table.Set(7, article::Barcode, "3800000000017");
        table.Set(7, article::Price, "1.20");
        table.Set(7, article::TaxGroup, CyrillicB);
        table.Set(7, article::Subgroup, "3");
    }

    test::ModelInForce model{0};
    test::TableUnderTest table{TableKind::Articles};
    test::RecordingFeedback feedback;
};

// ---- payloads ----

TEST_F(ArticleRecordTest, CommonLayoutCarriesEveryFieldWithItsConstants) {
    FillBreadRow();
    const std::string expected = "0007" + BreadOnRegister + Blanks(8) + "380000000001" +
                                 "000001202" + Q(9) + "1" + Q(1) + "3" + Q(8) + Q(1);
    EXPECT_EQ(ArticlePayload(table.access, 7, SendScope::WholeTable, 0), expected);
    EXPECT_EQ(expected.size(), 69u - 11u);
}

TEST_F(ArticleRecordTest, ModelOneHasAWiderNameAndNeitherStockNorPaymentType) {
    FillBreadRow();
    const std::string expected =
        "0007" + BreadOnRegister + Blanks(12) + "380000000001" + "000001202" + "1" + Q(1) + "3";
    EXPECT_EQ(ArticlePayload(table.access, 7, SendScope::WholeTable, 1), expected);
    EXPECT_EQ(expected.size(), 55u - 11u);
}

TEST_F(ArticleRecordTest, ModelFiveHasNoConstantBytesAndItsOwnTaxDigits) {
    FillBreadRow();
    const std::string expected = "0007" + BreadOnRegister + Blanks(14) + "380000000001" +
                                 "000001202" + Q(9) + "2" + "3" + Q(1);
    EXPECT_EQ(ArticlePayload(table.access, 7, SendScope::WholeTable, 5), expected);
    EXPECT_EQ(expected.size(), 66u - 11u);
}

TEST_F(ArticleRecordTest, EveryModelOutsideOneAndFiveUsesTheCommonLayout) {
    FillBreadRow();
    table.Set(7, article::Stock, "2.500");
    table.Set(7, article::PaymentType, "1");
    for (int m : {0, 2, 3, 4, 6, 7, 8, 9}) {
        const std::string tax = m == 0 ? "1" : m <= 5 ? "2" : "1"; // Б: models 6 to 9 read 0xC1
        EXPECT_EQ(ArticlePayload(table.access, 7, SendScope::WholeTable, m),
                  "0007" + BreadOnRegister + Blanks(8) + "380000000001" + "000001202" +
                      "000002500" + tax + Q(1) + "3" + Q(8) + "1")
            << "model " << m;
    }
}

TEST_F(ArticleRecordTest, RowWithOnlyAStockIsAllNoValueUnderModelOne) {
    table.Set(4, article::Stock, "5.000");
    EXPECT_FALSE(IsRowSkipped(ArticleSendPlan(1), SendScope::WholeTable, table.access, 4));
    EXPECT_EQ(ArticlePayload(table.access, 4, SendScope::WholeTable, 1),
              "0004" + Q(16) + Q(12) + Q(9) + Q(1) + Q(1) + Q(1));
}

TEST_F(ArticleRecordTest, OnlyTheSelectedTaxGroupCarriesAValue) {
    FillBreadRow();
    table.Set(12, article::Name, Bread);
    table.Set(12, article::TaxGroup, CyrillicB);
    table.Select(12, article::TaxGroup);
    EXPECT_EQ(ArticlePayload(table.access, 12, SendScope::SelectedCells, 0),
              "0012" + Q(12) + Q(12) + Q(9) + Q(9) + "1" + Q(1) + Q(1) + Q(8) + Q(1));
}

TEST_F(ArticleRecordTest, SelectedPriceAloneSendsOnlyThePrice) {
    FillBreadRow();
    table.Select(7, article::Price);
    EXPECT_EQ(ArticlePayload(table.access, 7, SendScope::SelectedCells, 0),
              "0007" + Q(12) + Q(12) + "000001202" + Q(9) + Q(1) + Q(1) + Q(1) + Q(8) + Q(1));
}

TEST_F(ArticleRecordTest, SelectedEmptyCellsGetTheirDefaults) {
    for (int c = article::Name; c <= article::Stock; ++c) {
        table.Select(3, c);
    }
    EXPECT_EQ(ArticlePayload(table.access, 3, SendScope::SelectedCells, 0),
              "0003" + Blanks(12) + std::string(12, '0') + std::string(9, '0') +
                  std::string(9, '0') + "1" + Q(1) + "0" + Q(8) + "0");
    EXPECT_EQ(ArticlePayload(table.access, 3, SendScope::SelectedCells, 5),
              "0003" + Blanks(18) + std::string(12, '0') + std::string(9, '0') +
                  std::string(9, '0') + "2" + "0" + "0");
}

// ---- whole-table check ----

TEST_F(ArticleRecordTest, NameOfThirteenCharactersPassesOnlyUnderModelsOneAndFive) {
    table.Set(6, article::Name, "ABCDEFGHIJKLM");
    for (int m = 0; m <= 9; ++m) {
        test::RecordingFeedback seen;
        table.access.SetFocusCell(-1, -1);
        const bool passed = CheckWholeTable(ArticleSendPlan(m), table.access, seen);
        if (m == 1 || m == 5) {
            EXPECT_TRUE(passed) << m;
            EXPECT_THAT(seen.Ids(), IsEmpty());
        } else {
            EXPECT_FALSE(passed) << m;
            EXPECT_THAT(seen.Ids(), ElementsAre(ids::NameTooLong));
            EXPECT_EQ(seen.messages[0].icon, MessageIcon::Error);
            EXPECT_EQ(table.access.GetFocusCell(), (CCellID{6, article::Name}));
        }
    }
}

TEST_F(ArticleRecordTest, EachRuleCoversAllRowsBeforeTheNext) {
    table.Set(5, article::Price, "1000000.00");
    table.Set(9, article::Name, "ABCDEFGHIJKLM");
    EXPECT_FALSE(CheckWholeTable(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{9, article::Name}));
    EXPECT_TRUE(table.access.HasKeyboardFocus());
}

TEST_F(ArticleRecordTest, PriceRuleComesBeforeStockRule) {
    table.Set(2, article::Stock, "1000000.000");
    table.Set(8, article::Price, "1000000.00");
    EXPECT_FALSE(CheckWholeTable(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::PriceTooLarge));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{8, article::Price}));
}

TEST_F(ArticleRecordTest, StockTooLongStopsModelOneToo) {
    table.Set(3, article::Stock, "1000000.000");
    EXPECT_FALSE(CheckWholeTable(ArticleSendPlan(1), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::StockTooLarge));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{3, article::Stock}));
}

TEST_F(ArticleRecordTest, LimitsThemselvesPass) {
    table.Set(1, article::Name, "ABCDEFGHIJKL");
    table.Set(1, article::Price, "999999.99");
    table.Set(1, article::Stock, "999999.999");
    EXPECT_TRUE(CheckWholeTable(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), IsEmpty());
}

// ---- selected-cells check ----

TEST_F(ArticleRecordTest, SelectedCheckReportsTheFirstViolationRowByRow) {
    table.Set(2, article::Stock, "1000000.000");
    table.Set(3, article::Name, "ABCDEFGHIJKLM");
    table.Select(3, article::Name);
    table.Select(2, article::Stock);
    EXPECT_FALSE(CheckSelectedCells(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::StockTooLarge));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{2, article::Stock}));
}

TEST_F(ArticleRecordTest, SelectedCheckTakesColumnsInOrderWithinARow) {
    table.Set(4, article::Name, "ABCDEFGHIJKLM");
    table.Set(4, article::Price, "1000000.00");
    table.Select(4, article::Price);
    table.Select(4, article::Name);
    EXPECT_FALSE(CheckSelectedCells(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_EQ(table.access.GetFocusCell(), (CCellID{4, article::Name}));
}

TEST_F(ArticleRecordTest, SelectedCheckIgnoresCellsNotSelected) {
    table.Set(4, article::Name, "ABCDEFGHIJKLM");
    table.Set(4, article::Price, "1.00");
    table.Select(4, article::Price);
    EXPECT_TRUE(CheckSelectedCells(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), IsEmpty());
    EXPECT_THAT(feedback.questions, IsEmpty());
}

TEST_F(ArticleRecordTest, EmptySelectedCellsAskOnceWithNoAsDefault) {
    table.Set(4, article::Name, "ABC");
    table.Select(4, article::Name);
    table.Select(4, article::Price);
    table.Select(9, article::PaymentType);
    feedback.answer = false;
    EXPECT_FALSE(CheckSelectedCells(ArticleSendPlan(0), table.access, feedback));
    ASSERT_EQ(feedback.questions.size(), 1u);
    EXPECT_EQ(feedback.questions[0].id, ids::ConfirmDefaultsForEmptyCells);
    EXPECT_TRUE(feedback.questions[0].defaultNo);
    feedback.answer = true;
    EXPECT_TRUE(CheckSelectedCells(ArticleSendPlan(0), table.access, feedback));
}

TEST_F(ArticleRecordTest, LengthRulesComeBeforeTheQuestion) {
    table.Select(1, article::Price);
    table.Set(5, article::Name, "ABCDEFGHIJKLM");
    table.Select(5, article::Name);
    EXPECT_FALSE(CheckSelectedCells(ArticleSendPlan(0), table.access, feedback));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_THAT(feedback.questions, IsEmpty());
}

} // namespace
} // namespace tillora
