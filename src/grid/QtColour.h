#pragma once

#include "tables/CellFormat.h"

#include <QColor>

namespace tillora {

// A cell's colour (0x00BBGGRR) as Qt draws it, on the screen and on paper alike.
QColor ToQColor(Colour colour);

} // namespace tillora
