#pragma once

#include "tables/GridAccess.h"
#include "tables/TableKind.h"
#include "transfer/TransferSession.h"

namespace tillora {

// Asks the register for its turnover report ("f") and places its article lines in the Report
// table and its subgroup lines in the SubgroupReport table, by the numbers they carry, with the
// progress in the status bar. True when the report was read to its end (subgroup 9); otherwise
// the rows read so far stay. The line is open only while this runs.
bool ReadReport(IGridAccess& report, IGridAccess& subgroupReport, TransferSession& session);

// How the report command ended, for the front end's choice of tab.
enum class ReportOutcome {
    NotStarted, // the settings were incomplete: nothing was cleared or sent
    Incomplete, // the report broke off, or the line could not be opened
    Complete
};

// The report command: checks the settings (their message on failure), empties and redraws both
// report tables, then reads the report.
ReportOutcome OnReadReport(IGridAccess& report, IGridAccess& subgroupReport,
                           TransferSession& session);

// The tab to show once the command is over: the subgroup report after a complete report, else
// the article report. After NotStarted the front end leaves its tab as it was; the Report value
// returned then is only for callers that have already shown it.
TableKind TabAfterReport(ReportOutcome outcome);

} // namespace tillora
