#pragma once

#include <string_view>

namespace tillora {

// liborcus 0.17 stops the whole program (an assertion) on an .ods style whose properties are
// for another kind of style, such as table-column properties in a table-row style; a damaged
// file can have that. Checks the parts that hold
// styles before orcus reads them, and throws a std::runtime_error naming the first such place.
void CheckOdsStyles(std::string_view stylesXml);

} // namespace tillora
