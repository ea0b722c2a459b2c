#pragma once

#include "tables/SheetData.h"

#include <string>

namespace tillora::cli {

// How the user asked a sheet to be read; empty means "as the file tells".
struct SheetSourceOptions {
    std::string sheet;     // the sheet of a workbook; the first when empty
    std::string separator; // tab, ;, , for a text file
    std::string encoding;  // windows-1251, utf-8, utf-16le, utf-16be for a text file
};

// Reads the file into rows: a workbook through the spreadsheet reader, anything else as
// delimited text. howReadUtf8 tells what was taken (encoding and separator, or the sheet);
// false with the reason in errorUtf8.
bool ReadSheetSource(const std::string& path, const SheetSourceOptions& options, SheetData& out,
                     std::string& howReadUtf8, std::string& errorUtf8);

} // namespace tillora::cli
