#include "grid/GridClipboard.h"

#include "grid/QtText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tillora {

void PutClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(FromCp1251(text));
}

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

} // namespace tillora
