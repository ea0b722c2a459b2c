#pragma once

#include "link/SerialLine.h"

#include <array>
#include <cstdint>
#include <string>
#include <system_error>

namespace tillora {

// The devices behind COM1 to COM4. On Windows they are the COM names themselves; on POSIX they
// come from the INI section Ports (COM1=/dev/ttyUSB0), by default /dev/ttyS0 to /dev/ttyS3.
using PortDevices = std::array<std::string, 4>;
PortDevices DefaultPortDevices();

// One open COM port with the register's line settings: raw 8 data bits, no parity, one stop bit,
// no flow control, DTR on while open, RTS raised only while Write sends. Exclusive: a second
// open of the same device fails, in this program or another.
class CSerialPort final : public ISerialLine {
public:
    explicit CSerialPort(PortDevices devices = DefaultPortDevices());
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // port 1 to 4 (low 16 bits count) and a baud rate of the standard list are checked before
    // any device is touched. byteSize 8, parity 0 (none) and stopBits 0 (one) are what the
    // register uses. Bytes queued before the open are discarded.
    bool Open(unsigned port, std::uint32_t baudRate, int byteSize, int parity, int stopBits,
              std::uint32_t inQueue, std::uint32_t outQueue);
    // The same on a device named directly (a pseudo-terminal, a USB adapter).
    bool OpenDevice(const std::string& device, std::uint32_t baudRate, int byteSize, int parity,
                    int stopBits, std::uint32_t inQueue, std::uint32_t outQueue);
    bool IsOpen() const;
    void Close();
    // Why the last open failed, as the system tells it (for a device that is missing, held by
    // another program or not the user's to open); empty after a successful open.
    std::error_code OpenError() const { return m_openError; }

    // Raises RTS, writes, waits until the last byte has left the wire and drops RTS.
    bool Write(const std::uint8_t* data, std::size_t length) override;
    bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) override;
    void DrainInput() override;
    LineWait WaitReadable(std::uint64_t timeoutMs) override;

    static bool IsSupportedBaudRate(std::uint32_t baudRate);

private:
    struct Impl;
    // How long the bytes take on the wire at the open line settings (ten bits a byte for 8N1).
    std::uint64_t AirTimeMicroseconds(std::size_t length) const;
    static unsigned BitsPerByte(int byteSize, int parity, int stopBits);

    PortDevices m_devices;
    std::error_code m_openError;
    std::uint32_t m_baudRate = 0;
    std::uint32_t m_inQueue = 1024;
    unsigned m_bitsPerByte = 10;
    Impl* m_impl = nullptr; // platform handle and state; null while closed
};

// The register's line: 9600 baud, 8N1, queues of 1024 bytes.
inline constexpr std::uint32_t RegisterBaudRate = 9600;
inline constexpr std::uint32_t RegisterQueueSize = 1024;

} // namespace tillora
