#include "transfer/ReportLine.h"
#include "ModelInForce.h"

#include "ReportLineOffsets.h"
#include "ReportLineText.h"
#include "link/EcrSettings.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tillora {
namespace {

using test::ArticleOffsets;
using test::ArticleOffsetsOf;
using test::SubgroupOffsets;
using test::SubgroupOffsetsOf;

using test::ReportLineText;

// ---- CopySlice ----

TEST(CopySliceTest, CopiesAtMostCountCharactersFromTheOffset) {
    EXPECT_EQ(CopySlice("abcdef", 2, 3), "cde");
    EXPECT_EQ(CopySlice("abcdef", 0, 6), "abcdef");
    EXPECT_EQ(CopySlice("abcdef", 1, 0), "");
}

TEST(CopySliceTest, StopsAtTheEndOfTheLine) {
    EXPECT_EQ(CopySlice("abcdef", 4, 10), "ef");
    EXPECT_EQ(CopySlice("abcdef", 5, 2), "f");
}

TEST(CopySliceTest, SliceAtOrBehindTheEndIsEmpty) {
    EXPECT_EQ(CopySlice("abcdef", 6, 1), "");
    EXPECT_EQ(CopySlice("abcdef", 7, 3), "");
    EXPECT_EQ(CopySlice("", 0, 3), "");
}

TEST(CopySliceTest, NulByteEndsTheLine) {
    const std::string line("ab\0cd", 5);
    EXPECT_EQ(CopySlice(line, 1, 4), "b");
    EXPECT_EQ(CopySlice(line, 3, 2), "");
}

// ---- ParseSliceNumber ----

TEST(ParseSliceNumberTest, ReadsSignedDecimalsWithLeadingWhiteSpace) {
    EXPECT_EQ(ParseSliceNumber("xx0042yy", 2, 4), 42);
    EXPECT_EQ(ParseSliceNumber("xx  12yy", 2, 4), 12);
    EXPECT_EQ(ParseSliceNumber("xx\t 7yy", 2, 3), 7);
    EXPECT_EQ(ParseSliceNumber("xx+005yy", 2, 4), 5);
    EXPECT_EQ(ParseSliceNumber("xx -3yy", 2, 3), -3);
    EXPECT_EQ(ParseSliceNumber("9", 0, 1), 9);
}

TEST(ParseSliceNumberTest, SliceNotUsedUpIsMinusOne) {
    EXPECT_EQ(ParseSliceNumber("xx12 yy", 2, 3), -1);
    EXPECT_EQ(ParseSliceNumber("xx12A4", 2, 4), -1);
    EXPECT_EQ(ParseSliceNumber("xx    ", 2, 4), -1);
    EXPECT_EQ(ParseSliceNumber("xx-", 2, 1), -1);
    EXPECT_EQ(ParseSliceNumber("xx+ 1", 2, 3), -1);
    EXPECT_EQ(ParseSliceNumber("xx1.5", 2, 3), -1);
    EXPECT_EQ(ParseSliceNumber("xx0x1", 2, 3), -1);
}

TEST(ParseSliceNumberTest, EmptySliceIsZero) {
    EXPECT_EQ(ParseSliceNumber("short", 8, 4), 0);
    EXPECT_EQ(ParseSliceNumber("short", 5, 1), 0);
    EXPECT_EQ(ParseSliceNumber("12", 0, 0), 0);
}

TEST(ParseSliceNumberTest, SliceShortenedByTheLineEndIsReadAsFarAsItGoes) {
    EXPECT_EQ(ParseSliceNumber("xx12", 2, 4), 12);
}

// ---- The layouts, built here from the register's offsets ----

using test::ModelInForce;

constexpr std::size_t AmountWidth = 11;

// A tax group the model accepts, as the register sends it and as the table shows it.
struct TaxGroupBytes {
    std::string sent;
    std::string shown;
};
TaxGroupBytes TaxGroupOf(int model) {
    if (model >= 6) {
        return {"B", "B"};
    }
    return {"\x81", "\xC1"}; // the register's Б
}

const std::string Letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

class ReportLayoutTest : public ::testing::TestWithParam<int> {
protected:
    ReportLayoutTest() : model(GetParam()), inForce(GetParam()) {
        SetupTable(reportGrid, TableKind::Report);
        SetupTable(subgroupGrid, TableKind::SubgroupReport);
    }

    // Every field full width; a '#' in every gap shows a field read one place off. A line
    // shorter than its fields is cut, with its line feed at the new end.
    std::string ArticleLine(std::size_t length) const {
        return CutTo(length, FullArticleLine(std::max(length, ArticleLineEnd())));
    }

    static std::string CutTo(std::size_t length, std::string line) {
        line.resize(length);
        line.back() = '\n';
        return line;
    }

    std::string FullArticleLine(std::size_t length) const {
        const ArticleOffsets o = ArticleOffsetsOf(model);
        const std::string number = o.numberWidth == 3 ? "042" : "0042";
        return ReportLineText(length,
                              {{8, number},
                               {o.name, Letters.substr(0, o.nameWidth)},
                               {o.barcode, "123456789012"},
                               {o.price, "123456.78"},
                               {o.taxGroup, TaxGroupOf(model).sent},
                               {o.subgroup, "3"},
                               {o.paymentType, "2"},
                               {o.turnover, "12345678.90"},
                               {o.sales, "1234567.125"},
                               {o.stock == 0 ? 8 : o.stock, o.stock == 0 ? number : "7654321.500"}},
                              '#');
    }

    std::size_t ArticleLineEnd() const {
        const ArticleOffsets o = ArticleOffsetsOf(model);
        return (o.stock == 0 ? o.sales : o.stock) + AmountWidth; // one past the last field
    }

    std::string SubgroupLine(std::size_t length) const {
        return CutTo(length, FullSubgroupLine(std::max(length, SubgroupLineEnd())));
    }

    std::string FullSubgroupLine(std::size_t length) const {
        const SubgroupOffsets o = SubgroupOffsetsOf(model);
        return ReportLineText(length,
                              {{8, "3"},
                               {o.name, Letters.substr(0, o.nameWidth)},
                               {o.price, "123456.78"},
                               {o.taxGroup, TaxGroupOf(model).sent},
                               {o.turnover, "12345678.90"}},
                              '#');
    }

    std::size_t SubgroupLineEnd() const { return SubgroupOffsetsOf(model).turnover + AmountWidth; }

    int model;
    ModelInForce inForce;
    CCellGrid reportGrid;
    CMemoryGridAccess report{reportGrid};
    CCellGrid subgroupGrid;
    CMemoryGridAccess subgroups{subgroupGrid};
};

TEST_P(ReportLayoutTest, ArticleLineFillsEveryColumnFromItsOffsets) {
    const std::string line = ArticleLine(ArticleLineEnd() + 1);
    ASSERT_TRUE(ParseArticleReportLine(report, line, 42, model));

    EXPECT_EQ(report.GetItemText(42, 1), Letters.substr(0, ArticleOffsetsOf(model).nameWidth));
    EXPECT_EQ(report.GetItemText(42, 2), "123456789012");
    EXPECT_EQ(report.GetItemText(42, 3), "123456.78");
    EXPECT_EQ(report.GetItemText(42, 4), TaxGroupOf(model).shown);
    EXPECT_EQ(report.GetItemText(42, 5), "3");
    EXPECT_EQ(report.GetItemText(42, 6), "2");
    EXPECT_EQ(report.GetItemText(42, 7), model == 1 ? "" : "7654321.500");
    EXPECT_EQ(report.GetItemText(42, 8), "12345678.90");
    EXPECT_EQ(report.GetItemText(42, 9), "1234567.125");
    EXPECT_EQ(report.LastShown(), (CCellID{42, 1}));
}

TEST_P(ReportLayoutTest, ArticleLineEndingWithItsLastFieldIsTaken) {
    // The line feed takes the last field's last place and is trimmed away.
    const std::string line = ArticleLine(ArticleLineEnd());
    ASSERT_TRUE(ParseArticleReportLine(report, line, 42, model));
    EXPECT_EQ(report.GetItemText(42, 1), Letters.substr(0, ArticleOffsetsOf(model).nameWidth));
    EXPECT_EQ(report.GetItemText(42, model == 1 ? 9 : 7),
              model == 1 ? "1234567.120" : "7654321.500");
}

TEST_P(ReportLayoutTest, ArticleLineOneByteShortIsDropped) {
    report.SetItemText(42, 1, "KEPT");
    const std::string line = ArticleLine(ArticleLineEnd() - 1);
    EXPECT_FALSE(ParseArticleReportLine(report, line, 42, model));
    EXPECT_EQ(report.GetItemText(42, 1), "KEPT");
    for (int c = 2; c < report.GetColumnCount(); ++c) {
        EXPECT_EQ(report.GetItemText(42, c), "") << "column " << c;
    }
}

TEST_P(ReportLayoutTest, SubgroupLineFillsEveryColumnFromItsOffsets) {
    const std::string line = SubgroupLine(SubgroupLineEnd() + 1);
    ASSERT_TRUE(ParseSubgroupReportLine(subgroups, line, 4, model));

    EXPECT_EQ(subgroups.GetItemText(4, 1), Letters.substr(0, SubgroupOffsetsOf(model).nameWidth));
    EXPECT_EQ(subgroups.GetItemText(4, 2), "123456.78");
    EXPECT_EQ(subgroups.GetItemText(4, 3), TaxGroupOf(model).shown);
    EXPECT_EQ(subgroups.GetItemText(4, 4), "12345678.90");
    EXPECT_EQ(subgroups.LastShown(), (CCellID{4, 1}));
}

TEST_P(ReportLayoutTest, SubgroupLineOneByteShortIsDropped) {
    const std::string line = SubgroupLine(SubgroupLineEnd() - 1);
    EXPECT_FALSE(ParseSubgroupReportLine(subgroups, line, 4, model));
    for (int c = 1; c < subgroups.GetColumnCount(); ++c) {
        EXPECT_EQ(subgroups.GetItemText(4, c), "") << "column " << c;
    }
    EXPECT_TRUE(ParseSubgroupReportLine(subgroups, SubgroupLine(SubgroupLineEnd()), 4, model));
}

TEST_P(ReportLayoutTest, LayoutDataMatchesTheRegistersOffsets) {
    const ArticleOffsets a = ArticleOffsetsOf(model);
    const ArticleLineLayout& al = ArticleLayoutOf(model);
    EXPECT_EQ(al.numberWidth, a.numberWidth);
    EXPECT_EQ(al.name.offset, a.name);
    EXPECT_EQ(al.name.width, a.nameWidth);
    EXPECT_EQ(al.stock.width, a.stock == 0 ? 0u : AmountWidth);
    const SubgroupOffsets s = SubgroupOffsetsOf(model);
    EXPECT_EQ(SubgroupLayoutOf(model).name.width, s.nameWidth);
    EXPECT_EQ(SubgroupLayoutOf(model).turnover.offset, s.turnover);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ReportLayoutTest, ::testing::Range(0, 10));

// ---- What the parsers do with the values ----

class ReportLineValuesTest : public ::testing::Test {
protected:
    ReportLineValuesTest() { SetupTable(reportGrid, TableKind::Report); }

    ModelInForce inForce{2};
    CCellGrid reportGrid;
    CMemoryGridAccess report{reportGrid};
};

TEST_F(ReportLineValuesTest, FieldsAreTrimmedOfBlanksAndLineEnds) {
    // Model 2: name 13-24, barcode 26-37, price 39-47, turnover 55-65, sales 67-77, stock 79-89.
    const std::string line = ReportLineText(91, {{8, "0007"},
                                                 {13, "  MILK \r    "},
                                                 {26, "\n     123   "},
                                                 {39, "   1.5   "},
                                                 {49, "\x80"},
                                                 {51, "1"},
                                                 {53, "0"},
                                                 {55, "         10"},
                                                 {67, "\r\n      2.5"},
                                                 {79, "3          "}});
    ASSERT_TRUE(ParseArticleReportLine(report, line, 7, 2));
    EXPECT_EQ(report.GetItemText(7, 1), "MILK");
    EXPECT_EQ(report.GetItemText(7, 2), "000000000123");
    EXPECT_EQ(report.GetItemText(7, 3), "1.50");
    EXPECT_EQ(report.GetItemText(7, 4), "\xC0");
    EXPECT_EQ(report.GetItemText(7, 5), "1");
    EXPECT_EQ(report.GetItemText(7, 6), "0");
    EXPECT_EQ(report.GetItemText(7, 7), "3.000");
    EXPECT_EQ(report.GetItemText(7, 8), "10.00");
    EXPECT_EQ(report.GetItemText(7, 9), "2.500");
}

TEST_F(ReportLineValuesTest, NameIsConvertedFromTheRegistersCharacterSet) {
    const std::string line = ReportLineText(91, {{8, "0001"},
                                                 {13, "\x80\x81\x82 \xBF"
                                                      "a"}});
    ASSERT_TRUE(ParseArticleReportLine(report, line, 1, 2));
    EXPECT_EQ(report.GetItemText(1, 1), "\xC0\xC1\xC2  a");
}

TEST_F(ReportLineValuesTest, ValueThatItsCellRefusesLeavesTheCellEmpty) {
    const std::string line = ReportLineText(
        91, {{8, "0001"}, {13, "X"}, {26, "12A"}, {39, "-1"}, {49, "Z"}, {51, "x"}, {55, "abc"}});
    ASSERT_TRUE(ParseArticleReportLine(report, line, 1, 2));
    EXPECT_EQ(report.GetItemText(1, 1), "X");
    for (int c = 2; c <= 9; ++c) {
        EXPECT_EQ(report.GetItemText(1, c), "") << "column " << c;
    }
}

TEST_F(ReportLineValuesTest, RowOutsideTheDataRowsIsNotFilled) {
    const std::string line = ReportLineText(91, {{8, "0000"}, {13, "NAME"}});
    const std::string header = report.GetItemText(0, 1);
    EXPECT_FALSE(ParseArticleReportLine(report, line, 0, 2));
    EXPECT_EQ(report.GetItemText(0, 1), header);
    EXPECT_FALSE(ParseArticleReportLine(report, line, report.GetRowCount(), 2));
    EXPECT_FALSE(ParseArticleReportLine(report, line, -5, 2));
    EXPECT_TRUE(ParseArticleReportLine(report, line, report.GetRowCount() - 1, 2));
}

TEST_F(ReportLineValuesTest, ModelOneLeavesTheStockColumnAlone) {
    ModelInForce modelOne(1);
    report.SetItemText(3, 7, "9");
    const std::string line = ReportLineText(101, {{8, "003"}, {12, "NAME"}, {81, "5"}});
    ASSERT_TRUE(ParseArticleReportLine(report, line, 3, 1));
    EXPECT_EQ(report.GetItemText(3, 1), "NAME");
    EXPECT_EQ(report.GetItemText(3, 7), "9.000");
}

} // namespace
} // namespace tillora
