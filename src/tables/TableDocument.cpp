#include "tables/TableDocument.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"

#include <algorithm>

namespace tillora {
namespace {

constexpr int CopiedReportColumns = 7; // name to stock; turnover and sales stay in the report

bool Ask(IFeedback& feedback, unsigned id) {
    return feedback.AskYesNo(id, FormatMessage(id), MessageIcon::Question, false);
}

} // namespace

CTableDocument::CTableDocument(const ICellMeasure* measure) {
    for (TableKind kind : AllTables) {
        m_grids[Index(kind)] = std::make_unique<CCellGrid>(measure);
        SetupTable(*m_grids[Index(kind)], kind);
        m_writers[Index(kind)] = std::make_unique<TableWriter>(*m_grids[Index(kind)]);
    }
}

std::string CTableDocument::Caption(TableKind kind) const {
    return TabCaption(kind, Writer(kind).GetFileName());
}

bool CTableDocument::ClearAll(IFeedback& feedback,
                              const std::function<void(TableKind)>& tableCleared) {
    const bool modified = std::any_of(m_grids.begin(), m_grids.end(),
                                      [](const auto& grid) { return grid->GetModified(); });
    if (modified && !Ask(feedback, ids::ConfirmClearAll)) {
        return false;
    }
    CWaitCursor waitCursor(feedback);
    for (TableKind kind : AllTables) {
        Writer(kind).ClearNames();
        {
            CEditStep step(Grid(kind), EditKind::TableLoad);
            ClearTable(Grid(kind));
        }
        if (tableCleared) {
            tableCleared(kind);
        }
    }
    return true;
}

bool CTableDocument::CopyReportToArticles(IFeedback& feedback) {
    if (!Ask(feedback, ids::ConfirmReportToArticles)) {
        return false;
    }
    CWaitCursor waitCursor(feedback);
    CCellGrid& articles = Grid(TableKind::Articles);
    const CCellGrid& report = Grid(TableKind::Report);
    CEditStep step(articles, EditKind::TableLoad);
    ClearTable(articles);
    for (int r = 1; r < articles.GetRowCount(); ++r) {
        for (int c = 1; c <= CopiedReportColumns; ++c) {
            articles.SetItemText(r, c, report.GetItemText(r, c));
        }
    }
    return true;
}

} // namespace tillora
