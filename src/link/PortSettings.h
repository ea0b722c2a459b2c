#pragma once

#include "link/SerialPort.h"

namespace tillora {

class EcrIniFile;

inline constexpr const char* PortsSection = "Ports";

// The devices behind COM1 to COM4: the keys COM1..COM4 of section Ports where given, else the
// platform's defaults.
PortDevices LoadPortDevices(const EcrIniFile& ini);

// Writes the devices that differ from what the file gives now, so that a port left at its
// default stays out of the file. False when the file could not be written.
bool SavePortDevices(EcrIniFile& ini, const PortDevices& devices);

} // namespace tillora
