#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tillora {

// liborcus 0.17 finds a workbook's parts only by relationship targets relative to the folder
// of the part that names them ("worksheets/sheet1.xml"); openpyxl and pandas write them from
// the archive's root ("/xl/worksheets/sheet1.xml"), and orcus then reads no sheet at all.
// Returns the .xlsx file with every such target made relative, or nothing when it has none.
// Throws where the archive cannot be read.
std::optional<std::string> WithRelativeTargets(std::string_view xlsx);

} // namespace tillora
