#include "RegisterLog.h"

namespace tillora::campaign {
namespace {

bool IsRecordKind(const std::string& kind) {
    return kind == "r" || kind == "o" || kind == "y" || kind == "w";
}

std::string KindsText(const std::vector<std::string>& kinds) {
    std::string text;
    for (const std::string& kind : kinds) {
        text += (text.empty() ? "" : " ") + kind;
    }
    return text;
}

} // namespace

std::vector<LoggedFrame> ReadRegisterLog(const std::string& path) {
    return test::ReadFrameLog(path);
}

std::string CheckLoggedFrames(const std::vector<LoggedFrame>& frames,
                              const std::vector<std::string>& kinds,
                              const std::string& faultReply) {
    bool recordFailed = false;
    std::vector<std::string> seen;
    for (const LoggedFrame& frame : frames) {
        if (frame.kind == "z" && recordFailed) {
            return "\"z\" after a record that failed";
        }
        recordFailed = recordFailed || (IsRecordKind(frame.kind) && frame.reply != "ack");
        seen.push_back(frame.kind);
    }
    if (seen != kinds) {
        return "the register received \"" + KindsText(seen) + "\", not \"" + KindsText(kinds) +
               "\"";
    }
    if (!faultReply.empty() && (frames.empty() || frames.back().reply != faultReply)) {
        return "the faulted frame's reply is \"" + (frames.empty() ? "" : frames.back().reply) +
               "\", not \"" + faultReply + "\"";
    }
    return "";
}

} // namespace tillora::campaign
