#include "link/LineOpener.h"

#include "link/Message.h"
#include "link/TracingLine.h"
#include "res/StringIds.h"

namespace tillora {
namespace {

// The port, or null with the system's reason in error.
std::unique_ptr<ISerialLine> OpenPort(const LineChoice& choice, std::error_code& error) {
    auto port = std::make_unique<CSerialPort>(choice.devices);
    const bool opened =
        choice.device.empty()
            ? port->Open(static_cast<unsigned>(choice.comIndex + 1), RegisterBaudRate, 8, 0, 0,
                         RegisterQueueSize, RegisterQueueSize)
            : port->OpenDevice(choice.device, RegisterBaudRate, 8, 0, 0, RegisterQueueSize,
                               RegisterQueueSize);
    if (!opened) {
        error = port->OpenError();
        return nullptr;
    }
    return port;
}

// What the user can do about the reason, if anything is known.
std::string Advice(std::error_code error) {
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
        return std::string(LoadString(ids::PortAdvicePermission));
    }
    if (error == std::errc::no_such_file_or_directory || error == std::errc::no_such_device ||
        error == std::errc::no_such_device_or_address) {
        return std::string(LoadString(ids::PortAdviceMissing));
    }
    if (error == std::errc::device_or_resource_busy) {
        return std::string(LoadString(ids::PortAdviceBusy));
    }
    return {};
}

} // namespace

std::string DeviceOf(const LineChoice& choice) {
    if (choice.demoLine) {
        return {};
    }
    if (!choice.device.empty()) {
        return choice.device;
    }
    const bool known =
        choice.comIndex >= 0 && static_cast<std::size_t>(choice.comIndex) < choice.devices.size();
    return known ? choice.devices[static_cast<std::size_t>(choice.comIndex)] : std::string();
}

std::string PortOpenDetail(const std::string& device, std::error_code error) {
    std::string detail =
        FormatMessage(ids::PortOpenDetail, device.c_str(), error.message().c_str());
    const std::string advice = Advice(error);
    if (!advice.empty()) {
        detail += "\r\n" + advice;
    }
    return detail;
}

std::unique_ptr<ISerialLine> OpenRegisterLine(const LineChoice& choice, IFeedback& feedback) {
    std::error_code error;
    std::unique_ptr<ISerialLine> line =
        choice.demoLine ? choice.demoLine() : OpenPort(choice, error);
    if (!line) {
        const std::string text = FormatMessage(ids::PortNotOpened, choice.comIndex + 1);
        const std::string device = DeviceOf(choice);
        if (device.empty() || !error) {
            feedback.ShowMessage(ids::PortNotOpened, text, MessageIcon::Error);
        } else {
            feedback.ShowMessageWithDetail(ids::PortNotOpened, text, MessageIcon::Error,
                                           PortOpenDetail(device, error));
        }
        return nullptr;
    }
    if (choice.traceFile.empty()) {
        return line;
    }
    return CTracingLine::Wrap(std::move(line), choice.traceFile);
}

} // namespace tillora
