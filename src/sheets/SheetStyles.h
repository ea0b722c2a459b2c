#pragma once

#include <orcus/spreadsheet/import_interface.hpp>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tillora {

namespace oss = orcus::spreadsheet;

// Of a workbook's styles only what tells a date from a number: an .xlsx keeps a date as a day
// count whose cell format shows it as a date. Fonts, fills, borders and the rest are passed by;
// orcus needs somewhere to put them all the same.
class CSheetStyles : public oss::iface::import_styles {
public:
    // Whether cells of this format (a cell's xf index) show their number as a date.
    bool IsDateFormat(std::size_t xf) const;

    void set_number_format_identifier(std::size_t id) override { m_numberFormatId = id; }
    void set_number_format_code(std::string_view s) override { m_numberFormatCode = s; }
    std::size_t commit_number_format() override;
    void set_xf_number_format(std::size_t index) override { m_xfNumberFormat = index; }
    std::size_t commit_cell_xf() override;

    void set_font_count(std::size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(oss::underline_t) override {}
    void set_font_underline_width(oss::underline_width_t) override {}
    void set_font_underline_mode(oss::underline_mode_t) override {}
    void set_font_underline_type(oss::underline_type_t) override {}
    void set_font_underline_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                                  oss::color_elem_t) override {}
    void set_font_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                        oss::color_elem_t) override {}
    void set_strikethrough_style(oss::strikethrough_style_t) override {}
    void set_strikethrough_type(oss::strikethrough_type_t) override {}
    void set_strikethrough_width(oss::strikethrough_width_t) override {}
    void set_strikethrough_text(oss::strikethrough_text_t) override {}
    std::size_t commit_font() override { return m_fonts++; }
    void set_fill_count(std::size_t) override {}
    void set_fill_pattern_type(oss::fill_pattern_t) override {}
    void set_fill_fg_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                           oss::color_elem_t) override {}
    void set_fill_bg_color(oss::color_elem_t, oss::color_elem_t, oss::color_elem_t,
                           oss::color_elem_t) override {}
    std::size_t commit_fill() override { return m_fills++; }
    void set_border_count(std::size_t) override {}
    void set_border_style(oss::border_direction_t, oss::border_style_t) override {}
    void set_border_color(oss::border_direction_t, oss::color_elem_t, oss::color_elem_t,
                          oss::color_elem_t, oss::color_elem_t) override {}
    void set_border_width(oss::border_direction_t, double, orcus::length_unit_t) override {}
    std::size_t commit_border() override { return m_borders++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    std::size_t commit_cell_protection() override { return m_protections++; }
    void set_number_format_count(std::size_t) override {}
    void set_cell_xf_count(std::size_t) override {}
    void set_cell_style_xf_count(std::size_t) override {}
    void set_dxf_count(std::size_t) override {}
    void set_xf_font(std::size_t) override {}
    void set_xf_fill(std::size_t) override {}
    void set_xf_border(std::size_t) override {}
    void set_xf_protection(std::size_t) override {}
    void set_xf_style_xf(std::size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(oss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(oss::ver_alignment_t) override {}
    std::size_t commit_cell_style_xf() override { return Forget(m_styleXfs); }
    std::size_t commit_dxf() override { return Forget(m_dxfs); }
    void set_cell_style_count(std::size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(std::size_t) override {}
    void set_cell_style_builtin(std::size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    std::size_t commit_cell_style() override { return m_cellStyles++; }

private:
    // A style format or a differential one has no cells of its own.
    std::size_t Forget(std::size_t& count) {
        m_xfNumberFormat = 0;
        return count++;
    }

    std::map<std::size_t, std::string> m_codes; // by the file's identifier of each format
    std::size_t m_numberFormatId = 0;
    std::string m_numberFormatCode;
    std::size_t m_numberFormatsCommitted = 0;
    std::size_t m_xfNumberFormat = 0;
    std::vector<bool> m_dateXfs;
    std::size_t m_fonts = 0, m_fills = 0, m_borders = 0, m_protections = 0;
    std::size_t m_styleXfs = 0, m_dxfs = 0, m_cellStyles = 0;
};

// Whether a number format code shows a date or a time: a day, month, year, hour or second
// outside quoted text, escapes and bracketed colours or currencies ("DD.MM.YYYY" does,
// "#,##0.00 \"лв.\"" does not).
bool IsDateFormatCode(std::string_view code);

} // namespace tillora
