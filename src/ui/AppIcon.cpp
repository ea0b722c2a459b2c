#include "ui/AppIcon.h"

#include <QString>

// Outside any namespace, as Qt asks: the pictures are built into the static library, whose
// resources register only when asked to.
static void InitAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace tillora {

QIcon AppIcon() {
    InitAppResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/app/tillora-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace tillora
