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

// The COM ports that Windows lists (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM): the name opened
// ("COM7") and, as the target, the driver's device behind it ("\Device\VCP0" for a USB adapter).
// Empty on other systems.
std::vector<SerialDevice> ListComPorts();

// What the settings dialog offers for a COM port: the COM ports present on Windows, the devices
// scanned elsewhere.
std::vector<SerialDevice> PresentSerialDevices();

// COM ports as the system lists them, in any order, put in the order of their numbers (COM2
// before COM10); a name that is not "COM" and a number is left out.
std::vector<SerialDevice> ComPortsInOrder(std::vector<SerialDevice> ports);

} // namespace tillora
