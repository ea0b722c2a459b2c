#pragma once

#include "tables/CellGrid.h"

#include <string_view>
#include <vector>

namespace tillora {

// The print settings, in character units of the print font.
namespace PrintSettings {
inline constexpr int HeaderLines = 2;
inline constexpr int FooterLines = 2;
inline constexpr int LeftMarginChars = 4;
inline constexpr int RightMarginChars = 4;
inline constexpr int TopMarginLines = 1;
inline constexpr int BottomMarginLines = 1;
inline constexpr int GapLines = 1;
} // namespace PrintSettings

// The character unit is this text's width divided by 52; it has always held 53 letters (a second
// "A"), and the unit has always been measured that way.
inline constexpr std::string_view PrintSampleText =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";
inline constexpr int PrintSampleDivisor = 52;

// The print font's character unit and line height, in the grid's pixels.
struct PrintMetrics {
    int charWidth = 0;
    int lineHeight = 0;
};

// The character unit from the sample text's measured extent.
PrintMetrics PrintMetricsFromSample(int sampleWidth, int sampleHeight);

// The grid rows printed on one page below the header rows, both ends included (hidden rows
// among them take no room).
struct PrintPage {
    int firstRow = 0;
    int lastRow = -1;
};

// Where everything goes on a page, in the grid's pixels: the page is as wide as the whole grid
// plus the side margins and scaled onto the paper's width, so every column fits on one page.
struct PrintLayout {
    PrintMetrics metrics;
    int gridWidth = 0;        // every column, hidden ones taking none
    int headerRowsHeight = 0; // the fixed rows, repeated on every page
    int pageWidth = 0;
    int pageHeight = 0; // from the paper's proportions
    int bodyHeight = 0; // what the data rows of one page may take at most
    std::vector<PrintPage> pages;

    int PageCount() const { return static_cast<int>(pages.size()); }
    int Left() const { return metrics.charWidth * PrintSettings::LeftMarginChars; }
    int HeaderTop() const { return metrics.lineHeight * PrintSettings::TopMarginLines; }
    int HeaderBottom() const {
        return HeaderTop() + metrics.lineHeight * PrintSettings::HeaderLines;
    }
    int GridTop() const { return HeaderBottom() + metrics.lineHeight * PrintSettings::GapLines; }
    int BodyTop() const { return GridTop() + headerRowsHeight; }
    int FooterTop() const {
        return BodyTop() + bodyHeight + metrics.lineHeight * PrintSettings::GapLines;
    }
    int FooterBottom() const {
        return FooterTop() + metrics.lineHeight * PrintSettings::FooterLines;
    }
};

// Lays the grid out on paper of the given size (any unit; only its proportions count). Rows are
// never split: a row that would overrun the body starts the next page. There is always at least
// one page, so an empty table still prints its header rows.
PrintLayout LayOutPrint(const CCellGrid& grid, PrintMetrics metrics, int paperWidth,
                        int paperHeight);

} // namespace tillora
