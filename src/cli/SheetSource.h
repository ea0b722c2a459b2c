#pragma once

#include "sheets/SheetSource.h"

#include <string>

namespace tillora::cli {

// How the user asked a sheet to be read, as typed; empty means "as the file tells".
struct SheetReadArguments {
    std::string sheet;     // the sheet of a workbook; the first when empty
    std::string separator; // tab, ;, , for a text file
    std::string encoding;  // windows-1251, utf-8, utf-16le, utf-16be for a text file
};

// Reads the file into rows through the core's ReadSheetSource, after checking the options.
// howReadUtf8 tells what was taken from a text file (its encoding and separator); false with
// the reason in errorUtf8, which starts with the option's name where the option was wrong.
bool ReadSheetArguments(const std::string& path, const SheetReadArguments& arguments,
                        SheetData& out, std::string& howReadUtf8, std::string& errorUtf8);

} // namespace tillora::cli
