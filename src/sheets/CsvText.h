#pragma once

#include "sheets/ExportTable.h"

#include <string>

namespace tillora {

// The table as UTF-8 CSV: a byte-order mark (so that spreadsheet programs take the text as
// UTF-8), comma between fields, CR LF after every record, a field in double quotes where it holds
// a comma, a quote, a line break or blanks at either end, and every quote in it doubled.
std::string CsvText(const ExportTable& table);

} // namespace tillora
