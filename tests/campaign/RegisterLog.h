#pragma once

#include "FrameLog.h"

#include <string>
#include <vector>

namespace tillora::campaign {

// One line of the register's frame log: the frame's kind ("a", "r", ..., "ack" for the PC's
// acknowledgement of a confirmation) and the register's reply ("ack", "nak", "none", ...).
using test::LoggedFrame;

// The frames in the log file, in order; empty when there is none.
std::vector<LoggedFrame> ReadRegisterLog(const std::string& path);

// What is wrong with the frames against what the run expects, in a few words; empty when
// nothing is: the frames' kinds, and no end of transfer after a record that failed.
std::string CheckLoggedFrames(const std::vector<LoggedFrame>& frames,
                              const std::vector<std::string>& kinds, const std::string& faultReply);

} // namespace tillora::campaign
