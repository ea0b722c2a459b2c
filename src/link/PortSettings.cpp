#include "link/PortSettings.h"

#include "link/EcrIniFile.h"

namespace tillora {

PortDevices LoadPortDevices(const EcrIniFile& ini) {
    PortDevices devices = DefaultPortDevices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i] = ini.GetString(PortsSection, "COM" + std::to_string(i + 1), devices[i]);
    }
    return devices;
}

bool SavePortDevices(EcrIniFile& ini, const PortDevices& devices) {
    const PortDevices before = LoadPortDevices(ini);
    bool saved = true;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i] != before[i]) {
            saved =
                ini.WriteString(PortsSection, "COM" + std::to_string(i + 1), devices[i]) && saved;
        }
    }
    return saved;
}

} // namespace tillora
