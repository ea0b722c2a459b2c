#pragma once

#include "link/Feedback.h"
#include "tables/TableDocument.h"
#include "tables/TableKind.h"

#include <array>
#include <string>
#include <vector>

namespace tillora {

// Which tables hold changes that no file has: a table is changed while its file text (what Save
// would write) differs from what it was when the table was last saved, read from a file or
// cleared. Undoing back to that state makes it unchanged again.
class CUnsavedTables {
public:
    // Every table counts as kept as it is now (just set up).
    explicit CUnsavedTables(const CTableDocument& document);

    // The table as it is now is kept: after a save, a successful read, clear all.
    void MarkKept(TableKind kind);
    bool IsChanged(TableKind kind) const;
    // In TableKind order.
    std::vector<TableKind> ChangedTables() const;

private:
    const CTableDocument& m_document;
    std::array<std::string, TableCount> m_kept;
};

// The tab caption with "*" after it while the table is changed.
std::string MarkedCaption(const std::string& caption, bool changed);

// What is about to replace the unsaved changes.
enum class UnsavedReason {
    Exit,    // the window closes: every changed table is named
    ReadFile // a file is read into a table: the first of the tables given is named
};

// The question before going on without saving, naming the tables (none: no question).
struct UnsavedQuestion {
    unsigned id = 0;
    std::string text;
};
UnsavedQuestion UnsavedChangesQuestion(const std::vector<TableKind>& tables, UnsavedReason reason);

// True when there is nothing to lose or the user answers Yes to the question (question icon, No
// as the default); false keeps everything as it is.
bool GoOnWithoutSaving(IFeedback& feedback, const std::vector<TableKind>& tables,
                       UnsavedReason reason);

} // namespace tillora
