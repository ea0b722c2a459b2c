#pragma once

#include "RunPlan.h"

#include <string>
#include <vector>

namespace tillora::campaign {

// The options that tell tillora-ecr-sim the plan's fault.
std::vector<std::string> FaultArguments(const RunPlan& plan);

} // namespace tillora::campaign
