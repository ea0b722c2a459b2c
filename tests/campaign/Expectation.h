#pragma once

#include "RunPlan.h"

#include <string>
#include <vector>

namespace tillora::campaign {

// What a run must come to, derived from the link's rules alone: which message the fault calls
// for and how far the exchange gets before it.
struct Expectation {
    unsigned messageId = 0; // 0: the operation succeeds and shows no message
    // The frames the register receives (its log's lines): up to the faulted one, or all of them
    // and the PC's acknowledgement of the confirmation after a send that succeeds.
    unsigned framesReceived = 0;
    int recordsWritten = 0;      // record frames the PC writes
    int recordsTaken = 0;        // of those, the ones the register keeps
    int recordsAcknowledged = 0; // the ones the PC saw acknowledged
    std::string faultReply;      // the register's reply to the faulted frame in its log; empty: any
    bool lineGone = false;       // the register closed the line: its device is gone afterwards
    bool longWait = false;       // one wait of about the answer limit
};

Expectation Expect(const RunPlan& plan);

// The frames the register must have received, by their kinds in its log.
std::vector<std::string> ExpectedKinds(const RunPlan& plan, const Expectation& expected);

// The status text a send shows when the register confirmed it.
std::string SendFinalText(const RunPlan& plan);

} // namespace tillora::campaign
