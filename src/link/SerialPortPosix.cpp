#include "link/SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tillora {

struct CSerialPort::Impl {
    int fd = -1;
    // Set once a read or write failed (adapter unplugged, other end gone): nothing more will come.
    bool broken = false;
};

namespace {

using Clock = std::chrono::steady_clock;

// The adapter's driver may need a moment after the open to hand over what it still holds.
constexpr auto SettleTime = std::chrono::milliseconds(10);
// A write that makes no progress for this long on top of its air time is taken as a dead line.
constexpr std::uint64_t WriteStallMs = 2000;

speed_t SpeedCode(std::uint32_t baudRate) {
    switch (baudRate) {
    case 110:
        return B110;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B0;
    }
}

bool CharacterSizeFlag(int byteSize, tcflag_t& flag) {
    switch (byteSize) {
    case 5:
        flag = CS5;
        return true;
    case 6:
        flag = CS6;
        return true;
    case 7:
        flag = CS7;
        return true;
    case 8:
        flag = CS8;
        return true;
    default:
        return false;
    }
}

// Parity codes as the Windows line settings number them: 0 none, 1 odd, 2 even, 3 mark, 4 space.
bool ParityFlags(int parity, tcflag_t& flags) {
    switch (parity) {
    case 0:
        flags = 0;
        return true;
    case 1:
        flags = PARENB | PARODD;
        return true;
    case 2:
        flags = PARENB;
        return true;
#ifdef CMSPAR
    case 3:
        flags = PARENB | PARODD | CMSPAR;
        return true;
    case 4:
        flags = PARENB | CMSPAR;
        return true;
#endif
    default:
        return false;
    }
}

// Stop-bit codes as the Windows line settings number them: 0 one, 2 two (one and a half has no
// counterpart here).
bool StopBitFlags(int stopBits, tcflag_t& flags) {
    switch (stopBits) {
    case 0:
        flags = 0;
        return true;
    case 2:
        flags = CSTOPB;
        return true;
    default:
        return false;
    }
}

struct LineSettings {
    speed_t speed = B0;
    tcflag_t characterSize = CS8;
    tcflag_t parity = 0;
    tcflag_t stopBits = 0;
};

bool MakeLineSettings(std::uint32_t baudRate, int byteSize, int parity, int stopBits,
                      LineSettings& settings) {
    settings.speed = SpeedCode(baudRate);
    return settings.speed != B0 && CharacterSizeFlag(byteSize, settings.characterSize) &&
           ParityFlags(parity, settings.parity) && StopBitFlags(stopBits, settings.stopBits);
}

bool ApplyLineSettings(int fd, const LineSettings& settings) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return false;
    }
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
    tio.c_cflag &= ~CMSPAR;
#endif
    tio.c_cflag |= settings.characterSize | settings.parity | settings.stopBits;
    // No modem control lines decide whether we may talk, and the line drops DTR when closed.
    tio.c_cflag |= CLOCAL | CREAD | HUPCL;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (settings.parity != 0) {
        tio.c_iflag |= INPCK;
    }
    // Reads return at once with whatever is queued.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, settings.speed) != 0 || cfsetospeed(&tio, settings.speed) != 0) {
        return false;
    }
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

std::error_code LastSystemError() {
    return {errno, std::generic_category()};
}

// Modem lines do not exist on every terminal (a pseudo-terminal has none), so failures are
// ignored.
void SetModemLine(int fd, int line, bool on) {
    (void)ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

// Takes the device for this open alone. TIOCEXCL keeps other opens out (but not a privileged
// user's); the lock stops every other open that asks for it, this program's included. Returns
// why it could not: a file that is no terminal, or a device that someone else holds.
std::error_code TakeExclusively(int fd) {
    if (ioctl(fd, TIOCEXCL) != 0) {
        return LastSystemError();
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const std::error_code error = errno == EWOULDBLOCK
                                          ? std::make_error_code(std::errc::device_or_resource_busy)
                                          : LastSystemError();
        (void)ioctl(fd, TIOCNXCL);
        return error;
    }
    return {};
}

int QueuedBytes(int fd) {
    int queued = 0;
    if (ioctl(fd, FIONREAD, &queued) != 0) {
        return -1;
    }
    return queued;
}

int PollTimeout(std::uint64_t ms) {
    return static_cast<int>(std::min<std::uint64_t>(ms, INT_MAX));
}

// Whole milliseconds left, rounded up so that a wait never ends before the deadline.
int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() <= 0 ? 0 : PollTimeout(static_cast<std::uint64_t>(left.count()));
}

// Waits until the descriptor takes more output; false when the line is gone or stalls.
bool WaitWritable(int fd, Clock::time_point deadline) {
    for (;;) {
        const int left = MillisecondsUntil(deadline);
        if (left == 0) {
            return false;
        }
        pollfd entry{fd, POLLOUT, 0};
        const int ready = poll(&entry, 1, left);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0 || (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            return false;
        }
        if ((entry.revents & POLLOUT) != 0) {
            return true;
        }
    }
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t length, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < length) {
        const ssize_t written = write(fd, data + sent, length - sent);
        if (written > 0) {
            sent += static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitWritable(fd, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

// Waits until the bytes have left, or the line failed meanwhile.
void DrainOutput(int fd) {
    while (tcdrain(fd) != 0 && errno == EINTR) {
    }
}

} // namespace

bool CSerialPort::OpenDevice(const std::string& device, std::uint32_t baudRate, int byteSize,
                             int parity, int stopBits, std::uint32_t inQueue,
                             std::uint32_t outQueue) {
    (void)outQueue; // the terminal driver sizes its own output buffer
    Close();
    LineSettings settings;
    if (!IsSupportedBaudRate(baudRate) ||
        !MakeLineSettings(baudRate, byteSize, parity, stopBits, settings)) {
        m_openError = std::make_error_code(std::errc::invalid_argument);
        return false;
    }
    m_baudRate = baudRate;
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_openError = LastSystemError();
        return false;
    }
    m_openError = TakeExclusively(fd);
    if (m_openError) {
        close(fd);
        return false;
    }
    if (!ApplyLineSettings(fd, settings)) {
        m_openError = LastSystemError(); // a file that is no terminal, for one
        (void)ioctl(fd, TIOCNXCL);
        close(fd); // closing releases the lock too
        return false;
    }
    m_openError.clear();
    SetModemLine(fd, TIOCM_DTR, true);
    SetModemLine(fd, TIOCM_RTS, false);
    m_impl = new Impl{fd, false};
    m_inQueue = inQueue;
    m_bitsPerByte = BitsPerByte(byteSize, parity, stopBits);
    // Whatever arrived before this open (the tail of an earlier exchange) is not an answer.
    std::this_thread::sleep_for(SettleTime);
    DrainInput();
    return true;
}

void CSerialPort::Close() {
    if (m_impl == nullptr) {
        return;
    }
    const int fd = m_impl->fd;
    SetModemLine(fd, TIOCM_DTR, false);
    // The exclusive mark belongs to the terminal, not to this descriptor: clear it for the next
    // user while someone else still holds the terminal open.
    (void)ioctl(fd, TIOCNXCL);
    (void)flock(fd, LOCK_UN);
    close(fd);
    delete m_impl;
    m_impl = nullptr;
}

bool CSerialPort::Write(const std::uint8_t* data, std::size_t length) {
    if (m_impl == nullptr || m_impl->broken) {
        return false;
    }
    const int fd = m_impl->fd;
    const auto started = Clock::now();
    const auto airTime = std::chrono::microseconds(AirTimeMicroseconds(length));
    const auto deadline = started + airTime + std::chrono::milliseconds(WriteStallMs);
    SetModemLine(fd, TIOCM_RTS, true);
    if (!WriteAll(fd, data, length, deadline)) {
        SetModemLine(fd, TIOCM_RTS, false);
        m_impl->broken = true;
        return false;
    }
    // Every byte is with the driver: the frame is written. A line that hangs up while they leave
    // fails the wait for the drain, not the write; the wait for the answer then finds the line
    // gone and says that no answer came.
    DrainOutput(fd);
    // Some USB adapters report the output drained while the last bytes are still in the
    // adapter; the frame is only out once its air time has passed.
    std::this_thread::sleep_until(started + airTime);
    SetModemLine(fd, TIOCM_RTS, false);
    return true;
}

bool CSerialPort::Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) {
    count = 0;
    if (m_impl == nullptr || m_impl->broken || maxLength == 0) {
        return false;
    }
    const int queued = QueuedBytes(m_impl->fd);
    if (queued < 0) {
        m_impl->broken = true;
        return false;
    }
    if (queued == 0) {
        return false;
    }
    const std::size_t wanted = std::min(maxLength, static_cast<std::size_t>(queued));
    const ssize_t got = read(m_impl->fd, buffer, wanted);
    if (got < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            m_impl->broken = true;
        }
        return false;
    }
    count = static_cast<std::size_t>(got);
    return got > 0;
}

void CSerialPort::DrainInput() {
    if (m_impl == nullptr || m_impl->broken) {
        return;
    }
    const int fd = m_impl->fd;
    (void)tcflush(fd, TCIFLUSH);
    // Whatever slipped in behind the flush is read away too.
    std::vector<std::uint8_t> scratch(static_cast<std::size_t>(m_inQueue) + 10);
    const int queued = QueuedBytes(fd);
    if (queued > 0) {
        (void)read(fd, scratch.data(), std::min(scratch.size(), static_cast<std::size_t>(queued)));
    }
}

LineWait CSerialPort::WaitReadable(std::uint64_t timeoutMs) {
    if (m_impl == nullptr || m_impl->broken) {
        return LineWait::Broken;
    }
    const int fd = m_impl->fd;
    const auto deadline = Clock::now() + std::chrono::milliseconds(PollTimeout(timeoutMs));
    for (;;) {
        const int left = MillisecondsUntil(deadline);
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, left);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            m_impl->broken = true;
            return LineWait::Broken;
        }
        if (ready == 0) {
            if (left > 0) {
                continue; // woken before the deadline: wait out the rest
            }
            return LineWait::Timeout;
        }
        const bool gone = (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
        if ((entry.revents & POLLIN) != 0 && (!gone || QueuedBytes(fd) > 0)) {
            // Bytes that came before the line went are still read first.
            return LineWait::Readable;
        }
        if (gone) {
            m_impl->broken = true;
            return LineWait::Broken;
        }
    }
}

} // namespace tillora
