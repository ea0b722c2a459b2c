#pragma once

#include "link/Feedback.h"
#include "tables/GridAccess.h"

#include <string>
#include <string_view>

namespace tillora {

// The table file's text as Windows-1251: a UTF-8 file (with a byte-order mark, or valid UTF-8
// holding a multi-byte character) is converted; any other text is taken as it is.
std::string TableTextAsCp1251(std::string_view text);

// Fills one table from its files and remembers the last file opened through the open dialog.
class TableReader {
public:
    explicit TableReader(IGridAccess& grid) : m_grid(grid) {}

    // Replaces the table's contents by the file's; 20000 when it cannot be opened (the table is
    // then left as it was), 20001 when a line cannot be read.
    bool ReadTableFile(const std::string& path, IFeedback& feedback);
    // The open dialog's part once the user has chosen the file: reads it, then remembers it.
    bool OpenTableFile(const std::string& path, int filterIndex, IFeedback& feedback);
    // Applies one line of a file to the table.
    void ReadLine(std::string_view line);
    // Whether the label of grid row 1 reads as row 0 (the two subgroup tables).
    bool StartsAtZero() const;

    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetPathName() const { return m_pathName; }
    int GetFilterIndex() const { return m_filterIndex; }

private:
    IGridAccess& m_grid;
    std::string m_fileName;
    std::string m_pathName;
    int m_filterIndex = 0;
    bool m_zeroBasedRows = false;
};

} // namespace tillora
