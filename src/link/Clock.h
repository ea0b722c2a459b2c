#pragma once

#include <cstdint>

namespace tillora {

// A monotonic millisecond clock. The link measures its time limits on it; tests give a fake one
// so that exact limits (3000 ms passes, 3001 ms fails) can be proven.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint64_t NowMs() = 0;
    // Waits the given time without using the processor.
    virtual void SleepMs(std::uint64_t ms) = 0;
};

// The system's steady clock.
class CSteadyClock final : public IClock {
public:
    std::uint64_t NowMs() override;
    void SleepMs(std::uint64_t ms) override;
};

} // namespace tillora
