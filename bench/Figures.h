#pragma once

// Timing and reporting for the benchmark programs that print plain figures beside their targets.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace tillora::bench {

class CFigures {
public:
    static constexpr int Runs = 5;

    void Report(const char* figure, double value, const char* unit, double target) {
        const bool met = value <= target;
        m_allMet = m_allMet && met;
        std::printf("%-56s %9.1f %-2s  target <= %4.0f %-2s  %s\n", figure, value, unit, target,
                    unit, met ? "met" : "MISSED");
        std::fflush(stdout);
    }

    // A figure of work that did not do what it should is worth nothing: say so, and fail.
    void Check(bool holds, const char* what) {
        if (!holds) {
            std::printf("check failed: %s\n", what);
            m_allMet = false;
        }
    }

    bool AllMet() const { return m_allMet; }

    static double MillisecondsOf(const std::function<void()>& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto took = std::chrono::steady_clock::now() - start;
        return std::chrono::duration<double, std::milli>(took).count();
    }

    // The median of several runs, each after its own preparation, which is not timed.
    static double MedianMs(const std::function<void()>& prepare,
                           const std::function<void()>& work) {
        std::vector<double> times;
        for (int i = 0; i < Runs; ++i) {
            prepare();
            times.push_back(MillisecondsOf(work));
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

private:
    bool m_allMet = true;
};

} // namespace tillora::bench
