#include "sim/SimulatedLine.h"

#include <algorithm>

namespace tillora::sim {
namespace {

constexpr std::uint64_t BitsPerByte = 10; // start bit, eight data bits, stop bit
constexpr std::uint64_t UsPerMs = 1000;

// When the index-th byte sent from startUs on is complete at the given rate (0: all at once).
std::uint64_t ByteInUs(std::uint64_t startUs, std::size_t index, std::uint32_t baud) {
    if (baud == 0) {
        return startUs;
    }
    const std::uint64_t bitsUs = (index + 1) * BitsPerByte * 1000 * UsPerMs;
    return startUs + (bitsUs + baud - 1) / baud;
}

} // namespace

CSimulatedLine::CSimulatedLine(std::shared_ptr<CSimRegister> ecr, IClock& clock)
    : m_ecr(std::move(ecr)), m_clock(clock) {}

bool CSimulatedLine::Write(const std::uint8_t* data, std::size_t length) {
    if (ClosedNow()) {
        return false;
    }
    const std::uint32_t baud = m_ecr->Faults().paceBaud;
    if (baud != 0) {
        // The write returns once its bytes have left, as the real port's does.
        m_clock.SleepMs((length * BitsPerByte * 1000 + baud / 2) / baud);
    }
    const std::uint64_t completeUs = m_clock.NowMs() * UsPerMs;
    for (const SimAnswer& answer : m_ecr->Receive(data, length)) {
        Schedule(answer, completeUs);
    }
    return true;
}

// An answer goes on the line after its delay, behind whatever is still on its way.
void CSimulatedLine::Schedule(const SimAnswer& answer, std::uint64_t completeUs) {
    const std::uint32_t baud = m_ecr->Faults().paceBaud;
    const std::uint64_t startUs = std::max(completeUs + answer.delayMs * UsPerMs, m_lineFreeUs);
    std::uint64_t lastUs = startUs;
    for (std::size_t i = 0; i < answer.bytes.size(); ++i) {
        lastUs = ByteInUs(startUs, i, baud);
        m_onTheWire.push_back({lastUs, answer.bytes[i]});
    }
    m_lineFreeUs = lastUs;
    if (answer.closeLine && (!m_closeUs || lastUs < *m_closeUs)) {
        m_closeUs = lastUs;
    }
}

void CSimulatedLine::MoveArrived() {
    const std::uint64_t nowUs = m_clock.NowMs() * UsPerMs;
    while (!m_onTheWire.empty() && m_onTheWire.front().atUs <= nowUs) {
        m_queue.push_back(m_onTheWire.front().byte);
        m_onTheWire.pop_front();
    }
}

bool CSimulatedLine::ClosedNow() {
    return m_closeUs && m_clock.NowMs() * UsPerMs >= *m_closeUs;
}

// The first millisecond at which something changes: a byte becomes readable or the line closes.
std::optional<std::uint64_t> CSimulatedLine::NextEventMs() const {
    std::optional<std::uint64_t> nextUs = m_closeUs;
    if (!m_onTheWire.empty() && (!nextUs || m_onTheWire.front().atUs < *nextUs)) {
        nextUs = m_onTheWire.front().atUs;
    }
    if (!nextUs) {
        return std::nullopt;
    }
    return (*nextUs + UsPerMs - 1) / UsPerMs;
}

bool CSimulatedLine::Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) {
    MoveArrived();
    count = std::min(maxLength, m_queue.size());
    std::copy_n(m_queue.begin(), count, buffer);
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
    return count > 0;
}

void CSimulatedLine::DrainInput() {
    MoveArrived();
    m_queue.clear();
}

LineWait CSimulatedLine::WaitReadable(std::uint64_t timeoutMs) {
    MoveArrived();
    if (!m_queue.empty()) {
        return LineWait::Readable;
    }
    if (ClosedNow()) {
        return LineWait::Broken;
    }
    const std::uint64_t now = m_clock.NowMs();
    const std::optional<std::uint64_t> next = NextEventMs();
    const std::uint64_t sleepMs = next && *next - now <= timeoutMs ? *next - now : timeoutMs;
    if (sleepMs > 0) {
        m_clock.SleepMs(sleepMs);
    }
    MoveArrived();
    if (!m_queue.empty()) {
        return LineWait::Readable;
    }
    return ClosedNow() ? LineWait::Broken : LineWait::Timeout;
}

} // namespace tillora::sim
