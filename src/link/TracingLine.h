#pragma once

#include "link/Clock.h"
#include "link/SerialLine.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace tillora {

// Passes everything to another line and writes each byte sent and received to a text file, in
// hex, with the milliseconds since the line was opened and the direction:
//   "   12.345 PC>ECR AA 30 30 30 31 32 33 61 3C 3B 0A"
// Bytes received one read after another make one line, stamped with the time of the first, until
// the program writes or the line falls quiet: an answer reads as one line however it arrived.
// Whether a trace can be written to path (empty: no trace, which is fine): checked before a
// command, so that a mistyped path stops it instead of leaving an exchange untraced.
bool CanTraceTo(const std::string& path);

class CTracingLine final : public ISerialLine {
public:
    // The line traced into path (appended to), or the line itself when the file cannot be
    // opened: tracing never stops an exchange.
    static std::unique_ptr<ISerialLine> Wrap(std::unique_ptr<ISerialLine> inner,
                                             const std::string& path);
    ~CTracingLine() override;
    CTracingLine(const CTracingLine&) = delete;
    CTracingLine& operator=(const CTracingLine&) = delete;

    bool Write(const std::uint8_t* data, std::size_t length) override;
    bool Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) override;
    void DrainInput() override;
    LineWait WaitReadable(std::uint64_t timeoutMs) override;

private:
    CTracingLine(std::unique_ptr<ISerialLine> inner, std::FILE* file);
    void Trace(const char* direction, const std::uint8_t* data, std::size_t length,
               std::uint64_t atUs);
    void FlushReceived();

    std::unique_ptr<ISerialLine> m_inner;
    std::FILE* m_file;
    std::uint64_t m_startUs;
    std::vector<std::uint8_t> m_received; // not yet traced
    std::uint64_t m_receivedAtUs = 0;
};

} // namespace tillora
