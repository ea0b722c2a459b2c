#pragma once

#include "link/Feedback.h"
#include "tables/TableKind.h"
#include "tables/UnsavedTables.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <vector>

namespace tillora {

class CKassivoView;

// The tables' unsaved changes in the window: the "*" after a changed table's tab caption, renewed
// shortly after its cells change (a read or a paste that changes many cells renews once), and
// the question before changes would be lost.
class CUnsavedChanges : public QObject {
    Q_OBJECT
public:
    // How long after a change the marks are renewed.
    static constexpr int RenewDelayMs = 150;

    explicit CUnsavedChanges(CKassivoView& view, QObject* parent = nullptr);
    ~CUnsavedChanges() override;

    // The table as it is now is kept (saved, read from a file, cleared): its mark goes.
    void MarkKept(TableKind kind);
    // From the cells as they are now; the marks are renewed to match.
    bool IsChanged(TableKind kind);
    std::vector<TableKind> ChangedTables();
    // Whether the tab caption shows the mark.
    bool IsMarked(TableKind kind) const { return m_marked[Index(kind)]; }

    // Closing the window: true when nothing would be lost or the user goes on.
    bool AskBeforeExit(IFeedback& feedback);
    // Reading a file into the table: true when it has no unsaved changes or the user goes on.
    bool AskBeforeReading(IFeedback& feedback, TableKind kind);

private:
    static std::size_t Index(TableKind kind) { return static_cast<std::size_t>(kind); }
    void Changed(TableKind kind);
    void Renew(TableKind kind);
    void RenewPending();

    CKassivoView& m_view;
    CUnsavedTables m_tables;
    QTimer m_renewTimer;
    std::array<bool, TableCount> m_pending{};
    std::array<bool, TableCount> m_marked{};
};

} // namespace tillora
