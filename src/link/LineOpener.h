#pragma once

#include "link/Feedback.h"
#include "link/SerialLine.h"
#include "link/SerialPort.h"

#include <functional>
#include <memory>
#include <string>

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
// with the port number asked for and returns null. The line closes when the pointer goes.
std::unique_ptr<ISerialLine> OpenEcrLine(const LineChoice& choice, IFeedback& feedback);

} // namespace tillora
