#include "link/PortSettings.h"

#include "link/EcrIniFile.h"

namespace tillora {

std::string DeviceOrDefault(std::size_t com, const std::string& device) {
    return device.empty() ? DefaultPortDevices().at(com) : device;
}

PortDevices LoadPortDevices(const EcrIniFile& ini) {
    PortDevices devices;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i] =
            DeviceOrDefault(i, ini.GetString(PortsSection, "COM" + std::to_string(i + 1), ""));
    }
    return devices;
}

bool SavePortDevices(EcrIniFile& ini, const PortDevices& devices) {
    const PortDevices before = LoadPortDevices(ini);
    bool saved = true;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::string device = DeviceOrDefault(i, devices[i]);
        if (device != before[i]) {
            saved = ini.WriteString(PortsSection, "COM" + std::to_string(i + 1), device) && saved;
        }
    }
    return saved;
}

} // namespace tillora
