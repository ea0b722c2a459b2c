#pragma once

#include <QIcon>

namespace tillora {

// The program's own icon, a cash register, at every size drawn for it (16 to 256 pixels), so that
// the title bar, the task bar and the window switcher each take a sharp picture.
QIcon AppIcon();

} // namespace tillora
