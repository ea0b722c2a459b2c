#include "tables/TableLine.h"

#include <algorithm>
#include <limits>

namespace tillora {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::string_view CutLineEnd(std::string_view line) {
    if (line.size() >= 2 && IsLineEnd(line[line.size() - 2])) {
        return line.substr(0, line.size() - 2);
    }
    if (!line.empty() && IsLineEnd(line.back())) {
        return line.substr(0, line.size() - 1);
    }
    return line;
}

int FieldCount(std::string_view line) {
    const std::string_view text = CutLineEnd(line);
    return static_cast<int>(std::count(text.begin(), text.end(), '\t')) + 1;
}

std::string_view GetField(std::string_view line, int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            return {};
        }
        start = tab + 1;
    }
    const std::size_t end = line.find('\t', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

// As strtol reads it, but a number it would clamp is no row at all. An empty first field is no
// row either: a spreadsheet's blank row or title line must not switch zero-based counting on and
// shift every later row.
int ParseRowNumber(std::string_view line) {
    const std::string_view field = GetField(CutLineEnd(line), 0);
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    if (i == field.size()) {
        return -1;
    }
    long long value = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9') {
            return -1;
        }
        value = value * 10 + (field[i] - '0');
        if (value > std::numeric_limits<int>::max()) {
            return -1;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace tillora
