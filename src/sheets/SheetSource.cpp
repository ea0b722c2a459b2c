#include "sheets/SheetSource.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/SpreadsheetFile.h"

namespace tillora {

bool ReadSheetSource(const std::string& path, const SheetSourceOptions& options, SheetSource& out,
                     std::string& errorUtf8) {
    out = {};
    out.path = path;
    out.workbook = IsSpreadsheetFile(path);
    if (!out.workbook) {
        return ReadTextSheetFile(path, options.text, out.sheet, out.format, errorUtf8);
    }
    if (!CanReadSpreadsheets()) {
        errorUtf8 = FormatMessage(ids::ImportSpreadsheetUnreadable, path.c_str());
        return false;
    }
    return ReadSpreadsheetFile(path, options.sheet, out.sheet, errorUtf8);
}

} // namespace tillora
