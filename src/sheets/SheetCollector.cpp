#include "sheets/SheetCollector.h"

#include "link/Cp1251.h"
#include "sheets/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

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

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

// Where the last of these characters stands outside 'quoted' sheet names, if anywhere.
std::optional<std::size_t> OutsideQuotes(std::string_view text, std::string_view characters) {
    std::optional<std::size_t> found;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') {
            quoted = !quoted;
        } else if (!quoted && characters.find(text[i]) != std::string_view::npos) {
            found = i;
            if (characters == ":") {
                return found; // a range splits at its first colon
            }
        }
    }
    return found;
}

// The cell of a reference, without its brackets and its sheet: "Лист1!" in .xlsx, "$'Цени'."
// or "." in .ods.
std::string_view CellPart(std::string_view reference) {
    if (reference.starts_with('[')) {
        reference.remove_prefix(1);
    }
    if (reference.ends_with(']')) {
        reference.remove_suffix(1);
    }
    if (const std::optional<std::size_t> sheetEnd = OutsideQuotes(reference, "!.")) {
        reference.remove_prefix(*sheetEnd + 1);
    }
    return reference;
}

std::string DateText(int year, int month, int day, int hour, int minute, double second) {
    char text[64];
    if (hour == 0 && minute == 0 && second == 0.0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02.0f", year, month, day, hour,
                      minute, second);
    }
    return text;
}

// An .xlsx date: days since 1899-12-30, the fraction the time of day. The count keeps the
// 29th of February 1900 that never was, so days before it are one fewer.
std::optional<std::string> DateOfDayCount(double count) {
    if (!(count >= 1.0 && count < 2958466.0)) {
        return std::nullopt; // before 1900 or after 9999: no date
    }
    long days = static_cast<long>(std::floor(count));
    long seconds = std::lround((count - static_cast<double>(days)) * 86400.0);
    if (seconds == 86400) {
        ++days;
        seconds = 0;
    }
    if (days < 61) {
        ++days;
    }
    // Days since 1970-01-01 to a civil date, after Howard Hinnant's algorithm.
    const long z = days - 25569 + 719468;
    const long era = z / 146097;
    const long dayOfEra = z - era * 146097;
    const long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return DateText(year, month, day, static_cast<int>(seconds / 3600),
                    static_cast<int>(seconds / 60 % 60), static_cast<double>(seconds % 60));
}

} // namespace

oss::src_address_t CA1References::resolve_address(std::string_view address) {
    address = CellPart(address);
    oss::src_address_t result{0, 0, 0};
    std::size_t i = address.starts_with('$') ? 1 : 0;
    for (; i < address.size() && IsUpper(address[i]); ++i) {
        result.column = std::min(result.column * 26 + (address[i] - 'A' + 1), MaxColumns);
    }
    i += i < address.size() && address[i] == '$' ? 1 : 0;
    for (; i < address.size() && IsDigit(address[i]); ++i) {
        result.row = std::min(result.row * 10 + (address[i] - '0'), MaxRows);
    }
    result.column = std::max(result.column - 1, 0);
    result.row = std::max(result.row - 1, 0);
    return result;
}

oss::src_range_t CA1References::resolve_range(std::string_view range) {
    const std::size_t colon = OutsideQuotes(range, ":").value_or(std::string_view::npos);
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
    m_formula.clear();
}

void CSheetFormula::set_formula(oss::formula_grammar_t, std::string_view formula) {
    m_formula = formula.starts_with('=') ? std::string(formula) : "=" + std::string(formula);
}

void CSheetFormula::set_result_string(std::string_view value) {
    m_result = TextCell(value);
}

// orcus gives a formula whose result the file left out as "not a number".
void CSheetFormula::set_result_value(double value) {
    m_result = std::isnan(value) ? SheetCell{} : NumberCell(value);
}

void CSheetFormula::set_result_bool(bool value) {
    m_result = NumberCell(value ? 1.0 : 0.0);
}

void CSheetFormula::commit() {
    if (IsEmpty(m_result) && !m_formula.empty()) {
        m_result = TextCell(m_formula);
    }
    if (IsEmpty(m_result) || m_row < 0 || m_column < 0) {
        return;
    }
    std::vector<SheetCell>& cells = m_rows[m_row];
    if (cells.size() <= static_cast<std::size_t>(m_column)) {
        cells.resize(static_cast<std::size_t>(m_column) + 1);
    }
    cells[static_cast<std::size_t>(m_column)] = m_result;
}

CSheetCells::CSheetCells(std::string name, const CSheetStrings& strings,
                         const CSheetStyles* dateStyles)
    : m_name(std::move(name)), m_strings(strings), m_dateStyles(dateStyles) {}

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

void CSheetCells::SetText(int row, int col, std::string_view utf8) {
    Set(row, col, TextCell(utf8));
}

void CSheetCells::set_format(oss::row_t row, oss::col_t col, std::size_t xf) {
    if (m_dateStyles != nullptr) {
        m_formats[{row, col}] = xf;
    }
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
    Set(row, col, TextCell(DateText(year, month, day, hour, minute, second)));
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

// The styles are known only once the whole file is read, so dates are told at the end.
void CSheetCells::ShowDates(int row, std::vector<SheetCell>& cells) const {
    if (m_dateStyles == nullptr) {
        return;
    }
    for (std::size_t col = 0; col < cells.size(); ++col) {
        const auto format = m_formats.find({row, static_cast<int>(col)});
        if (!cells[col].number || format == m_formats.end() ||
            !m_dateStyles->IsDateFormat(format->second)) {
            continue;
        }
        if (const std::optional<std::string> date = DateOfDayCount(*cells[col].number)) {
            cells[col] = TextCell(*date);
        }
    }
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
            ShowDates(row, data.rows.back().cells);
        }
    }
    return data;
}

oss::iface::import_sheet* CSheetCollector::append_sheet(oss::sheet_t, std::string_view name) {
    m_sheets.push_back(std::make_unique<CSheetCells>(std::string(name), m_strings,
                                                     m_numbersMayBeDates ? &m_styles : nullptr));
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

CSheetCells* CSheetCollector::Find(std::string_view name) {
    return const_cast<CSheetCells*>(std::as_const(*this).Find(name));
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
