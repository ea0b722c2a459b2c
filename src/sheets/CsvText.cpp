#include "sheets/CsvText.h"

namespace tillora {
namespace {

bool NeedsQuotes(const std::string& field) {
    return field.find_first_of(",\"\r\n") != std::string::npos ||
           (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

void AppendField(std::string& out, const std::string& field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

void AppendRecord(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendField(out, fields[i]);
    }
    out += "\r\n";
}

} // namespace

std::string CsvText(const ExportTable& table) {
    std::string out = "\xEF\xBB\xBF";
    std::vector<std::string> titles;
    for (const ExportColumn& column : table.columns) {
        titles.push_back(column.title);
    }
    AppendRecord(out, titles);
    for (const ExportRow& row : table.rows) {
        AppendRecord(out, row.cells);
    }
    return out;
}

} // namespace tillora
