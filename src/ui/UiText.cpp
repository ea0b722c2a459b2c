#include "ui/UiText.h"

#include "grid/QtText.h"
#include "res/StringTable.h"

#include <QLabel>

namespace tillora {

QString UiText(unsigned id) {
    return MessageText(LoadString(id));
}

QString MessageText(std::string_view text) {
    QString result = FromUtf8(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QLabel* LabelFor(unsigned id, QWidget* field) {
    auto* label = new QLabel(UiText(id), field->parentWidget());
    label->setBuddy(field);
    return label;
}

} // namespace tillora
