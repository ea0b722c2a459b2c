#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tillora {

enum class Direction { ToRegister, FromRegister };

// The register's character set: Latin and Cyrillic letters become capitals on the way to it, and
// what it cannot print becomes a blank either way.
struct CharsetTables {
    std::array<std::uint8_t, 256> toRegister{};
    std::array<std::uint8_t, 256> fromRegister{};
};

CharsetTables BuildCharsetTables();

// Replaces every byte of the text (Windows-1251) by its entry for the direction; stops at a NUL.
void ConvertText(char* text, Direction direction);
void ConvertText(std::string& text, Direction direction);

} // namespace tillora
