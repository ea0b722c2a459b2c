#pragma once

#include "link/Feedback.h"
#include "tables/GridAccess.h"
#include "tables/TableReadSummary.h"

#include <string>
#include <string_view>

namespace tillora {

// Fills one table from its files and remembers the last file opened through the open dialog.
class TableReader {
public:
    explicit TableReader(IGridAccess& grid) : m_grid(grid) {}

    // Replaces the table's contents by the file's. The table is left as it was on 20000 (the
    // file cannot be opened) and when the file has text but no line of it goes to a row of the
    // table (30800/30801: likely not a table file); 20001 when a line cannot be read, after the
    // lines before it. GetLastRead tells what the read took and left.
    bool ReadTableFile(const std::string& path, IFeedback& feedback);
    // The open dialog's part once the user has chosen the file: reads it, then remembers it.
    bool OpenTableFile(const std::string& path, int filterIndex, IFeedback& feedback);
    // Applies one line of a file to the table.
    void ReadLine(std::string_view line);
    // Whether the label of grid row 1 reads as row 0 (the two subgroup tables).
    bool StartsAtZero() const;

    const TableReadSummary& GetLastRead() const { return m_lastRead; }
    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetPathName() const { return m_pathName; }
    int GetFilterIndex() const { return m_filterIndex; }

private:
    // The grid row a line goes to, or -1 when it is skipped; row 0 switches zero-based counting on.
    int TargetRow(std::string_view line);
    // Sets the line's fields into the row; lineNumber > 0 counts refused values in the summary.
    void SetFields(int row, std::string_view line, int lineNumber);

    IGridAccess& m_grid;
    std::string m_fileName;
    std::string m_pathName;
    int m_filterIndex = 0;
    bool m_zeroBasedRows = false;
    TableReadSummary m_lastRead;
};

} // namespace tillora
