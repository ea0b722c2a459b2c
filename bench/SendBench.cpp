// How fast a whole articles table goes to the register: milliseconds per row and the processor
// time used, against tillora-ecr-sim paced at 9600 baud, with the full-table time it implies.
// Each figure stands beside its target; "met" is 1 where the target holds.

#include "QuietFeedback.h"
#include "SimProcess.h"
#include "link/EcrSettings.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableSetup.h"
#include "transfer/SendRuns.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <sys/resource.h>

namespace tillora {
namespace {

constexpr int Rows = 200;
constexpr int FullTable = 2600;
constexpr double ByteMs = 10.0 * 1000.0 / 9600.0;
constexpr double RowWireMs = (69 + 10) * ByteMs; // model 0's record and its acknowledgement

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Every field of every row filled, so that each record is a full 69-byte frame.
void FillArticles(CCellGrid& grid) {
    for (int r = 1; r <= Rows; ++r) {
        grid.SetItemText(r, 1, "Article " + std::to_string(1000 + r));
        grid.SetItemText(r, 2, "3800121" + std::to_string(100000 + r));
        grid.SetItemText(r, 3, "12.50");
        grid.SetItemText(r, 4, "\xC1");
        grid.SetItemText(r, 5, "1");
        grid.SetItemText(r, 6, "0");
        grid.SetItemText(r, 7, "25.125");
    }
}

void SendArticlesTable(benchmark::State& state) {
    const auto gapMs = static_cast<std::uint64_t>(state.range(0));
    ConnectionSettings() = {0, 0, 123};
    CCellGrid grid;
    SetupTable(grid, TableKind::Articles);
    FillArticles(grid);
    CMemoryGridAccess access(grid);
    test::SimProcess sim({"--model", "0", "--serial", "123", "--pace", "9600"});
    LineChoice line;
    line.device = sim.Device();
    CSteadyClock clock;
    test::QuietFeedback feedback;
    double perRow = 0;
    double cpuPercent = 0;
    for (auto _ : state) {
        TransferSession session{line, clock, feedback, ConnectionSettings(), gapMs, {}};
        const double cpuStart = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        if (!SendArticles(access, session)) {
            state.SkipWithError("the send failed");
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        perRow = took.count() * 1000.0 / Rows;
        cpuPercent = 100.0 * (CpuSeconds() - cpuStart) / took.count();
    }
    const double target = RowWireMs + static_cast<double>(gapMs) + 5.0;
    state.counters["row_ms"] = perRow;
    state.counters["wire_ms"] = RowWireMs;
    state.counters["target_ms"] = target;
    state.counters["full_table_min"] = perRow * FullTable / 60000.0;
    state.counters["target_full_min"] = target * FullTable / 60000.0;
    state.counters["cpu_percent_of_core"] = cpuPercent;
    state.counters["met"] = perRow <= target && cpuPercent < 2.0 ? 1 : 0;
}

BENCHMARK(SendArticlesTable)
    ->Arg(0)
    ->Arg(100)
    ->ArgName("FrameGapMs")
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tillora

BENCHMARK_MAIN();
