#pragma once

#include <string_view>

namespace tillora {

// liborcus 0.17 stops the whole program (an assertion, which no catch can stop) on some damaged
// parts, so a workbook's parts are checked before orcus reads them. Each throws a
// std::runtime_error naming the first such place.

// An XML part that ends inside a tag, a comment or a quoted value: orcus' parser would read on
// past its end.
void CheckXmlEnds(std::string_view xml);

// A numeric character reference ("&#1062;", "&#x426;") that names no Unicode character:
// orcus' decoder asserts on one.
void CheckCharacterReferences(std::string_view xml);

// An .ods style whose properties are for another kind of style, such as table-column properties
// in a table-row style.
void CheckOdsStyles(std::string_view stylesXml);

// All of these, on every XML part of the archive (.xml, .rels) and on the styles of an .ods file.
void CheckWorkbookParts(std::string_view zip, bool ods);

} // namespace tillora
