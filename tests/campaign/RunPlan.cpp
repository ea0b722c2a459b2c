#include "RunPlan.h"

#include <array>
#include <utility>

namespace tillora::campaign {
namespace {

constexpr unsigned MaxSerial = 999999;
constexpr int MaxRecords = 4;
constexpr int ModelCount = 10;

// The faults that cost no wait, with their weights: the refusal and the closing line act on a
// chosen frame and so get more runs than the faults of every answer, which always end at "a".
constexpr std::array<std::pair<Fault, unsigned>, 6> FastFaults = {{
    {Fault::None, 14},
    {Fault::Refusal, 22},
    {Fault::OtherSerial, 11},
    {Fault::BadChecksum, 11},
    {Fault::Noise, 11},
    {Fault::LineClosed, 31},
}};
constexpr std::array<Fault, 4> SlowFaults = {Fault::Silence, Fault::LateUnder, Fault::LateOver,
                                             Fault::Truncated};

// First bytes the noise may start with: none of them is a first byte the PC accepts or takes
// for a refusal, so that the noise is seen for what it is.
constexpr std::array<std::uint8_t, 6> NoiseStarts = {0xAA, 0x55, 0x00, 0xFF, 0x30, 0x0A};

unsigned Draw(std::mt19937& random, unsigned lowest, unsigned highest) {
    return std::uniform_int_distribution<unsigned>(lowest, highest)(random);
}

Fault DrawFault(std::mt19937& random, unsigned slowShare) {
    if (Draw(random, 1, 100) <= slowShare) {
        return SlowFaults[Draw(random, 0, SlowFaults.size() - 1)];
    }
    unsigned total = 0;
    for (const auto& [fault, weight] : FastFaults) {
        total += weight;
    }
    unsigned pick = Draw(random, 1, total);
    for (const auto& [fault, weight] : FastFaults) {
        if (pick <= weight) {
            return fault;
        }
        pick -= weight;
    }
    return Fault::None;
}

bool ActsOnOneFrame(Fault fault) {
    return fault == Fault::Refusal || fault == Fault::Silence || fault == Fault::LineClosed ||
           fault == Fault::LateUnder || fault == Fault::LateOver || fault == Fault::Truncated;
}

std::string DrawNoise(std::mt19937& random) {
    std::string noise(1, static_cast<char>(NoiseStarts[Draw(random, 0, NoiseStarts.size() - 1)]));
    for (unsigned extra = Draw(random, 0, 3); extra > 0; --extra) {
        noise += static_cast<char>(Draw(random, 0, 255));
    }
    return noise;
}

} // namespace

bool IsSend(Operation operation) {
    return operation == Operation::SendArticles || operation == Operation::SendOperators ||
           operation == Operation::SendSubgroups || operation == Operation::SendCompany;
}

unsigned AnsweredFrames(const RunPlan& plan) {
    return IsSend(plan.operation) ? static_cast<unsigned>(plan.records) + 2 : 1;
}

bool IsSlow(Fault fault) {
    return fault == Fault::Silence || fault == Fault::LateUnder || fault == Fault::LateOver ||
           fault == Fault::Truncated;
}

RunPlan DrawRun(std::mt19937& random, unsigned index, unsigned slowShare) {
    RunPlan plan;
    plan.index = index;
    plan.operation = static_cast<Operation>(Draw(random, 0, 6));
    plan.selectedCells = IsSend(plan.operation) && Draw(random, 0, 1) == 1;
    plan.model = static_cast<int>(Draw(random, 0, ModelCount - 1));
    plan.serial = Draw(random, 1, MaxSerial);
    plan.otherSerial = plan.serial % MaxSerial + 1;
    plan.records = IsSend(plan.operation) ? static_cast<int>(Draw(random, 1, MaxRecords)) : 0;
    plan.fault = DrawFault(random, slowShare);
    plan.faultFrame = ActsOnOneFrame(plan.fault) ? Draw(random, 1, AnsweredFrames(plan)) : 0;
    if (plan.fault == Fault::Noise) {
        plan.noise = DrawNoise(random);
    }
    // Most runs at the speed of the line, some with the usual quiet time after each answer.
    plan.frameGapMs = Draw(random, 0, 2) == 0 ? 100 : 0;
    plan.defaultLogo = plan.operation == Operation::SendLogo && Draw(random, 0, 4) == 0;
    plan.contentSeed = static_cast<std::uint32_t>(random());
    return plan;
}

const char* OperationName(const RunPlan& plan) {
    switch (plan.operation) {
    case Operation::SendArticles:
        return plan.selectedCells ? "send selected articles" : "send articles";
    case Operation::SendOperators:
        return plan.selectedCells ? "send selected operators" : "send operators";
    case Operation::SendSubgroups:
        return plan.selectedCells ? "send selected subgroups" : "send subgroups";
    case Operation::SendCompany:
        return plan.selectedCells ? "send selected header lines" : "send header lines";
    case Operation::ReadReport:
        return "read the report";
    case Operation::SendLogo:
        return plan.defaultLogo ? "send the default logo" : "send a small logo";
    case Operation::QueryInfo:
        return "information query";
    }
    return "?";
}

std::string FaultText(const RunPlan& plan) {
    const std::string at = " at frame " + std::to_string(plan.faultFrame);
    switch (plan.fault) {
    case Fault::None:
        return "no fault";
    case Fault::Refusal:
        return "refusal" + at;
    case Fault::Silence:
        return "silence from frame " + std::to_string(plan.faultFrame);
    case Fault::OtherSerial:
        return "answers with serial " + std::to_string(plan.otherSerial);
    case Fault::BadChecksum:
        return "bad checksums";
    case Fault::Noise:
        return "noise before every answer (" + std::to_string(plan.noise.size()) + " bytes)";
    case Fault::LineClosed:
        return "line closed" + at;
    case Fault::LateUnder:
        return "answer " + std::to_string(LateUnderMs) + " ms late" + at;
    case Fault::LateOver:
        return "answer " + std::to_string(LateOverMs) + " ms late" + at;
    case Fault::Truncated:
        return "answer cut short" + at;
    }
    return "?";
}

} // namespace tillora::campaign
