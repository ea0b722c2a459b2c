// One send to several registers at once takes the time of the slowest, not the sum: tillora-cli
// sends an articles table to one register and then to three, each a tillora-ecr-sim paced at
// 9600 baud on its own pseudo-terminal. The figure is the ratio of the two wall times beside its
// target; "met" is 1 where the target holds.

#include "SimProcess.h"
#include "TempFolder.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace tillora {
namespace {

constexpr int Rows = 60;
constexpr double TargetRatio = 1.1;

// Every field of every row filled, so that each record is a full frame.
void WriteArticles(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    for (int r = 1; r <= Rows; ++r) {
        out << r << "\tArticle " << 1000 + r << "\t3800121" << 100000 + r
            << "\t12.50\t\xC1\t1\t0\t25.125\r\n";
    }
}

class CRegisters {
public:
    explicit CRegisters(int count) {
        std::ofstream ini(m_temp.Path() / "t.ini", std::ios::binary);
        for (int i = 1; i <= count; ++i) {
            const std::string serial = std::to_string(100 + i);
            m_sims.push_back(std::make_unique<test::SimProcess>(
                std::vector<std::string>{"--model", "0", "--serial", serial, "--pace", "9600"}));
            ini << "[Register:R" << i << "]\nEcrType=0\nEcrSerial=" << serial
                << "\nPort=" << m_sims.back()->Device() << "\n\n";
            m_names.push_back("R" + std::to_string(i));
        }
        WriteArticles(File());
    }

    // The wall time of one send to every register, in seconds; negative when it failed.
    double Send() const {
        std::vector<std::string> args = {"--quiet", "send", "articles", File()};
        for (const std::string& name : m_names) {
            args.insert(args.end(), {"--register", name});
        }
        const auto start = std::chrono::steady_clock::now();
        const test::ProgramResult result =
            test::RunProgram("tillora-cli", args,
                             {"TILLORA_INI=" + (m_temp.Path() / "t.ini").string(),
                              "XDG_DATA_HOME=" + (m_temp.Path() / "data").string()});
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        return result.status == 0 ? took.count() : -1.0;
    }

private:
    std::string File() const { return (m_temp.Path() / "articles.txt").string(); }

    test::TempFolder m_temp{"tillora-registers-bench"};
    std::vector<std::unique_ptr<test::SimProcess>> m_sims;
    std::vector<std::string> m_names;
};

void SendToThreeRegistersAtOnce(benchmark::State& state) {
    const CRegisters one(1);
    const CRegisters three(3);
    double ratio = 0;
    double oneSeconds = 0;
    double threeSeconds = 0;
    for (auto _ : state) {
        oneSeconds = one.Send();
        threeSeconds = three.Send();
        if (oneSeconds < 0 || threeSeconds < 0) {
            state.SkipWithError("a send failed");
            return;
        }
        state.SetIterationTime(threeSeconds);
        ratio = threeSeconds / oneSeconds;
    }
    state.counters["one_register_s"] = oneSeconds;
    state.counters["three_registers_s"] = threeSeconds;
    state.counters["ratio"] = ratio;
    state.counters["target_ratio"] = TargetRatio;
    state.counters["met"] = ratio <= TargetRatio ? 1 : 0;
}

BENCHMARK(SendToThreeRegistersAtOnce)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace tillora

BENCHMARK_MAIN();
