#include "link/TracingLine.h"

#include "link/PlatformFiles.h"

#include <chrono>

namespace tillora {
namespace {

std::uint64_t NowUs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

} // namespace

bool CanTraceTo(const std::string& path) {
    if (path.empty()) {
        return true;
    }
    std::FILE* file = OpenFile(Utf8Path(path), "a");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

std::unique_ptr<ISerialLine> CTracingLine::Wrap(std::unique_ptr<ISerialLine> inner,
                                                const std::string& path) {
    std::FILE* file = OpenFile(Utf8Path(path), "a");
    if (file == nullptr) {
        return inner;
    }
    return std::unique_ptr<ISerialLine>(new CTracingLine(std::move(inner), file));
}

CTracingLine::CTracingLine(std::unique_ptr<ISerialLine> inner, std::FILE* file)
    : m_inner(std::move(inner)), m_file(file), m_startUs(NowUs()) {}

CTracingLine::~CTracingLine() {
    FlushReceived();
    std::fclose(m_file);
}

void CTracingLine::Trace(const char* direction, const std::uint8_t* data, std::size_t length,
                         std::uint64_t atUs) {
    const double ms = static_cast<double>(atUs - m_startUs) / 1000.0;
    std::fprintf(m_file, "%9.3f %s", ms, direction);
    for (std::size_t i = 0; i < length; ++i) {
        std::fprintf(m_file, " %02X", data[i]);
    }
    std::fputc('\n', m_file);
    std::fflush(m_file);
}

void CTracingLine::FlushReceived() {
    if (!m_received.empty()) {
        Trace("ECR>PC", m_received.data(), m_received.size(), m_receivedAtUs);
        m_received.clear();
    }
}

bool CTracingLine::Write(const std::uint8_t* data, std::size_t length) {
    FlushReceived();
    Trace("PC>ECR", data, length, NowUs());
    const bool written = m_inner->Write(data, length);
    if (!written) {
        std::fprintf(m_file, "%9s write failed\n", "");
    }
    return written;
}

bool CTracingLine::Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) {
    const bool read = m_inner->Read(buffer, maxLength, count);
    if (count > 0) {
        if (m_received.empty()) {
            m_receivedAtUs = NowUs();
        }
        m_received.insert(m_received.end(), buffer, buffer + count);
    }
    return read;
}

void CTracingLine::DrainInput() {
    m_inner->DrainInput();
}

LineWait CTracingLine::WaitReadable(std::uint64_t timeoutMs) {
    const LineWait result = m_inner->WaitReadable(timeoutMs);
    if (result != LineWait::Readable) {
        FlushReceived();
    }
    if (result == LineWait::Broken) {
        std::fprintf(m_file, "%9s line broken\n", "");
    }
    return result;
}

} // namespace tillora
