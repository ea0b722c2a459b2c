#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tillora::test {

// A register's device opened the plain POSIX way, raw, for tests that speak the protocol by hand.
class RawDevice {
public:
    using Bytes = std::vector<std::uint8_t>;

    explicit RawDevice(const std::string& path)
        : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
        termios settings{};
        if (m_fd >= 0 && tcgetattr(m_fd, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(m_fd, TCSANOW, &settings);
        }
    }
    ~RawDevice() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    RawDevice(const RawDevice&) = delete;
    RawDevice& operator=(const RawDevice&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    bool Write(const Bytes& bytes) { return Write(bytes.data(), bytes.size()); }
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }

    // Reads until length bytes are in, the line hangs up or three seconds pass.
    Bytes Read(std::size_t length, bool& hungUp) {
        Bytes received;
        hungUp = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (received.size() < length && std::chrono::steady_clock::now() < deadline) {
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) {
                continue;
            }
            std::uint8_t buffer[256];
            const ssize_t got = read(m_fd, buffer, sizeof buffer);
            if (got > 0) {
                received.insert(received.end(), buffer, buffer + got);
            } else if ((p.revents & POLLHUP) != 0) {
                hungUp = true;
                break;
            }
        }
        return received;
    }
    std::string Read(std::size_t length) {
        bool hungUp = false;
        const Bytes bytes = Read(length, hungUp);
        return std::string(bytes.begin(), bytes.end());
    }

private:
    bool Write(const void* data, std::size_t size) {
        return write(m_fd, data, size) == static_cast<ssize_t>(size);
    }

    int m_fd;
};

} // namespace tillora::test
