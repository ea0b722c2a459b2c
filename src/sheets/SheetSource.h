#pragma once

#include "tables/SheetData.h"
#include "tables/SheetText.h"

#include <string>

namespace tillora {

// A file read for an import into a table, whatever kind it is.
struct SheetSource {
    std::string path;      // UTF-8
    bool workbook = false; // .xlsx, .ods and the like: the cells come typed
    SheetData sheet;
    TextSheetFormat format; // how delimited text was read; unused for a workbook
};

// How the user asked the file to be read; empty means "as the file tells".
struct SheetSourceOptions {
    std::string sheet;     // the sheet of a workbook; the first when empty
    TextSheetOptions text; // the encoding and separator of delimited text
};

// The one place that chooses the reader, for the command line and the window alike: a workbook
// (by the file's extension) through the spreadsheet reader, anything else as delimited text.
// False with the reason in errorUtf8.
bool ReadSheetSource(const std::string& path, const SheetSourceOptions& options, SheetSource& out,
                     std::string& errorUtf8);

} // namespace tillora
