#include "link/SerialPort.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tillora {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

// A pseudo-terminal standing in for the register's line: the port opens the slave, the test
// plays the register on the master. The test keeps a slave descriptor of its own, so the master
// does not see a hang-up while the port is closed and the test can look at the line settings.
class PseudoTerminal {
public:
    PseudoTerminal() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
            return;
        }
        std::array<char, 128> name{};
        if (ptsname_r(m_master, name.data(), name.size()) != 0) {
            return;
        }
        m_slaveName = name.data();
        m_keeper = open(m_slaveName.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        if (m_keeper >= 0 && tcgetattr(m_master, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_master, TCSANOW, &tio);
        }
    }
    ~PseudoTerminal() {
        CloseMaster();
        if (m_keeper >= 0) {
            close(m_keeper);
        }
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsReady() const { return m_master >= 0 && m_keeper >= 0; }
    const std::string& SlaveName() const { return m_slaveName; }
    int Keeper() const { return m_keeper; }

    void CloseMaster() {
        if (m_master >= 0) {
            close(m_master);
            m_master = -1;
        }
    }

    // What the register sends.
    bool Send(const Bytes& bytes) {
        return write(m_master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // What the register received, waiting at most two seconds for the expected count.
    Bytes Receive(std::size_t expected) {
        Bytes got;
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (got.size() < expected && Clock::now() < deadline) {
            pollfd entry{m_master, POLLIN, 0};
            if (poll(&entry, 1, 100) <= 0 || (entry.revents & POLLIN) == 0) {
                continue;
            }
            std::array<std::uint8_t, 512> buffer{};
            const ssize_t n = read(m_master, buffer.data(), buffer.size());
            if (n > 0) {
                got.insert(got.end(), buffer.begin(), buffer.begin() + n);
            }
        }
        return got;
    }

    // Waits until the slave's input queue holds at least count bytes (they have crossed the
    // pseudo-terminal), at most two seconds.
    bool WaitQueued(int count) const {
        const auto deadline = Clock::now() + std::chrono::seconds(2);
        while (Clock::now() < deadline) {
            int queued = 0;
            if (ioctl(m_keeper, FIONREAD, &queued) == 0 && queued >= count) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

private:
    int m_master = -1;
    int m_keeper = -1;
    std::string m_slaveName;
};

bool OpenOn(CSerialPort& port, const std::string& device) {
    return port.OpenDevice(device, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize);
}

// Reads until count bytes are in or the line stays quiet for a second.
Bytes ReadBytes(CSerialPort& port, std::size_t count) {
    Bytes got;
    while (got.size() < count && port.WaitReadable(1000) == LineWait::Readable) {
        std::array<std::uint8_t, 300> buffer{};
        std::size_t n = 0;
        if (port.Read(buffer.data(), buffer.size(), n)) {
            got.insert(got.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
        }
    }
    return got;
}

Bytes EveryByteValue() {
    Bytes all(256);
    std::iota(all.begin(), all.end(), std::uint8_t{0});
    return all;
}

std::string MissingDevice() {
    return (std::filesystem::temp_directory_path() /
            ("tillora-no-such-tty-" + std::to_string(getpid())))
        .string();
}

class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_pty.IsReady()); }
    PseudoTerminal m_pty;
};

// A cooked terminal at 1200 baud: line editing, echo, signals, CR/LF mapping, XON/XOFF. The
// port must use none of it, so any configuring of the device shows.
termios MarkLineSettings(int fd) {
    termios tio{};
    tcgetattr(fd, &tio);
    tio.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    tio.c_iflag |= ICRNL | IXON | ISTRIP;
    tio.c_oflag |= OPOST | ONLCR;
    cfsetispeed(&tio, B1200);
    cfsetospeed(&tio, B1200);
    tcsetattr(fd, TCSANOW, &tio);
    termios now{};
    tcgetattr(fd, &now);
    return now;
}

bool SameLineSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && cfgetospeed(&a) == cfgetospeed(&b);
}

TEST_F(SerialPortOnPty, RefusedPortNumbersAndBaudRatesLeaveTheDeviceUntouched) {
    const std::string pty = m_pty.SlaveName();
    const termios before = MarkLineSettings(m_pty.Keeper());
    CSerialPort port(PortDevices{pty, pty, pty, pty});

    EXPECT_FALSE(port.Open(0, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_FALSE(port.Open(5, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_FALSE(
        port.Open(0x10005, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_FALSE(
        port.Open(0x10000, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_FALSE(port.Open(1, 14400, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_FALSE(port.Open(1, 0, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenError(), std::errc::invalid_argument);

    termios after{};
    ASSERT_EQ(tcgetattr(m_pty.Keeper(), &after), 0);
    EXPECT_TRUE(SameLineSettings(before, after));
    // Nobody holds the device: another program can still take it.
    EXPECT_EQ(flock(m_pty.Keeper(), LOCK_EX | LOCK_NB), 0);
    flock(m_pty.Keeper(), LOCK_UN);
}

TEST_F(SerialPortOnPty, PortNumberCountsOnlyItsLowSixteenBitsAndSelectsItsDevice) {
    const std::string missing = MissingDevice();
    const termios before = MarkLineSettings(m_pty.Keeper());
    CSerialPort port(PortDevices{m_pty.SlaveName(), missing, missing, missing});

    EXPECT_FALSE(port.Open(2, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    ASSERT_TRUE(
        port.Open(0x10001, RegisterBaudRate, 8, 0, 0, RegisterQueueSize, RegisterQueueSize));
    EXPECT_TRUE(port.IsOpen());

    // The open configured the pty: raw, 9600 baud, 8 data bits, no parity, one stop bit.
    termios now{};
    ASSERT_EQ(tcgetattr(m_pty.Keeper(), &now), 0);
    EXPECT_FALSE(SameLineSettings(before, now));
    EXPECT_EQ(cfgetospeed(&now), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&now), static_cast<speed_t>(B9600));
    EXPECT_EQ(now.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(now.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_NE(now.c_cflag & CLOCAL, 0u);
    EXPECT_NE(now.c_cflag & CREAD, 0u);
    EXPECT_EQ(now.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
    EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(now.c_oflag & OPOST, 0u);
}

TEST(SerialPortDevices, DeviceThatIsMissingOrNotATerminalIsNotOpened) {
    CSerialPort port;
    EXPECT_FALSE(OpenOn(port, MissingDevice()));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenError(), std::errc::no_such_file_or_directory);

    const auto file =
        std::filesystem::temp_directory_path() / ("tillora-not-a-tty-" + std::to_string(getpid()));
    std::ofstream(file) << "x";
    EXPECT_FALSE(OpenOn(port, file.string()));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.OpenError(), std::errc::inappropriate_io_control_operation);
    // The refused open left no lock behind.
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    close(fd);
    std::filesystem::remove(file);
}

TEST(SerialPortDevices, DefaultDevicesAreTheFirstFourSerialPorts) {
    const PortDevices expected{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    EXPECT_EQ(DefaultPortDevices(), expected);
}

TEST(SerialPortDevices, BaudRatesOfTheStandardListOnly) {
    for (std::uint32_t rate :
         {110u, 300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u}) {
        EXPECT_TRUE(CSerialPort::IsSupportedBaudRate(rate)) << rate;
    }
    for (std::uint32_t rate : {0u, 50u, 14400u, 28800u, 56000u, 128000u, 230400u}) {
        EXPECT_FALSE(CSerialPort::IsSupportedBaudRate(rate)) << rate;
    }
}

TEST_F(SerialPortOnPty, DeviceIsHeldExclusivelyUntilClosed) {
    CSerialPort first;
    CSerialPort second;
    ASSERT_TRUE(OpenOn(first, m_pty.SlaveName()));
    EXPECT_FALSE(first.OpenError());
    EXPECT_FALSE(OpenOn(second, m_pty.SlaveName()));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.OpenError(), std::errc::device_or_resource_busy);

    // Another program cannot take it either: its open is refused or it cannot get the lock.
    const int other = open(m_pty.SlaveName().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (other >= 0) {
        EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
        close(other);
    }

    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(OpenOn(second, m_pty.SlaveName()));
    // And once more after the destructor of an open port.
    second.Close();
    {
        CSerialPort scoped;
        ASSERT_TRUE(OpenOn(scoped, m_pty.SlaveName()));
    }
    EXPECT_TRUE(OpenOn(first, m_pty.SlaveName()));
}

TEST_F(SerialPortOnPty, BytesQueuedBeforeOpenAreNeverRead) {
    const Bytes stale{0x06, '0', '0', '0', '1', '2', '3', '0', '6', 0x0A};
    ASSERT_TRUE(m_pty.Send(stale));
    ASSERT_TRUE(m_pty.WaitQueued(static_cast<int>(stale.size())));

    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    std::array<std::uint8_t, 32> buffer{};
    std::size_t count = 99;
    EXPECT_FALSE(port.Read(buffer.data(), buffer.size(), count));
    EXPECT_EQ(count, 0u);

    const Bytes fresh{0xAA, 'f', 'r', 'e', 's', 'h', 0x0A};
    ASSERT_TRUE(m_pty.Send(fresh));
    EXPECT_EQ(ReadBytes(port, fresh.size()), fresh);
}

TEST_F(SerialPortOnPty, DrainInputDiscardsWhatIsQueued) {
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    ASSERT_TRUE(m_pty.Send({'o', 'l', 'd'}));
    ASSERT_TRUE(m_pty.WaitQueued(3));
    port.DrainInput();
    ASSERT_TRUE(m_pty.Send({'n', 'e', 'w'}));
    EXPECT_EQ(ReadBytes(port, 3), (Bytes{'n', 'e', 'w'}));
}

TEST_F(SerialPortOnPty, ReadTakesOnlyWhatIsQueuedAndNeverWaits) {
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    std::array<std::uint8_t, 10> buffer{};
    std::size_t count = 99;
    EXPECT_FALSE(port.Read(buffer.data(), buffer.size(), count));
    EXPECT_EQ(count, 0u);

    ASSERT_TRUE(m_pty.Send({0x06, 0x30, 0x31}));
    ASSERT_TRUE(m_pty.WaitQueued(3));
    count = 99;
    ASSERT_TRUE(port.Read(buffer.data(), buffer.size(), count));
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{0x06, 0x30, 0x31}));

    // Fewer asked than queued: the rest stays for the next read.
    ASSERT_TRUE(m_pty.Send({1, 2, 3, 4, 5}));
    ASSERT_TRUE(m_pty.WaitQueued(5));
    ASSERT_TRUE(port.Read(buffer.data(), 2, count));
    EXPECT_EQ(count, 2u);
    ASSERT_TRUE(port.Read(buffer.data(), buffer.size(), count));
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{3, 4, 5}));
}

TEST_F(SerialPortOnPty, EveryByteValuePassesUnchangedBothWays) {
    MarkLineSettings(m_pty.Keeper());
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    const Bytes all = EveryByteValue();

    ASSERT_TRUE(m_pty.Send(all));
    EXPECT_EQ(ReadBytes(port, all.size()), all);

    ASSERT_TRUE(port.Write(all.data(), all.size()));
    EXPECT_EQ(m_pty.Receive(all.size()), all);
}

TEST_F(SerialPortOnPty, WriteReturnsOnlyAfterTheBytesAirTime) {
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    Bytes frame(96);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(0xAA ^ i);
    }
    const auto started = Clock::now();
    ASSERT_TRUE(port.Write(frame.data(), frame.size()));
    const auto took = Clock::now() - started;
    // 96 bytes of ten bits at 9600 baud are 100 ms on the wire; the write cannot be over sooner.
    EXPECT_GE(took, std::chrono::milliseconds(100));
    EXPECT_EQ(m_pty.Receive(frame.size()), frame);
}

TEST_F(SerialPortOnPty, WaitReadableWakesWhenBytesCome) {
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    std::thread registerSide([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_pty.Send({0x06});
    });
    const LineWait result = port.WaitReadable(5000);
    registerSide.join();
    EXPECT_EQ(result, LineWait::Readable);
    EXPECT_EQ(ReadBytes(port, 1), Bytes{0x06});
}

TEST_F(SerialPortOnPty, WaitReadableTimesOutWhenNothingComes) {
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    EXPECT_EQ(port.WaitReadable(30), LineWait::Timeout);
    EXPECT_EQ(port.WaitReadable(0), LineWait::Timeout);
}

TEST_F(SerialPortOnPty, LineIsBrokenOnceTheOtherEndCloses) {
    CSerialPort port;
    ASSERT_TRUE(OpenOn(port, m_pty.SlaveName()));
    m_pty.CloseMaster();

    EXPECT_EQ(port.WaitReadable(5000), LineWait::Broken);
    std::array<std::uint8_t, 10> buffer{};
    std::size_t count = 99;
    EXPECT_FALSE(port.Read(buffer.data(), buffer.size(), count));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(port.WaitReadable(5000), LineWait::Broken);
    const Bytes ack{0x06, '0', '0', '0', '1', '2', '3', '0', '6', 0x0A};
    EXPECT_FALSE(port.Write(ack.data(), ack.size()));
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPortClosed, ClosedPortRefusesEverything) {
    CSerialPort port;
    EXPECT_FALSE(port.IsOpen());
    const Bytes bytes{1, 2, 3};
    EXPECT_FALSE(port.Write(bytes.data(), bytes.size()));
    std::array<std::uint8_t, 4> buffer{};
    std::size_t count = 99;
    EXPECT_FALSE(port.Read(buffer.data(), buffer.size(), count));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(port.WaitReadable(10), LineWait::Broken);
    port.DrainInput();
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

} // namespace
} // namespace tillora
