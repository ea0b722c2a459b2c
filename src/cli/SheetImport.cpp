#include "cli/SheetImport.h"

#include "cli/CliFeedback.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/ImportPlan.h"
#include "transfer/SendCommands.h"

#include <cstdio>

namespace tillora::cli {
namespace {

void Say(const std::string& textUtf8) {
    std::fprintf(stderr, "%s\n", TerminalText(textUtf8).c_str());
}

// "Име ← 3, Цена ← 2": each table column beside the sheet column it is taken from.
std::string ColumnsTaken(const ImportPlan& plan) {
    std::string list;
    for (std::size_t c = 0; c < plan.columns.size(); ++c) {
        if (plan.columns[c] < 0) {
            continue;
        }
        list += (list.empty() ? "" : ", ") + ImportColumnTitle(plan.kind, static_cast<int>(c)) +
                " ← " + std::to_string(plan.columns[c] + 1);
    }
    return list;
}

} // namespace

std::optional<int> ImportSheet(CCliSession& session, CLoadedTable& table,
                               const SheetImportArguments& arguments, bool& usageError) {
    usageError = false;
    ImportOptions options = ImportOptionsFor(table.Kind(), session.Settings().EcrType);
    std::string error;
    if (!arguments.columns.empty()) {
        options.columns = ParseColumnMap(table.Kind(), arguments.columns, error);
        if (!options.columns) {
            Say(error);
            usageError = true;
            return std::nullopt;
        }
    }
    SheetData sheet;
    std::string howRead;
    if (!ReadSheetArguments(arguments.file, arguments.source, sheet, howRead, error)) {
        Say(error);
        usageError = error.starts_with("--");
        return std::nullopt;
    }
    const ImportPlan plan = PlanImport(sheet, table.Kind(), options);
    if (!session.Quiet()) {
        if (!howRead.empty()) { // a workbook has no encoding or separator to tell
            Say(howRead);
        }
        Say(plan.headerLine > 0
                ? FormatMessage(ids::ImportHeaderLine, plan.headerLine, ColumnsTaken(plan).c_str())
                : FormatMessage(ids::ImportNoHeaderLine, ColumnsTaken(plan).c_str()));
    }
    for (const ImportProblem& problem : plan.problems) {
        Say(FormatImportProblem(problem, table.Kind()));
    }
    if (ImportsNothing(plan)) {
        Say(FormatMessage(ids::ImportNothing, arguments.file.c_str()));
        return std::nullopt;
    }
    ApplyImportPlan(plan, table.Access());
    if (!session.Quiet()) {
        Say(FormatMessage(ids::ImportSummary, plan.rowsFilled,
                          static_cast<int>(plan.problems.size())));
    }
    return static_cast<int>(plan.problems.size());
}

} // namespace tillora::cli
