#include "tables/PrintLayout.h"

#include <algorithm>
#include <cstdint>

namespace tillora {
namespace {

int ColumnsWidth(const CCellGrid& grid) {
    int width = 0;
    for (int c = 0; c < grid.GetColumnCount(); ++c) {
        width += grid.GetColumnWidth(c);
    }
    return width;
}

int HeaderRowsHeight(const CCellGrid& grid) {
    int height = 0;
    for (int r = 0; r < std::min(grid.GetFixedRowCount(), grid.GetRowCount()); ++r) {
        height += grid.GetRowHeight(r);
    }
    return height;
}

// The page's height inside its top and bottom margins, less the header, the footer and their
// gaps and the header rows.
int BodyHeight(const PrintLayout& layout) {
    using namespace PrintSettings;
    const int lines = TopMarginLines + BottomMarginLines + HeaderLines + FooterLines + 2 * GapLines;
    return layout.pageHeight - lines * layout.metrics.lineHeight - layout.headerRowsHeight;
}

std::vector<PrintPage> DistributeRows(const CCellGrid& grid, int bodyHeight) {
    std::vector<PrintPage> pages;
    const int first = std::max(grid.GetFixedRowCount(), 0);
    PrintPage page{first, first - 1};
    int used = 0;
    for (int r = first; r < grid.GetRowCount(); ++r) {
        const int height = grid.GetRowHeight(r);
        if (height > 0 && used > 0 && used + height > bodyHeight) {
            pages.push_back(page);
            page = {r, r - 1};
            used = 0;
        }
        page.lastRow = r;
        used += height;
    }
    pages.push_back(page);
    return pages;
}

} // namespace

PrintMetrics PrintMetricsFromSample(int sampleWidth, int sampleHeight) {
    return {sampleWidth / PrintSampleDivisor, sampleHeight};
}

PrintLayout LayOutPrint(const CCellGrid& grid, PrintMetrics metrics, int paperWidth,
                        int paperHeight) {
    PrintLayout layout;
    layout.metrics = metrics;
    layout.gridWidth = ColumnsWidth(grid);
    layout.headerRowsHeight = HeaderRowsHeight(grid);
    layout.pageWidth = layout.gridWidth + metrics.charWidth * (PrintSettings::LeftMarginChars +
                                                               PrintSettings::RightMarginChars);
    if (paperWidth > 0 && paperHeight > 0) {
        layout.pageHeight = static_cast<int>(static_cast<std::int64_t>(paperHeight) *
                                             layout.pageWidth / paperWidth);
    }
    layout.bodyHeight = BodyHeight(layout);
    layout.pages = DistributeRows(grid, layout.bodyHeight);
    return layout;
}

} // namespace tillora
