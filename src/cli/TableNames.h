#pragma once

#include "tables/TableKind.h"

#include <optional>
#include <string>
#include <string_view>

namespace tillora::cli {

// The tables by the names the command line gives them: articles, operators, subgroups, company,
// report, subgroup-report.
std::optional<TableKind> TableKindFromName(std::string_view name);
std::string_view TableName(TableKind kind);
// "articles, operators, ..." for usage texts.
std::string TableNameList();

} // namespace tillora::cli
