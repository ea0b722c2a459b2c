#pragma once

#include "RunPlan.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::campaign {

// How one run went: what was wrong with it (nothing when it was right), and its time.
struct RunVerdict {
    std::vector<std::string> wrong;
    std::uint64_t wallMs = 0;

    bool Right() const { return wrong.empty(); }
};

// Runs the plan's operation in this process against a register of its own (simProgram, on a
// pseudo-terminal, told the plan's fault) and checks everything the fault calls for: the one
// message, the frames the register received, what its tables hold, the program's table, the
// line released and the time taken.
RunVerdict RunOnce(const RunPlan& plan, const std::string& simProgram);

} // namespace tillora::campaign
