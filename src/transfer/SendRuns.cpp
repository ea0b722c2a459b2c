#include "transfer/SendRuns.h"

#include "transfer/ArticleRecord.h"
#include "transfer/HeaderLineRecord.h"
#include "transfer/OperatorRecord.h"
#include "transfer/SendRun.h"
#include "transfer/SubgroupRecord.h"

namespace tillora {
namespace {

int ModelOf(const TransferSession& session) {
    return session.settings.EcrType;
}

} // namespace

bool SendArticles(IGridAccess& grid, TransferSession& session) {
    return RunSend(ArticleSendPlan(ModelOf(session)), SendScope::WholeTable, grid, session);
}

bool SendSelectedArticles(IGridAccess& grid, TransferSession& session) {
    return RunSend(ArticleSendPlan(ModelOf(session)), SendScope::SelectedCells, grid, session);
}

bool SendOperators(IGridAccess& grid, TransferSession& session) {
    return RunSend(OperatorSendPlan(), SendScope::WholeTable, grid, session);
}

bool SendSelectedOperators(IGridAccess& grid, TransferSession& session) {
    return RunSend(OperatorSendPlan(), SendScope::SelectedCells, grid, session);
}

bool SendSubgroups(IGridAccess& grid, TransferSession& session) {
    return RunSend(SubgroupSendPlan(ModelOf(session)), SendScope::WholeTable, grid, session);
}

bool SendSelectedSubgroups(IGridAccess& grid, TransferSession& session) {
    return RunSend(SubgroupSendPlan(ModelOf(session)), SendScope::SelectedCells, grid, session);
}

bool SendHeaderLines(IGridAccess& grid, TransferSession& session) {
    return RunSend(HeaderLineSendPlan(ModelOf(session)), SendScope::WholeTable, grid, session);
}

bool SendSelectedHeaderLines(IGridAccess& grid, TransferSession& session) {
    return RunSend(HeaderLineSendPlan(ModelOf(session)), SendScope::SelectedCells, grid, session);
}

} // namespace tillora
