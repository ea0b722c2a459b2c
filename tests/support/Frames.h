#pragma once

#include "link/Checksum.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tillora::test {

// Frames as the register sends them, for scripts.

// first byte, six serial digits, checksum characters, line feed.
inline std::vector<std::uint8_t> Answer(std::uint8_t first, const std::string& serial) {
    std::string frame(1, static_cast<char>(first));
    frame += serial;
    AppendChecksum(frame);
    return {frame.begin(), frame.end()};
}

inline std::vector<std::uint8_t> AckFrame(const std::string& serial = "000123") {
    return Answer(0x06, serial);
}

// The 23-byte confirmation: AA, serial, "c", twelve bytes, checksum, line feed.
inline std::vector<std::uint8_t> Confirmation(const std::string& serial = "000123", char kind = 'c',
                                              const std::string& twelve = "000000000001") {
    std::string frame = "\xAA" + serial + kind + twelve;
    AppendChecksum(frame);
    return {frame.begin(), frame.end()};
}

// A frame as the PC sends it: AA, serial, kind, payload, checksum, line feed.
inline std::vector<std::uint8_t> PcFrame(char kind, const std::string& payload = "",
                                         const std::string& serial = "000123") {
    std::string frame = "\xAA" + serial + kind + payload;
    AppendChecksum(frame);
    return {frame.begin(), frame.end()};
}

} // namespace tillora::test
