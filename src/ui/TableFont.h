#pragma once

#include <QFont>

namespace tillora {

// The tables' one font: "Courier New", 14 pixels, normal weight. On a machine without it (a
// Windows PC or Wine without the font, Linux without the Liberation fonts that stand in for it)
// a fixed-pitch family that writes Cyrillic takes its place, so that digits still line up in
// columns rather than falling back to the system's proportional serif.
QFont TableFont();

} // namespace tillora
