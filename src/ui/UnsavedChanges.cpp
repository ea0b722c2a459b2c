#include "ui/UnsavedChanges.h"

#include "ui/KassivoView.h"
#include "ui/TableGrid.h"

#include <QAbstractItemModel>
#include <QPointer>

namespace tillora {

CUnsavedChanges::CUnsavedChanges(CKassivoView& view, QObject* parent)
    : QObject(parent), m_view(view), m_tables(view.Document()) {
    m_renewTimer.setSingleShot(true);
    m_renewTimer.setInterval(RenewDelayMs);
    connect(&m_renewTimer, &QTimer::timeout, this, &CUnsavedChanges::RenewPending);
    for (TableKind kind : AllTables) {
        QAbstractItemModel* model = view.Grid(kind).model();
        auto changed = [this, kind] { Changed(kind); };
        connect(model, &QAbstractItemModel::dataChanged, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, changed);
    }
    m_view.SetCaptionMark([self = QPointer<CUnsavedChanges>(this)](TableKind kind) {
        return self != nullptr && self->IsMarked(kind);
    });
}

CUnsavedChanges::~CUnsavedChanges() = default;

void CUnsavedChanges::Changed(TableKind kind) {
    m_pending[Index(kind)] = true;
    // Not restarted by later changes, so that a long run of changes still renews now and then.
    if (!m_renewTimer.isActive()) {
        m_renewTimer.start();
    }
}

void CUnsavedChanges::RenewPending() {
    for (TableKind kind : AllTables) {
        if (m_pending[Index(kind)]) {
            Renew(kind);
        }
    }
}

void CUnsavedChanges::Renew(TableKind kind) {
    m_pending[Index(kind)] = false;
    const bool changed = m_tables.IsChanged(kind);
    if (changed != m_marked[Index(kind)]) {
        m_marked[Index(kind)] = changed;
        m_view.UpdateTabCaption(kind);
    }
}

void CUnsavedChanges::MarkKept(TableKind kind) {
    m_tables.MarkKept(kind);
    Renew(kind);
}

bool CUnsavedChanges::IsChanged(TableKind kind) {
    Renew(kind);
    return IsMarked(kind);
}

std::vector<TableKind> CUnsavedChanges::ChangedTables() {
    std::vector<TableKind> changed;
    for (TableKind kind : AllTables) {
        if (IsChanged(kind)) {
            changed.push_back(kind);
        }
    }
    return changed;
}

bool CUnsavedChanges::AskBeforeExit(IFeedback& feedback) {
    return GoOnWithoutSaving(feedback, ChangedTables(), UnsavedReason::Exit);
}

bool CUnsavedChanges::AskBeforeReading(IFeedback& feedback, TableKind kind) {
    if (!IsChanged(kind)) {
        return true;
    }
    return GoOnWithoutSaving(feedback, {kind}, UnsavedReason::ReadFile);
}

} // namespace tillora
