#pragma once

#include "cli/CliSession.h"
#include "cli/LoadedTable.h"
#include "cli/SheetSource.h"

#include <optional>
#include <string>

namespace tillora::cli {

// A sheet file to import into a table, and how to read it.
struct SheetImportArguments {
    std::string file;
    SheetReadArguments source;
    std::string columns; // a column map such as "name=2,price=4"; empty: by header or position
};

// Reads the sheet file into the table in place of what it held, telling on stderr how the file
// was read, which columns went where, every problem and a summary (the problems always, the rest
// unless the session is quiet). The number of problems; none, after saying why, when nothing was
// imported (a bad option, a file that cannot be read, no row for the table); usageError tells
// the options were at fault.
std::optional<int> ImportSheet(CCliSession& session, CLoadedTable& table,
                               const SheetImportArguments& arguments, bool& usageError);

} // namespace tillora::cli
