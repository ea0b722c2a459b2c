#pragma once

#include "link/SerialPort.h"

namespace tillora {

class EcrIniFile;

inline constexpr const char* PortsSection = "Ports";

// The devices behind COM1 to COM4: the keys COM1..COM4 of section Ports where given, else the
// platform's defaults.
PortDevices LoadPortDevices(const EcrIniFile& ini);

} // namespace tillora
