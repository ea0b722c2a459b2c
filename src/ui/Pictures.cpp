#include "ui/Pictures.h"

#include <QString>

// Outside any namespace, as Qt asks: the pictures are built into the static library, whose
// resources register only when asked to.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace tillora {
namespace {

QPixmap Picture(const QString& name) {
    InitPictureResources();
    return QPixmap(QStringLiteral(":/pictures/") + name);
}

} // namespace

QPixmap SplashPicture() {
    return Picture(QStringLiteral("splash.png"));
}

QPixmap AboutPicture() {
    return Picture(QStringLiteral("about.png"));
}

} // namespace tillora
