#include "link/Cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace tillora {
namespace {

std::string Bytes(int first, int last) {
    std::string text;
    for (int b = first; b <= last; ++b) {
        text += static_cast<char>(b);
    }
    return text;
}

TEST(Cp1251Test, UpperHalfAsUnicodeCharacters) {
    // 0x98 has no character; \u00A0 and \u00AD are the no-break space and the soft hyphen.
    EXPECT_EQ(Cp1251ToUtf8(Bytes(0x80, 0x8F)), "ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏ");
    EXPECT_EQ(Cp1251ToUtf8(Bytes(0x90, 0x9F)), "ђ‘’“”•–—?™љ›њќћџ");
    EXPECT_EQ(Cp1251ToUtf8(Bytes(0xA0, 0xAF)), "\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї");
    EXPECT_EQ(Cp1251ToUtf8(Bytes(0xB0, 0xBF)), "°±Ііґµ¶·ё№є»јЅѕї");
    EXPECT_EQ(Cp1251ToUtf8(Bytes(0xC0, 0xDF)), "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    EXPECT_EQ(Cp1251ToUtf8(Bytes(0xE0, 0xFF)), "абвгдежзийклмнопрстуфхцчшщъыьэюя");
}

TEST(Cp1251Test, AsciiAndNulPassUnchanged) {
    const std::string ascii = Bytes(0x00, 0x7F);
    EXPECT_EQ(Cp1251ToUtf8(ascii), ascii);
    EXPECT_EQ(Utf8ToCp1251(ascii), ascii);
}

TEST(Cp1251Test, EveryDefinedByteSurvivesTheRoundTrip) {
    int defined = 0;
    for (int b = 0; b <= 0xFF; ++b) {
        if (b == 0x98) {
            continue;
        }
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << std::hex << b;
        ++defined;
    }
    EXPECT_EQ(defined, 255);
    std::string all = Bytes(0x00, 0x97) + Bytes(0x99, 0xFF);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251Test, CharactersWithoutACodeBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("Цена: 5€"), "\xD6\xE5\xED\xE0: 5\x88");
    EXPECT_EQ(Utf8ToCp1251("Ä中😀й"), "???\xE9");
    EXPECT_EQ(Utf8ToCp1251("\u0098"), "?"); // the control character does not take 0x98
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");
}

TEST(Cp1251Test, EveryByteOfAnInvalidSequenceBecomesAQuestionMark) {
    EXPECT_EQ(Utf8ToCp1251("\xE2\x82"
                           "A"),
              "??A");                                    // cut short
    EXPECT_EQ(Utf8ToCp1251("\x80\xBF"), "??");           // continuation bytes alone
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");           // overlong "/"
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");      // a surrogate
    EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????"); // beyond U+10FFFF
    EXPECT_EQ(Utf8ToCp1251("\xFF"
                           "б"),
              "?\xE1");
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?"); // the text ends inside a sequence
}

} // namespace
} // namespace tillora
