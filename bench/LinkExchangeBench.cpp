// How fast a command exchange goes and how little the waiting costs, against tillora-ecr-sim
// paced at 9600 baud. Each figure stands beside its target; "met" is 1 where the target holds.

#include "QuietFeedback.h"
#include "SimProcess.h"
#include "link/Link.h"
#include "link/SerialPort.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace tillora {
namespace {

constexpr double ByteMs = 10.0 * 1000.0 / 9600.0;
constexpr double ExchangeWireMs = 21 * ByteMs; // 11-byte command, 10-byte acknowledgement

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// tillora-ecr-sim with the given options and the program's side of its line, opened as every
// command opens a port.
struct BenchRegister {
    explicit BenchRegister(const std::vector<std::string>& options) : sim(options) {}

    bool Open(benchmark::State& state) {
        if (!port.OpenDevice(sim.Device(), RegisterBaudRate, 8, 0, 0, RegisterQueueSize,
                             RegisterQueueSize)) {
            state.SkipWithError("the simulated register could not be opened");
            return false;
        }
        return true;
    }

    test::SimProcess sim;
    CSerialPort port;
    test::QuietFeedback feedback;
    CSteadyClock clock;
};

void CommandExchange(benchmark::State& state) {
    const auto gapMs = static_cast<std::uint64_t>(state.range(0));
    BenchRegister ecr({"--serial", "123", "--pace", "9600"});
    if (!ecr.Open(state)) {
        return;
    }
    CLink link(ecr.port, ecr.clock, ecr.feedback, 123, gapMs);
    link.SendCommand('a'); // the first exchange has no gap before it
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!link.SendCommand('a')) {
            state.SkipWithError("the exchange failed");
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        totalMs += took.count() * 1000.0;
    }
    const double perExchange = totalMs / static_cast<double>(state.iterations());
    const double target = ExchangeWireMs + static_cast<double>(gapMs) + 3.0;
    state.counters["exchange_ms"] = perExchange;
    state.counters["wire_ms"] = ExchangeWireMs;
    state.counters["gap_ms"] = static_cast<double>(gapMs);
    state.counters["target_ms"] = target;
    state.counters["met"] = perExchange <= target ? 1 : 0;
}

void WaitingOutTheTimeLimit(benchmark::State& state) {
    BenchRegister ecr({"--serial", "123", "--silent-from", "1"});
    if (!ecr.Open(state)) {
        return;
    }
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        CLink link(ecr.port, ecr.clock, ecr.feedback, 123, 0);
        const double cpuStart = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        link.SendCommand('a'); // fails after 3000 ms: the register stays silent
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        cpu += CpuSeconds() - cpuStart;
        wall += took.count();
        state.SetIterationTime(took.count());
    }
    const double percent = 100.0 * cpu / wall;
    state.counters["cpu_s"] = cpu / static_cast<double>(state.iterations());
    state.counters["wait_s"] = wall / static_cast<double>(state.iterations());
    state.counters["cpu_percent_of_core"] = percent;
    state.counters["target_percent"] = 1.0;
    state.counters["met"] = percent < 1.0 ? 1 : 0;
}

BENCHMARK(CommandExchange)
    ->Arg(0)
    ->Arg(100)
    ->ArgName("FrameGapMs")
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WaitingOutTheTimeLimit)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tillora

BENCHMARK_MAIN();
