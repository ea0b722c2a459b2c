#include "grid/QtColour.h"

namespace tillora {

QColor ToQColor(Colour colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

} // namespace tillora
