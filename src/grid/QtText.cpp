#include "grid/QtText.h"

#include "link/Cp1251.h"

#include <QtGlobal>

namespace tillora {

QString FromCp1251(std::string_view text) {
    return FromUtf8(Cp1251ToUtf8(text));
}

std::string ToCp1251(const QString& text) {
    return Utf8ToCp1251(ToUtf8(text));
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

QString FromPath(std::string_view path) {
    return FromUtf8(path);
}

std::string ToPath(const QString& path) {
    return ToUtf8(path);
}

bool FileNamesCaseSensitive() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return false;
#else
    return true;
#endif
}

} // namespace tillora
