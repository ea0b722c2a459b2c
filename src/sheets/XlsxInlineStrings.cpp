#include "sheets/XlsxInlineStrings.h"

#include "sheets/ZipPart.h"

#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <map>
#include <optional>

namespace tillora {
namespace {

// The attributes of the element about to start: orcus reports them before the element.
class AttributeList {
public:
    void Add(const orcus::sax::parser_attribute& attribute) {
        m_values.emplace_back(std::string(attribute.ns), std::string(attribute.name),
                              std::string(attribute.value));
    }
    // The value of the attribute of that name (and namespace prefix, where one is given).
    std::optional<std::string> Take(std::string_view name, std::string_view ns = {}) const {
        for (const auto& [attributeNs, attributeName, value] : m_values) {
            if (attributeName == name && (ns.empty() || attributeNs == ns)) {
                return value;
            }
        }
        return std::nullopt;
    }
    void Clear() { m_values.clear(); }

private:
    std::vector<std::tuple<std::string, std::string, std::string>> m_values;
};

// Every element of one name with two of its attributes: sheets and relationships.
class PairReader : public orcus::sax_handler {
public:
    PairReader(std::string_view element, std::string_view key, std::string_view keyNs,
               std::string_view value)
        : m_element(element), m_key(key), m_keyNs(keyNs), m_value(value) {}
    void attribute(const orcus::sax::parser_attribute& attribute) { m_attributes.Add(attribute); }
    void start_element(const orcus::sax::parser_element& element) {
        const auto key = m_attributes.Take(m_key, m_keyNs);
        const auto value = m_attributes.Take(m_value);
        if (element.name == m_element && key && value) {
            pairs.emplace_back(*key, *value);
        }
        m_attributes.Clear();
    }

    std::vector<std::pair<std::string, std::string>> pairs;

private:
    std::string_view m_element, m_key, m_keyNs, m_value;
    AttributeList m_attributes;
};

// "C12" to its column and row from 0; a part that is not there stays as it was.
void ReadCellReference(std::string_view reference, int& row, int& column) {
    int letters = 0;
    int digits = 0;
    std::size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 3; ++i) {
        letters = letters * 26 + (reference[i] - 'A' + 1);
    }
    for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9' && digits < 1048577;
         ++i) {
        digits = digits * 10 + (reference[i] - '0');
    }
    if (letters > 0) {
        column = letters - 1;
    }
    if (digits > 0) {
        row = digits - 1;
    }
}

// The inline strings of one sheet's part: the <t> texts inside a cell's <is>, but not those of
// its phonetic guide (<rPh>).
class InlineCellReader : public orcus::sax_handler {
public:
    InlineCellReader(std::string sheet, std::vector<InlineString>& out)
        : m_sheet(std::move(sheet)), m_out(out) {}
    void attribute(const orcus::sax::parser_attribute& attribute) { m_attributes.Add(attribute); }
    void start_element(const orcus::sax::parser_element& element) {
        if (element.name == "row") {
            ++m_row;
            m_column = -1;
            ReadCellReference(m_attributes.Take("r").value_or(""), m_row, m_column);
            m_column = -1;
        } else if (element.name == "c") {
            ++m_column;
            ReadCellReference(m_attributes.Take("r").value_or(""), m_row, m_column);
            m_inline = m_attributes.Take("t") == "inlineStr";
            m_text.clear();
        } else if (element.name == "is") {
            m_inString = m_inline;
        } else if (element.name == "rPh") {
            m_inGuide = true;
        } else if (element.name == "t") {
            m_inText = m_inString && !m_inGuide;
        }
        m_attributes.Clear();
    }
    void end_element(const orcus::sax::parser_element& element) {
        if (element.name == "t") {
            m_inText = false;
        } else if (element.name == "rPh") {
            m_inGuide = false;
        } else if (element.name == "is") {
            m_inString = false;
        } else if (element.name == "c" && m_inline) {
            m_out.push_back({m_sheet, m_row, m_column, m_text});
            m_inline = false;
        }
    }
    void characters(std::string_view text, bool) {
        if (m_inText) {
            m_text += text;
        }
    }

private:
    std::string m_sheet;
    std::vector<InlineString>& m_out;
    AttributeList m_attributes;
    int m_row = -1;
    int m_column = -1;
    bool m_inline = false;
    bool m_inString = false;
    bool m_inGuide = false;
    bool m_inText = false;
    std::string m_text;
};

std::optional<std::string> ReadPart(const orcus::zip_archive& archive, std::string_view name) {
    std::vector<unsigned char> bytes;
    if (!archive.read_file_entry(name, bytes)) {
        return std::nullopt;
    }
    return std::string(PartText(bytes));
}

// orcus' parser looks at the character after the last, which a string always has.
template <typename Handler> void Parse(const std::string& xml, Handler& handler) {
    orcus::sax_parser<Handler> parser(xml.data(), xml.size(), handler);
    parser.parse();
}

// A relationship's target as a part name: relative to the workbook's folder, or from the root.
std::string PartName(const std::string& folder, const std::string& target) {
    return target.starts_with('/') ? target.substr(1) : folder + target;
}

} // namespace

std::vector<InlineString> ReadInlineStrings(std::string_view bytes) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(bytes.data()),
                                          bytes.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    const std::optional<std::string> workbook = ReadPart(archive, "xl/workbook.xml");
    const std::optional<std::string> relations = ReadPart(archive, "xl/_rels/workbook.xml.rels");
    if (!workbook || !relations) {
        return {};
    }
    PairReader sheets("sheet", "id", "r", "name");
    Parse(*workbook, sheets);
    PairReader targets("Relationship", "Id", {}, "Target");
    Parse(*relations, targets);
    const std::map<std::string, std::string> targetOf(targets.pairs.begin(), targets.pairs.end());

    std::vector<InlineString> strings;
    for (const auto& [id, name] : sheets.pairs) {
        const auto target = targetOf.find(id);
        if (target == targetOf.end()) {
            continue;
        }
        const std::optional<std::string> sheet = ReadPart(archive, PartName("xl/", target->second));
        // Most files have none; those are not read a second time.
        if (sheet && sheet->find("inlineStr") != std::string::npos) {
            InlineCellReader reader(name, strings);
            Parse(*sheet, reader);
        }
    }
    return strings;
}

} // namespace tillora
