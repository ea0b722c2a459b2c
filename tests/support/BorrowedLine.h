#pragma once

#include "link/SerialLine.h"

#include <memory>

namespace tillora::test {

// Hands an operation that opens its own line a line the test keeps: the test still sees what
// was written after the operation has closed its end. Counts how often it was closed.
class BorrowedLine final : public ISerialLine {
public:
    BorrowedLine(ISerialLine& line, int& closes) : m_line(line), m_closes(closes) {}
    ~BorrowedLine() override { ++m_closes; }
    BorrowedLine(const BorrowedLine&) = delete;
    BorrowedLine& operator=(const BorrowedLine&) = delete;

    bool Write(const std::uint8_t* data, std::size_t length) override {
        return m_line.Write(data, length);
    }
    bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) override {
        return m_line.Read(buffer, maxLength, count);
    }
    void DrainInput() override { m_line.DrainInput(); }
    LineWait WaitReadable(std::uint64_t timeoutMs) override {
        return m_line.WaitReadable(timeoutMs);
    }

private:
    ISerialLine& m_line;
    int& m_closes;
};

} // namespace tillora::test
