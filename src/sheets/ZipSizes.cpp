#include "sheets/ZipSizes.h"

#include <cstdint>
#include <optional>

namespace tillora {
namespace {

constexpr std::uint32_t EndOfDirectory = 0x06054b50;
constexpr std::uint32_t DirectoryEntry = 0x02014b50;
constexpr std::uint32_t LocalHeader = 0x04034b50;
constexpr std::uint64_t DeflateMostPerByte = 1032;

// Little-endian fields of the archive, read only where they fit.
class ZipBytes {
public:
    explicit ZipBytes(std::string_view bytes) : m_bytes(bytes) {}
    std::optional<std::uint32_t> At(std::size_t offset, int width) const {
        if (offset > m_bytes.size() || m_bytes.size() - offset < static_cast<std::size_t>(width)) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(m_bytes[offset + i]);
        }
        return value;
    }
    std::size_t Size() const { return m_bytes.size(); }

private:
    std::string_view m_bytes;
};

bool PlausibleSize(std::uint32_t method, std::uint64_t compressed, std::uint64_t size) {
    if (method == 0) {
        return size == compressed;
    }
    return size <= compressed * DeflateMostPerByte + 64;
}

// The entry's local header, where its data starts, tells the same sizes (unless they follow
// the data, which bit 3 of its flags says).
bool LocalHeaderPlausible(const ZipBytes& zip, std::uint32_t offset) {
    const auto signature = zip.At(offset, 4);
    const auto flags = zip.At(offset + 6, 2);
    const auto method = zip.At(offset + 8, 2);
    const auto compressed = zip.At(offset + 18, 4);
    const auto size = zip.At(offset + 22, 4);
    if (!signature || *signature != LocalHeader || !flags || !method || !compressed || !size) {
        return false;
    }
    return (*flags & 0x08) != 0 || PlausibleSize(*method, *compressed, *size);
}

} // namespace

bool HasPlausibleSizes(std::string_view bytes) {
    const ZipBytes zip(bytes);
    if (zip.Size() < 22) {
        return false;
    }
    // The end record is the last 22 bytes, unless a comment of up to 65535 bytes follows it.
    std::optional<std::size_t> end;
    for (std::size_t at = zip.Size() - 22;; --at) {
        if (zip.At(at, 4) == EndOfDirectory) {
            end = at;
            break;
        }
        if (at == 0 || zip.Size() - at > 22 + 65535) {
            return false;
        }
    }
    const auto count = zip.At(*end + 10, 2);
    const auto start = zip.At(*end + 16, 4);
    if (!count || !start) {
        return false;
    }
    std::size_t at = *start;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto signature = zip.At(at, 4);
        const auto method = zip.At(at + 10, 2);
        const auto compressed = zip.At(at + 20, 4);
        const auto size = zip.At(at + 24, 4);
        const auto nameLength = zip.At(at + 28, 2);
        const auto extraLength = zip.At(at + 30, 2);
        const auto commentLength = zip.At(at + 32, 2);
        const auto local = zip.At(at + 42, 4);
        if (!signature || *signature != DirectoryEntry || !method || !compressed || !size ||
            !nameLength || !extraLength || !commentLength || !local ||
            !PlausibleSize(*method, *compressed, *size) || *compressed > zip.Size() ||
            !LocalHeaderPlausible(zip, *local)) {
            return false;
        }
        at += 46 + *nameLength + *extraLength + *commentLength;
    }
    return true;
}

} // namespace tillora
