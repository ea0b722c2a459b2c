#pragma once

#include "RunPlan.h"
#include "sim/SimTables.h"
#include "tables/CellGrid.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::campaign {

// The table a send operation sends.
TableKind SentTable(Operation operation);

// A few rows of the table with every cell filled, drawn from the content seed. For a send of
// selected cells some cells of exactly plan.records rows are selected (and one more row may be
// filled but not selected); a whole-table send has exactly plan.records rows to send. The model
// must be in force, for the tax-group cells. False when a cell did not take its text.
bool FillSendTable(const RunPlan& plan, CCellGrid& cells, CMemoryGridAccess& access);

// Articles for the register to start with before a report: three to six of them.
bool FillReportArticles(const RunPlan& plan, CCellGrid& cells);

// Every data cell's text, to prove that a run left the table as it was.
std::vector<std::string> GridTexts(const CCellGrid& cells);

// One record frame the program wrote: its kind letter and its payload.
struct WrittenRecord {
    char kind;
    std::string payload;
};
// The record frames among the program's writes, in order.
std::vector<WrittenRecord> RecordsWritten(const std::vector<std::vector<std::uint8_t>>& writes);

// The tables after the register took the given records, as the register decodes them.
sim::SimTables TablesAfter(sim::SimTables tables, int model,
                           const std::vector<WrittenRecord>& records);

} // namespace tillora::campaign
