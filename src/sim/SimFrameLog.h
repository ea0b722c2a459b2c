#pragma once

#include "sim/SimRegister.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tillora::sim {

// The log of what the register received, one line a frame, fields separated by TABs: the frame's
// number (from 1), its kind ("a", "r", ..., "R" for the logo, "?" for the information query,
// "ack" for the PC's acknowledgement of a confirmation), the register's reply ("ack", "nak",
// "info", "none", "close") and the payload (the bytes between the kind and the checksum; the
// file of a logo) as text, with "\" as "\\" and every byte outside 0x20-0x7E as "\xNN".
std::string FrameLogLine(std::size_t number, const std::vector<std::uint8_t>& frame,
                         SimReply reply);
std::string RenderFrameLog(const CSimRegister& ecr);

// Keeps the log file up to date with the register: the whole file is rewritten through a
// temporary file, so that a reader never sees half a log.
class CFrameLogFile {
public:
    explicit CFrameLogFile(std::string path) : m_path(std::move(path)) {}

    // Adds the frames received since the last update and rewrites the file; false when it could
    // not be written.
    bool Update(const CSimRegister& ecr);

private:
    std::string m_path;
    std::string m_text;
    std::size_t m_logged = 0;
};

} // namespace tillora::sim
