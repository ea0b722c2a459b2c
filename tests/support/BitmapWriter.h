#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tillora::test {

// Bitmap files built byte by byte, for tests that need real pictures of a known size.
struct BitmapShape {
    int width = 8;
    int height = 8;
    unsigned bitsPerPixel = 1;
    bool topDown = false;     // Windows form only: stored with a negative height
    bool os2Form = false;     // 12-byte core header and 3-byte palette entries
    std::size_t trailing = 0; // bytes after the pixel rows, counted in the file size
};

namespace bitmap_detail {

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

inline std::size_t RowBytes(const BitmapShape& shape) {
    return (static_cast<std::size_t>(shape.width) * shape.bitsPerPixel + 31) / 32 * 4;
}

inline std::size_t PaletteEntries(const BitmapShape& shape) {
    return shape.bitsPerPixel <= 8 ? std::size_t{1} << shape.bitsPerPixel : 0;
}

} // namespace bitmap_detail

// The size of the file BitmapFile gives for shape.
inline std::size_t BitmapFileSize(const BitmapShape& shape) {
    using namespace bitmap_detail;
    const std::size_t header = shape.os2Form ? 12 : 40;
    const std::size_t entry = shape.os2Form ? 3 : 4;
    return 14 + header + PaletteEntries(shape) * entry +
           RowBytes(shape) * static_cast<std::size_t>(shape.height) + shape.trailing;
}

// The whole file: file header, information (or core) header, palette, rows, trailing bytes.
// The pixel bytes follow a pattern, so that bytes out of order or missing show.
inline std::vector<std::uint8_t> BitmapFile(const BitmapShape& shape) {
    using namespace bitmap_detail;
    const std::size_t size = BitmapFileSize(shape);
    const std::size_t header = shape.os2Form ? 12 : 40;
    const std::size_t entry = shape.os2Form ? 3 : 4;
    const std::size_t offset = 14 + header + PaletteEntries(shape) * entry;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, 0); // reserved
    Put32(out, static_cast<std::uint32_t>(offset));
    Put32(out, static_cast<std::uint32_t>(header));
    if (shape.os2Form) {
        Put16(out, static_cast<std::uint32_t>(shape.width));
        Put16(out, static_cast<std::uint32_t>(shape.height));
        Put16(out, 1); // planes
        Put16(out, shape.bitsPerPixel);
    } else {
        Put32(out, static_cast<std::uint32_t>(shape.width));
        Put32(out, static_cast<std::uint32_t>(shape.topDown ? -shape.height : shape.height));
        Put16(out, 1); // planes
        Put16(out, shape.bitsPerPixel);
        Put32(out, 0); // no compression
        Put32(out, static_cast<std::uint32_t>(RowBytes(shape) * shape.height));
        Put32(out, 2835); // 72 dots per inch, both ways
        Put32(out, 2835);
        Put32(out, 0); // all palette entries used
        Put32(out, 0);
    }
    for (std::size_t i = 0; i < PaletteEntries(shape); ++i) {
        const auto grey = static_cast<std::uint8_t>(i * 255 / (PaletteEntries(shape) - 1));
        out.insert(out.end(), 3, grey); // blue, green, red
        if (entry == 4) {
            out.push_back(0);
        }
    }
    while (out.size() < size) {
        out.push_back(static_cast<std::uint8_t>(out.size() * 37 + 11));
    }
    return out;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Writes the file of shape at path and returns its bytes.
inline std::vector<std::uint8_t> WriteBitmap(const std::filesystem::path& path,
                                             const BitmapShape& shape) {
    std::vector<std::uint8_t> bytes = BitmapFile(shape);
    WriteBytes(path, bytes);
    return bytes;
}

} // namespace tillora::test
