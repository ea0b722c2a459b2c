#include "sheets/SpreadsheetFile.h"

#include "link/FileReplace.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/CsvText.h"
#include "sheets/XlsxFile.h"
#include "tables/TableSetup.h"

#include <filesystem>
#include <random>

namespace tillora {
namespace {

namespace fs = std::filesystem;

// The library writes to a file of its own naming only; it goes to the temporary folder, and its
// bytes replace the target in one step as every file the program writes does.
std::optional<std::string> XlsxBytes(const ExportTable& table, std::string& detail) {
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    if (ec) {
        detail = ec.message();
        return std::nullopt;
    }
    std::random_device random;
    const fs::path scratch = folder / ("tillora-" + std::to_string(random()) + ".xlsx");
    const bool written = WriteXlsxFile(table, scratch, detail);
    std::optional<std::string> bytes = written ? ReadWholeFile(scratch) : std::nullopt;
    fs::remove(scratch, ec);
    return bytes;
}

} // namespace

bool WriteSpreadsheetFile(const std::string& path, const CCellGrid& grid, TableKind kind,
                          IFeedback& feedback) {
    const SpreadsheetFormat format = SpreadsheetFormatOf(path);
    if (format == SpreadsheetFormat::Unknown) {
        ShowError(feedback, ids::SheetExportUnknownType, path.c_str());
        return false;
    }
    if (format == SpreadsheetFormat::Xlsx && !CanWriteSpreadsheets()) {
        ShowError(feedback, ids::SpreadsheetsNotBuilt, path.c_str());
        return false;
    }
    const ExportTable table = MakeExportTable(grid, TabCaption(kind, {}));
    CWaitCursor wait(feedback);
    std::string detail;
    const std::optional<std::string> bytes =
        format == SpreadsheetFormat::Csv ? CsvText(table) : XlsxBytes(table, detail);
    if (!bytes) {
        ShowError(feedback, ids::SheetExportFailed, path.c_str(), detail.c_str());
        return false;
    }
    switch (ReplaceFile(Utf8Path(path), *bytes)) {
    case ReplaceResult::Replaced:
        return true;
    case ReplaceResult::NotCreated:
        ShowError(feedback, ids::FileNotCreated, path.c_str());
        return false;
    default:
        ShowError(feedback, ids::FileNotWritten, path.c_str());
        return false;
    }
}

} // namespace tillora
