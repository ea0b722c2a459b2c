#include "ui/AppIcon.h"

#include <QString>

namespace tillora {

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/app/tillora-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace tillora
