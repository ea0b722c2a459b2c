#include "tables/SheetText.h"

#include "TempFolder.h"
#include "link/Cp1251.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace tillora {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows TextsOf(const SheetData& sheet) {
    Rows rows;
    for (const SheetRow& row : sheet.rows) {
        rows.emplace_back();
        for (const SheetCell& cell : row.cells) {
            rows.back().push_back(cell.text);
        }
    }
    return rows;
}

std::vector<int> LinesOf(const SheetData& sheet) {
    std::vector<int> lines;
    for (const SheetRow& row : sheet.rows) {
        lines.push_back(row.line);
    }
    return lines;
}

// UTF-8 (characters of the first plane) to UTF-16 with its byte-order mark.
std::string Utf16(std::string_view utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t code = c;
        std::size_t length = 1;
        if (c >= 0xE0) {
            code = ((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
            length = 3;
        } else if (c >= 0xC0) {
            code = ((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
            length = 2;
        }
        const char high = static_cast<char>(code >> 8);
        const char low = static_cast<char>(code & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
        i += length;
    }
    return out;
}

struct EncodingCase {
    TextEncoding encoding;
    std::string (*bytes)(const std::string& utf8);
};

const EncodingCase Encodings[] = {
    {TextEncoding::Cp1251, [](const std::string& t) { return Utf8ToCp1251(t); }},
    {TextEncoding::Utf8, [](const std::string& t) { return t; }},
    {TextEncoding::Utf8, [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
    {TextEncoding::Utf16Le, [](const std::string& t) { return Utf16(t, false); }},
    {TextEncoding::Utf16Be, [](const std::string& t) { return Utf16(t, true); }},
};

// The same price list in every encoding and with every separator reads as the same cells.
TEST(SheetTextTest, EveryEncodingAndSeparatorIsDetected) {
    const std::vector<std::pair<char, std::string>> lists = {
        {'\t', "№\tИме\tЦена\r\n1\tХляб\t1,20\r\n"},
        {';', "№;Име;Цена\r\n1;Хляб;1,20\r\n"},
        {',', "№,Име,Цена\r\n1,Хляб,\"1,20\"\r\n"},
    };
    const Rows expected = {{Utf8ToCp1251("№"), Utf8ToCp1251("Име"), Utf8ToCp1251("Цена")},
                           {"1", Utf8ToCp1251("Хляб"), "1,20"}};
    for (const EncodingCase& encoding : Encodings) {
        for (const auto& [separator, utf8] : lists) {
            SheetData sheet;
            const TextSheetFormat format = ReadTextSheet(encoding.bytes(utf8), {}, sheet);
            EXPECT_EQ(format.encoding, encoding.encoding) << utf8;
            EXPECT_EQ(format.separator, separator) << EncodingName(encoding.encoding);
            EXPECT_EQ(TextsOf(sheet), expected) << EncodingName(encoding.encoding) << " " << utf8;
        }
    }
}

TEST(SheetTextTest, QuotingFollowsTheCsvRules) {
    struct Case {
        std::string text;
        Rows rows;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"a,\"b,c\",d\n", {{"a", "b,c", "d"}}, {1}},
        {"\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}, {1}},
        {"\"two\r\nlines\",y\r\nz,w\r\n", {{"two\r\nlines", "y"}, {"z", "w"}}, {1, 3}},
        {"\"never closed,x\ny,z\n", {{"\"never closed", "x"}, {"y", "z"}}, {1, 2}},
        {"a,b\rc,d\r", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {"a,b\n\n\nc,\n", {{"a", "b"}, {"c", ""}}, {1, 4}},
        {"\"\",a\n", {{"", "a"}}, {1}},
        {"x\"y\",z", {{"x\"y\"", "z"}}, {1}},
    };
    for (const Case& c : cases) {
        SheetData sheet;
        ReadTextSheet(c.text, {std::nullopt, ','}, sheet);
        EXPECT_EQ(TextsOf(sheet), c.rows) << c.text;
        EXPECT_EQ(LinesOf(sheet), c.lines) << c.text;
    }
}

TEST(SheetTextTest, GivenSeparatorAndEncodingWinOverDetection) {
    SheetData sheet;
    const std::string bytes = "a;b,c;d\n";
    const TextSheetFormat format = ReadTextSheet(bytes, {TextEncoding::Cp1251, ','}, sheet);
    EXPECT_EQ(format.separator, ',');
    EXPECT_EQ(TextsOf(sheet), (Rows{{"a;b", "c;d"}}));
    // Windows-1251 given: the bytes of a UTF-8 "ж" stay two letters.
    ReadTextSheet("\xD0\xB6", {TextEncoding::Cp1251, 0}, sheet);
    EXPECT_EQ(TextsOf(sheet), (Rows{{"\xD0\xB6"}}));
}

TEST(SheetTextTest, NamesOnTheCommandLine) {
    EXPECT_EQ(EncodingFromName("UTF-8"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingFromName("cp1251"), TextEncoding::Cp1251);
    EXPECT_EQ(EncodingFromName("utf-16"), TextEncoding::Utf16Le);
    EXPECT_EQ(EncodingFromName("latin1"), std::nullopt);
    EXPECT_EQ(SeparatorFromName("tab"), '\t');
    EXPECT_EQ(SeparatorFromName("semicolon"), ';');
    EXPECT_EQ(SeparatorFromName("|"), std::nullopt);
    for (const NamedEncoding& listed : TextEncodings) {
        EXPECT_EQ(EncodingFromName(EncodingName(listed.encoding)), listed.encoding) << listed.name;
    }
    for (const NamedSeparator& listed : TextSeparators) {
        EXPECT_EQ(SeparatorFromName(SeparatorName(listed.separator)), listed.separator)
            << listed.name;
    }
}

TEST(SheetTextTest, MissingFileSaysWhichFile) {
    test::TempFolder temp{"tillora-sheet-text"};
    const std::string path = (temp.Path() / "none.csv").string();
    SheetData sheet;
    TextSheetFormat format;
    std::string error;
    EXPECT_FALSE(ReadTextSheetFile(path, {}, sheet, format, error));
    EXPECT_THAT(error, ::testing::HasSubstr(path));
}

} // namespace
} // namespace tillora
