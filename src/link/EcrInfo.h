#pragma once

#include "link/Clock.h"
#include "link/Feedback.h"
#include "link/LineOpener.h"

#include <optional>
#include <string>

namespace tillora {

// Asks the register on the line of the settings in force for its serial number. Returns the six
// bytes where the answer holds it, as they came (the settings dialog's check refuses any that are
// no number), or nothing after showing the failure's message. The answer is not compared with
// the configured serial: this is how the user learns it.
std::optional<std::string> QueryEcrInfo(const LineChoice& line, IClock& clock, IFeedback& feedback);

// The query frame: AA 3F 39 35 0A.
std::string InfoQueryFrame();

} // namespace tillora
