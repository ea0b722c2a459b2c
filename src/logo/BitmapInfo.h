#pragma once

#include <cstdint>
#include <string>

namespace tillora {

// What the header of a bitmap file tells about its picture.
struct BitmapInfo {
    unsigned width = 0;
    unsigned height = 0; // rows, whichever way they run
    unsigned bitsPerPixel = 0;
    std::uint32_t colours = 0;  // see ColourCount
    std::uint64_t fileSize = 0; // bytes on disk
};

enum class BitmapStatus {
    Ok,
    Unreadable, // missing, or cannot be opened or read
    NotBitmap,  // no "BM", an unknown header size or impossible dimensions
    Truncated,  // the file ends before its headers or its pixel rows do
};

struct BitmapInspection {
    BitmapStatus status = BitmapStatus::Unreadable;
    BitmapInfo info; // meaningful only when status is Ok

    bool Ok() const { return status == BitmapStatus::Ok; }
};

// 2 to the power of the bits per pixel; 32 bits and more give 4294967295.
std::uint32_t ColourCount(unsigned bitsPerPixel);

// Reads the headers of the bitmap file at path (UTF-8): the Windows form, whose information
// header is 40 bytes or more, and the OS/2 form with its 12-byte core header.
BitmapInspection InspectBitmap(const std::string& path);

} // namespace tillora
