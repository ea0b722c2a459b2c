#include "TimedLine.h"

#include <algorithm>

namespace tillora::campaign {

CTimedLine::CTimedLine(std::unique_ptr<ISerialLine> line, LineRecord& record)
    : m_line(std::move(line)), m_record(record) {
    ++m_record.opened;
}

CTimedLine::~CTimedLine() {
    NoteWait();
    // The port itself closes here, with the line it wraps.
    m_line.reset();
    ++m_record.closed;
}

void CTimedLine::NoteWait() {
    if (!m_written) {
        return;
    }
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_lastWriteEnd);
    m_record.longestWaitMs =
        std::max(m_record.longestWaitMs, static_cast<std::uint64_t>(waited.count()));
}

bool CTimedLine::Write(const std::uint8_t* data, std::size_t length) {
    NoteWait();
    m_record.writes.emplace_back(data, data + length);
    const bool written = m_line->Write(data, length);
    m_lastWriteEnd = Clock::now();
    m_written = true;
    return written;
}

} // namespace tillora::campaign
