#include "sheets/SpreadsheetFile.h"

#include "link/Message.h"
#include "res/StringIds.h"

namespace tillora {

// This build was made without the library that reads .xlsx and .ods files.
bool CanReadSpreadsheets() {
    return false;
}

bool ReadSpreadsheetFile(const std::string& path, const std::string& sheet, SheetData& out,
                         std::string& errorUtf8) {
    return ReadSpreadsheetBytes({}, path, sheet, out, errorUtf8);
}

bool ReadSpreadsheetBytes(std::string_view, const std::string& path, const std::string&,
                          SheetData& out, std::string& errorUtf8) {
    out = {};
    errorUtf8 = FormatMessage(ids::SpreadsheetsNotBuilt, path.c_str());
    return false;
}

} // namespace tillora
