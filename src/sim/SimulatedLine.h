#pragma once

#include "link/Clock.h"
#include "link/SerialLine.h"
#include "sim/SimRegister.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

namespace tillora::sim {

// The simulated register behind the serial-line seam, in the same process: what the program
// writes reaches the register, and its answers become readable at the times a real line would
// deliver them (after the answer delay and, when paced, byte by byte at the line rate). Time is
// the given clock's, so that tests with a fake clock are exact.
class CSimulatedLine final : public ISerialLine {
public:
    CSimulatedLine(std::shared_ptr<CSimRegister> ecr, IClock& clock);

    bool Write(const std::uint8_t* data, std::size_t length) override;
    bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) override;
    void DrainInput() override;
    LineWait WaitReadable(std::uint64_t timeoutMs) override;

    CSimRegister& Register() { return *m_ecr; }

private:
    struct Arrival {
        std::uint64_t atUs; // readable from this time on
        std::uint8_t byte;
    };

    void Schedule(const SimAnswer& answer, std::uint64_t completeUs);
    void MoveArrived();
    bool ClosedNow();
    std::optional<std::uint64_t> NextEventMs() const;

    std::shared_ptr<CSimRegister> m_ecr;
    IClock& m_clock;
    std::deque<Arrival> m_onTheWire;  // in the order they become readable
    std::deque<std::uint8_t> m_queue; // readable now
    std::uint64_t m_lineFreeUs = 0;   // when the last byte sent so far is in
    std::optional<std::uint64_t> m_closeUs;
};

} // namespace tillora::sim
