#pragma once

#include <QString>

#include <string_view>

namespace tillora {

// A string-table text (UTF-8) for a widget.
QString UiText(unsigned id);
// A message as the core formats it (UTF-8), with its CR LF line ends as Qt shows them.
QString MessageText(std::string_view text);

} // namespace tillora
