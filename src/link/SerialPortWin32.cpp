#include "link/SerialPort.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tillora {

struct CSerialPort::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
    DCB dcb{};
    // Set once the driver failed a call (adapter removed): nothing more will come.
    bool broken = false;
    // The byte that WaitReadable took to learn that input had come; Read hands it out first.
    bool hasLookAhead = false;
    std::uint8_t lookAhead = 0;

    // Takes at most maxLength of the bytes the driver holds, without waiting.
    std::size_t ReadQueued(std::uint8_t* buffer, std::size_t maxLength);
};

namespace {

using Clock = std::chrono::steady_clock;

// "COM1" to "COM9" open under their plain names, "COM10" and above only under the device
// namespace; that name serves for all of them.
std::string DeviceFileName(const std::string& device) {
    const bool comName =
        device.size() > 3 && std::toupper(static_cast<unsigned char>(device[0])) == 'C' &&
        std::toupper(static_cast<unsigned char>(device[1])) == 'O' &&
        std::toupper(static_cast<unsigned char>(device[2])) == 'M' &&
        std::all_of(device.begin() + 3, device.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    return comName ? "\\\\.\\" + device : device;
}

// ReadFile returns at once with what is queued, and WriteFile has no time limit.
bool SetNonBlockingReads(HANDLE handle) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    return SetCommTimeouts(handle, &timeouts) != FALSE;
}

// ReadFile returns at once when bytes are queued, else as soon as one arrives or after timeoutMs.
bool SetWaitingReads(HANDLE handle, DWORD timeoutMs) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = timeoutMs;
    return SetCommTimeouts(handle, &timeouts) != FALSE;
}

// The register's line: no flow control of any kind, DTR on while open, RTS left to Write.
void SetLineSettings(DCB& dcb, std::uint32_t baudRate, int byteSize, int parity, int stopBits) {
    dcb.BaudRate = baudRate;
    dcb.ByteSize = static_cast<BYTE>(byteSize);
    dcb.Parity = static_cast<BYTE>(parity);
    dcb.StopBits = static_cast<BYTE>(stopBits);
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fAbortOnError = FALSE;
}

struct LineSettings {
    std::uint32_t baudRate;
    int byteSize;
    int parity;
    int stopBits;
};

// Queues, line settings, the transmitter-empty event for Write and non-blocking reads. A port
// whose settings cannot be read or set would talk to the register at another rate or framing, and
// one without its event mask or time-outs would hang in Write or Read: such a port is not opened.
bool PrepareLine(HANDLE handle, DCB& dcb, const LineSettings& line, std::uint32_t inQueue,
                 std::uint32_t outQueue) {
    if (SetupComm(handle, inQueue, outQueue) == FALSE || GetCommState(handle, &dcb) == FALSE) {
        return false;
    }
    SetLineSettings(dcb, line.baudRate, line.byteSize, line.parity, line.stopBits);
    return SetCommState(handle, &dcb) != FALSE && SetCommMask(handle, EV_TXEMPTY) != FALSE &&
           SetNonBlockingReads(handle);
}

// The number of bytes in the driver's input queue; false when the driver refuses to say.
bool QueuedBytes(HANDLE handle, DWORD& queued) {
    DWORD errors = 0;
    COMSTAT status{};
    if (ClearCommError(handle, &errors, &status) == FALSE) {
        return false;
    }
    queued = status.cbInQue;
    return true;
}

} // namespace

std::size_t CSerialPort::Impl::ReadQueued(std::uint8_t* buffer, std::size_t maxLength) {
    if (broken || maxLength == 0) {
        return 0;
    }
    DWORD queued = 0;
    if (!QueuedBytes(handle, queued)) {
        broken = true;
        return 0;
    }
    if (queued == 0) {
        return 0;
    }
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(maxLength, queued));
    DWORD got = 0;
    if (ReadFile(handle, buffer, wanted, &got, nullptr) == FALSE) {
        broken = true;
        return 0;
    }
    return got;
}

bool CSerialPort::OpenDevice(const std::string& device, std::uint32_t baudRate, int byteSize,
                             int parity, int stopBits, std::uint32_t inQueue,
                             std::uint32_t outQueue) {
    Close();
    if (!IsSupportedBaudRate(baudRate)) {
        m_openError = std::make_error_code(std::errc::invalid_argument);
        return false;
    }
    m_baudRate = baudRate;
    const HANDLE handle = CreateFileA(DeviceFileName(device).c_str(), GENERIC_READ | GENERIC_WRITE,
                                      0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_openError = {static_cast<int>(GetLastError()), std::system_category()};
        return false;
    }
    m_impl = new Impl;
    m_impl->handle = handle;
    m_inQueue = inQueue;
    m_bitsPerByte = BitsPerByte(byteSize, parity, stopBits);
    DCB& dcb = m_impl->dcb;
    dcb.DCBlength = sizeof(DCB);
    if (!PrepareLine(handle, dcb, LineSettings{baudRate, byteSize, parity, stopBits}, inQueue,
                     outQueue)) {
        m_openError = {static_cast<int>(GetLastError()), std::system_category()};
        Close();
        return false;
    }
    m_openError.clear();
    // Whatever arrived before this open (the tail of an earlier exchange) is not an answer.
    Sleep(10);
    DrainInput();
    return true;
}

void CSerialPort::Close() {
    if (m_impl == nullptr) {
        return;
    }
    CloseHandle(m_impl->handle);
    delete m_impl;
    m_impl = nullptr;
}

bool CSerialPort::Write(const std::uint8_t* data, std::size_t length) {
    if (m_impl == nullptr || m_impl->broken) {
        return false;
    }
    const HANDLE handle = m_impl->handle;
    const auto started = Clock::now();
    EscapeCommFunction(handle, SETRTS);
    DWORD written = 0;
    if (WriteFile(handle, data, static_cast<DWORD>(length), &written, nullptr) == FALSE) {
        EscapeCommFunction(handle, CLRRTS);
        return false;
    }
    DWORD events = 0;
    WaitCommEvent(handle, &events, nullptr);
    // Some USB adapters report the transmitter empty while the last bytes are still in the
    // adapter; the frame is only out once its air time has passed.
    std::this_thread::sleep_until(started + std::chrono::microseconds(AirTimeMicroseconds(length)));
    EscapeCommFunction(handle, CLRRTS);
    return true;
}

bool CSerialPort::Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) {
    count = 0;
    if (m_impl == nullptr || maxLength == 0) {
        return false;
    }
    std::size_t taken = 0;
    if (m_impl->hasLookAhead) {
        buffer[0] = m_impl->lookAhead;
        m_impl->hasLookAhead = false;
        taken = 1;
    }
    taken += m_impl->ReadQueued(buffer + taken, maxLength - taken);
    count = taken;
    return taken > 0;
}

void CSerialPort::DrainInput() {
    if (m_impl == nullptr || m_impl->broken) {
        return;
    }
    m_impl->hasLookAhead = false;
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>(m_inQueue) + 10);
    DWORD queued = 0;
    if (QueuedBytes(m_impl->handle, queued) && queued > 0) {
        DWORD got = 0;
        ReadFile(m_impl->handle, scratch.data(), std::min<DWORD>(queued, m_inQueue), &got, nullptr);
    }
}

LineWait CSerialPort::WaitReadable(std::uint64_t timeoutMs) {
    if (m_impl == nullptr || m_impl->broken) {
        return LineWait::Broken;
    }
    if (m_impl->hasLookAhead) {
        return LineWait::Readable;
    }
    const HANDLE handle = m_impl->handle;
    DWORD queued = 0;
    if (!QueuedBytes(handle, queued)) {
        m_impl->broken = true;
        return LineWait::Broken;
    }
    if (queued > 0) {
        return LineWait::Readable;
    }
    if (timeoutMs == 0) {
        return LineWait::Timeout;
    }
    // The driver itself waits for the first byte; MAXDWORD would mean something else here.
    const DWORD wait = static_cast<DWORD>(std::min<std::uint64_t>(timeoutMs, MAXDWORD - 1));
    if (!SetWaitingReads(handle, wait)) {
        m_impl->broken = true;
        return LineWait::Broken;
    }
    std::uint8_t byte = 0;
    DWORD got = 0;
    const bool read = ReadFile(handle, &byte, 1, &got, nullptr) != FALSE;
    const bool restored = SetNonBlockingReads(handle);
    if (!read || !restored) {
        m_impl->broken = true;
        return LineWait::Broken;
    }
    if (got == 0) {
        return LineWait::Timeout;
    }
    m_impl->lookAhead = byte;
    m_impl->hasLookAhead = true;
    return LineWait::Readable;
}

} // namespace tillora
