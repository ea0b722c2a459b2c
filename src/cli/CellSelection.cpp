#include "cli/CellSelection.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace tillora::cli {
namespace {

struct ColumnName {
    std::string_view name;
    int column;
};

// The names a user gives the columns of each table, in column order.
std::vector<ColumnName> NamesOf(TableKind kind) {
    switch (kind) {
    case TableKind::Articles:
    case TableKind::Report:
        return {{"name", 1},     {"barcode", 2}, {"price", 3}, {"tax", 4},
                {"subgroup", 5}, {"payment", 6}, {"stock", 7}};
    case TableKind::Operators:
        return {{"name", 1}};
    case TableKind::Subgroups:
    case TableKind::SubgroupReport:
        return {{"name", 1}, {"price", 2}, {"tax", 3}};
    case TableKind::Company:
        return {{"text", 1}, {"flag", 2}};
    }
    return {};
}

std::optional<int> Number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Split(std::string_view list, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = list.find(separator, start);
        parts.push_back(list.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// Items such as "5", "5-9" or, where names are given, "name-price", turned into numbers by item.
template <typename ItemToNumber>
std::optional<std::vector<int>> ExpandList(const std::string& list, ItemToNumber toNumber,
                                           std::string& error) {
    std::vector<int> numbers;
    for (std::string_view part : Split(list, ',')) {
        const std::vector<std::string_view> ends = Split(part, '-');
        const std::optional<int> first = ends.size() <= 2 ? toNumber(ends.front()) : std::nullopt;
        const std::optional<int> last = ends.size() == 2 ? toNumber(ends.back()) : first;
        if (!first || !last || *last < *first) {
            error = FormatMessage(ids::CliNotRowList, std::string(part).c_str());
            return std::nullopt;
        }
        for (int n = *first; n <= *last; ++n) {
            numbers.push_back(n);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

} // namespace

std::optional<std::vector<int>> RowsFromLabels(TableKind kind, const std::string& list,
                                               std::string& error) {
    const TableShape& shape = ShapeOf(kind);
    auto labels = ExpandList(list, Number, error);
    if (!labels) {
        return std::nullopt;
    }
    std::vector<int> rows;
    for (int label : *labels) {
        const int row = label - shape.firstLabel + 1;
        if (row < 1 || row > shape.dataRows) {
            error = FormatMessage(ids::CliNoSuchRow, label);
            return std::nullopt;
        }
        rows.push_back(row);
    }
    return rows;
}

std::optional<std::vector<int>> ColumnsFromList(TableKind kind, const std::string& list,
                                                std::string& error) {
    const std::vector<ColumnName> names = NamesOf(kind);
    const auto toColumn = [&](std::string_view item) -> std::optional<int> {
        for (const ColumnName& name : names) {
            if (name.name == item) {
                return name.column;
            }
        }
        const std::optional<int> number = Number(item);
        if (number && *number >= 1 && *number < ShapeOf(kind).columns) {
            return number;
        }
        return std::nullopt;
    };
    auto columns = ExpandList(list, toColumn, error);
    if (!columns) {
        error += FormatMessage(ids::CliColumnsAre, ColumnNames(kind).c_str());
    }
    return columns;
}

std::string ColumnNames(TableKind kind) {
    std::string text;
    for (const ColumnName& name : NamesOf(kind)) {
        text += text.empty() ? "" : ", ";
        text += name.name;
    }
    return text;
}

std::string ColumnNameOf(TableKind kind, int column) {
    for (const ColumnName& name : NamesOf(kind)) {
        if (name.column == column) {
            return std::string(name.name);
        }
    }
    return std::to_string(column);
}

std::vector<int> RowsWithData(const CCellGrid& grid) {
    std::vector<int> rows;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r) {
        for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
            if (!grid.GetItemText(r, c).empty()) {
                rows.push_back(r);
                break;
            }
        }
    }
    return rows;
}

std::vector<int> DataColumns(const CCellGrid& grid) {
    std::vector<int> columns;
    for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
        columns.push_back(c);
    }
    return columns;
}

void SelectCells(CMemoryGridAccess& grid, const std::vector<int>& rows,
                 const std::vector<int>& columns) {
    grid.ClearSelection();
    for (int r : rows) {
        for (int c : columns) {
            grid.SetCellSelected(r, c, true);
        }
    }
}

} // namespace tillora::cli
