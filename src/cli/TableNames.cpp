#include "cli/TableNames.h"

namespace tillora::cli {
namespace {

constexpr std::string_view Names[TableCount] = {"articles", "operators", "subgroups",
                                                "company",  "report",    "subgroup-report"};

} // namespace

std::optional<TableKind> TableKindFromName(std::string_view name) {
    for (TableKind kind : AllTables) {
        if (Names[TableIndex(kind)] == name) {
            return kind;
        }
    }
    return std::nullopt;
}

std::string_view TableName(TableKind kind) {
    return Names[TableIndex(kind)];
}

std::string TableNameList() {
    std::string list;
    for (std::string_view name : Names) {
        list += list.empty() ? "" : ", ";
        list += name;
    }
    return list;
}

} // namespace tillora::cli
