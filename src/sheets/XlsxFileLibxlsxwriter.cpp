#include "sheets/XlsxFile.h"

#include "sheets/SpreadsheetFile.h"

#include "tables/DecimalText.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

namespace tillora {
namespace {

const char* NumberFormat(int decimals) {
    switch (decimals) {
    case 2:
        return "0.00";
    case 3:
        return "0.000";
    default:
        return "0";
    }
}

std::vector<lxw_format*> ColumnFormats(lxw_workbook* workbook, const ExportTable& table) {
    std::vector<lxw_format*> formats;
    for (const ExportColumn& column : table.columns) {
        lxw_format* format = nullptr;
        if (column.value == ExportValue::Number) {
            format = workbook_add_format(workbook);
            format_set_num_format(format, NumberFormat(column.decimals));
        }
        formats.push_back(format);
    }
    return formats;
}

// Wide enough for the longest text of the column, in characters (UTF-8 continuation bytes are
// not characters), within reason.
double ColumnWidth(const ExportTable& table, std::size_t column) {
    auto characters = [](const std::string& text) {
        return std::count_if(text.begin(), text.end(),
                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    std::ptrdiff_t widest = characters(table.columns[column].title);
    for (const ExportRow& row : table.rows) {
        widest = std::max(widest, characters(row.cells[column]));
    }
    return static_cast<double>(std::clamp<std::ptrdiff_t>(widest + 2, 6, 60));
}

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const ExportColumn& kind,
                    const std::string& text, lxw_format* format) {
    if (text.empty()) {
        return LXW_NO_ERROR;
    }
    if (kind.value == ExportValue::Number) {
        if (const std::optional<double> value = ParseDecimal(text)) {
            return worksheet_write_number(sheet, row, column, *value, format);
        }
    }
    return worksheet_write_string(sheet, row, column, text.c_str(), nullptr);
}

lxw_error WriteSheet(lxw_workbook* workbook, lxw_worksheet* sheet, const ExportTable& table) {
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    const std::vector<lxw_format*> formats = ColumnFormats(workbook, table);
    lxw_error error = LXW_NO_ERROR;
    for (std::size_t c = 0; c < table.columns.size() && error == LXW_NO_ERROR; ++c) {
        const auto column = static_cast<lxw_col_t>(c);
        worksheet_set_column(sheet, column, column, ColumnWidth(table, c), nullptr);
        error = worksheet_write_string(sheet, 0, column, table.columns[c].title.c_str(), bold);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    for (std::size_t r = 0; r < table.rows.size() && error == LXW_NO_ERROR; ++r) {
        const auto row = static_cast<lxw_row_t>(r + 1);
        for (std::size_t c = 0; c < table.columns.size() && error == LXW_NO_ERROR; ++c) {
            error = WriteCell(sheet, row, static_cast<lxw_col_t>(c), table.columns[c],
                              table.rows[r].cells[c], formats[c]);
        }
    }
    return error;
}

} // namespace

bool CanWriteSpreadsheets() {
    return true;
}

bool WriteXlsxFile(const ExportTable& table, const std::filesystem::path& path,
                   std::string& detail) {
    lxw_workbook* workbook = workbook_new(path.string().c_str());
    if (workbook == nullptr) {
        detail = "workbook_new";
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, table.sheetName.c_str());
    if (sheet == nullptr) {
        workbook_close(workbook);
        detail = "workbook_add_worksheet";
        return false;
    }
    const lxw_error written = WriteSheet(workbook, sheet, table);
    const lxw_error closed = workbook_close(workbook);
    const lxw_error error = written != LXW_NO_ERROR ? written : closed;
    if (error != LXW_NO_ERROR) {
        detail = lxw_strerror(error);
        return false;
    }
    return true;
}

} // namespace tillora
