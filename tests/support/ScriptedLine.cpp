#include "ScriptedLine.h"

#include <algorithm>

namespace tillora::test {

void ScriptedLine::ArriveAt(std::uint64_t atMs, const std::vector<std::uint8_t>& bytes) {
    for (auto b : bytes) {
        Arrival arrival{atMs, b};
        auto pos =
            std::upper_bound(m_pending.begin(), m_pending.end(), arrival,
                             [](const Arrival& a, const Arrival& b) { return a.atMs < b.atMs; });
        m_pending.insert(pos, arrival);
    }
}

void ScriptedLine::AnswerNextWrite(std::uint64_t delayMs, const std::vector<std::uint8_t>& bytes) {
    m_answers.emplace_back(delayMs, bytes);
}

void ScriptedLine::Queue(const std::vector<std::uint8_t>& bytes) {
    m_queue.insert(m_queue.end(), bytes.begin(), bytes.end());
}

bool ScriptedLine::Write(const std::uint8_t* data, std::size_t length) {
    m_writes.push_back({m_clock.NowMs(), std::vector<std::uint8_t>(data, data + length)});
    if (m_failWrite == m_writes.size() || BrokenNow()) {
        return false;
    }
    if (!m_answers.empty()) {
        auto [delay, bytes] = m_answers.front();
        m_answers.pop_front();
        ArriveAt(m_clock.NowMs() + delay, bytes);
    }
    return true;
}

void ScriptedLine::MoveArrived() {
    while (!m_pending.empty() && m_pending.front().atMs <= m_clock.NowMs()) {
        m_queue.push_back(m_pending.front().byte);
        m_pending.pop_front();
    }
}

bool ScriptedLine::Read(std::uint8_t* buffer, std::size_t maxLength, std::size_t& count) {
    MoveArrived();
    count = std::min(maxLength, m_queue.size());
    std::copy_n(m_queue.begin(), count, buffer);
    m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<std::ptrdiff_t>(count));
    return count > 0;
}

void ScriptedLine::DrainInput() {
    ++m_drains;
    MoveArrived();
    m_queue.clear();
}

LineWait ScriptedLine::WaitReadable(std::uint64_t timeoutMs) {
    ++m_waits;
    MoveArrived();
    if (!m_queue.empty()) {
        return LineWait::Readable;
    }
    if (BrokenNow()) {
        return LineWait::Broken;
    }
    const std::uint64_t deadline = m_clock.NowMs() + timeoutMs;
    std::uint64_t next = deadline;
    if (!m_pending.empty()) {
        next = std::min(next, m_pending.front().atMs);
    }
    if (m_brokenAt != 0) {
        next = std::min(next, m_brokenAt);
    }
    m_clock.AdvanceTo(next);
    MoveArrived();
    if (!m_queue.empty()) {
        return LineWait::Readable;
    }
    return BrokenNow() ? LineWait::Broken : LineWait::Timeout;
}

std::vector<std::uint8_t> ScriptedLine::AllWritten() const {
    std::vector<std::uint8_t> all;
    for (const auto& w : m_writes) {
        all.insert(all.end(), w.bytes.begin(), w.bytes.end());
    }
    return all;
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

} // namespace tillora::test
