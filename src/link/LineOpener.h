#pragma once

#include "link/Feedback.h"
#include "link/SerialLine.h"
#include "link/SerialPort.h"

#include <functional>
#include <memory>
#include <string>
#include <system_error>

namespace tillora {

// How a command reaches the register: the COM index of the settings mapped to its device, a
// device named directly, or the simulated register in demo mode.
struct LineChoice {
    int comIndex = 0; // port number = index + 1
    PortDevices devices = DefaultPortDevices();
    std::string device; // when set, opened instead of the COM mapping
    // When set, the in-process simulated register takes the place of a port (demo mode).
    std::function<std::unique_ptr<ISerialLine>()> demoLine;
    // When set, every byte sent and received is written here (see TracingLine.h).
    std::string traceFile;
};

// Opens the line for one command at 9600 baud, 8N1, queues of 1024 bytes. On failure shows 20023
// with the port number asked for, with the device and the system's reason as its detail, and
// returns null. The line closes when the pointer goes.
std::unique_ptr<ISerialLine> OpenRegisterLine(const LineChoice& choice, IFeedback& feedback);

// The device a port choice opens; empty for a port number outside COM1 to COM4 (and in demo mode).
std::string DeviceOf(const LineChoice& choice);

// The detail of 20023: the device, the system's reason, and what the user can do when the device
// is missing, held by another program or not theirs to open.
std::string PortOpenDetail(const std::string& device, std::error_code error);

} // namespace tillora
