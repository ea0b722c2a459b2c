#pragma once

#include "cli/CliSession.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "tables/TableReadSummary.h"

#include <string>

namespace tillora::cli {

// One table set up as the program sets it up, for the commands that read a table file into it
// or fill it from the register.
class CLoadedTable {
public:
    // The tax-group letters follow the model of the session, so it is put in force first.
    CLoadedTable(CCliSession& session, TableKind kind);
    CLoadedTable(const CLoadedTable&) = delete;
    CLoadedTable& operator=(const CLoadedTable&) = delete;

    // Reads the file as the program does; false after its message.
    bool Load(const std::string& file);
    // One line on stderr of what the last read took and left, unless the session is quiet.
    void TellWhatWasRead() const;
    // Writes the table in the program's own form to the file, or to out when file is empty.
    bool Write(const std::string& file, std::FILE* out);

    TableKind Kind() const { return m_kind; }
    CCellGrid& Grid() { return m_grid; }
    CMemoryGridAccess& Access() { return m_access; }

private:
    CCliSession& m_session;
    TableKind m_kind;
    CCellGrid m_grid;
    CMemoryGridAccess m_access{m_grid};
    TableReadSummary m_lastRead;
};

} // namespace tillora::cli
