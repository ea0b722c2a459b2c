#include "sheets/OdsStyleCheck.h"

#include <orcus/sax_parser.hpp>

#include <stdexcept>
#include <string>
#include <vector>

namespace tillora {
namespace {

// The family a style must have for properties of this kind, or empty where any will do.
std::string_view FamilyFor(std::string_view properties) {
    for (const std::string_view family : {"table-column", "table-row", "table-cell", "table"}) {
        if (properties.size() == family.size() + 11 && properties.starts_with(family) &&
            properties.ends_with("-properties")) {
            return family;
        }
    }
    return {};
}

bool IsStyle(std::string_view element) {
    return element == "style:style" || element == "style:default-style";
}

class StyleChecker : public orcus::sax_handler {
public:
    void attribute(const orcus::sax::parser_attribute& attribute) {
        if (attribute.ns == "style" && attribute.name == "family") {
            m_family = attribute.value;
        }
    }
    void start_element(const orcus::sax::parser_element& element) {
        const std::string_view family = element.ns == "style" ? FamilyFor(element.name) : "";
        if (!family.empty() &&
            (m_open.empty() || !IsStyle(m_open.back().name) || m_open.back().family != family)) {
            throw std::runtime_error("style:" + std::string(element.name) + " outside a style " +
                                     "of the family \"" + std::string(family) + "\"");
        }
        m_open.push_back({std::string(element.ns) + ":" + std::string(element.name), m_family});
        m_family.clear();
    }
    void end_element(const orcus::sax::parser_element&) {
        if (!m_open.empty()) {
            m_open.pop_back();
        }
    }

private:
    struct Open {
        std::string name; // with its namespace prefix
        std::string family;
    };
    std::vector<Open> m_open;
    std::string m_family;
};

} // namespace

void CheckOdsStyles(std::string_view stylesXml) {
    // orcus' parser looks at the character after the last, which a string always has.
    const std::string xml(stylesXml);
    StyleChecker checker;
    orcus::sax_parser<StyleChecker> parser(xml.data(), xml.size(), checker);
    parser.parse();
}

} // namespace tillora
