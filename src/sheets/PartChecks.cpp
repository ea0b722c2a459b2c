#include "sheets/PartChecks.h"

#include "link/Message.h"
#include "res/StringIds.h"
#include "sheets/ZipPart.h"

#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <cctype>
#include <cstdint>
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
            throw std::runtime_error(FormatMessage(ids::PartStyleOutside,
                                                   std::string(element.name).c_str(),
                                                   std::string(family).c_str()));
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

void CheckXmlEnds(std::string_view xml) {
    if (xml.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        throw std::runtime_error(FormatMessage(ids::PartEmpty));
    }
    // What closes each kind of markup once it is open.
    constexpr std::string_view Closers[][2] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<", ">"}};
    std::size_t at = xml.find('<');
    std::size_t last = 0; // just after the last markup
    while (at != std::string_view::npos) {
        for (const auto& [opener, closer] : Closers) {
            if (!xml.substr(at).starts_with(opener)) {
                continue;
            }
            std::size_t end = at + opener.size();
            if (closer == ">") {
                // A quoted value may hold a '>'.
                for (char quote = 0; end < xml.size() && (quote != 0 || xml[end] != '>'); ++end) {
                    if (quote == 0 && (xml[end] == '"' || xml[end] == '\'')) {
                        quote = xml[end];
                    } else if (xml[end] == quote) {
                        quote = 0;
                    }
                }
            } else {
                end = xml.find(closer, end);
            }
            if (end >= xml.size()) {
                throw std::runtime_error(
                    FormatMessage(ids::PartEndsInside,
                                  (std::string(opener) + "…" + std::string(closer)).c_str()));
            }
            last = end + 1;
            at = xml.find('<', last);
            break;
        }
    }
    if (xml.find_first_not_of(" \t\r\n", last) != std::string_view::npos) {
        throw std::runtime_error(FormatMessage(ids::PartTextAfterEnd));
    }
}

void CheckCharacterReferences(std::string_view xml) {
    for (std::size_t at = xml.find("&#"); at != std::string_view::npos;
         at = xml.find("&#", at + 2)) {
        const bool hex = at + 2 < xml.size() && (xml[at + 2] == 'x' || xml[at + 2] == 'X');
        const std::size_t first = at + (hex ? 3 : 2);
        std::uint32_t code = 0;
        std::size_t end = first;
        for (; end < xml.size() && end - first < 8 &&
               std::isxdigit(static_cast<unsigned char>(xml[end]));
             ++end) {
            const char c = xml[end];
            if (!hex && !std::isdigit(static_cast<unsigned char>(c))) {
                break;
            }
            const std::uint32_t digit =
                std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10;
            code = code * (hex ? 16 : 10) + digit;
        }
        if (end == first || end >= xml.size() || xml[end] != ';' || code == 0 || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            throw std::runtime_error(FormatMessage(ids::PartBadCharacter));
        }
    }
}

void CheckOdsStyles(std::string_view stylesXml) {
    // orcus' parser looks at the character after the last, which a string always has.
    const std::string xml(stylesXml);
    StyleChecker checker;
    orcus::sax_parser<StyleChecker> parser(xml.data(), xml.size(), checker);
    parser.parse();
}

} // namespace tillora

namespace tillora {

void CheckWorkbookParts(std::string_view zip, bool ods) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(zip.data()), zip.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < archive.get_file_entry_count(); ++i) {
        const std::string name(archive.get_file_entry_name(i));
        if (!(name.ends_with(".xml") || name.ends_with(".rels")) ||
            !archive.read_file_entry(name, bytes)) {
            continue;
        }
        const std::string_view part = PartText(bytes);
        try {
            CheckXmlEnds(part);
            CheckCharacterReferences(part);
            if (ods && (name == "styles.xml" || name == "content.xml")) {
                CheckOdsStyles(part);
            }
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(name + ": " + e.what());
        }
    }
}

} // namespace tillora
