#pragma once

#include <atomic>

namespace tillora {

// A request to stop a transfer, made from anywhere (a Stop button, Ctrl+C, another register's
// thread) and honoured by the transfer between frames: the answer in flight is always awaited,
// so the register never sees half a frame.
class CStopRequest {
public:
    void Request() { m_requested.store(true, std::memory_order_relaxed); }
    bool IsRequested() const { return m_requested.load(std::memory_order_relaxed); }
    // For the next transfer, once the stopped one has ended.
    void Reset() { m_requested.store(false, std::memory_order_relaxed); }

private:
    std::atomic<bool> m_requested{false};
};

// Whether the transfer that holds stop (or none) is to end now.
inline bool IsStopRequested(const CStopRequest* stop) {
    return stop != nullptr && stop->IsRequested();
}

} // namespace tillora
