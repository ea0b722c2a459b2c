// How fast a full price list (2600 articles, as a spreadsheet saves it) is imported: the text
// split into cells, the plan made and applied to the articles table. The figure stands beside
// its target; "met" is 1 where the target holds.

#include "link/EcrSettings.h"
#include "tables/CellGrid.h"
#include "tables/ImportPlan.h"
#include "tables/MemoryGridAccess.h"
#include "tables/SheetText.h"
#include "tables/TableSetup.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace tillora {
namespace {

constexpr double TargetMs = 100.0;
constexpr int ArticleRows = 2600;

// UTF-8 with its mark, semicolons, a header in an order of its own, decimal commas, thousands
// separators, currency and quoted names.
std::string PriceList() {
    std::string text = "\xEF\xBB\xBF№;Наименование;Цена;EAN;ДДС;Наличност\r\n";
    for (int i = 1; i <= ArticleRows; ++i) {
        const std::string n = std::to_string(i);
        text += n + ";\"Артикул \"\"" + n + "\"\"\";" + "1 " + std::to_string(100 + i % 900) + "," +
                std::to_string(10 + i % 90) + " лв.;38000000" + std::to_string(10000 + i) + ";Б;" +
                std::to_string(i % 50) + ",5\r\n";
    }
    return text;
}

void ImportPriceList(benchmark::State& state) {
    ConnectionSettings().EcrType = 0;
    const std::string bytes = PriceList();
    CCellGrid grid;
    SetupTable(grid, TableKind::Articles);
    CMemoryGridAccess access(grid);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        SheetData sheet;
        ReadTextSheet(bytes, {}, sheet);
        const ImportPlan plan = PlanImport(sheet, TableKind::Articles, {0, std::nullopt, {}});
        ApplyImportPlan(plan, access);
        const double run =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(run);
        seconds += run;
        if (plan.rowsFilled != ArticleRows || !plan.problems.empty()) {
            state.SkipWithError("the price list did not import whole");
        }
    }
    const double perRunMs = 1000.0 * seconds / static_cast<double>(state.iterations());
    state.counters["run_ms"] = perRunMs;
    state.counters["target_ms"] = TargetMs;
    state.counters["met"] = perRunMs < TargetMs ? 1 : 0;
    ConnectionSettings() = {};
}

BENCHMARK(ImportPriceList)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tillora

BENCHMARK_MAIN();
