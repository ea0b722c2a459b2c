#pragma once

#include "FakeClock.h"
#include "link/SerialLine.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tillora::test {

// A serial line driven by a script on a fake clock: bytes arrive at given times, or a given time
// after a write; waiting moves the clock to the next arrival or by the time-out. Every write is
// kept with the time it was made.
class ScriptedLine final : public ISerialLine {
public:
    explicit ScriptedLine(FakeClock& clock) : m_clock(clock) {}

    struct WriteRecord {
        std::uint64_t atMs;
        std::vector<std::uint8_t> bytes;
    };

    // bytes become readable at the clock time atMs.
    void ArriveAt(std::uint64_t atMs, const std::vector<std::uint8_t>& bytes);
    // bytes become readable delayMs after the next write not yet answered.
    void AnswerNextWrite(std::uint64_t delayMs, const std::vector<std::uint8_t>& bytes);
    // The line breaks (adapter unplugged) at atMs.
    void BreakAt(std::uint64_t atMs) { m_brokenAt = atMs; }
    // Write number n (from 1) fails.
    void FailWrite(unsigned n) { m_failWrite = n; }
    // Bytes already queued before anyone reads (the tail of an earlier exchange).
    void Queue(const std::vector<std::uint8_t>& bytes);

    bool Write(const std::uint8_t* data, std::size_t length) override;
    bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) override;
    void DrainInput() override;
    LineWait WaitReadable(std::uint64_t timeoutMs) override;

    const std::vector<WriteRecord>& Writes() const { return m_writes; }
    std::vector<std::uint8_t> AllWritten() const;
    unsigned Waits() const { return m_waits; }
    unsigned Drains() const { return m_drains; }

private:
    struct Arrival {
        std::uint64_t atMs;
        std::uint8_t byte;
    };
    void MoveArrived();
    bool BrokenNow() const { return m_brokenAt != 0 && m_clock.NowMs() >= m_brokenAt; }

    FakeClock& m_clock;
    std::deque<Arrival> m_pending;    // sorted by time
    std::deque<std::uint8_t> m_queue; // readable now
    std::deque<std::pair<std::uint64_t, std::vector<std::uint8_t>>> m_answers;
    std::vector<WriteRecord> m_writes;
    std::uint64_t m_brokenAt = 0;
    unsigned m_failWrite = 0;
    unsigned m_waits = 0;
    unsigned m_drains = 0;
};

// Bytes of a text, for scripts: Bytes("\x06" "000123" "06\n").
std::vector<std::uint8_t> Bytes(const std::string& text);

} // namespace tillora::test
