#pragma once

#include "link/RegisterList.h"
#include "link/StopRequest.h"
#include "tables/TableKind.h"
#include "transfer/KnownRegisterState.h"
#include "transfer/RegisterSends.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tillora {

// One table sent whole to several registers at once, as the window does it.
struct TableToRegisters {
    TableKind kind;
    // The table as its file has it (TableFileText): each register's thread reads it into a table
    // of its own, under the register's model.
    std::string tableText;
    // The devices behind the COM ports, for registers that name no port of their own.
    PortDevices devices = DefaultPortDevices();
    const CKnownRegisterState* known = nullptr;
    // Stops every register's run after the answer in flight; may be null.
    const CStopRequest* stop = nullptr;
    // Told on a register's thread: a record acknowledged, and every message and status text.
    std::function<void(std::size_t index, unsigned done, unsigned total)> recordSent;
    std::function<void(std::size_t index, const std::string& text)> told;
};

// Sends the table to every register at once (RunOnEachRegister), each with its own line, clock,
// feedback that records and known state, and returns each register's outcome in their order.
std::vector<RegisterOutcome> SendTableToRegisters(const std::vector<NamedRegister>& registers,
                                                  const TableToRegisters& send);

} // namespace tillora
