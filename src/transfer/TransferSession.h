#pragma once

#include "link/Clock.h"
#include "link/EcrSettings.h"
#include "link/Feedback.h"
#include "link/LineOpener.h"
#include "link/StopRequest.h"

#include <cstdint>
#include <functional>

namespace tillora {

// What one transfer runs with: the way to the register, the clock its waits count on, whoever
// shows its messages and progress, and the settings in force when the command started.
struct TransferSession {
    const LineChoice& line;
    IClock& clock;
    IFeedback& feedback;
    EcrSettings settings;
    std::uint64_t frameGapMs = DefaultFrameGapMs;
    // Told after every record the register acknowledged: how many of the run's records are done
    // and how many it sends in all, for a progress bar or a terminal's percentage. May be empty.
    std::function<void(unsigned done, unsigned total)> recordSent;
    // When given and requested, the transfer ends after the answer it is waiting for: a send
    // with no "z", so the register keeps what it acknowledged (see StoppedText). May be null.
    const CStopRequest* stop = nullptr;
};

// Runs work on a session that whoever owns the way to the register sets up, with the messages
// going to the feedback given.
using SessionRunner =
    std::function<void(IFeedback& feedback, const std::function<void(TransferSession&)>& work)>;

} // namespace tillora
