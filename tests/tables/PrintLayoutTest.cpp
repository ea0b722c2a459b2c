#include "tables/PrintLayout.h"

#include "tables/TableSetup.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

constexpr PrintMetrics Unit{5, 12};
// A4's proportions.
constexpr int PaperWidth = 2100;
constexpr int PaperHeight = 2970;

// header + footer + two gaps + top and bottom margin
constexpr int FrameLines = 2 + 2 + 2 + 1 + 1;

void Shape(CCellGrid& grid, int rows, int columns, int rowHeight, int columnWidth) {
    grid.SetRowCount(rows);
    grid.SetColumnCount(columns);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int r = 0; r < rows; ++r) {
        grid.SetRowHeight(r, rowHeight);
    }
    for (int c = 0; c < columns; ++c) {
        grid.SetColumnWidth(c, columnWidth);
    }
}

int VisibleHeight(const CCellGrid& grid, const PrintPage& page) {
    int height = 0;
    for (int r = page.firstRow; r <= page.lastRow; ++r) {
        height += grid.GetRowHeight(r);
    }
    return height;
}

TEST(PrintLayoutTest, TheCharacterUnitIsTheSampleWidthOverFiftyTwo) {
    EXPECT_EQ(PrintSampleText.size(), 53u);
    const PrintMetrics metrics = PrintMetricsFromSample(290, 12);
    EXPECT_EQ(metrics.charWidth, 5);
    EXPECT_EQ(metrics.lineHeight, 12);
}

TEST(PrintLayoutTest, TheWholeWidthWithItsMarginsIsScaledOntoThePaper) {
    CCellGrid grid;
    Shape(grid, 11, 4, 20, 100);
    grid.SetColumnWidth(2, 0);
    const PrintLayout layout = LayOutPrint(grid, Unit, PaperWidth, PaperHeight);
    EXPECT_EQ(layout.gridWidth, 300);
    EXPECT_EQ(layout.pageWidth, 300 + 8 * 5);
    EXPECT_EQ(layout.pageHeight, 340 * PaperHeight / PaperWidth);
    EXPECT_EQ(layout.Left(), 20);
}

TEST(PrintLayoutTest, TheBodyIsThePageLessTheFrameLinesAndTheHeaderRows) {
    CCellGrid grid;
    Shape(grid, 11, 4, 20, 100);
    grid.SetRowHeight(0, 30);
    const PrintLayout layout = LayOutPrint(grid, Unit, PaperWidth, PaperHeight);
    EXPECT_EQ(layout.bodyHeight, layout.pageHeight - FrameLines * 12 - 30);
    EXPECT_EQ(layout.GridTop(), (1 + 2 + 1) * 12);
    EXPECT_EQ(layout.BodyTop(), layout.GridTop() + 30);
    EXPECT_EQ(layout.FooterBottom(), layout.pageHeight - 12);
}

TEST(PrintLayoutTest, RowsFillEachPageWithoutSplittingAny) {
    CCellGrid grid;
    Shape(grid, 1001, 3, 21, 150);
    const PrintLayout layout = LayOutPrint(grid, Unit, PaperWidth, PaperHeight);
    const int perPage = layout.bodyHeight / 21;
    ASSERT_GT(perPage, 1);
    ASSERT_EQ(layout.PageCount(), (1000 + perPage - 1) / perPage);
    int next = 1;
    for (const PrintPage& page : layout.pages) {
        EXPECT_EQ(page.firstRow, next);
        EXPECT_LE(VisibleHeight(grid, page), layout.bodyHeight);
        if (&page != &layout.pages.back()) {
            EXPECT_EQ(page.lastRow - page.firstRow + 1, perPage);
        }
        next = page.lastRow + 1;
    }
    EXPECT_EQ(next, 1001);
}

TEST(PrintLayoutTest, HiddenRowsTakeNoRoom) {
    CCellGrid grid;
    Shape(grid, 201, 3, 21, 150);
    const int perPage = LayOutPrint(grid, Unit, PaperWidth, PaperHeight).bodyHeight / 21;
    for (int r = 1; r <= perPage; r += 2) {
        grid.SetRowHeight(r, 0);
    }
    const PrintLayout layout = LayOutPrint(grid, Unit, PaperWidth, PaperHeight);
    const PrintPage& first = layout.pages.front();
    EXPECT_GT(first.lastRow, perPage);
    EXPECT_LE(VisibleHeight(grid, first), layout.bodyHeight);
}

TEST(PrintLayoutTest, ARowTallerThanTheBodyGetsAPageOfItsOwn) {
    CCellGrid grid;
    Shape(grid, 4, 2, 20, 100);
    grid.SetRowHeight(2, 5000);
    const PrintLayout layout = LayOutPrint(grid, Unit, PaperWidth, PaperHeight);
    ASSERT_EQ(layout.PageCount(), 3);
    EXPECT_EQ(layout.pages[1].firstRow, 2);
    EXPECT_EQ(layout.pages[1].lastRow, 2);
    EXPECT_EQ(layout.pages[2].firstRow, 3);
}

TEST(PrintLayoutTest, ATableWithoutDataRowsStillPrintsOnePage) {
    CCellGrid grid;
    Shape(grid, 1, 3, 20, 100);
    const PrintLayout layout = LayOutPrint(grid, Unit, PaperWidth, PaperHeight);
    ASSERT_EQ(layout.PageCount(), 1);
    EXPECT_GT(layout.pages[0].firstRow, layout.pages[0].lastRow);
}

TEST(PrintLayoutTest, TheArticlesTableSpreadsOverManyFullPages) {
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    const PrintLayout layout = LayOutPrint(articles, Unit, PaperWidth, PaperHeight);
    const int rowHeight = articles.GetRowHeight(1);
    const int perPage = layout.bodyHeight / rowHeight;
    EXPECT_EQ(layout.PageCount(), (2600 + perPage - 1) / perPage);
    EXPECT_EQ(layout.pages.back().lastRow, 2600);
}

} // namespace
} // namespace tillora
