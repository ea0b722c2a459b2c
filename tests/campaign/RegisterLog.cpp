#include "RegisterLog.h"

#include <fstream>
#include <sstream>

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
    std::vector<LoggedFrame> frames;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string number;
        LoggedFrame frame;
        std::getline(fields, number, '\t');
        std::getline(fields, frame.kind, '\t');
        std::getline(fields, frame.reply, '\t');
        frames.push_back(frame);
    }
    return frames;
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
