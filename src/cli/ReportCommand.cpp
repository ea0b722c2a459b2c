#include "cli/Commands.h"

#include "cli/Terminal.h"

#include "cli/LoadedTable.h"
#include "transfer/KnownStateSends.h"

namespace tillora::cli {

int RunReport(CCliSession& session, const std::string& articlesFile,
              const std::string& subgroupsFile, std::FILE* out) {
    CLoadedTable articles(session, TableKind::Report);
    CLoadedTable subgroups(session, TableKind::SubgroupReport);
    TransferSession transfer = session.Transfer();
    const ReportOutcome outcome = OnReadReportKeepingState(articles.Access(), subgroups.Access(),
                                                           transfer, session.KnownState());
    session.Feedback().ClearProgress();
    if (outcome == ReportOutcome::NotStarted) {
        return ExitFailed;
    }
    // What was read stays, as in the window, also when the report broke off.
    const bool written = articles.Write(articlesFile, out) && subgroups.Write(subgroupsFile, out);
    Print(stderr, "%s\n", session.Feedback().LastStatus().c_str());
    return outcome == ReportOutcome::Complete && written ? ExitSuccess : ExitFailed;
}

} // namespace tillora::cli
