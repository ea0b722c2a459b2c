// tillora-fault-campaign: many transfers of the program, each against a simulated register told
// to misbehave in one way, drawn from a seeded random sequence so that a seed repeats exactly.
// Prints one figures line; exit 1 when any run went other than the fault calls for.

#include "CampaignRun.h"
#include "RunPlan.h"
#include "SimProcess.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tillora::campaign;

// About a third of the runs cost a wait of the answer limit: 40 runs in about a minute.
constexpr unsigned DefaultSlowShare = 32;

struct CampaignOptions {
    unsigned seed = 0;
    unsigned runs = 0;
    std::string sim;
    unsigned slowShare = DefaultSlowShare;
    bool verbose = false;
    bool closeAtOnce = false;
};

struct Figures {
    unsigned runs = 0;
    unsigned faultsInjected = 0;
    unsigned caught = 0;
    unsigned cleanRight = 0;
    unsigned other = 0;
};

const char* Usage() {
    return "usage: tillora-fault-campaign --seed S --runs N [--sim PATH] [--slow-share PERCENT] "
           "[--verbose] [--close-at-once]\n";
}

bool ParseUnsigned(const char* text, unsigned& value) {
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || parsed > 0xFFFFFFFFul) {
        return false;
    }
    value = static_cast<unsigned>(parsed);
    return true;
}

std::optional<CampaignOptions> ParseOptions(int argc, char** argv) {
    CampaignOptions options;
    options.sim = tillora::test::ProgramFolder() + "/tillora-ecr-sim";
    bool seed = false;
    bool runs = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const bool hasValue = i + 1 < argc;
        if (name == "--verbose") {
            options.verbose = true;
        } else if (name == "--close-at-once") {
            options.closeAtOnce = true;
        } else if (name == "--seed" && hasValue) {
            seed = ParseUnsigned(argv[++i], options.seed);
        } else if (name == "--runs" && hasValue) {
            runs = ParseUnsigned(argv[++i], options.runs);
        } else if (name == "--sim" && hasValue) {
            options.sim = argv[++i];
        } else if (name == "--slow-share" && hasValue) {
            if (!ParseUnsigned(argv[++i], options.slowShare) || options.slowShare > 100) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!seed || !runs) {
        return std::nullopt;
    }
    return options;
}

std::string Describe(const CampaignOptions& options, const RunPlan& plan) {
    return "seed " + std::to_string(options.seed) + " run " + std::to_string(plan.index) + ": " +
           OperationName(plan) + ", model " + std::to_string(plan.model) + ", " +
           std::to_string(plan.records) + " records, " + FaultText(plan);
}

void Count(const RunPlan& plan, const RunVerdict& verdict, Figures& figures) {
    ++figures.runs;
    if (plan.fault != Fault::None) {
        ++figures.faultsInjected;
    }
    if (!verdict.Right()) {
        ++figures.other;
    } else if (plan.fault != Fault::None) {
        ++figures.caught;
    } else {
        ++figures.cleanRight;
    }
}

void ReportRun(const CampaignOptions& options, const RunPlan& plan, const RunVerdict& verdict) {
    if (!verdict.Right()) {
        std::string what;
        for (const std::string& wrong : verdict.wrong) {
            what += (what.empty() ? "" : "; ") + wrong;
        }
        std::fprintf(stderr, "%s: %s\n", Describe(options, plan).c_str(), what.c_str());
    } else if (options.verbose) {
        std::printf("%s: right, %llu ms\n", Describe(options, plan).c_str(),
                    static_cast<unsigned long long>(verdict.wallMs));
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<CampaignOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::fputs(Usage(), stderr);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::mt19937 random(options->seed);
    Figures figures;
    for (unsigned i = 0; i < options->runs; ++i) {
        RunPlan plan = DrawRun(random, i, options->slowShare);
        if (options->closeAtOnce) {
            plan.closeDelayMs = 0;
        }
        const RunVerdict verdict = RunOnce(plan, options->sim);
        ReportRun(*options, plan, verdict);
        Count(plan, verdict, figures);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("runs %u, faults injected %u, caught with the right message %u, clean runs right "
                "%u, other %u (%.1f s)\n",
                figures.runs, figures.faultsInjected, figures.caught, figures.cleanRight,
                figures.other, seconds);
    return figures.other == 0 ? 0 : 1;
}
