// How fast the six tables are built, saved, loaded and pasted into, and how much memory they take.
// Each figure stands beside its target; "met" is 1 where the target holds.

#include "QuietFeedback.h"
#include "link/Cp1251.h"
#include "link/EcrSettings.h"
#include "tables/CellGrid.h"
#include "tables/ClipboardText.h"
#include "tables/MemoryGridAccess.h"
#include "tables/TableKind.h"
#include "tables/TableReader.h"
#include "tables/TableSetup.h"
#include "tables/TableWriter.h"

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

// Every allocation carries its size in front of it, so that the bytes still live can be counted
// whichever delete frees it. The header keeps the alignment operator new promises.
constexpr std::size_t HeaderSize = alignof(std::max_align_t);

std::atomic<long long>& LiveBytes() {
    static std::atomic<long long> bytes{0};
    return bytes;
}

void* CountedAllocate(std::size_t size) noexcept {
    auto* block = static_cast<unsigned char*>(std::malloc(size + HeaderSize));
    if (block == nullptr) {
        return nullptr;
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    LiveBytes().fetch_add(static_cast<long long>(size), std::memory_order_relaxed);
    return block + HeaderSize;
}

void CountedFree(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    auto* block = static_cast<unsigned char*>(pointer) - HeaderSize;
    const auto size = *reinterpret_cast<std::size_t*>(block);
    LiveBytes().fetch_sub(static_cast<long long>(size), std::memory_order_relaxed);
    std::free(block);
}

void* CountedAllocateOrThrow(std::size_t size) {
    if (void* pointer = CountedAllocate(size)) {
        return pointer;
    }
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return CountedAllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAllocate(size);
}
void operator delete(void* pointer) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
    CountedFree(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    CountedFree(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    CountedFree(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    CountedFree(pointer);
}

namespace tillora {
namespace {

constexpr double TargetMs = 50.0;
constexpr double TargetMegabytes = 20.0;
constexpr int ArticleRows = 2600;
constexpr int ArticleDataColumns = 7;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void ReportAgainstTarget(benchmark::State& state, double totalSeconds) {
    const double perRunMs = 1000.0 * totalSeconds / static_cast<double>(state.iterations());
    state.counters["run_ms"] = perRunMs;
    state.counters["target_ms"] = TargetMs;
    state.counters["met"] = perRunMs < TargetMs ? 1 : 0;
}

using SixTables = std::array<std::unique_ptr<CCellGrid>, TableCount>;

SixTables SetUpSixTables() {
    SixTables grids;
    for (TableKind kind : AllTables) {
        auto& grid = grids[static_cast<std::size_t>(TableIndex(kind))];
        grid = std::make_unique<CCellGrid>();
        SetupTable(*grid, kind);
    }
    return grids;
}

// A Bulgarian EAN-13: 380, nine digits from the row, and the check digit.
std::string Barcode(int row) {
    char digits[14];
    std::snprintf(digits, sizeof digits, "380%09d", row);
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    }
    digits[12] = static_cast<char>('0' + (10 - sum % 10) % 10);
    digits[13] = '\0';
    return digits;
}

// The seven data fields of a full article row, as Windows-1251 texts.
std::array<std::string, ArticleDataColumns> ArticleFields(int row, const std::string& namePrefix) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d", row);
    char price[16];
    std::snprintf(price, sizeof price, "%d.%02d", row % 100, row % 97);
    char stock[16];
    std::snprintf(stock, sizeof stock, "%d.%03d", row % 250, row % 1000);
    return {namePrefix + name,        Barcode(row), price, std::string("\xC1"),
            std::to_string(row % 10), "0",          stock};
}

std::string ArticleNamePrefix() {
    return Utf8ToCp1251("Артикул ");
}

void FillArticles(CCellGrid& articles) {
    const std::string prefix = ArticleNamePrefix();
    for (int row = 1; row <= ArticleRows; ++row) {
        const auto fields = ArticleFields(row, prefix);
        for (int column = 1; column <= ArticleDataColumns; ++column) {
            articles.SetItemText(row, column, fields[static_cast<std::size_t>(column - 1)]);
        }
    }
}

// Whether the last row got every field, the tax letter among them (which needs the model).
bool LastRowComplete(const CCellGrid& articles) {
    const auto fields = ArticleFields(ArticleRows, ArticleNamePrefix());
    for (int column = 1; column <= ArticleDataColumns; ++column) {
        if (articles.GetItemText(ArticleRows, column).empty()) {
            return false;
        }
    }
    return articles.GetItemText(ArticleRows, 4) == fields[3];
}

// The text a spreadsheet would put on the clipboard for the whole articles table.
std::string ArticlesClipboardText() {
    const std::string prefix = ArticleNamePrefix();
    std::string text;
    for (int row = 1; row <= ArticleRows; ++row) {
        const auto fields = ArticleFields(row, prefix);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            text += fields[i];
            text += i + 1 < fields.size() ? '\t' : '\n';
        }
    }
    return text;
}

// A file of the benchmark's own in the system's temporary folder, removed when this goes.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() /
                 (name + "-" + std::to_string(getpid()) + ".txt")) {}
    ~ScratchFile() {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

void SetUpAllTables(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        SixTables grids = SetUpSixTables();
        const double took = SecondsSince(start);
        benchmark::DoNotOptimize(grids);
        state.SetIterationTime(took);
        total += took;
    }
    ReportAgainstTarget(state, total);
}

void ArticlesFileText(benchmark::State& state) {
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    FillArticles(articles);
    double total = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const std::string text = TableFileText(articles);
        const double took = SecondsSince(start);
        bytes = text.size();
        state.SetIterationTime(took);
        total += took;
    }
    ReportAgainstTarget(state, total);
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void WriteArticlesFile(benchmark::State& state) {
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    FillArticles(articles);
    const TableWriter writer(articles);
    const ScratchFile file("tillora-bench-write");
    test::QuietFeedback feedback;
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool written = writer.WriteTableFile(file.Path(), feedback);
        const double took = SecondsSince(start);
        if (!written) {
            state.SkipWithError("the articles file could not be written");
            return;
        }
        state.SetIterationTime(took);
        total += took;
    }
    ReportAgainstTarget(state, total);
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file.Path()));
}

void ReadArticlesFile(benchmark::State& state) {
    const ScratchFile file("tillora-bench-read");
    test::QuietFeedback feedback;
    {
        CCellGrid source;
        SetupTable(source, TableKind::Articles);
        FillArticles(source);
        if (!TableWriter(source).WriteTableFile(file.Path(), feedback)) {
            state.SkipWithError("the articles file could not be written");
            return;
        }
    }
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    CMemoryGridAccess access(articles);
    TableReader reader(access);
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool read = reader.ReadTableFile(file.Path(), feedback);
        const double took = SecondsSince(start);
        if (!read || !LastRowComplete(articles)) {
            state.SkipWithError("the articles file was not read in full");
            return;
        }
        state.SetIterationTime(took);
        total += took;
    }
    ReportAgainstTarget(state, total);
}

void PasteArticles(benchmark::State& state) {
    const std::string text = ArticlesClipboardText();
    CCellGrid articles;
    SetupTable(articles, TableKind::Articles);
    CMemoryGridAccess access(articles);
    const CCellRange whole{1, 1, ArticleRows, ArticleDataColumns};
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const CCellRange pasted = PasteText(access, {1, 1}, text);
        const double took = SecondsSince(start);
        if (!(pasted == whole) || !LastRowComplete(articles)) {
            state.SkipWithError("the paste did not cover the whole table");
            return;
        }
        state.SetIterationTime(took);
        total += took;
    }
    ReportAgainstTarget(state, total);
    state.counters["cells"] = static_cast<double>(ArticleRows) * ArticleDataColumns;
}

void SixTablesMemory(benchmark::State& state) {
    long long bytes = 0;
    for (auto _ : state) {
        const long long before = LiveBytes().load();
        SixTables grids = SetUpSixTables();
        bytes = LiveBytes().load() - before;
        benchmark::DoNotOptimize(grids);
    }
    const double megabytes = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["MB"] = megabytes;
    state.counters["target_MB"] = TargetMegabytes;
    state.counters["met"] = megabytes < TargetMegabytes ? 1 : 0;
}

BENCHMARK(SetUpAllTables)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ArticlesFileText)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(WriteArticlesFile)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadArticlesFile)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PasteArticles)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SixTablesMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tillora

int main(int argc, char** argv) {
    // A model whose tax groups are the Cyrillic letters, so that the articles keep theirs.
    tillora::ConnectionSettings().EcrType = 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
