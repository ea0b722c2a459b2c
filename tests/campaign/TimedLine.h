#pragma once

#include "link/SerialLine.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace tillora::campaign {

// What the program did with its line in one run, kept by the run.
struct LineRecord {
    std::vector<std::vector<std::uint8_t>> writes; // every write, in order
    std::uint64_t longestWaitMs = 0; // from the end of a write to the next write or the close
    int opened = 0;
    int closed = 0;
};

// The program's line with a watch on it: every write is kept, and the time the program spends
// between writing a frame and writing the next one (or closing the line) is measured, which is
// the wait for the register's answer plus the quiet gap.
class CTimedLine final : public ISerialLine {
public:
    CTimedLine(std::unique_ptr<ISerialLine> line, LineRecord& record);
    ~CTimedLine() override;
    CTimedLine(const CTimedLine&) = delete;
    CTimedLine& operator=(const CTimedLine&) = delete;

    bool Write(const std::uint8_t* data, std::size_t length) override;
    bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) override {
        return m_line->Read(buffer, maxLength, count);
    }
    void DrainInput() override { m_line->DrainInput(); }
    LineWait WaitReadable(std::uint64_t timeoutMs) override {
        return m_line->WaitReadable(timeoutMs);
    }

private:
    using Clock = std::chrono::steady_clock;

    void NoteWait();

    std::unique_ptr<ISerialLine> m_line;
    LineRecord& m_record;
    Clock::time_point m_lastWriteEnd;
    bool m_written = false;
};

} // namespace tillora::campaign
