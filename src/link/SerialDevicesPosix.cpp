#include "link/SerialDevices.h"

namespace tillora {

// COM ports are Windows' names; here the devices are found in /dev.
std::vector<SerialDevice> ListComPorts() {
    return {};
}

std::vector<SerialDevice> PresentSerialDevices() {
    return ScanSerialDevices();
}

} // namespace tillora
