#include "sheets/XlsxFile.h"

#include "sheets/SpreadsheetFile.h"

namespace tillora {

bool CanWriteSpreadsheets() {
    return false;
}

// This build was made without the library that writes .xlsx files; the caller says so before.
bool WriteXlsxFile(const ExportTable&, const std::filesystem::path&, std::string& detail) {
    detail = "xlsx";
    return false;
}

} // namespace tillora
