#include "link/TextDecoding.h"

#include "link/Cp1251.h"

namespace tillora {
namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";
constexpr std::string_view Utf16BeBom = "\xFE\xFF";
constexpr char32_t ReplacementCharacter = 0xFFFD;

bool IsMultiByteUtf8(std::string_view text) {
    bool multiByte = false;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            return false;
        }
        multiByte = true;
        i += length;
    }
    return multiByte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 code units to UTF-8; a lone surrogate or a trailing odd byte becomes U+FFFD, which the
// conversion to Windows-1251 then turns into "?".
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        AppendUtf8(out, surrogate ? ReplacementCharacter : unit);
    }
    if (i < bytes.size()) {
        AppendUtf8(out, ReplacementCharacter);
    }
    return out;
}

} // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.starts_with(Utf16LeBom)) {
        return TextEncoding::Utf16Le;
    }
    if (bytes.starts_with(Utf16BeBom)) {
        return TextEncoding::Utf16Be;
    }
    if (bytes.starts_with(Utf8Bom) || IsMultiByteUtf8(bytes)) {
        return TextEncoding::Utf8;
    }
    return TextEncoding::Cp1251;
}

std::string TextAsCp1251(std::string_view bytes) {
    return TextAsCp1251(bytes, DetectTextEncoding(bytes));
}

std::string TextAsCp1251(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf16Le:
        if (bytes.starts_with(Utf16LeBom)) {
            bytes.remove_prefix(Utf16LeBom.size());
        }
        return Utf8ToCp1251(Utf16ToUtf8(bytes, false));
    case TextEncoding::Utf16Be:
        if (bytes.starts_with(Utf16BeBom)) {
            bytes.remove_prefix(Utf16BeBom.size());
        }
        return Utf8ToCp1251(Utf16ToUtf8(bytes, true));
    case TextEncoding::Utf8:
        if (bytes.starts_with(Utf8Bom)) {
            bytes.remove_prefix(Utf8Bom.size());
        }
        return Utf8ToCp1251(bytes);
    case TextEncoding::Cp1251:
        break;
    }
    return std::string(bytes);
}

} // namespace tillora
