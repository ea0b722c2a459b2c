#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tillora {

// XOR of the bytes, starting from 0.
std::uint8_t XorBytes(const std::uint8_t* data, std::size_t length);

// The checksum byte as two characters: 0x30 | high nibble, 0x30 | low nibble ("0".."9", ":".."?").
void EncodeChecksum(std::uint8_t checksum, std::uint8_t out[2]);

// The byte rebuilt by a receiver: only the low four bits of each character count.
std::uint8_t DecodeChecksum(std::uint8_t high, std::uint8_t low);

// Writes behind the first length bytes of frame the two checksum characters, 0x0A and a NUL.
// The frame must have room for length + 3 bytes; the caller then sends length + 3 bytes.
void AppendChecksum(std::uint8_t* frame, std::size_t length);

// The same on a text frame: appends the checksum characters and the line feed.
void AppendChecksum(std::string& frame);

} // namespace tillora
