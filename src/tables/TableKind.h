#pragma once

#include <array>

namespace tillora {

// The six tables; the value is also the tab index and the offset of the caption strings.
enum class TableKind {
    Articles = 0,
    Operators = 1,
    Subgroups = 2,
    Company = 3,
    Report = 4,
    SubgroupReport = 5
};

inline constexpr int TableCount = 6;
inline constexpr std::array<TableKind, TableCount> AllTables = {
    TableKind::Articles, TableKind::Operators, TableKind::Subgroups,
    TableKind::Company,  TableKind::Report,    TableKind::SubgroupReport};

// The four tables a register is programmed with; the reports are only read from it.
inline constexpr std::array<TableKind, 4> ProgrammedTables = {
    TableKind::Articles, TableKind::Operators, TableKind::Subgroups, TableKind::Company};

constexpr int TableIndex(TableKind kind) {
    return static_cast<int>(kind);
}

// The file a register's programmed table is kept in, wherever tables of a register are kept;
// empty for the reports, which are read from a register and never programmed into it.
constexpr const char* ProgrammedTableFileName(TableKind kind) {
    switch (kind) {
    case TableKind::Articles:
        return "articles.txt";
    case TableKind::Operators:
        return "operators.txt";
    case TableKind::Subgroups:
        return "subgroups.txt";
    case TableKind::Company:
        return "company.txt";
    default:
        return "";
    }
}

} // namespace tillora
