#include "cli/LoadedTable.h"

#include "cli/CliFeedback.h"
#include "cli/Terminal.h"
#include "link/Cp1251.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

namespace tillora::cli {

CLoadedTable::CLoadedTable(CCliSession& session, TableKind kind)
    : m_session(session), m_kind(kind) {
    ConnectionSettings() = session.Settings();
    SetupTable(m_grid, kind);
}

bool CLoadedTable::Load(const std::string& file) {
    TableReader reader(m_access);
    const bool read = reader.ReadTableFile(file, m_session.Feedback());
    m_lastRead = reader.GetLastRead();
    return read;
}

void CLoadedTable::TellWhatWasRead() const {
    if (!m_session.Quiet()) {
        m_session.Feedback().PrintLine(stderr, TerminalText(FormatReadSummary(m_lastRead, m_grid)));
    }
}

// A terminal shows the table in its own text; a pipe or a file gets the table file's bytes.
bool CLoadedTable::Write(const std::string& file, std::FILE* out) {
    if (!file.empty()) {
        return TableWriter(m_grid).WriteTableFile(file, m_session.Feedback());
    }
    const std::string text = TableFileText(m_grid);
    if (IsTerminal(out)) {
        WriteText(out, Cp1251ToUtf8(text));
    } else {
        std::fwrite(text.data(), 1, text.size(), out);
    }
    return std::fflush(out) == 0;
}

} // namespace tillora::cli
