#include "link/Cp1251.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tillora {
namespace {

// The code points of 0x80 to 0xBF; 0 marks 0x98, the one code Windows-1251 leaves undefined.
// 0xC0 to 0xFF are the Cyrillic capitals and small letters А to я in order.
constexpr std::array<char32_t, 64> UpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
};

constexpr char32_t FirstCyrillicLetter = 0x0410; // А, at 0xC0
constexpr char32_t LastCyrillicLetter = 0x044F;  // я, at 0xFF
constexpr char Replacement = '?';

char32_t CodePointOf(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= 0xC0) {
        return FirstCyrillicLetter + (byte - 0xC0);
    }
    return UpperHalf[byte - 0x80];
}

// 0 when Windows-1251 has no code for the character (0 itself is handled by the caller).
unsigned char ByteOf(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<unsigned char>(codePoint);
    }
    if (codePoint >= FirstCyrillicLetter && codePoint <= LastCyrillicLetter) {
        return static_cast<unsigned char>(0xC0 + (codePoint - FirstCyrillicLetter));
    }
    for (std::size_t i = 0; i < UpperHalf.size(); ++i) {
        if (UpperHalf[i] == codePoint) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return 0;
}

// Every character of the table lies below U+10000, so three bytes at most.
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts, with the smallest code point it may encode
// (anything below is an overlong form); 0 for a byte that cannot start a sequence.
struct SequenceStart {
    std::size_t length;
    char32_t minimum;
    char32_t bits;
};

SequenceStart StartOf(unsigned char lead) {
    if (lead < 0x80) {
        return {1, 0, lead};
    }
    if ((lead & 0xE0) == 0xC0) {
        return {2, 0x80, static_cast<char32_t>(lead & 0x1F)};
    }
    if ((lead & 0xF0) == 0xE0) {
        return {3, 0x800, static_cast<char32_t>(lead & 0x0F)};
    }
    if ((lead & 0xF8) == 0xF0) {
        return {4, 0x10000, static_cast<char32_t>(lead & 0x07)};
    }
    return {0, 0, 0};
}

// Decodes one well-formed UTF-8 sequence at pos; length 0 when the bytes there are not one.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

Decoded DecodeAt(std::string_view text, std::size_t pos) {
    const SequenceStart start = StartOf(static_cast<unsigned char>(text[pos]));
    if (start.length == 0 || pos + start.length > text.size()) {
        return {0, 0};
    }
    char32_t c = start.bits;
    for (std::size_t i = 1; i < start.length; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(byte)) {
            return {0, 0};
        }
        c = (c << 6) | (byte & 0x3F);
    }
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (c < start.minimum || surrogate || c > 0x10FFFF) {
        return {0, 0};
    }
    return {c, start.length};
}

} // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    return pos < text.size() ? DecodeAt(text, pos).length : 0;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const char32_t c = CodePointOf(static_cast<unsigned char>(ch));
        if (c == 0 && ch != '\0') {
            out += Replacement;
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Decoded d = DecodeAt(text, pos);
        if (d.length == 0) {
            out += Replacement; // one for every byte that is not part of a sequence
            ++pos;
            continue;
        }
        const unsigned char byte = ByteOf(d.codePoint);
        out += (byte == 0 && d.codePoint != 0) ? Replacement : static_cast<char>(byte);
        pos += d.length;
    }
    return out;
}

} // namespace tillora
