#pragma once

#include <QString>

#include <string_view>

class QLabel;
class QWidget;

namespace tillora {

// A string-table text (UTF-8) for a widget.
QString UiText(unsigned id);
// A message as the core formats it (UTF-8), with its CR LF line ends as Qt shows them.
QString MessageText(std::string_view text);
// A string-table label beside a field, in the field's parent: it names the field to screen readers
// and its "&" key moves the focus there.
QLabel* LabelFor(unsigned id, QWidget* field);

} // namespace tillora
