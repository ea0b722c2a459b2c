// How fast a command exchange goes and how little the waiting costs, against tillora-ecr-sim
// paced at 9600 baud. Each figure stands beside its target; "met" is 1 where the target holds.

#include "SimProcess.h"
#include "link/Link.h"
#include "link/SerialPort.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <sys/resource.h>

namespace tillora {
namespace {

// Feedback that keeps nothing: the benchmark looks only at time.
class QuietFeedback final : public IFeedback {
public:
    void ShowMessage(unsigned, const std::string&, MessageIcon) override {}
    bool AskYesNo(unsigned, const std::string&, MessageIcon, bool) override { return false; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}
};

constexpr double ByteMs = 10.0 * 1000.0 / 9600.0;
constexpr double ExchangeWireMs = 21 * ByteMs; // 11-byte command, 10-byte acknowledgement

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool OpenOn(CSerialPort& port, const std::string& device) {
    return port.OpenDevice(device, EcrBaudRate, 8, 0, 0, EcrQueueSize, EcrQueueSize);
}

void CommandExchange(benchmark::State& state) {
    const auto gapMs = static_cast<std::uint64_t>(state.range(0));
    test::SimProcess sim({"--serial", "123", "--pace", "9600"});
    CSerialPort port;
    if (!OpenOn(port, sim.Device())) {
        state.SkipWithError("the simulated register could not be opened");
        return;
    }
    QuietFeedback feedback;
    CSteadyClock clock;
    CLink link(port, clock, feedback, 123, gapMs);
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
    test::SimProcess sim({"--serial", "123", "--silent-from", "1"});
    CSerialPort port;
    if (!OpenOn(port, sim.Device())) {
        state.SkipWithError("the simulated register could not be opened");
        return;
    }
    QuietFeedback feedback;
    CSteadyClock clock;
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        CLink link(port, clock, feedback, 123, 0);
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
