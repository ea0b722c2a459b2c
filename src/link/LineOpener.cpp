#include "link/LineOpener.h"

#include "link/Message.h"
#include "link/TracingLine.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

std::unique_ptr<ISerialLine> OpenPort(const LineChoice& choice) {
    auto port = std::make_unique<CSerialPort>(choice.devices);
    const bool opened =
        choice.device.empty()
            ? port->Open(static_cast<unsigned>(choice.comIndex + 1), EcrBaudRate, 8, 0, 0,
                         EcrQueueSize, EcrQueueSize)
            : port->OpenDevice(choice.device, EcrBaudRate, 8, 0, 0, EcrQueueSize, EcrQueueSize);
    if (!opened) {
        return nullptr;
    }
    return port;
}

} // namespace

std::unique_ptr<ISerialLine> OpenEcrLine(const LineChoice& choice, IFeedback& feedback) {
    std::unique_ptr<ISerialLine> line = choice.demoLine ? choice.demoLine() : OpenPort(choice);
    if (!line) {
        ShowError(feedback, ids::PortNotOpened, choice.comIndex + 1);
        return nullptr;
    }
    if (choice.traceFile.empty()) {
        return line;
    }
    return CTracingLine::Wrap(std::move(line), choice.traceFile);
}

} // namespace tillora
