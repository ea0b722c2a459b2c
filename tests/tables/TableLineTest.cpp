#include "tables/TableLine.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

TEST(TableLineTest, CutsOneLineEndOfAnyKind) {
    EXPECT_EQ(CutLineEnd("1\ta\r\n"), "1\ta");
    EXPECT_EQ(CutLineEnd("1\ta\n\r"), "1\ta");
    EXPECT_EQ(CutLineEnd("1\ta\n"), "1\ta");
    EXPECT_EQ(CutLineEnd("1\ta\r"), "1\ta");
    EXPECT_EQ(CutLineEnd("1\ta"), "1\ta");
    EXPECT_EQ(CutLineEnd("\n"), "");
    EXPECT_EQ(CutLineEnd(""), "");
    // Only one line end goes; a blank before it is part of the last field.
    EXPECT_EQ(CutLineEnd("1\ta \r\n"), "1\ta ");
}

TEST(TableLineTest, CountsFieldsWithoutTheLineEnd) {
    EXPECT_EQ(FieldCount("3\tbread\t\t1.20\t\t\t\t\r\n"), 8);
    EXPECT_EQ(FieldCount("3\r\n"), 1);
    EXPECT_EQ(FieldCount(""), 1);
    EXPECT_EQ(FieldCount("\t\t\n"), 3);
}

TEST(TableLineTest, TakesFieldsBetweenTabs) {
    const std::string_view line = "0\tFood\t\tA";
    EXPECT_EQ(GetField(line, 0), "0");
    EXPECT_EQ(GetField(line, 1), "Food");
    EXPECT_EQ(GetField(line, 2), "");
    EXPECT_EQ(GetField(line, 3), "A");
    EXPECT_EQ(GetField(line, 4), "");
    EXPECT_EQ(GetField(line, 40), "");
    EXPECT_EQ(GetField("1\t", 1), "");
}

TEST(TableLineTest, ReadsRowNumbersAsStrtolWouldWhenTheyFillTheField) {
    EXPECT_EQ(ParseRowNumber("12\tx"), 12);
    EXPECT_EQ(ParseRowNumber("+12\tx"), 12);
    EXPECT_EQ(ParseRowNumber(" 12\tx"), 12);
    EXPECT_EQ(ParseRowNumber("0012\r\n"), 12);
    EXPECT_EQ(ParseRowNumber("-3\tx"), -3);
    EXPECT_EQ(ParseRowNumber("-0\tx"), 0);
}

TEST(TableLineTest, IsNoRowForAnythingElse) {
    EXPECT_EQ(ParseRowNumber("12 \tx"), -1);
    EXPECT_EQ(ParseRowNumber("12a\tx"), -1);
    EXPECT_EQ(ParseRowNumber(" \tx"), -1);
    EXPECT_EQ(ParseRowNumber("\tx"), -1) << "an empty first field is no row 0";
    EXPECT_EQ(ParseRowNumber("\r\n"), -1);
    EXPECT_EQ(ParseRowNumber("+\tx"), -1);
    EXPECT_EQ(ParseRowNumber("1.5\tx"), -1);
    EXPECT_EQ(ParseRowNumber("Name\tPrice"), -1);
    EXPECT_EQ(ParseRowNumber("\xEF\xBB\xBF"
                             "1\tx"),
              -1);
}

TEST(TableLineTest, IsNoRowForNumbersBeyondAnInt) {
    EXPECT_EQ(ParseRowNumber("2147483647\tx"), 2147483647);
    EXPECT_EQ(ParseRowNumber("2147483648\tx"), -1);
    EXPECT_EQ(ParseRowNumber("4294967297\tx"), -1); // would wrap to 1
    EXPECT_EQ(ParseRowNumber("99999999999999999999999\tx"), -1);
}

} // namespace
} // namespace tillora
