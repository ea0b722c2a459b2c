#include "tables/TableTabs.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

TEST(TableTabsTest, NextGoesOneTabOnAndFromTheSubgroupReportToTheArticles) {
    EXPECT_EQ(NextTable(TableKind::Articles), TableKind::Operators);
    EXPECT_EQ(NextTable(TableKind::Company), TableKind::Report);
    EXPECT_EQ(NextTable(TableKind::SubgroupReport), TableKind::Articles);
}

TEST(TableTabsTest, PreviousGoesOneTabBackAndFromTheArticlesToTheSubgroupReport) {
    EXPECT_EQ(PreviousTable(TableKind::Operators), TableKind::Articles);
    EXPECT_EQ(PreviousTable(TableKind::Report), TableKind::Company);
    EXPECT_EQ(PreviousTable(TableKind::Articles), TableKind::SubgroupReport);
}

TEST(TableTabsTest, SixStepsEitherWayComeBackToTheStart) {
    for (TableKind start : AllTables) {
        TableKind forward = start;
        TableKind backward = start;
        for (int i = 0; i < TableCount; ++i) {
            forward = NextTable(forward);
            backward = PreviousTable(backward);
        }
        EXPECT_EQ(forward, start);
        EXPECT_EQ(backward, start);
    }
}

} // namespace
} // namespace tillora
