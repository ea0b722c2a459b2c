#pragma once

#include "link/Clock.h"
#include "link/EcrSettings.h"
#include "link/LineOpener.h"
#include "sim/SimRegister.h"

#include <memory>

namespace tillora::sim {

// The serial of the demo register where the settings give none.
inline constexpr unsigned DemoSerial = 123;

// Demo mode for any front end: a simulated register in this process takes the place of the port.
// It is the register the settings describe, or model 0 with serial 000123 where they describe
// none, and the settings are made to describe it (a COM index outside COM1 to COM4 becomes
// COM1, though no port is opened). It talks at the real line rate, so that the demo feels like
// the real thing, and starts with a small shop of its own, so that a report has something to
// show; it keeps what it is sent for as long as the returned register lives. Every line that the
// choice opens from now on reaches it; the clock must outlive those lines.
std::shared_ptr<CSimRegister> StartDemoRegister(EcrSettings& settings, LineChoice& line,
                                                IClock& clock);

} // namespace tillora::sim
