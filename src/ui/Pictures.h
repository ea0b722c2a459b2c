#pragma once

#include <QPixmap>

namespace tillora {

// The program's pictures, 450 x 230 (scripts/make-pictures.py): the splash shown while the
// program starts, and the About box's picture with room at its foot for the version.
QPixmap SplashPicture();
QPixmap AboutPicture();

} // namespace tillora
