#pragma once

#include "link/LineOpener.h"
#include "link/RegisterList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tillora {

// Runs `run` for every register at the same time, one thread each, and returns once all have
// ended. On its thread each register's settings are in force (ConnectionSettings()) before run
// starts, so that its table is set up, read and checked under the register's own model; all
// else a register's run needs (line, clock, feedback, known state) run makes for itself.
void RunOnEachRegister(const std::vector<NamedRegister>& registers,
                       const std::function<void(std::size_t index)>& run);

// How one register's part ended.
struct RegisterOutcome {
    bool confirmed = false; // the register confirmed the whole transfer
    std::string text;       // the status text of success, else the message that said why
};
// From the run's last status text and last message: a failure that showed no message (the user
// declined) is told as "nothing was sent".
RegisterOutcome OutcomeOf(bool confirmed, const std::string& lastStatus,
                          const std::string& lastMessage);

// The line to a register of the list: the port it names, else its COM index's device.
LineChoice LineOfRegister(const NamedRegister& reg, const PortDevices& devices);

} // namespace tillora
