#include "link/Charset.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

std::string ToRegister(std::string text) {
    ConvertText(text, Direction::ToRegister);
    return text;
}

std::string FromRegister(std::string text) {
    ConvertText(text, Direction::FromRegister);
    return text;
}

TEST(CharsetTest, LettersReachTheRegisterAsCapitals) {
    EXPECT_EQ(ToRegister("abc xyz ABC"), "ABC XYZ ABC");
    // Windows-1251 "аяАЯ": small and capital Cyrillic both land on the register's 0x80-0x9F.
    EXPECT_EQ(ToRegister("\xE0\xFF\xC0\xDF"), "\x80\x9F\x80\x9F");
}

TEST(CharsetTest, WhatTheRegisterCannotPrintBecomesABlank) {
    EXPECT_EQ(ToRegister("{|}~"), "    ");
    EXPECT_EQ(ToRegister("\x7F\xA8\xBF\x01\t"), "     ");
    EXPECT_EQ(ToRegister("!@`"), "!@`");
}

TEST(CharsetTest, RegisterTextComesBackAsWindows1251) {
    EXPECT_EQ(FromRegister("\x80\x9F\xBE"), "\xC0\xDF\xFE");
    EXPECT_EQ(FromRegister("\xBF\x7F\x1F"), "   ");
    EXPECT_EQ(FromRegister("abc{}~"), "abc{}~");
}

TEST(CharsetTest, ConversionStopsAtTheFirstNul) {
    char text[] = "ab\0cd";
    ConvertText(text, Direction::ToRegister);
    EXPECT_EQ(std::string(text, 5), std::string("AB\0cd", 5));
}

TEST(CharsetTest, TablesHoldEveryEntry) {
    const CharsetTables tables = BuildCharsetTables();
    EXPECT_EQ(tables.toRegister[0x00], 0x20);
    EXPECT_EQ(tables.toRegister[0x60], 0x60);
    EXPECT_EQ(tables.toRegister[0x7A], 0x5A);
    EXPECT_EQ(tables.fromRegister[0x7E], 0x7E);
    EXPECT_EQ(tables.fromRegister[0xFF], 0x20);
}

} // namespace
} // namespace tillora
