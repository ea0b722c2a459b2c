#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tillora::test {

// One frame of the simulated register's log (tillora-ecr-sim --log): its kind, the register's
// reply and the payload as the log writes it.
struct LoggedFrame {
    std::string kind;
    std::string reply;
    std::string payload;
};

// Every frame of the log; none when there is no log yet.
inline std::vector<LoggedFrame> ReadFrameLog(const std::filesystem::path& log) {
    std::ifstream in(log, std::ios::binary);
    std::vector<LoggedFrame> frames;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string number;
        LoggedFrame frame;
        std::getline(fields, number, '\t');
        std::getline(fields, frame.kind, '\t');
        std::getline(fields, frame.reply, '\t');
        std::getline(fields, frame.payload);
        frames.push_back(frame);
    }
    return frames;
}

} // namespace tillora::test
