#include "tables/TableDocument.h"
#include "RecordingFeedback.h"
#include "link/EcrSettings.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tables/TableSetup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace tillora {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TableDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { ConnectionSettings().EcrType = 0; }
    void TearDown() override { ConnectionSettings() = {}; }

    bool IsEmptyTable(TableKind kind) const {
        const CCellGrid& grid = document->Grid(kind);
        for (int r = 1; r < grid.GetRowCount(); ++r) {
            for (int c = 1; c < grid.GetColumnCount(); ++c) {
                const bool flag = kind == TableKind::Company && c == 2;
                if (grid.GetItemText(r, c) != (flag ? "0" : "")) {
                    return false;
                }
            }
        }
        return true;
    }

    std::unique_ptr<CTableDocument> document = std::make_unique<CTableDocument>();
    test::RecordingFeedback feedback;
};

TEST_F(TableDocumentTest, SetsUpTheSixTablesWithPlainCaptions) {
    EXPECT_EQ(document->Grid(TableKind::Articles).GetRowCount(), 2601);
    EXPECT_EQ(document->Grid(TableKind::SubgroupReport).GetColumnCount(), 5);
    EXPECT_EQ(document->Caption(TableKind::Company), LoadString(ids::TabCaption + 3));
}

TEST_F(TableDocumentTest, ClearAllAsksOnceAndOnNoChangesNothing) {
    document->Grid(TableKind::Articles).SetItemText(5, 1, "Bread");
    int cleared = 0;
    feedback.answer = false;
    EXPECT_FALSE(document->ClearAll(feedback, [&](TableKind) { ++cleared; }));
    ASSERT_EQ(feedback.questions.size(), 1u);
    EXPECT_EQ(feedback.questions[0].id, ids::ConfirmClearAll);
    EXPECT_EQ(feedback.questions[0].text, LoadString(ids::ConfirmClearAll));
    EXPECT_EQ(cleared, 0);
    EXPECT_EQ(document->Grid(TableKind::Articles).GetItemText(5, 1), "Bread");
    EXPECT_EQ(feedback.waitCursorShown, 0);
}

TEST_F(TableDocumentTest, ClearAllEmptiesEveryTableAndForgetsTheFileNames) {
    for (TableKind kind : AllTables) {
        document->Grid(kind).SetItemText(1, 1, "x");
    }
    document->Grid(TableKind::Company).SetItemText(3, 2, "1");
    document->Grid(TableKind::Report).SetItemText(9, 8, "12");
    CTableDocument& doc = *document;
    const std::string path = ::testing::TempDir() + "tillora-clear-all.txt";
    ASSERT_TRUE(doc.Writer(TableKind::Operators).SaveAs(path, feedback));
    EXPECT_NE(doc.Caption(TableKind::Operators), LoadString(ids::TabCaption + 1));

    feedback.answer = true;
    std::vector<TableKind> order;
    std::vector<std::string> captions;
    EXPECT_TRUE(doc.ClearAll(feedback, [&](TableKind kind) {
        order.push_back(kind);
        captions.push_back(doc.Caption(kind));
        EXPECT_TRUE(IsEmptyTable(kind)) << "told only once the table is empty";
    }));
    EXPECT_EQ(feedback.questions.size(), 1u);
    EXPECT_THAT(order,
                ElementsAre(TableKind::Articles, TableKind::Operators, TableKind::Subgroups,
                            TableKind::Company, TableKind::Report, TableKind::SubgroupReport));
    EXPECT_EQ(captions[1], LoadString(ids::TabCaption + 1));
    EXPECT_FALSE(doc.Writer(TableKind::Operators).HasPath());
    EXPECT_EQ(feedback.waitCursorShown, 1);
    EXPECT_EQ(feedback.waitDepth, 0);
    EXPECT_EQ(TableFileText(doc.Grid(TableKind::Company)),
              "1\t\t0\r\n2\t\t0\r\n3\t\t0\r\n4\t\t0\r\n5\t\t0\r\n6\t\t0\r\n");
    EXPECT_EQ(doc.Grid(TableKind::Subgroups).GetItemText(1, 0), "0") << "labels stay";
    std::remove(path.c_str());
}

TEST_F(TableDocumentTest, ReportToArticlesCopiesTheFirstSevenColumnsRowForRow) {
    CCellGrid& report = document->Grid(TableKind::Report);
    CCellGrid& articles = document->Grid(TableKind::Articles);
    const char* row[] = {"",  "Bread", "3800121000012", "1.20",   "\xC1",
                         "1", "0",     "48.5",          "100.80", "84"};
    for (int c = 1; c <= 9; ++c) {
        report.SetItemText(2600, c, row[c]);
    }
    articles.SetItemText(7, 1, "Not in the report");
    feedback.answer = true;
    EXPECT_TRUE(document->CopyReportToArticles(feedback));
    ASSERT_EQ(feedback.questions.size(), 1u);
    EXPECT_EQ(feedback.questions[0].id, ids::ConfirmReportToArticles);
    for (int c = 1; c <= 7; ++c) {
        EXPECT_EQ(articles.GetItemText(2600, c), report.GetItemText(2600, c)) << c;
    }
    EXPECT_EQ(articles.GetItemText(2600, 7), "48.500");
    EXPECT_EQ(articles.GetItemText(7, 1), "") << "rows the report does not cover are emptied";
    EXPECT_EQ(feedback.waitDepth, 0);
}

TEST_F(TableDocumentTest, ReportToArticlesOnNoLeavesTheArticles) {
    document->Grid(TableKind::Articles).SetItemText(7, 1, "Mine");
    feedback.answer = false;
    EXPECT_FALSE(document->CopyReportToArticles(feedback));
    EXPECT_EQ(document->Grid(TableKind::Articles).GetItemText(7, 1), "Mine");
    EXPECT_THAT(feedback.messages, IsEmpty());
}

TEST_F(TableDocumentTest, AnEmptyReportEmptiesTheArticles) {
    document->Grid(TableKind::Articles).SetItemText(1, 1, "Mine");
    feedback.answer = true;
    EXPECT_TRUE(document->CopyReportToArticles(feedback));
    EXPECT_TRUE(IsEmptyTable(TableKind::Articles));
}

} // namespace
} // namespace tillora
