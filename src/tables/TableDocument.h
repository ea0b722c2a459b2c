#pragma once

#include "link/Feedback.h"
#include "tables/CellGrid.h"
#include "tables/TableKind.h"
#include "tables/TableWriter.h"

#include <array>
#include <functional>
#include <memory>

namespace tillora {

// The six tables of one run with the file each was last saved to: what the view keeps for the
// whole run. Selection, focus and the screen belong to the front end.
class CTableDocument {
public:
    // Sets up the six tables in TableKind order; the measure must outlive the document.
    explicit CTableDocument(const ICellMeasure* measure = nullptr);
    CTableDocument(const CTableDocument&) = delete;
    CTableDocument& operator=(const CTableDocument&) = delete;

    CCellGrid& Grid(TableKind kind) { return *m_grids[Index(kind)]; }
    const CCellGrid& Grid(TableKind kind) const { return *m_grids[Index(kind)]; }
    TableWriter& Writer(TableKind kind) { return *m_writers[Index(kind)]; }
    const TableWriter& Writer(TableKind kind) const { return *m_writers[Index(kind)]; }
    // The tab caption with the name of the file the table was last saved to.
    std::string Caption(TableKind kind) const;

    // Asks 20004 once some table carries the modified mark; on Yes empties every table and forgets
    // every file name, telling the front end after each table so that it renews the tab and
    // redraws at once. False on No, with nothing changed.
    bool ClearAll(IFeedback& feedback, const std::function<void(TableKind)>& tableCleared);

    // Asks 20018; on Yes the articles become the first seven columns of the report, row for row.
    // The front end then redraws the articles and makes their tab current. False on No.
    bool CopyReportToArticles(IFeedback& feedback);

private:
    static std::size_t Index(TableKind kind) { return static_cast<std::size_t>(kind); }

    std::array<std::unique_ptr<CCellGrid>, TableCount> m_grids;
    std::array<std::unique_ptr<TableWriter>, TableCount> m_writers;
};

} // namespace tillora
