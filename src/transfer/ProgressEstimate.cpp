#include "transfer/ProgressEstimate.h"

#include <cstdio>

namespace tillora {

void CProgressEstimate::Start(std::uint64_t nowMs) {
    m_startMs = nowMs;
    m_nowMs = nowMs;
    m_done = 0;
    m_total = 0;
}

void CProgressEstimate::Update(unsigned done, unsigned total, std::uint64_t nowMs) {
    m_done = done;
    m_total = total;
    m_nowMs = nowMs;
}

unsigned CProgressEstimate::Percent() const {
    if (m_total == 0) {
        return 0;
    }
    const unsigned done = m_done < m_total ? m_done : m_total;
    return static_cast<unsigned>(static_cast<std::uint64_t>(done) * 100 / m_total);
}

std::optional<std::uint64_t> CProgressEstimate::SecondsLeft() const {
    if (m_total == 0 || m_done == 0 || m_done >= m_total) {
        return std::nullopt;
    }
    const std::uint64_t elapsed = m_nowMs > m_startMs ? m_nowMs - m_startMs : 0;
    const std::uint64_t leftMs = elapsed * (m_total - m_done) / m_done;
    return leftMs / 1000;
}

std::string MinutesAndSeconds(std::uint64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

} // namespace tillora
