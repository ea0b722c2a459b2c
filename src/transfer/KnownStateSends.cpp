#include "transfer/KnownStateSends.h"

#include "link/Message.h"
#include "link/PlatformFiles.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"
#include "transfer/ChangesSend.h"
#include "transfer/KnownDifferences.h"
#include "transfer/SendCommands.h"
#include "transfer/SendRun.h"
#include "transfer/TableChecks.h"

namespace tillora {
namespace {

// One table's known state while a command runs: read before it, kept after it.
class CKnownTable {
public:
    CKnownTable(const CKnownRegisterState& store, RegisterIdentity id, TableKind kind)
        : m_store(store), m_id(std::move(id)), m_kind(kind),
          m_known(LoadKnownTable(m_store, m_id, m_kind, m_table)) {}

    bool IsKnown() const { return m_known; }
    CCellGrid& Table() { return m_table; }
    const RegisterIdentity& Id() const { return m_id; }

    // Before anything goes on the line: from then on the register may hold records never
    // confirmed. False after a message when the old state cannot be removed.
    bool ForgetOnDisk(IFeedback& feedback) {
        if (m_store.Forget(m_id, m_kind)) {
            return true;
        }
        ShowError(feedback, ids::KnownStateNotForgotten,
                  PathToUtf8(m_store.FileOf(m_id, m_kind)).c_str());
        return false;
    }
    void Keep(IFeedback& feedback) { SaveKnownState(m_store, m_id, m_kind, m_table, feedback); }

private:
    const CKnownRegisterState& m_store;
    RegisterIdentity m_id;
    TableKind m_kind;
    CCellGrid m_table;
    bool m_known = false;
};

// A whole-table or selected-cells run with the state kept around it. The table's old state is
// forgotten once the check has passed, before anything goes on the line.
bool RunKeepingState(TableKind kind, const SendPlan& plan, SendScope scope, IGridAccess& grid,
                     TransferSession& session, const CKnownRegisterState& store) {
    CKnownTable known(store, RegisterInSettings(session.settings), kind);
    if (!RunSend(plan, scope, grid, session,
                 [&] { return known.ForgetOnDisk(session.feedback); })) {
        return false;
    }
    TakeSentCells(plan, scope, grid, known.Table());
    known.Keep(session.feedback);
    return true;
}

} // namespace

namespace {

// Send all ends an edit in progress first, as its command does; send selected sends the cells
// as they stand.
bool SendKeepingState(TableKind current, SendScope scope, IGridAccess& grid,
                      TransferSession& session, const CKnownRegisterState& store) {
    if (!ValidateEcrSettings(session.settings, &session.feedback)) {
        return false;
    }
    const std::optional<SendPlan> plan = SendPlanOf(current, session.settings.EcrType);
    if (!plan) {
        return false;
    }
    if (scope == SendScope::WholeTable) {
        grid.EndEditing();
    }
    return RunKeepingState(current, *plan, scope, grid, session, store);
}

} // namespace

bool OnSendAllKeepingState(TableKind current, IGridAccess& grid, TransferSession& session,
                           const CKnownRegisterState& store) {
    return SendKeepingState(current, SendScope::WholeTable, grid, session, store);
}

bool OnSendSelectedKeepingState(TableKind current, IGridAccess& grid, TransferSession& session,
                                const CKnownRegisterState& store) {
    return SendKeepingState(current, SendScope::SelectedCells, grid, session, store);
}

bool CanSendChanges(TableKind current) {
    return CanSendAll(current);
}

ChangesOutcome OnSendChanges(TableKind current, IGridAccess& grid, TransferSession& session,
                             const CKnownRegisterState& store) {
    IFeedback& feedback = session.feedback;
    const int model = session.settings.EcrType;
    if (!ValidateEcrSettings(session.settings, &feedback)) {
        return ChangesOutcome::NotSent;
    }
    const std::optional<SendPlan> plan = SendPlanOf(current, model);
    if (!plan) {
        return ChangesOutcome::NotSent;
    }
    grid.EndEditing();
    CWaitCursor waitCursor(feedback);
    if (!CheckWholeTable(*plan, grid, feedback)) {
        return ChangesOutcome::NotSent;
    }
    CKnownTable known(store, RegisterInSettings(session.settings), current);
    if (!known.IsKnown()) {
        if (!feedback.AskYesNo(ids::KnownStateMissing,
                               FormatMessage(ids::KnownStateMissing, known.Id().serial.c_str()),
                               MessageIcon::Question, true)) {
            return ChangesOutcome::Declined;
        }
        return RunKeepingState(current, *plan, SendScope::WholeTable, grid, session, store)
                   ? ChangesOutcome::WholeTableSent
                   : ChangesOutcome::NotSent;
    }
    const TableChanges changes = FindChangedRows(*plan, grid.Cells(), known.Table(), model);
    if (changes.rows.empty()) {
        feedback.SetStatusText(ChangesSentText(changes));
        return ChangesOutcome::NothingToSend;
    }
    if (!known.ForgetOnDisk(feedback) || !RunChangesSend(*plan, changes, grid, session)) {
        return ChangesOutcome::NotSent;
    }
    TakeChangedCells(*plan, changes, grid.Cells(), known.Table());
    known.Keep(feedback);
    return ChangesOutcome::Sent;
}

ReportOutcome OnReadReportKeepingState(IGridAccess& report, IGridAccess& subgroupReport,
                                       TransferSession& session, const CKnownRegisterState& store) {
    if (!ValidateEcrSettings(session.settings, &session.feedback)) {
        return ReportOutcome::NotStarted;
    }
    const ReportOutcome outcome = OnReadReport(report, subgroupReport, session);
    CKnownTable known(store, RegisterInSettings(session.settings), TableKind::Articles);
    TakeReportedArticles(report.Cells(), outcome == ReportOutcome::Complete, known.Table());
    known.Keep(session.feedback);
    return outcome;
}

std::optional<TableChanges> FindChangesAtRegister(TableKind kind, const IGridAccess& grid,
                                                  TransferSession& session,
                                                  const CKnownRegisterState& store) {
    const int model = session.settings.EcrType;
    if (!ValidateEcrSettings(session.settings, &session.feedback)) {
        return std::nullopt;
    }
    const std::optional<SendPlan> plan = SendPlanOf(kind, model);
    if (!plan) {
        return std::nullopt;
    }
    CKnownTable known(store, RegisterInSettings(session.settings), kind);
    if (!known.IsKnown()) {
        ShowError(session.feedback, ids::KnownStateNone, known.Id().serial.c_str());
        return std::nullopt;
    }
    return FindChangedRows(*plan, grid.Cells(), known.Table(), model);
}

} // namespace tillora
