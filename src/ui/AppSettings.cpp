#include "ui/AppSettings.h"

namespace tillora {

std::unique_ptr<QSettings> OpenAppSettings() {
    return std::make_unique<QSettings>(QStringLiteral("Tillora"), QStringLiteral("Tillora"));
}

} // namespace tillora
