#include "tables/UnsavedTables.h"

#include "link/Message.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

std::size_t Index(TableKind kind) {
    return static_cast<std::size_t>(kind);
}

std::string TableName(TableKind kind) {
    return std::string(LoadString(ids::TabCaption + static_cast<unsigned>(TableIndex(kind))));
}

// „Артикули“, „Оператори“ и „Отчет“
std::string NameList(const std::vector<TableKind>& tables) {
    std::string list;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const std::string name = FormatMessage(ids::UnsavedTableName, TableName(tables[i]).c_str());
        if (i == 0) {
            list = name;
        } else if (i + 1 < tables.size()) {
            list += ", " + name;
        } else {
            list = FormatMessage(ids::UnsavedLastTableName, list.c_str(), name.c_str());
        }
    }
    return list;
}

} // namespace

CUnsavedTables::CUnsavedTables(const CTableDocument& document) : m_document(document) {
    for (TableKind kind : AllTables) {
        MarkKept(kind);
    }
}

void CUnsavedTables::MarkKept(TableKind kind) {
    m_kept[Index(kind)] = TableFileText(m_document.Grid(kind));
}

bool CUnsavedTables::IsChanged(TableKind kind) const {
    return TableFileText(m_document.Grid(kind)) != m_kept[Index(kind)];
}

std::vector<TableKind> CUnsavedTables::ChangedTables() const {
    std::vector<TableKind> changed;
    for (TableKind kind : AllTables) {
        if (IsChanged(kind)) {
            changed.push_back(kind);
        }
    }
    return changed;
}

std::string MarkedCaption(const std::string& caption, bool changed) {
    return changed ? caption + "*" : caption;
}

UnsavedQuestion UnsavedChangesQuestion(const std::vector<TableKind>& tables, UnsavedReason reason) {
    if (tables.empty()) {
        return {};
    }
    if (reason == UnsavedReason::ReadFile || tables.size() == 1) {
        const unsigned id =
            reason == UnsavedReason::ReadFile ? ids::UnsavedBeforeRead : ids::UnsavedOnExitOne;
        return {id, FormatMessage(id, TableName(tables.front()).c_str())};
    }
    return {ids::UnsavedOnExitMany,
            FormatMessage(ids::UnsavedOnExitMany, NameList(tables).c_str())};
}

bool GoOnWithoutSaving(IFeedback& feedback, const std::vector<TableKind>& tables,
                       UnsavedReason reason) {
    const UnsavedQuestion question = UnsavedChangesQuestion(tables, reason);
    if (question.id == 0) {
        return true;
    }
    return feedback.AskYesNo(question.id, question.text, MessageIcon::Question, true);
}

} // namespace tillora
