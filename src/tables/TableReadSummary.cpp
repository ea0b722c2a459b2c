#include "tables/TableReadSummary.h"

#include "link/Cp1251.h"
#include "link/Message.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

constexpr const char* More = "…";

template <typename Item, typename Describe>
std::string ListOf(const std::vector<Item>& items, int total, const char* separator,
                   Describe describe) {
    std::string list;
    for (const Item& item : items) {
        if (!list.empty()) {
            list += separator;
        }
        list += describe(item);
    }
    if (total > static_cast<int>(items.size())) {
        list += separator;
        list += More;
    }
    return list;
}

} // namespace

void TableReadSummary::NoteSkipped(int line) {
    ++linesSkipped;
    if (skippedLines.size() < ListedCount) {
        skippedLines.push_back(line);
    }
}

void TableReadSummary::NoteRefused(int line, int column, std::string text) {
    ++valuesRefused;
    if (refusedValues.size() < ListedCount) {
        refusedValues.push_back({line, column, std::move(text)});
    }
}

std::string FormatReadSummary(const TableReadSummary& summary, const CCellGrid& grid) {
    std::string text = FormatMessage(ids::ReadSummaryRows, summary.rowsFilled);
    if (summary.linesSkipped > 0) {
        const std::string lines = ListOf(summary.skippedLines, summary.linesSkipped, ", ",
                                         [](int line) { return std::to_string(line); });
        text += FormatMessage(ids::ReadSummarySkipped, summary.linesSkipped, lines.c_str());
    }
    if (summary.valuesRefused > 0) {
        const std::string values = ListOf(
            summary.refusedValues, summary.valuesRefused, "; ", [&grid](const RefusedValue& value) {
                const std::string column = Cp1251ToUtf8(grid.GetItemText(0, value.column));
                const std::string given = Cp1251ToUtf8(value.text);
                return FormatMessage(ids::ReadSummaryRefusedValue, value.line, column.c_str(),
                                     given.c_str());
            });
        text += FormatMessage(ids::ReadSummaryRefused, summary.valuesRefused, values.c_str());
    }
    return text;
}

} // namespace tillora
