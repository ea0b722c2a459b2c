#include "SendTestSupport.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "transfer/ArticleRecord.h"
#include "transfer/HeaderLineRecord.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SendRuns.h"
#include "transfer/SubgroupRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

namespace tillora {
namespace {

using test::CommandFrame;
using test::RecordFrame;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Q(std::size_t count) {
    return std::string(count, '"');
}

std::string SendingRow(unsigned row) {
    return FormatMessage(ids::SendingRow, row);
}

std::string RowsSent(unsigned count) {
    return FormatMessage(ids::RowsSent, count);
}

class SendRunTest : public ::testing::Test {
protected:
    test::ModelInForce inForce{0};
    test::SimSession sim{0};
    test::TableUnderTest articles{TableKind::Articles};
};

TEST_F(SendRunTest, EmptyTableSendsOpeningAndClosingAndReportsNoRows) {
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendArticles(articles.access, session));
    const auto& frames = sim.ecr->Frames();
    ASSERT_EQ(frames.size(), 3u); // "a", "z" and our acknowledgement of the confirmation
    EXPECT_EQ(frames[0], CommandFrame('a'));
    EXPECT_EQ(frames[1], CommandFrame('z'));
    EXPECT_TRUE(sim.ecr->ConfirmationAcknowledged());
    EXPECT_THAT(sim.feedback.statusTexts, ElementsAre(RowsSent(0)));
    EXPECT_THAT(sim.feedback.Ids(), IsEmpty());
}

TEST_F(SendRunTest, ThreeFilledRowsAmongAllSendThreeRecordsInOrder) {
    articles.Set(2600, article::Name, "LAST");
    articles.Set(5, article::Price, "1.00");
    articles.Set(1, article::Subgroup, "4");
    std::vector<std::pair<unsigned, unsigned>> progress;
    sim.recordSent = [&](unsigned done, unsigned total) { progress.emplace_back(done, total); };
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendArticles(articles.access, session));
    const auto records = sim.ecr->Records('r');
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].substr(0, 4), "0001");
    EXPECT_EQ(records[1].substr(0, 4), "0005");
    EXPECT_EQ(records[2].substr(0, 4), "2600");
    EXPECT_THAT(sim.feedback.statusTexts,
                ElementsAre(SendingRow(1), SendingRow(5), SendingRow(2600), RowsSent(3)));
    EXPECT_THAT(progress, ElementsAre(std::pair(1u, 3u), std::pair(2u, 3u), std::pair(3u, 3u)));
}

TEST_F(SendRunTest, WaitCursorCoversTheRunAndEveryRowIsPumped) {
    articles.Set(3, article::Name, "X");
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendArticles(articles.access, session));
    EXPECT_EQ(sim.feedback.waitCursorShown, 1);
    EXPECT_EQ(sim.feedback.waitDepth, 0);
    EXPECT_GE(sim.feedback.pumps, article::Rows);
}

TEST_F(SendRunTest, BrokenCheckNeverOpensThePort) {
    articles.Set(4, article::Name, "ABCDEFGHIJKLM");
    TransferSession session = sim.Session();
    EXPECT_FALSE(SendArticles(articles.access, session));
    EXPECT_EQ(sim.opened, 0);
    EXPECT_THAT(sim.feedback.Ids(), ElementsAre(ids::NameTooLong));
    EXPECT_EQ(articles.access.GetFocusCell(), (CCellID{4, article::Name}));
    EXPECT_EQ(sim.feedback.waitDepth, 0);
}

TEST_F(SendRunTest, NoToTheQuestionSendsNothingAndNeverOpensThePort) {
    articles.Select(8, article::Price);
    articles.Select(9, article::Name);
    sim.feedback.answer = false;
    TransferSession session = sim.Session();
    EXPECT_FALSE(SendSelectedArticles(articles.access, session));
    EXPECT_EQ(sim.feedback.questions.size(), 1u);
    EXPECT_TRUE(sim.feedback.questions[0].defaultNo);
    EXPECT_EQ(sim.opened, 0);
    EXPECT_THAT(sim.ecr->Frames(), IsEmpty());
    EXPECT_THAT(sim.feedback.statusTexts, IsEmpty());
}

TEST_F(SendRunTest, YesToTheQuestionSendsZerosForTheEmptyPrice) {
    articles.Select(8, article::Price);
    sim.feedback.answer = true;
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSelectedArticles(articles.access, session));
    EXPECT_EQ(sim.opened, 1);
    EXPECT_THAT(sim.Records(),
                ElementsAre(RecordFrame('r', "0008" + Q(12) + Q(12) + "000000000" + Q(9) + Q(1) +
                                                 Q(1) + Q(1) + Q(8) + Q(1))));
    EXPECT_EQ(sim.feedback.statusTexts.back(), FormatMessage(ids::SelectedCellsSent));
}

TEST_F(SendRunTest, SelectedTaxGroupAloneSendsOneArticle) {
    articles.Set(12, article::Name, "BREAD");
    articles.Set(12, article::TaxGroup, "\xC1");
    articles.Select(12, article::TaxGroup);
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSelectedArticles(articles.access, session));
    EXPECT_THAT(sim.feedback.questions, IsEmpty());
    EXPECT_THAT(sim.Records(), ElementsAre(RecordFrame('r', "0012" + Q(12) + Q(12) + Q(9) + Q(9) +
                                                                "1" + Q(1) + Q(1) + Q(8) + Q(1))));
}

TEST_F(SendRunTest, SelectedOperatorRunCountsItsRows) {
    test::TableUnderTest table(TableKind::Operators);
    table.Set(1, operators::Name, "ANNA");
    table.Set(2, operators::Name, "IVO");
    table.Select(2, operators::Name);
    table.Select(4, operators::Name);
    sim.feedback.answer = true;
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSelectedOperators(table.access, session));
    EXPECT_THAT(sim.Records(), ElementsAre(RecordFrame('o', "2IVO         *"),
                                           RecordFrame('o', "4            *")));
    EXPECT_EQ(sim.feedback.statusTexts.back(), RowsSent(2));
}

TEST_F(SendRunTest, OperatorsInRowsOneTwoAndNineAreThreeRecords) {
    test::TableUnderTest table(TableKind::Operators);
    for (int row : {1, 2, 9}) {
        table.Set(row, operators::Name, "OP");
    }
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendOperators(table.access, session));
    const auto records = sim.ecr->Records('o');
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0][0], '1');
    EXPECT_EQ(records[1][0], '2');
    EXPECT_EQ(records[2][0], '9');
    EXPECT_EQ(sim.feedback.statusTexts.back(), RowsSent(3));
}

TEST_F(SendRunTest, SubgroupZeroIsShownAsRowOne) {
    test::TableUnderTest table(TableKind::Subgroups);
    table.Set(1, subgroup::Name, "MEAT");
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSubgroups(table.access, session));
    EXPECT_THAT(sim.feedback.statusTexts, ElementsAre(SendingRow(1), RowsSent(1)));
    EXPECT_EQ(sim.ecr->Records('y').at(0).substr(0, 1), "0");
}

TEST_F(SendRunTest, EmptySelectedSubgroupTaxGroupIsSentWithoutAQuestion) {
    test::TableUnderTest table(TableKind::Subgroups);
    table.Select(3, subgroup::TaxGroup);
    sim.feedback.answer = false;
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSelectedSubgroups(table.access, session));
    EXPECT_THAT(sim.feedback.questions, IsEmpty());
    EXPECT_THAT(sim.Records(), ElementsAre(RecordFrame('y', "2" + Q(12) + Q(9) + "1")));
}

TEST(SendRunModelTest, EmptySelectedSubgroupTaxGroupUnderModelFourIsTwo) {
    test::ModelInForce inForce(4);
    test::SimSession sim(4);
    test::TableUnderTest table(TableKind::Subgroups);
    table.Select(3, subgroup::TaxGroup);
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSelectedSubgroups(table.access, session));
    EXPECT_THAT(sim.Records(), ElementsAre(RecordFrame('y', "2" + Q(12) + Q(9) + "2")));
}

TEST_F(SendRunTest, OnlyTheFlagOfALineSelectedSendsNoLine) {
    test::TableUnderTest table(TableKind::Company);
    table.Set(2, headerline::Text, "SHOP");
    table.Set(2, headerline::Flag, "1");
    table.Select(2, headerline::Flag);
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendSelectedHeaderLines(table.access, session));
    EXPECT_THAT(sim.ecr->Frames(), ElementsAre(CommandFrame('a'), CommandFrame('z'), ::testing::_));
    EXPECT_THAT(sim.feedback.statusTexts, ElementsAre(RowsSent(0)));
}

TEST_F(SendRunTest, EmptyLineWithItsFlagIsNotSent) {
    test::TableUnderTest table(TableKind::Company);
    table.Set(4, headerline::Flag, "1");
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendHeaderLines(table.access, session));
    EXPECT_THAT(sim.Records(), IsEmpty());
}

TEST_F(SendRunTest, RunLeavesTheTableAsItWas) {
    articles.Set(1, article::Name, "\xE1\xE0");
    articles.Set(1, article::Price, "2.00");
    const auto before = articles.Texts();
    TransferSession session = sim.Session();
    EXPECT_TRUE(SendArticles(articles.access, session));
    EXPECT_EQ(articles.Texts(), before);
}

} // namespace
} // namespace tillora
