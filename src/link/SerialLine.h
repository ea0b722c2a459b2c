#pragma once

#include <cstddef>
#include <cstdint>

namespace tillora {

enum class LineWait {
    Readable, // bytes are queued
    Timeout,  // nothing arrived within the time given
    Broken    // the line is gone (adapter unplugged, the other end closed): nothing more will come
};

// What the link protocol needs of a serial line. CSerialPort is the real one; the simulated
// register and the tests offer others.
class ISerialLine {
public:
    virtual ~ISerialLine() = default;

    // Sends the bytes and returns once they have left; false when the line refused them.
    virtual bool Write(const std::uint8_t* data, std::size_t length) = 0;

    // Takes at most maxLength of the bytes already queued, without waiting. False with a count of
    // 0 when nothing is queued or the line failed.
    virtual bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) = 0;

    // Discards what the input queue holds.
    virtual void DrainInput() = 0;

    // Waits until bytes are queued, at most timeoutMs, without using the processor.
    virtual LineWait WaitReadable(std::uint64_t timeoutMs) = 0;
};

} // namespace tillora
