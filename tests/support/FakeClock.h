#pragma once

#include "link/Clock.h"

namespace tillora::test {

// A clock that moves only when told to, or when someone sleeps on it.
class FakeClock final : public IClock {
public:
    std::uint64_t NowMs() override { return m_now; }
    void SleepMs(std::uint64_t ms) override { m_now += ms; }
    void Advance(std::uint64_t ms) { m_now += ms; }
    void AdvanceTo(std::uint64_t ms) {
        if (ms > m_now) {
            m_now = ms;
        }
    }

private:
    std::uint64_t m_now = 1000; // not 0, so that code which takes 0 for "unset" is caught
};

} // namespace tillora::test
