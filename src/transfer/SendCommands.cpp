#include "transfer/SendCommands.h"

#include "transfer/ArticleRecord.h"
#include "transfer/HeaderLineRecord.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SendRuns.h"
#include "transfer/SubgroupRecord.h"
#include "transfer/TableChecks.h"

#include <optional>

namespace tillora {

std::optional<SendPlan> SendPlanOf(TableKind kind, int model) {
    switch (kind) {
    case TableKind::Articles:
        return ArticleSendPlan(model);
    case TableKind::Operators:
        return OperatorSendPlan();
    case TableKind::Subgroups:
        return SubgroupSendPlan(model);
    case TableKind::Company:
        return HeaderLineSendPlan(model);
    default:
        return std::nullopt;
    }
}

ImportOptions ImportOptionsFor(TableKind kind, int model) {
    ImportOptions options;
    options.model = model;
    if (const std::optional<SendPlan> plan = SendPlanOf(kind, model)) {
        for (const LengthRule& rule : plan->tableRules) {
            options.lengthLimits.push_back({rule.column, rule.maxLength});
        }
    }
    return options;
}

bool CanSendAll(TableKind current) {
    return SendPlanOf(current, 0).has_value();
}

bool CanSendSelected(TableKind current, const IGridAccess& grid) {
    return CanSendAll(current) && grid.GetSelectedCount() > 0;
}

bool OnSendAll(TableKind current, IGridAccess& grid, TransferSession& session) {
    if (!ValidateEcrSettings(session.settings, &session.feedback)) {
        return false;
    }
    grid.EndEditing();
    switch (current) {
    case TableKind::Articles:
        return SendArticles(grid, session);
    case TableKind::Operators:
        return SendOperators(grid, session);
    case TableKind::Subgroups:
        return SendSubgroups(grid, session);
    case TableKind::Company:
        return SendHeaderLines(grid, session);
    default:
        return false;
    }
}

bool OnSendSelected(TableKind current, IGridAccess& grid, TransferSession& session) {
    if (!ValidateEcrSettings(session.settings, &session.feedback)) {
        return false;
    }
    switch (current) {
    case TableKind::Articles:
        return SendSelectedArticles(grid, session);
    case TableKind::Operators:
        return SendSelectedOperators(grid, session);
    case TableKind::Subgroups:
        return SendSelectedSubgroups(grid, session);
    case TableKind::Company:
        return SendSelectedHeaderLines(grid, session);
    default:
        return false;
    }
}

bool CheckTable(TableKind kind, IGridAccess& grid, IFeedback& feedback, int model) {
    const std::optional<SendPlan> plan = SendPlanOf(kind, model);
    return !plan || CheckWholeTable(*plan, grid, feedback);
}

std::vector<BrokenRule> FindBrokenRules(TableKind kind, const IGridAccess& grid, int model) {
    const std::optional<SendPlan> plan = SendPlanOf(kind, model);
    return plan ? FindBrokenRules(*plan, grid) : std::vector<BrokenRule>{};
}

} // namespace tillora
