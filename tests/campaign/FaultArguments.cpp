#include "FaultArguments.h"

#include <cstdio>

namespace tillora::campaign {
namespace {

std::string Hex(const std::string& bytes) {
    std::string text;
    for (char c : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
        text += pair;
    }
    return text;
}

} // namespace

std::vector<std::string> FaultArguments(const RunPlan& plan) {
    const std::string frame = std::to_string(plan.faultFrame);
    switch (plan.fault) {
    case Fault::None:
        return {};
    case Fault::Refusal:
        return {"--refuse-frame", frame};
    case Fault::Silence:
        return {"--silent-from", frame};
    case Fault::OtherSerial:
        return {"--answer-serial", std::to_string(plan.otherSerial)};
    case Fault::BadChecksum:
        return {"--bad-checksum"};
    case Fault::Noise:
        return {"--noise", Hex(plan.noise)};
    case Fault::LineClosed:
        return {"--close-after", frame, "--delay", std::to_string(plan.closeDelayMs)};
    case Fault::LateUnder:
        return {"--late-frame", frame, "--late-ms", std::to_string(LateUnderMs)};
    case Fault::LateOver:
        return {"--late-frame", frame, "--late-ms", std::to_string(LateOverMs)};
    case Fault::Truncated:
        return {"--truncate-frame", frame};
    }
    return {};
}

} // namespace tillora::campaign
