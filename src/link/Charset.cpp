#include "link/Charset.h"

namespace tillora {
namespace {

constexpr CharsetTables MakeTables() {
    CharsetTables t;
    for (unsigned c = 0; c < 256; ++c) {
        t.toRegister[c] = 0x20;
        t.fromRegister[c] = 0x20;
    }
    for (unsigned c = 0x21; c <= 0x60; ++c) {
        t.toRegister[c] = static_cast<std::uint8_t>(c);
    }
    // The register prints capitals only: small Latin and Cyrillic letters become capitals, and
    // Cyrillic moves to the register's own 0x80-0x9F.
    for (unsigned c = 0x61; c <= 0x7A; ++c) {
        t.toRegister[c] = static_cast<std::uint8_t>(c - 0x20);
    }
    for (unsigned c = 0xC0; c <= 0xDF; ++c) {
        t.toRegister[c] = static_cast<std::uint8_t>(c - 0x40);
    }
    for (unsigned c = 0xE0; c <= 0xFF; ++c) {
        t.toRegister[c] = static_cast<std::uint8_t>(c - 0x60);
    }
    for (unsigned c = 0x21; c <= 0x7E; ++c) {
        t.fromRegister[c] = static_cast<std::uint8_t>(c);
    }
    for (unsigned c = 0x80; c <= 0xBE; ++c) {
        t.fromRegister[c] = static_cast<std::uint8_t>(c + 0x40);
    }
    return t;
}

// Constant data: built by the compiler, never changed.
constexpr CharsetTables Tables = MakeTables();

} // namespace

CharsetTables BuildCharsetTables() {
    return Tables;
}

void ConvertText(char* text, Direction direction) {
    const auto& table =
        direction == Direction::ToRegister ? Tables.toRegister : Tables.fromRegister;
    for (; *text != '\0'; ++text) {
        *text = static_cast<char>(table[static_cast<unsigned char>(*text)]);
    }
}

void ConvertText(std::string& text, Direction direction) {
    const auto& table =
        direction == Direction::ToRegister ? Tables.toRegister : Tables.fromRegister;
    for (char& c : text) {
        if (c == '\0') {
            break;
        }
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    }
}

} // namespace tillora
