#include "cli/SheetSource.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/SpreadsheetFile.h"
#include "tables/SheetText.h"

namespace tillora::cli {
namespace {

bool ReadWorkbook(const std::string& path, const SheetSourceOptions& options, SheetData& out,
                  std::string& howReadUtf8, std::string& errorUtf8) {
    howReadUtf8.clear();
    if (!CanReadSpreadsheets()) {
        errorUtf8 = FormatMessage(ids::ImportSpreadsheetUnreadable, path.c_str());
        return false;
    }
    // A workbook's cells come typed: there is no encoding or separator to tell.
    return ReadSpreadsheetFile(path, options.sheet, out, errorUtf8);
}

bool ReadDelimitedText(const std::string& path, const SheetSourceOptions& options, SheetData& out,
                       std::string& howReadUtf8, std::string& errorUtf8) {
    TextSheetOptions textOptions;
    if (!options.encoding.empty()) {
        textOptions.encoding = EncodingFromName(options.encoding);
        if (!textOptions.encoding) {
            errorUtf8 = "--encoding: \"" + options.encoding +
                        "\" is none of windows-1251, utf-8, utf-16le, utf-16be";
            return false;
        }
    }
    if (!options.separator.empty()) {
        const std::optional<char> separator = SeparatorFromName(options.separator);
        if (!separator) {
            errorUtf8 = "--separator: \"" + options.separator + "\" is none of tab, ';', ','";
            return false;
        }
        textOptions.separator = *separator;
    }
    TextSheetFormat format;
    if (!ReadTextSheetFile(path, textOptions, out, format, errorUtf8)) {
        return false;
    }
    howReadUtf8 =
        FormatMessage(ids::ImportTextFormat, std::string(EncodingName(format.encoding)).c_str(),
                      std::string(SeparatorName(format.separator)).c_str());
    return true;
}

} // namespace

// The one place that chooses the reader by the file's extension.
bool ReadSheetSource(const std::string& path, const SheetSourceOptions& options, SheetData& out,
                     std::string& howReadUtf8, std::string& errorUtf8) {
    if (IsSpreadsheetFile(path)) {
        return ReadWorkbook(path, options, out, howReadUtf8, errorUtf8);
    }
    if (!options.sheet.empty()) {
        errorUtf8 = "--sheet: " + path + " is a text file, which has no sheets";
        return false;
    }
    return ReadDelimitedText(path, options, out, howReadUtf8, errorUtf8);
}

} // namespace tillora::cli
