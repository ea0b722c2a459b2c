#pragma once

#include "link/SerialPort.h"

namespace tillora {

class EcrIniFile;

inline constexpr const char* PortsSection = "Ports";

// The device behind a COM index (0 to 3): the one given, else the platform's default for it.
std::string DeviceOrDefault(std::size_t com, const std::string& device);

// The devices behind COM1 to COM4: the keys COM1..COM4 of section Ports where given and not
// empty, else the platform's defaults.
PortDevices LoadPortDevices(const EcrIniFile& ini);

// Writes the devices that differ from what the file gives now, so that a port left at its
// default stays out of the file; an empty device is the port's default. False when the file
// could not be written.
bool SavePortDevices(EcrIniFile& ini, const PortDevices& devices);

} // namespace tillora
