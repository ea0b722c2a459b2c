#pragma once

#include "sheets/ExportTable.h"

#include <filesystem>
#include <string>

namespace tillora {

// Writes the table as a new .xlsx file at the path: the titles in a bold, frozen header row,
// numbers in the number format of their column's decimals, text as text. False when the library
// fails, with its reason in detail.
bool WriteXlsxFile(const ExportTable& table, const std::filesystem::path& path,
                   std::string& detail);

} // namespace tillora
