#include "sheets/SheetCollector.h"

#include "link/Cp1251.h"
#include "sheets/NumberText.h"

#include <cstdio>
#include <stdexcept>

namespace tillora {
namespace {

SheetCell NumberCell(double value) {
    return {ShortestDecimal(value), value};
}

SheetCell TextCell(std::string_view utf8) {
    return {Utf8ToCp1251(utf8), std::nullopt};
}

bool IsEmpty(const SheetCell& cell) {
    return cell.text.empty() && !cell.number;
}

} // namespace

oss::src_address_t CA1References::resolve_address(std::string_view address) {
    const std::size_t bang = address.rfind('!');
    if (bang != std::string_view::npos) {
        address.remove_prefix(bang + 1);
    }
    oss::src_address_t result{0, 0, 0};
    std::size_t i = 0;
    auto skipDollar = [&] {
        if (i < address.size() && address[i] == '$') {
            ++i;
        }
    };
    skipDollar();
    for (; i < address.size() && address[i] >= 'A' && address[i] <= 'Z'; ++i) {
        result.column = result.column * 26 + (address[i] - 'A' + 1);
    }
    skipDollar();
    for (; i < address.size() && address[i] >= '0' && address[i] <= '9'; ++i) {
        result.row = result.row * 10 + (address[i] - '0');
    }
    if (result.column == 0 || result.row == 0 || i != address.size()) {
        throw std::invalid_argument("not a cell reference: " + std::string(address));
    }
    --result.column;
    --result.row;
    return result;
}

oss::src_range_t CA1References::resolve_range(std::string_view range) {
    const std::size_t colon = range.find(':');
    const oss::src_address_t first = resolve_address(range.substr(0, colon));
    const oss::src_address_t last =
        colon == std::string_view::npos ? first : resolve_address(range.substr(colon + 1));
    return {first, last};
}

std::size_t CSheetStrings::append(std::string_view s) {
    m_strings.emplace_back(s);
    m_indices.try_emplace(m_strings.back(), m_strings.size() - 1);
    return m_strings.size() - 1;
}

std::size_t CSheetStrings::add(std::string_view s) {
    const auto found = m_indices.find(std::string(s));
    return found != m_indices.end() ? found->second : append(s);
}

std::size_t CSheetStrings::commit_segments() {
    const std::size_t index = append(m_segments);
    m_segments.clear();
    return index;
}

const std::string& CSheetStrings::At(std::size_t index) const {
    static const std::string none;
    return index < m_strings.size() ? m_strings[index] : none;
}

void CSheetFormula::set_position(oss::row_t row, oss::col_t col) {
    m_row = row;
    m_column = col;
    m_result = {};
}

void CSheetFormula::set_result_string(std::string_view value) {
    m_result = TextCell(value);
}

void CSheetFormula::set_result_value(double value) {
    m_result = NumberCell(value);
}

void CSheetFormula::set_result_bool(bool value) {
    m_result = NumberCell(value ? 1.0 : 0.0);
}

void CSheetFormula::commit() {
    if (IsEmpty(m_result) || m_row < 0 || m_column < 0) {
        return;
    }
    std::vector<SheetCell>& cells = m_rows[m_row];
    if (cells.size() <= static_cast<std::size_t>(m_column)) {
        cells.resize(static_cast<std::size_t>(m_column) + 1);
    }
    cells[static_cast<std::size_t>(m_column)] = m_result;
}

CSheetCells::CSheetCells(std::string name, const CSheetStrings& strings)
    : m_name(std::move(name)), m_strings(strings) {}

void CSheetCells::Set(oss::row_t row, oss::col_t col, SheetCell cell) {
    if (row < 0 || col < 0) {
        return;
    }
    std::vector<SheetCell>& cells = m_rows[row];
    if (cells.size() <= static_cast<std::size_t>(col)) {
        cells.resize(static_cast<std::size_t>(col) + 1);
    }
    cells[static_cast<std::size_t>(col)] = std::move(cell);
}

// A text the file did not type (an inline string) stays text: its digits may be a barcode.
void CSheetCells::set_auto(oss::row_t row, oss::col_t col, std::string_view s) {
    Set(row, col, TextCell(s));
}

void CSheetCells::set_string(oss::row_t row, oss::col_t col, oss::string_id_t sindex) {
    Set(row, col, TextCell(m_strings.At(sindex)));
}

void CSheetCells::set_value(oss::row_t row, oss::col_t col, double value) {
    Set(row, col, NumberCell(value));
}

// A flag reads 1 or 0, as the tables' flag cells do.
void CSheetCells::set_bool(oss::row_t row, oss::col_t col, bool value) {
    Set(row, col, NumberCell(value ? 1.0 : 0.0));
}

// No table takes a date; it comes as the user reads it, so that a refusal shows it so.
void CSheetCells::set_date_time(oss::row_t row, oss::col_t col, int year, int month, int day,
                                int hour, int minute, double second) {
    char text[48];
    if (hour == 0 && minute == 0 && second == 0.0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02.0f", year, month, day, hour,
                      minute, second);
    }
    Set(row, col, TextCell(text));
}

void CSheetCells::fill_down_cells(oss::row_t row, oss::col_t col, oss::row_t count) {
    const auto source = m_rows.find(row);
    if (source == m_rows.end() || source->second.size() <= static_cast<std::size_t>(col)) {
        return;
    }
    const SheetCell cell = source->second[static_cast<std::size_t>(col)];
    for (oss::row_t r = row + 1; r <= row + count; ++r) {
        Set(r, col, cell);
    }
}

oss::range_size_t CSheetCells::get_sheet_size() const {
    return {1048576, 16384};
}

SheetData CSheetCells::Rows() const {
    SheetData data;
    for (const auto& [row, cells] : m_rows) {
        std::size_t used = cells.size();
        while (used > 0 && IsEmpty(cells[used - 1])) {
            --used;
        }
        if (used > 0) {
            data.rows.push_back({row + 1, {cells.begin(), cells.begin() + used}});
        }
    }
    return data;
}

oss::iface::import_sheet* CSheetCollector::append_sheet(oss::sheet_t, std::string_view name) {
    m_sheets.push_back(std::make_unique<CSheetCells>(std::string(name), m_strings));
    return m_sheets.back().get();
}

oss::iface::import_sheet* CSheetCollector::get_sheet(std::string_view name) {
    for (const auto& sheet : m_sheets) {
        if (sheet->Name() == name) {
            return sheet.get();
        }
    }
    return nullptr;
}

oss::iface::import_sheet* CSheetCollector::get_sheet(oss::sheet_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < m_sheets.size()
               ? m_sheets[static_cast<std::size_t>(index)].get()
               : nullptr;
}

const CSheetCells* CSheetCollector::Find(std::string_view name) const {
    if (name.empty()) {
        return m_sheets.empty() ? nullptr : m_sheets.front().get();
    }
    for (const auto& sheet : m_sheets) {
        if (sheet->Name() == name) {
            return sheet.get();
        }
    }
    return nullptr;
}

std::string CSheetCollector::Names() const {
    std::string names;
    for (const auto& sheet : m_sheets) {
        names += names.empty() ? "\"" : ", \"";
        names += sheet->Name() + '"';
    }
    return names;
}

} // namespace tillora
