#include "sim/PtyRegister.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tillora::sim {
namespace {

using namespace std::chrono_literals;

// Closer than this, the next byte is waited for with an exact sleep rather than with poll,
// whose time-out counts in whole milliseconds.
constexpr auto ExactSleepSpan = 2ms;

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

std::string Failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

CPtyRegister::~CPtyRegister() {
    CloseAll();
}

void CPtyRegister::CloseAll() {
    for (int* fd : {&m_master, &m_slave}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

bool CPtyRegister::Open(std::string& error) {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        error = Failure("posix_openpt");
        return false;
    }
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        error = Failure("grantpt/unlockpt");
        return false;
    }
    const char* name = ptsname(m_master);
    if (name == nullptr) {
        error = Failure("ptsname");
        return false;
    }
    m_device = name;
    (void)fcntl(m_master, F_SETFD, FD_CLOEXEC);
    if (!MakeRaw(m_master) || fcntl(m_master, F_SETFL, O_NONBLOCK) != 0) {
        error = Failure("master setup");
        return false;
    }
    m_slave = open(m_device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0 || !MakeRaw(m_slave)) {
        error = Failure(m_device.c_str());
        return false;
    }
    return true;
}

std::chrono::steady_clock::duration CPtyRegister::ByteTime() const {
    const std::uint32_t baud = m_ecr.Faults().paceBaud;
    if (baud == 0) {
        return Clock::duration::zero();
    }
    // Ten bits a byte: start bit, eight data bits, stop bit.
    return std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000) /
                                                       baud);
}

// An answer goes on the line after its delay, behind whatever the register still has to send.
void CPtyRegister::Schedule(const SimAnswer& answer, Clock::time_point complete) {
    const Clock::duration byteTime = ByteTime();
    const Clock::time_point start =
        std::max(complete + std::chrono::milliseconds(answer.delayMs), m_ecrWireFree);
    Clock::time_point last = start;
    if (byteTime == Clock::duration::zero()) {
        m_out.push_back({start, answer.bytes});
    } else {
        for (std::size_t i = 0; i < answer.bytes.size(); ++i) {
            last = start + byteTime * static_cast<long>(i + 1);
            m_out.push_back({last, {answer.bytes[i]}});
        }
    }
    m_ecrWireFree = last;
    if (answer.closeLine && (!m_closeAt || last < *m_closeAt)) {
        m_closeAt = last;
    }
}

bool CPtyRegister::TakeInput(const std::function<void()>& afterFrames) {
    const std::size_t framesBefore = m_ecr.Frames().size();
    const Clock::duration byteTime = ByteTime();
    for (;;) {
        std::uint8_t buffer[4096];
        const ssize_t got = read(m_master, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        }
        if (got <= 0) {
            return false;
        }
        const Clock::time_point arrival = Clock::now();
        for (ssize_t i = 0; i < got; ++i) {
            // Fed byte by byte, so that every answer starts from the moment its frame was in.
            m_pcWireFree = byteTime == Clock::duration::zero()
                               ? arrival
                               : std::max(arrival, m_pcWireFree) + byteTime;
            for (const SimAnswer& answer : m_ecr.Receive(&buffer[i], 1)) {
                Schedule(answer, m_pcWireFree);
            }
        }
    }
    if (m_ecr.Frames().size() != framesBefore && afterFrames) {
        afterFrames();
    }
    return true;
}

bool CPtyRegister::SendDue() {
    const Clock::time_point now = Clock::now();
    m_writeBlocked = false;
    while (!m_out.empty() && m_out.front().due <= now) {
        std::vector<std::uint8_t>& bytes = m_out.front().bytes;
        if (bytes.empty()) {
            m_out.pop_front();
            continue;
        }
        const ssize_t written = write(m_master, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The client is not reading: the rest goes once there is room.
            m_writeBlocked = true;
            return true;
        }
        if (written < 0) {
            return false;
        }
        bytes.erase(bytes.begin(), bytes.begin() + written);
    }
    return true;
}

std::optional<std::chrono::steady_clock::time_point> CPtyRegister::NextDue() const {
    if (!m_out.empty()) {
        return m_out.front().due;
    }
    return m_closeAt;
}

bool CPtyRegister::CloseIsDue() const {
    return m_closeAt && m_out.empty() && *m_closeAt <= Clock::now();
}

CPtyRegister::End CPtyRegister::Run(int stopFd, const std::function<void()>& afterFrames) {
    for (;;) {
        if (!SendDue()) {
            return End::Failed;
        }
        if (CloseIsDue()) {
            // The client sees the hang-up as soon as the master goes.
            CloseAll();
            return End::LineClosed;
        }
        const Clock::time_point now = Clock::now();
        const std::optional<Clock::time_point> next = NextDue();
        if (next && !m_writeBlocked && *next - now < ExactSleepSpan) {
            std::this_thread::sleep_until(*next);
            continue;
        }
        int timeoutMs = -1;
        if (next && !m_writeBlocked) {
            timeoutMs = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(*next - now - 1ms).count());
        }
        pollfd fds[2] = {{m_master, static_cast<short>(POLLIN | (m_writeBlocked ? POLLOUT : 0)), 0},
                         {stopFd, POLLIN, 0}};
        if (poll(fds, 2, timeoutMs) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return End::Failed;
        }
        if (fds[1].revents != 0) {
            return End::Stopped;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            if (!TakeInput(afterFrames)) {
                return End::Failed;
            }
        } else if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            return End::Failed;
        }
    }
}

} // namespace tillora::sim
