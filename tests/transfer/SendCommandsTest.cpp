#include "transfer/SendCommands.h"

#include "SendTestSupport.h"
#include "res/StringIds.h"
#include "transfer/ArticleRecord.h"
#include "transfer/HeaderLineRecord.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SubgroupRecord.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SendCommandsTest : public ::testing::Test {
protected:
    test::ModelInForce inForce{0};
    test::SimSession sim{0};
};

TEST_F(SendCommandsTest, SendAllIsEnabledForTheFourProgrammableTablesOnly) {
    EXPECT_TRUE(CanSendAll(TableKind::Articles));
    EXPECT_TRUE(CanSendAll(TableKind::Operators));
    EXPECT_TRUE(CanSendAll(TableKind::Subgroups));
    EXPECT_TRUE(CanSendAll(TableKind::Company));
    EXPECT_FALSE(CanSendAll(TableKind::Report));
    EXPECT_FALSE(CanSendAll(TableKind::SubgroupReport));
}

TEST_F(SendCommandsTest, SendSelectedNeedsASelectedCell) {
    test::TableUnderTest articles(TableKind::Articles);
    EXPECT_FALSE(CanSendSelected(TableKind::Articles, articles.access));
    articles.Select(1, article::Name);
    EXPECT_TRUE(CanSendSelected(TableKind::Articles, articles.access));

    test::TableUnderTest report(TableKind::Report);
    report.Select(1, 1);
    EXPECT_FALSE(CanSendSelected(TableKind::Report, report.access));
}

TEST_F(SendCommandsTest, UnsetModelStopsBothCommandsBeforeTheTableIsLookedAt) {
    test::TableUnderTest articles(TableKind::Articles);
    articles.Set(1, article::Name, "ABCDEFGHIJKLM");
    articles.Select(1, article::Name);
    sim.settings.EcrType = -1;
    TransferSession session = sim.Session();
    EXPECT_FALSE(OnSendAll(TableKind::Articles, articles.access, session));
    EXPECT_FALSE(OnSendSelected(TableKind::Articles, articles.access, session));
    EXPECT_THAT(sim.feedback.Ids(), ElementsAre(ids::NoModel, ids::NoModel));
    EXPECT_EQ(articles.access.EditsEnded(), 0);
    EXPECT_EQ(sim.feedback.waitCursorShown, 0);
    EXPECT_EQ(sim.opened, 0);
}

TEST_F(SendCommandsTest, SendAllCommitsTheEditedCellFirst) {
    test::TableUnderTest staff(TableKind::Operators);
    staff.Set(1, operators::Name, "ANNA");
    TransferSession session = sim.Session();
    EXPECT_TRUE(OnSendAll(TableKind::Operators, staff.access, session));
    EXPECT_EQ(staff.access.EditsEnded(), 1);
    EXPECT_EQ(sim.ecr->Records('o').size(), 1u);
}

TEST_F(SendCommandsTest, SendSelectedLeavesTheEditorAlone) {
    test::TableUnderTest lines(TableKind::Company);
    lines.Set(1, headerline::Text, "SHOP");
    lines.Select(1, headerline::Text);
    TransferSession session = sim.Session();
    EXPECT_TRUE(OnSendSelected(TableKind::Company, lines.access, session));
    EXPECT_EQ(lines.access.EditsEnded(), 0);
    EXPECT_EQ(sim.ecr->Records('w').size(), 1u);
}

TEST_F(SendCommandsTest, EachTabSendsItsOwnTable) {
    test::TableUnderTest subgroups(TableKind::Subgroups);
    subgroups.Set(2, subgroup::Name, "MEAT");
    TransferSession session = sim.Session();
    EXPECT_TRUE(OnSendAll(TableKind::Subgroups, subgroups.access, session));
    test::TableUnderTest articles(TableKind::Articles);
    articles.Set(2, article::Name, "SALT");
    EXPECT_TRUE(OnSendAll(TableKind::Articles, articles.access, session));
    EXPECT_EQ(sim.ecr->Records('y').size(), 1u);
    EXPECT_EQ(sim.ecr->Records('r').size(), 1u);
}

TEST_F(SendCommandsTest, ReportsAreNeverSent) {
    test::TableUnderTest report(TableKind::Report);
    report.Set(1, 1, "X");
    report.Select(1, 1);
    TransferSession session = sim.Session();
    EXPECT_FALSE(OnSendAll(TableKind::Report, report.access, session));
    EXPECT_FALSE(OnSendSelected(TableKind::SubgroupReport, report.access, session));
    EXPECT_EQ(sim.opened, 0);
    EXPECT_THAT(sim.feedback.Ids(), IsEmpty());
}

TEST_F(SendCommandsTest, CheckTableAppliesTheWholeTableCheckOfTheModel) {
    test::TableUnderTest lines(TableKind::Company);
    lines.Set(3, headerline::Text, std::string(22, 'A'));
    test::RecordingFeedback feedback;
    EXPECT_TRUE(CheckTable(TableKind::Company, lines.access, feedback, 0));
    EXPECT_FALSE(CheckTable(TableKind::Company, lines.access, feedback, 1));
    EXPECT_THAT(feedback.Ids(), ElementsAre(ids::LineTooLong));
    EXPECT_EQ(lines.access.GetFocusCell(), (CCellID{3, headerline::Text}));
}

TEST_F(SendCommandsTest, CheckTableCoversEveryProgrammableTable) {
    test::RecordingFeedback feedback;
    test::TableUnderTest articles(TableKind::Articles);
    articles.Set(2, article::Price, "1000000.00");
    EXPECT_FALSE(CheckTable(TableKind::Articles, articles.access, feedback, 0));
    test::TableUnderTest staff(TableKind::Operators);
    staff.Set(2, operators::Name, std::string(13, 'A'));
    EXPECT_FALSE(CheckTable(TableKind::Operators, staff.access, feedback, 0));
    test::TableUnderTest subgroups(TableKind::Subgroups);
    subgroups.Set(2, subgroup::Name, std::string(13, 'A'));
    EXPECT_FALSE(CheckTable(TableKind::Subgroups, subgroups.access, feedback, 0));
    EXPECT_THAT(feedback.Ids(),
                ElementsAre(ids::PriceTooLarge, ids::OperatorNameTooLong, ids::NameTooLong));
    test::TableUnderTest report(TableKind::Report);
    report.Set(1, 1, std::string(40, 'A'));
    EXPECT_TRUE(CheckTable(TableKind::Report, report.access, feedback, 0));
}

// The import warns of exactly the texts a send of the table would refuse, model by model: one
// character over the limit is told with the limit, a text at the limit passes both.
TEST_F(SendCommandsTest, AnImportWarnsOfEveryTextTheSendRefuses) {
    struct Case {
        TableKind kind;
        int model;
        int column;
        long limit;
    };
    const Case cases[] = {{TableKind::Articles, 0, article::Name, 12},
                          {TableKind::Articles, 1, article::Name, 16},
                          {TableKind::Articles, 5, article::Name, 18},
                          {TableKind::Operators, 0, operators::Name, 12},
                          {TableKind::Subgroups, 1, subgroup::Name, 16},
                          {TableKind::Company, 0, headerline::Text, 24},
                          {TableKind::Company, 1, headerline::Text, 20}};
    for (const Case& c : cases) {
        for (const long length : {c.limit, c.limit + 1}) {
            ImportOptions options = ImportOptionsFor(c.kind, c.model);
            options.columns = ColumnMap{{{c.column, 1, {}}}};
            const SheetData sheet{
                {{1, {{std::string(static_cast<std::size_t>(length), 'A'), {}}}}}};
            const ImportPlan plan = PlanImport(sheet, c.kind, options);
            std::vector<std::pair<unsigned, long>> told;
            for (const ImportProblem& problem : plan.problems) {
                told.emplace_back(problem.messageId, problem.number);
            }
            test::TableUnderTest table(c.kind);
            ApplyImportPlan(plan, table.access);
            const bool over = length > c.limit;
            const std::string where = "model " + std::to_string(c.model) + ", column " +
                                      std::to_string(c.column) + ", length " +
                                      std::to_string(length);
            using Told = std::vector<std::pair<unsigned, long>>;
            const Told expected = over ? Told{{ids::ImportTextTooLong, c.limit}} : Told{};
            EXPECT_EQ(told, expected) << where;
            EXPECT_EQ(FindBrokenRules(c.kind, table.access, c.model).size(), over ? 1U : 0U)
                << where;
        }
    }
}

} // namespace
} // namespace tillora
