#pragma once

#include "sim/SimRegister.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tillora::sim {

// The simulated register on a pseudo-terminal (POSIX only): a client opens the device like a
// serial port. The PC's bytes reach the register as they come; its answers go out after their
// delay and, when paced, byte by byte at the line rate. Since the pseudo-terminal hands over the
// PC's bytes at once, the PC's own wire time is modelled too when paced: a byte is in one byte
// time after the byte before it, or after its arrival if the line was idle.
class CPtyRegister {
public:
    enum class End {
        Stopped,    // asked to stop
        LineClosed, // the register closed the line (a fault it was told to show)
        Failed      // the pseudo-terminal failed
    };

    explicit CPtyRegister(CSimRegister& ecr) : m_ecr(ecr) {}
    ~CPtyRegister();
    CPtyRegister(const CPtyRegister&) = delete;
    CPtyRegister& operator=(const CPtyRegister&) = delete;

    // Creates the pseudo-terminal, raw on both sides; false with the reason in error.
    bool Open(std::string& error);
    // The device a client opens.
    const std::string& DevicePath() const { return m_device; }

    // Serves the line until a byte can be read from stopFd, the register closes the line, or the
    // line fails. afterFrames is called whenever frames have come in, before their answers leave.
    End Run(int stopFd, const std::function<void()>& afterFrames);

private:
    using Clock = std::chrono::steady_clock;
    struct Outgoing {
        Clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };

    bool TakeInput(const std::function<void()>& afterFrames);
    void Schedule(const SimAnswer& answer, Clock::time_point complete);
    bool SendDue();
    std::optional<Clock::time_point> NextDue() const;
    bool CloseIsDue() const;
    Clock::duration ByteTime() const;
    void CloseAll();

    CSimRegister& m_ecr;
    int m_master = -1;
    // Kept open so that the master never sees a hang-up while no client has the device open.
    int m_slave = -1;
    std::string m_device;
    std::deque<Outgoing> m_out; // in the order they are due
    bool m_writeBlocked = false;
    std::optional<Clock::time_point> m_closeAt;
    Clock::time_point m_pcWireFree{};  // when the PC's bytes so far are all in
    Clock::time_point m_ecrWireFree{}; // when the register's bytes so far are all out
};

} // namespace tillora::sim
