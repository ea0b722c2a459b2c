#include "link/Clock.h"

#include <chrono>
#include <thread>

namespace tillora {

std::uint64_t CSteadyClock::NowMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void CSteadyClock::SleepMs(std::uint64_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace tillora
