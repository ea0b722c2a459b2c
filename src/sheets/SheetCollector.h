#pragma once

#include "sheets/SheetStyles.h"
#include "tables/SheetData.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tillora {

namespace oss = orcus::spreadsheet;

// The strings an .xlsx or .ods file shares between its cells, as UTF-8; formatting runs are
// joined into one text, since a cell keeps only its text.
class CSheetStrings : public oss::iface::import_shared_strings {
public:
    std::size_t append(std::string_view s) override;
    std::size_t add(std::string_view s) override;
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                                oss::color_elem_t) override {}
    void append_segment(std::string_view s) override { m_segments += s; }
    std::size_t commit_segments() override;

    // The empty text for an index the file never gave.
    const std::string& At(std::size_t index) const;

private:
    std::vector<std::string> m_strings;
    std::unordered_map<std::string, std::size_t> m_indices;
    std::string m_segments;
};

// Cell references as an .xlsx file writes them ("B7", "$B$7", "Лист1!B7:D9") and as an .ods
// file does ("$'Цени'.$A$1", "[.B7:.D9]"), for the extent of a sheet and for named ranges.
// Nothing read here depends on them: the sheet part is passed by, and a reference of another
// kind (a whole column, an error) counts as A1 rather than failing the whole file.
class CA1References : public oss::iface::import_reference_resolver {
public:
    oss::src_address_t resolve_address(std::string_view address) override;
    oss::src_range_t resolve_range(std::string_view range) override;
};

// A formula cell: what counts is the result the file stored with it. A file that stored none
// (openpyxl writes only the formula) gives the formula's text, which no table column takes, so
// that the import names the cell rather than leave it empty without a word.
class CSheetFormula : public oss::iface::import_formula {
public:
    explicit CSheetFormula(std::map<int, std::vector<SheetCell>>& rows) : m_rows(rows) {}
    void set_position(oss::row_t row, oss::col_t col) override;
    void set_formula(oss::formula_grammar_t, std::string_view formula) override;
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override;
    void set_result_value(double value) override;
    void set_result_bool(bool value) override;
    void set_result_empty() override { m_result = {}; }
    void commit() override;

private:
    std::map<int, std::vector<SheetCell>>& m_rows;
    oss::row_t m_row = 0;
    oss::col_t m_column = 0;
    SheetCell m_result;
    std::string m_formula;
};

// One sheet's cells by row; everything but the values (formats, sizes, views) is passed by,
// except that a number shown as a date comes as the date, where styles are given for that.
class CSheetCells : public oss::iface::import_sheet {
public:
    CSheetCells(std::string name, const CSheetStrings& strings, const CSheetStyles* dateStyles);

    oss::iface::import_formula* get_formula() override { return &m_formula; }
    void set_auto(oss::row_t row, oss::col_t col, std::string_view s) override;
    void set_string(oss::row_t row, oss::col_t col, oss::string_id_t sindex) override;
    void set_value(oss::row_t row, oss::col_t col, double value) override;
    void set_bool(oss::row_t row, oss::col_t col, bool value) override;
    void set_date_time(oss::row_t row, oss::col_t col, int year, int month, int day, int hour,
                       int minute, double second) override;
    void set_format(oss::row_t row, oss::col_t col, std::size_t xf) override;
    void set_format(oss::row_t, oss::col_t, oss::row_t, oss::col_t, std::size_t) override {}
    void fill_down_cells(oss::row_t row, oss::col_t col, oss::row_t count) override;
    oss::range_size_t get_sheet_size() const override;

    const std::string& Name() const { return m_name; }
    // A text cell the file keeps in the sheet itself rather than among the shared strings.
    void SetText(int row, int col, std::string_view utf8);
    // The rows that hold a value, numbered from 1, each from column A to its last value.
    SheetData Rows() const;

private:
    void Set(oss::row_t row, oss::col_t col, SheetCell cell);
    void ShowDates(int row, std::vector<SheetCell>& cells) const;

    std::string m_name;
    const CSheetStrings& m_strings;
    const CSheetStyles* m_dateStyles;
    std::map<int, std::vector<SheetCell>> m_rows;
    std::map<std::pair<int, int>, std::size_t> m_formats; // a cell's xf, where dates are read
    CSheetFormula m_formula{m_rows};
};

// Collects the sheets of one file as orcus reads it. An .xlsx file keeps its dates as numbers
// of a date format (numbersMayBeDates); an .ods file types them itself.
class CSheetCollector : public oss::iface::import_factory {
public:
    explicit CSheetCollector(bool numbersMayBeDates) : m_numbersMayBeDates(numbersMayBeDates) {}
    oss::iface::import_shared_strings* get_shared_strings() override { return &m_strings; }
    oss::iface::import_styles* get_styles() override { return &m_styles; }
    oss::iface::import_reference_resolver*
    get_reference_resolver(oss::formula_ref_context_t) override {
        return &m_references;
    }
    oss::iface::import_sheet* append_sheet(oss::sheet_t index, std::string_view name) override;
    oss::iface::import_sheet* get_sheet(std::string_view name) override;
    oss::iface::import_sheet* get_sheet(oss::sheet_t index) override;
    void finalize() override {}

    // The sheet of that name, the first when name is empty; null when there is none.
    const CSheetCells* Find(std::string_view name) const;
    CSheetCells* Find(std::string_view name);
    // The names in quotes, in the file's order, for the message that lists them.
    std::string Names() const;
    bool Empty() const { return m_sheets.empty(); }

private:
    bool m_numbersMayBeDates;
    CSheetStrings m_strings;
    CSheetStyles m_styles;
    CA1References m_references;
    std::vector<std::unique_ptr<CSheetCells>> m_sheets;
};

} // namespace tillora
