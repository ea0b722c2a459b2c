#include "ui/LogoPicture.h"

#include "grid/QtText.h"

#include <QImageReader>
#include <QString>

// Outside any namespace, as Qt asks: the picture is built into the static library, whose
// resources register only when asked to.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace tillora {
namespace {

// Only bitmap files are pictures here, whatever their name says, as the register takes no other.
QImage ReadBitmap(const QString& path) {
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

} // namespace

QImage CLogoPicture::BuiltInImage() {
    InitPictureResources();
    return ReadBitmap(QStringLiteral(":/pictures/builtin-logo.bmp"));
}

bool CLogoPicture::Load(const std::string& path, EcrIniFile& ini) {
    m_image = QImage();
    m_current.Discard();
    // The pixels first: a file the preview cannot show is not remembered either.
    QImage image = path.empty() ? BuiltInImage() : ReadBitmap(FromPath(path));
    if (image.isNull() || !m_current.Load(path, ini)) {
        return false;
    }
    m_image = std::move(image);
    return true;
}

} // namespace tillora
