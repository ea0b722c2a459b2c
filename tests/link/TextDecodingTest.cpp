#include "link/TextDecoding.h"

#include <gtest/gtest.h>

namespace tillora {
namespace {

TEST(TextDecodingTest, ByteOrderMarksDecideAndValidUtf8CountsAsUtf8) {
    EXPECT_EQ(DetectTextEncoding("\xFF\xFE"
                                 "1\0"),
              TextEncoding::Utf16Le);
    EXPECT_EQ(DetectTextEncoding("\xFE\xFF\0"
                                 "1"),
              TextEncoding::Utf16Be);
    EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF"
                                 "plain"),
              TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("\xD0\xAF"), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("plain"), TextEncoding::Cp1251);
    EXPECT_EQ(DetectTextEncoding("\xD5\xEB\xFF\xE1"), TextEncoding::Cp1251);
}

TEST(TextDecodingTest, TakesTextThatIsNotWholeUtf8AsWindows1251) {
    // Valid UTF-8 for "Я" followed by a lone Windows-1251 letter: not a UTF-8 file.
    EXPECT_EQ(TextAsCp1251("\xD0\xAF \xC0"), "\xD0\xAF \xC0");
    EXPECT_EQ(TextAsCp1251("\xE0\xA0"), "\xE0\xA0") << "a cut-off sequence";
    EXPECT_EQ(TextAsCp1251("\xC0\x80"), "\xC0\x80") << "an overlong form";
    EXPECT_EQ(TextAsCp1251("\xED\xA0\x80"), "\xED\xA0\x80") << "a surrogate";
    EXPECT_EQ(TextAsCp1251("\xD0\xAF"), "\xDF");
    EXPECT_EQ(TextAsCp1251("\xEF\xBB\xBF\xD0\xAF"), "\xDF") << "the byte-order mark is dropped";
    EXPECT_EQ(TextAsCp1251("\xE2\x82\xAC"), "\x88") << "the euro sign";
    EXPECT_EQ(TextAsCp1251("\xE4\xB8\xAD"), "?") << "what Windows-1251 cannot hold";
}

TEST(TextDecodingTest, Utf16BrokenUnitsBecomeQuestionMarks) {
    using namespace std::string_literals;
    EXPECT_EQ(TextAsCp1251("\xFF\xFE\x2F\x04"s), "\xDF");
    EXPECT_EQ(TextAsCp1251("\xFE\xFF\x04\x2F"s), "\xDF");
    EXPECT_EQ(TextAsCp1251("\xFF\xFE\x3D\xD8\x75\xDF"s), "?") << "a pair outside the 1251 set";
    EXPECT_EQ(TextAsCp1251("\xFF\xFE\x3D\xD8"
                           "a\0"s),
              "?a")
        << "a lone high surrogate";
    EXPECT_EQ(TextAsCp1251("\xFF\xFE"
                           "a\0\x00\xDC"s),
              "a?")
        << "a lone low surrogate";
    EXPECT_EQ(TextAsCp1251("\xFF\xFE"
                           "a\0b"s),
              "a?")
        << "an odd byte at the end";
    EXPECT_EQ(TextAsCp1251("\xFF\xFE"s), "");
}

} // namespace
} // namespace tillora
