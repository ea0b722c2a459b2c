// Sending only the changes: finding 20 changed prices in a full articles table, and the whole
// `tillora-cli send articles FILE --changed` against tillora-ecr-sim paced at 9600 baud with the
// default gap, where sending the whole table takes about eight minutes. Each figure stands
// beside its target; "met" is 1 where the target holds.

#include "FullTables.h"
#include "SimProcess.h"
#include "TempFolder.h"
#include "link/EcrSettings.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"
#include "transfer/ChangedRows.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/SendCommands.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>

namespace tillora {
namespace {

constexpr int ChangedPrices = 20;
constexpr double FindTargetMs = 20.0;
constexpr double SendTargetMs = 5000.0;

// A full table, and the same with every 130th article's price raised by one lev.
struct TwoTables {
    TwoTables() {
        ConnectionSettings() = {0, 0, 123};
        SetupTable(known, TableKind::Articles);
        SetupTable(now, TableKind::Articles);
        bench::FillCells(known);
        // Names that model 0's twelve letters hold, so that the send's check lets them through.
        for (int row = 1; row <= known.GetRowCount() - 1; ++row) {
            known.SetItemText(row, 1, "ART " + std::to_string(row));
        }
        for (int row = 0; row < known.GetRowCount(); ++row) {
            for (int column = 1; column < known.GetColumnCount(); ++column) {
                now.SetItemText(row, column, known.GetItemText(row, column));
            }
        }
        for (int i = 0; i < ChangedPrices; ++i) {
            const int row = 1 + i * 130;
            const double price = std::stod(now.GetItemText(row, 3)) + 1.0;
            now.SetItemText(row, 3, std::to_string(price));
        }
    }
    CCellGrid known;
    CCellGrid now;
};

void FindTwentyChangedPrices(benchmark::State& state) {
    TwoTables tables;
    const SendPlan plan = *SendPlanOf(TableKind::Articles, 0);
    std::size_t found = 0;
    for (auto _ : state) {
        const TableChanges changes = FindChangedRows(plan, tables.now, tables.known, 0);
        found = changes.rows.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["rows_found"] = static_cast<double>(found);
    // Google Benchmark prints the time per diff beside this target.
    state.counters["target_ms"] = FindTargetMs;
}

void SendChangesFromTheCommandLine(benchmark::State& state) {
    TwoTables tables;
    test::TempFolder temp("tillora-changes-bench");
    const auto path = [&](const char* name) { return (temp.Path() / name).string(); };
    std::ofstream(path("old.txt"), std::ios::binary) << TableFileText(tables.known);
    std::ofstream(path("new.txt"), std::ios::binary) << TableFileText(tables.now);
    double tookMs = 0;
    for (auto _ : state) {
        // The register holds the old table, and the program knows that it does.
        const CKnownRegisterState store(temp.Path() / "data" / "tillora" / "registers");
        store.Save({"000123", 0}, TableKind::Articles, tables.known);
        test::SimProcess sim(
            {"--model", "0", "--serial", "123", "--pace", "9600", "--articles", path("old.txt")});
        const auto start = std::chrono::steady_clock::now();
        const test::ProgramResult result =
            test::RunProgram("tillora-cli",
                             {"--port", sim.Device(), "--model", "0", "--serial", "123", "--quiet",
                              "send", "articles", path("new.txt"), "--changed"},
                             {"TILLORA_INI=" + path("t.ini"), "XDG_DATA_HOME=" + path("data")});
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (result.status != 0) {
            state.SkipWithError(("the send failed: " + result.err).c_str());
            return;
        }
        state.SetIterationTime(took.count());
        tookMs = took.count() * 1000.0;
    }
    state.counters["send_ms"] = tookMs;
    state.counters["target_ms"] = SendTargetMs;
    state.counters["met"] = tookMs <= SendTargetMs ? 1 : 0;
}

BENCHMARK(FindTwentyChangedPrices)->Unit(benchmark::kMillisecond);
BENCHMARK(SendChangesFromTheCommandLine)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tillora

BENCHMARK_MAIN();
