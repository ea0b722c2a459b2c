#pragma once

#include <string>
#include <vector>

namespace tillora {

// A serial device present on this machine, as the settings dialog offers it for a COM port.
struct SerialDevice {
    std::string path;   // what is opened: /dev/serial/by-id/usb-FTDI_..., /dev/ttyUSB0, /dev/ttyS0
    std::string target; // for a by-id name, the device it stands for (/dev/ttyUSB0); else empty
};

// Where the scan looks: the device folder and the kernel's folder of terminals (which tells
// whether a built-in port has a UART behind it).
struct SerialScanRoots {
    std::string dev = "/dev";
    std::string sysTty = "/sys/class/tty";
};

// The serial devices present, in this order: the stable names of /dev/serial/by-id (which stay
// the same when an adapter is plugged into another socket), then ttyUSB*, ttyACM* and ttyS*,
// each group by number. A built-in port ttyS* is left out when the kernel says it has no UART
// (type 0): most machines have thirty-two such names and one or two ports. Empty where there is
// no such folder (Windows).
std::vector<SerialDevice> ScanSerialDevices(const SerialScanRoots& roots = {});

} // namespace tillora
