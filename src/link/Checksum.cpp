#include "link/Checksum.h"

namespace tillora {

std::uint8_t XorBytes(const std::uint8_t* data, std::size_t length) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        sum ^= data[i];
    }
    return sum;
}

void EncodeChecksum(std::uint8_t checksum, std::uint8_t out[2]) {
    out[0] = static_cast<std::uint8_t>(0x30 | (checksum >> 4));
    out[1] = static_cast<std::uint8_t>(0x30 | (checksum & 0x0F));
}

std::uint8_t DecodeChecksum(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint8_t>((high << 4) | (low & 0x0F));
}

void AppendChecksum(std::uint8_t* frame, std::size_t length) {
    EncodeChecksum(XorBytes(frame, length), frame + length);
    frame[length + 2] = 0x0A;
    frame[length + 3] = 0;
}

void AppendChecksum(std::string& frame) {
    std::uint8_t chars[2];
    EncodeChecksum(XorBytes(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size()),
                   chars);
    frame.push_back(static_cast<char>(chars[0]));
    frame.push_back(static_cast<char>(chars[1]));
    frame.push_back('\n');
}

} // namespace tillora
