#pragma once

#include "link/Feedback.h"
#include "tables/CellGrid.h"

#include <string>

namespace tillora {

// The text of a table file for the grid: one line per row with a non-empty data cell, the label
// first, TAB between fields, CR LF after every line.
std::string TableFileText(const CCellGrid& grid);

// Writes one table to its files and remembers the last file it was saved to.
class TableWriter {
public:
    explicit TableWriter(const CCellGrid& grid) : m_grid(grid) {}

    // Writes the table to the path; 20003 when the file cannot be created, 20002 when it cannot
    // be written. The file on disk is always the old one or the complete new one.
    bool WriteTableFile(const std::string& path, IFeedback& feedback) const;
    // The save dialog's part once the user has chosen the path: writes, then remembers the names.
    bool SaveAs(const std::string& path, IFeedback& feedback);
    // Writes to the remembered path; false without a message when there is none, so that the
    // front end asks for one (SaveAs).
    bool Save(IFeedback& feedback);
    bool HasPath() const { return !m_pathName.empty(); }

    const std::string& GetFileName() const { return m_fileName; }
    const std::string& GetPathName() const { return m_pathName; }
    void ClearNames();

private:
    const CCellGrid& m_grid;
    std::string m_fileName;
    std::string m_pathName;
};

} // namespace tillora
