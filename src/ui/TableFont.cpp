#include "ui/TableFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace tillora {
namespace {

constexpr int PixelSize = 14;

bool IsFixedPitchCyrillic(const QString& family) {
    return QFontDatabase::isFixedPitch(family) &&
           QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic);
}

// The families that look most like "Courier New" come first: its metric twins, then the fixed
// fonts of Windows and of the Linux desktops, then the system's own fixed font, then any.
QString FixedPitchStandIn() {
    const QStringList families = QFontDatabase::families();
    const QStringList preferred = {
        QStringLiteral("Liberation Mono"),
        QStringLiteral("Cousine"),
        QStringLiteral("Consolas"),
        QStringLiteral("Lucida Console"),
        QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("Noto Sans Mono"),
        QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
    };
    for (const QString& family : preferred) {
        if (families.contains(family, Qt::CaseInsensitive) && IsFixedPitchCyrillic(family)) {
            return family;
        }
    }
    for (const QString& family : families) {
        if (IsFixedPitchCyrillic(family)) {
            return family;
        }
    }
    return {};
}

QFont SizedFont(const QString& family) {
    QFont font(family);
    font.setPixelSize(PixelSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

QFont TableFont() {
    const QFont courierNew = SizedFont(QStringLiteral("Courier New"));
    if (QFontInfo(courierNew).fixedPitch()) {
        return courierNew;
    }
    const QString standIn = FixedPitchStandIn();
    return standIn.isEmpty() ? courierNew : SizedFont(standIn);
}

} // namespace tillora
