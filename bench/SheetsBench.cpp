// A full articles table (2600 rows) written as .xlsx and read back: both are meant to take no
// more than 100 ms, so that a price list comes in and a report goes out without a wait.
#include "link/Feedback.h"
#include "sheets/SpreadsheetFile.h"
#include "tables/TableSetup.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace tillora {
namespace {

class SilentFeedback final : public IFeedback {
public:
    void ShowMessage(unsigned, const std::string&, MessageIcon) override {}
    bool AskYesNo(unsigned, const std::string&, MessageIcon, bool) override { return false; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpPaintMessages() override {}
};

void FillArticles(CCellGrid& grid) {
    SetupTable(grid, TableKind::Articles);
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        const std::string n = std::to_string(row);
        grid.SetItemText(row, 1, "\xC0\xF0\xF2\xE8\xEA\xF3\xEB " + n);
        grid.SetItemText(row, 2, std::to_string(3800000000000LL + row));
        grid.SetItemText(row, 3, n + ".25");
        grid.SetItemText(row, 5, std::to_string(row % 10));
        grid.SetItemText(row, 7, n + ".5");
    }
}

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_ExportArticlesXlsx(benchmark::State& state) {
    CCellGrid grid;
    FillArticles(grid);
    SilentFeedback feedback;
    const std::string path = BenchFile("tillora-bench-export.xlsx");
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteSpreadsheetFile(path, grid, TableKind::Articles, feedback));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ExportArticlesXlsx)->Unit(benchmark::kMillisecond);

void BM_ReadArticlesXlsx(benchmark::State& state) {
    CCellGrid grid;
    FillArticles(grid);
    SilentFeedback feedback;
    const std::string path = BenchFile("tillora-bench-read.xlsx");
    WriteSpreadsheetFile(path, grid, TableKind::Articles, feedback);
    for (auto _ : state) {
        SheetData sheet;
        std::string error;
        benchmark::DoNotOptimize(ReadSpreadsheetFile(path, {}, sheet, error));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadArticlesXlsx)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tillora

BENCHMARK_MAIN();
