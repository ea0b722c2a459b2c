#include "link/SerialPort.h"

#include <algorithm>
#include <utility>

namespace tillora {

PortDevices DefaultPortDevices() {
#ifdef _WIN32
    return {"COM1", "COM2", "COM3", "COM4"};
#else
    return {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
#endif
}

CSerialPort::CSerialPort(PortDevices devices) : m_devices(std::move(devices)) {}

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::IsSupportedBaudRate(std::uint32_t baudRate) {
    static constexpr std::uint32_t rates[] = {110,  300,   600,   1200,  2400,  4800,
                                              9600, 19200, 38400, 57600, 115200};
    return std::find(std::begin(rates), std::end(rates), baudRate) != std::end(rates);
}

bool CSerialPort::Open(unsigned port, std::uint32_t baudRate, int byteSize, int parity,
                       int stopBits, std::uint32_t inQueue, std::uint32_t outQueue) {
    // Callers pass the port in a wider word; only its low 16 bits name the port.
    const unsigned number = port & 0xFFFFu;
    if (number < 1 || number > m_devices.size() || !IsSupportedBaudRate(baudRate)) {
        m_openError = std::make_error_code(std::errc::invalid_argument);
        return false;
    }
    return OpenDevice(m_devices[number - 1], baudRate, byteSize, parity, stopBits, inQueue,
                      outQueue);
}

std::uint64_t CSerialPort::AirTimeMicroseconds(std::size_t length) const {
    if (m_baudRate == 0) {
        return 0;
    }
    return (static_cast<std::uint64_t>(length) * m_bitsPerByte * 1'000'000 + m_baudRate - 1) /
           m_baudRate;
}

unsigned CSerialPort::BitsPerByte(int byteSize, int parity, int stopBits) {
    // A start bit, the data bits, a parity bit unless parity is none, and the stop bits (one and
    // a half counts as two so the wait is never too short).
    return 1 + static_cast<unsigned>(byteSize) + (parity != 0 ? 1 : 0) + (stopBits == 0 ? 1 : 2);
}

bool CSerialPort::IsOpen() const {
    return m_impl != nullptr;
}

} // namespace tillora
