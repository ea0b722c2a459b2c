#pragma once

#include "link/TextDecoding.h"
#include "tables/SheetData.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// How a delimited text file (a spreadsheet saved as CSV or text) is to be read; what is not
// given is taken from the bytes.
struct TextSheetOptions {
    std::optional<TextEncoding> encoding; // none: as DetectTextEncoding tells
    char separator = 0;                   // '\t', ';' or ','; 0: the one the text uses
};

// How the text was read in the end, so that the user can see what was taken for what.
struct TextSheetFormat {
    TextEncoding encoding = TextEncoding::Cp1251;
    char separator = '\t';
};

// Splits the text into rows and cells: RFC 4180 quoting (a quoted cell may hold separators,
// doubled quotes and line ends), lines ending in CR LF, LF or CR, blank lines left out. Every
// cell is Windows-1251 text; nothing is typed as a number. A quote that is never closed counts
// as a plain character, so that the rest of the file is not swallowed into one cell.
TextSheetFormat ReadTextSheet(std::string_view bytes, const TextSheetOptions& options,
                              SheetData& out);

// The same for a file; false with the reason in errorUtf8 when the file cannot be read.
bool ReadTextSheetFile(const std::string& path, const TextSheetOptions& options, SheetData& out,
                       TextSheetFormat& format, std::string& errorUtf8);

// The separator the text uses most consistently over its first lines: tab before semicolon
// before comma when they tie; tab when it uses none.
char DetectSeparator(std::string_view text);

// The encodings and separators delimited text can be read with, each by the name the command
// line takes and the messages show, in the order they are offered. The separators' order is
// also the one detection settles ties by.
struct NamedEncoding {
    TextEncoding encoding;
    std::string_view name;
};
struct NamedSeparator {
    char separator;
    std::string_view name;
};
inline constexpr std::array<NamedEncoding, 4> TextEncodings = {
    {{TextEncoding::Cp1251, "windows-1251"},
     {TextEncoding::Utf8, "utf-8"},
     {TextEncoding::Utf16Le, "utf-16le"},
     {TextEncoding::Utf16Be, "utf-16be"}}};
inline constexpr std::array<NamedSeparator, 3> TextSeparators = {
    {{'\t', "tab"}, {';', ";"}, {',', ","}}};

// A name from the lists above; reading one back also takes the other names noted.
std::string_view EncodingName(TextEncoding encoding);
std::optional<TextEncoding> EncodingFromName(std::string_view name); // also cp1251, utf8, utf-16
std::string_view SeparatorName(char separator);
std::optional<char> SeparatorFromName(std::string_view name); // tab, \t, ;, semicolon, ,, comma

} // namespace tillora
