#pragma once

#include "link/Feedback.h"
#include "tables/CellGrid.h"
#include "tables/SheetData.h"
#include "tables/TableKind.h"

#include <string>
#include <string_view>

namespace tillora {

// Whether this build reads .xlsx and .ods files; without the library for them, reading says so.
bool CanReadSpreadsheets();

// Whether the file is a workbook (.xlsx, .xlsm, .ods, .xls, any case) rather than delimited text.
bool IsSpreadsheetFile(const std::string& path);

// Reads one sheet of an .xlsx or .ods file: the first when sheet is empty, else the one of that
// name. Cells come as typed: a number keeps its value beside its shortest decimal text, texts are
// Windows-1251. Rows without any value are left out; SheetRow::line is the sheet's row number.
// On failure errorUtf8 says why, in the user's words.
bool ReadSpreadsheetFile(const std::string& path, const std::string& sheet, SheetData& out,
                         std::string& errorUtf8);
// The same for a workbook already in memory; path only names it in the messages.
bool ReadSpreadsheetBytes(std::string_view bytes, const std::string& path, const std::string& sheet,
                          SheetData& out, std::string& errorUtf8);

// What a table can be written as, by the file name's extension (either case).
enum class SpreadsheetFormat { Xlsx, Csv, Unknown };
SpreadsheetFormat SpreadsheetFormatOf(const std::string& path);

// Whether this build writes .xlsx files; CSV is always written.
bool CanWriteSpreadsheets();

// Writes the table as .xlsx or as UTF-8 CSV, by the extension: a header row with the column
// titles, then every row that holds a value, its label first. Prices and quantities are numbers
// shown with their decimals, barcodes stay text. The file on disk is always the old one or the
// complete new one. Failures are shown through the feedback: 31105 for another extension, 31100
// for .xlsx in a build without its library, 20003 and 20002 as for a table file, 31106 when the
// library fails.
bool WriteSpreadsheetFile(const std::string& path, const CCellGrid& grid, TableKind kind,
                          IFeedback& feedback);

} // namespace tillora
